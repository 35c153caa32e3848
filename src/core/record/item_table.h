#pragma once

#include <cstdint>
#include <span>

namespace norvane::record {

// How one piece of an item's value travels and where it lives in the record.
enum class Wire : std::uint8_t {
    Raw,  // bytes copied in order
    U16,  // u16 big-endian on the wire, little-endian in the record
    U32,  // u32 the same way
    Pad,  // one zero byte on the wire that the record does not keep
};

struct Segment {
    std::uint16_t offset;   // record offset (of entry 0 in a repeated item)
    std::uint8_t wireSize;  // Raw: its byte count; U16 2, U32 4, Pad 1
    Wire wire;
    // Raw: the record field the bytes land in, cleared first when wider than the bytes (0: as wide as them).
    std::uint8_t fieldWidth = 0;
};

enum class ItemKind : std::uint8_t {
    Fixed,    // segments, repeated `repeat` times at `recordStride` in the record, back to back on the wire
    Strided,  // the same, but the value starts with the wire entry size and entries lie at that stride
    Text,     // text field: the bytes up to its first zero, no terminator
    Data,     // heartbeat or registration data: as many bytes as the count at `countOffset`
    Script,   // sequence script block: a u16 BE length, then that many bytes
    FourG,    // the 4G state: the first segment always, the rest only when it reads 1 and the item is long
              // enough
};

enum class Rule : std::uint8_t { Exactly, AtMost, AtLeast };

// One row per tag the tool knows: everything that decides how the tag is stored, sent and answered.
struct ItemRow {
    std::uint8_t tag;
    ItemKind kind;
    Rule rule;  // the length a reply item must have to be stored
    std::uint16_t ruleLength;
    bool sentBySave;
    std::span<const Segment> segments = {};  // Fixed, Strided, FourG: one entry's segments
    std::uint8_t repeat = 1;
    std::uint8_t recordStride = 0;
    std::uint16_t offset = 0;  // Text, Data, Script: the field
    std::uint16_t width = 0;
    std::uint16_t countOffset = 0;   // Data: where the byte count lives
    std::uint8_t wireEntrySize = 0;  // Strided: the entry size a save announces
    // A save lays the value out differently from a reply (the RTU address, the PWM presets' order);
    // such rows list every segment and do not repeat.
    std::span<const Segment> saveSegments = {};
};

// Every row, in ascending tag order, which is also the order of the items in a configuration save.
std::span<const ItemRow> itemTable();
// The row of a tag, or nullptr for tags the tool does not know.
const ItemRow* findItem(std::uint8_t tag);

// The full 4G item, the length its second step needs.
inline constexpr std::uint16_t kFourGFullLength = 39;
// Heartbeat and registration data fields hold this many bytes.
inline constexpr std::uint16_t kDataFieldSize = 128;
inline constexpr std::uint16_t kScriptBlockSize = 4096;

}  // namespace norvane::record
