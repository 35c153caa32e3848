#pragma once

#include <cstdint>
#include <span>

namespace norvane::ui {

// How a main-window control holds its record field.
enum class FieldKind : std::uint8_t {
    Combo,            // the selected item's index, plus `bias`
    Check,            // checked exactly when the byte is `onValue`; clear stores 0
    Decimal,          // an unsigned number of `size` bytes, typed as decimal text
    EditableDecimal,  // the same, in the edit part of an editable drop-down list
    Text,             // GBK text in a `size`-byte field, at most `limit` bytes typed
    Ipv4,             // four bytes, the first octet at the lowest offset
    Mac,              // six bytes shown "%02X-..."; the module's identity, never read back
    Data,             // heartbeat or registration data: text, or "%02x " bytes while the `hexBox` is checked;
                      // the byte count lives at `countOffset`
};

// One row per main-window field: the control, its label and where its value lives in the device record.
// Showing a record and reading the controls back into it are two loops over these rows.
struct FieldRow {
    int id;
    const char* label;  // the visible label (a check box's own text), UTF-8
    // The group named in front of the label where the same label appears more than once ("TCP A"), or null.
    const char* prefix;
    std::uint16_t offset;
    FieldKind kind;
    std::uint8_t size = 1;
    std::uint8_t limit = 0;
    std::uint8_t bias = 0;
    std::uint8_t onValue = 1;
    std::uint16_t countOffset = 0;
    int hexBox = 0;
    std::span<const char* const> items = {};  // Combo, EditableDecimal: the fixed list, index 0 first
};

std::span<const FieldRow> fieldTable();
// The row of a control, or nullptr when the control holds no record field.
const FieldRow* findField(int id);

}  // namespace norvane::ui
