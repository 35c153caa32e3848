#include "app/show_record.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>
#include <array>

#include "app/field_table.h"
#include "app/gbk_qstring.h"
#include "app/record_format.h"
#include "app/status_texts.h"
#include "controls/control_id.h"
#include "controls/ipv4_edit.h"
#include "controls/status_text.h"

namespace norvane::ui {
namespace {

using record::DeviceRecord;

// The RTU address can be edited only where the module allows it.
constexpr std::size_t kRtuEditable = 251;
constexpr int kRtuAddress = 1025;

std::uint32_t number(const DeviceRecord& r, const FieldRow& row) {
    switch (row.size) {
        case 2:
            return r.u16(row.offset);
        case 4:
            return r.u32(row.offset);
        default:
            return r.u8(row.offset);
    }
}

// Each byte "%02x " (lower-case, every byte followed by one space).
QString hexText(std::span<const std::uint8_t> bytes) {
    QString out;
    for (const std::uint8_t byte : bytes)
        out += QStringLiteral("%1 ").arg(int{byte}, 2, 16, QLatin1Char('0'));
    return out;
}

// The data as text, or while its hex box is checked as the bytes the count says (never more than the field
// holds).
QString dataText(const QWidget& window, const FieldRow& row, const DeviceRecord& r) {
    if (!findControl<QCheckBox>(window, row.hexBox)->isChecked())
        return fromGbk(r.text(row.offset, row.size));
    const std::size_t count = std::min<std::size_t>(r.u8(row.countOffset), row.size);
    return hexText(r.field(row.offset, count));
}

void showField(const QWidget& window, const FieldRow& row, const DeviceRecord& r) {
    using enum FieldKind;
    switch (row.kind) {
        case Combo: {
            auto* combo = findControl<QComboBox>(window, row.id);
            const int index = int{r.u8(row.offset)} - row.bias;
            // A value outside the list leaves no item selected.
            combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
            return;
        }
        case Check:
            findControl<QCheckBox>(window, row.id)->setChecked(r.u8(row.offset) == row.onValue);
            return;
        case Decimal:
            findControl<QLineEdit>(window, row.id)->setText(QString::number(number(r, row)));
            return;
        case EditableDecimal:
            findControl<QComboBox>(window, row.id)->setCurrentText(QString::number(number(r, row)));
            return;
        case Text:
            findControl<QLineEdit>(window, row.id)->setText(fromGbk(r.text(row.offset, row.size)));
            return;
        case Ipv4: {
            Ipv4Edit::Octets octets{};
            std::ranges::copy(r.field(row.offset, octets.size()), octets.begin());
            findControl<Ipv4Edit>(window, row.id)->setAddress(octets);
            return;
        }
        case Mac:
            findControl<QLineEdit>(window, row.id)->setText(macText(r.mac()));
            return;
        case Data:
            findControl<QLineEdit>(window, row.id)->setText(dataText(window, row, r));
            return;
    }
}

// The socket channels: which fields each work mode uses, and the registration data its own mode enables.
struct Channel {
    int mode;
    std::array<int, 7> fields;
    int localPort;
    int registrationMode;
    int registrationData;
};
constexpr Channel kChannels[] = {
    {1026, {1027, 1028, 1029, 1030, 1031, 1034, 1033}, 1029, 1034, 1033},
    {1032, {1050, 1051, 1055, 1056, 1057, 1059, 1058}, 1055, 1059, 1058},
};
enum WorkMode : int { kOff = 0, kTcpServer = 1, kTcpClient = 2, kUdpServer = 3, kUdpClient = 4 };

// The serial work mode: "ModbusTcp转RTU" uses the master flag and the timings, "一问一答" the timings only.
constexpr int kSerialMode = 1290, kMaster = 1081, kTimeout = 1035, kCommandDelay = 1044;
enum SerialMode : int { kModbusTcpToRtu = 1, kQuestionAnswer = 2 };

void setEnabled(const QWidget& window, int id, bool enabled) {
    findControl(window, id)->setEnabled(enabled);
}

}  // namespace

void showRecord(const QWidget& window, const DeviceRecord& record) {
    for (const FieldRow& row : fieldTable()) showField(window, row, record);
    setEnabled(window, kRtuAddress, record.u8(kRtuEditable) == 1);
    for (const StatusTextRow& row : statusTextTable())
        findControl<StatusText>(window, row.id)->setShownText(row.format(record));
    applyEnablingRules(window);
}

void applyEnablingRules(const QWidget& window) {
    for (const Channel& channel : kChannels) {
        const int mode = findControl<QComboBox>(window, channel.mode)->currentIndex();
        const bool client = mode == kTcpClient || mode == kUdpClient;
        const bool server = mode == kTcpServer || mode == kUdpServer;
        for (const int id : channel.fields)
            setEnabled(window, id, client || (server && id == channel.localPort));
        // The registration data follows its own mode, even where a server mode has disabled that mode's list.
        setEnabled(window, channel.registrationData,
                   findControl<QComboBox>(window, channel.registrationMode)->currentIndex() != kOff);
    }
    const int serial = findControl<QComboBox>(window, kSerialMode)->currentIndex();
    const bool timings = serial == kModbusTcpToRtu || serial == kQuestionAnswer;
    setEnabled(window, kMaster, serial == kModbusTcpToRtu);
    setEnabled(window, kTimeout, timings);
    setEnabled(window, kCommandDelay, timings);
}

}  // namespace norvane::ui
