#include "app/read_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>
#include <string>

#include "app/field_table.h"
#include "controls/control_id.h"
#include "controls/ipv4_edit.h"
#include "prompts/prompter.h"
#include "text/decimal.h"
#include "text/gbk.h"
#include "text/hex_text.h"

namespace norvane::ui {
namespace {

using record::DeviceRecord;

std::string gbkOf(const QString& text) {
    return text::utf8ToGbk(text.toStdString());
}

// Keeps the low-order bits that fit the field.
void storeNumber(DeviceRecord& r, const FieldRow& row, std::int64_t value) {
    const auto bits = static_cast<std::uint64_t>(value);
    switch (row.size) {
        case 2:
            r.setU16(row.offset, static_cast<std::uint16_t>(bits));
            return;
        case 4:
            r.setU32(row.offset, static_cast<std::uint32_t>(bits));
            return;
        default:
            r.setU8(row.offset, static_cast<std::uint8_t>(bits));
            return;
    }
}

// Heartbeat or registration data: hex while its box is checked, else the text's bytes; the count beside the
// field says how many bytes hold data.
void storeData(QWidget& window, const FieldRow& row, DeviceRecord& r, Prompter& prompter) {
    const std::string typed = gbkOf(findControl<QLineEdit>(window, row.id)->text());
    if (findControl<QCheckBox>(window, row.hexBox)->isChecked()) {
        const text::HexParseResult parsed = text::parseHexText(typed, r.field(row.offset, row.size));
        if (parsed.failure) {
            prompter.inform(&window,
                            QString::fromStdString(text::hexFailureMessage(*parsed.failure, row.size)));
            return;
        }
        r.setU8(row.countOffset, static_cast<std::uint8_t>(parsed.count));
        return;
    }
    if (typed.size() > row.size) {
        prompter.inform(&window, QStringLiteral("数据最多%1字节").arg(int{row.size}));
        return;
    }
    r.setText(row.offset, row.size, typed);
    r.setU8(row.countOffset, static_cast<std::uint8_t>(typed.size()));
}

void readField(QWidget& window, const FieldRow& row, DeviceRecord& r, Prompter& prompter) {
    using enum FieldKind;
    switch (row.kind) {
        case Combo: {
            const int index = findControl<QComboBox>(window, row.id)->currentIndex();
            if (index >= 0) r.setU8(row.offset, static_cast<std::uint8_t>(index + row.bias));
            return;
        }
        case Check:
            r.setU8(row.offset, findControl<QCheckBox>(window, row.id)->isChecked() ? row.onValue : 0);
            return;
        case Decimal:
            storeNumber(r, row,
                        text::parseDecimal(findControl<QLineEdit>(window, row.id)->text().toStdString()));
            return;
        case EditableDecimal:
            storeNumber(
                r, row,
                text::parseDecimal(findControl<QComboBox>(window, row.id)->currentText().toStdString()));
            return;
        case Text:
            r.setText(row.offset, row.size,
                      text::cutGbk(gbkOf(findControl<QLineEdit>(window, row.id)->text()), row.limit));
            return;
        case Ipv4:
            std::ranges::copy(findControl<Ipv4Edit>(window, row.id)->address(),
                              r.field(row.offset, row.size).begin());
            return;
        case Mac:  // the module's identity: shown, never written back
            return;
        case Data:
            storeData(window, row, r, prompter);
            return;
    }
}

}  // namespace

void readControlsIntoRecord(QWidget& window, DeviceRecord& record, Prompter& prompter) {
    for (const FieldRow& row : fieldTable()) readField(window, row, record, prompter);
}

}  // namespace norvane::ui
