#include "app/devinfo.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gbk_qstring.h"
#include "controls/control_id.h"
#include "record/layout.h"
#include "text/gbk.h"

namespace norvane::ui {
namespace {

using record::DeviceRecord;

// Where the information item 0xB2 left its values.
constexpr std::size_t kDeviceId = 13004, kTotalMemory = 13024, kFreeMemory = 13028, kUptime = 13044,
                      kCoreVersion = 13048, kRamfsVersion = 13080, kVersionWidth = 32, kRestarts = 13130;
constexpr std::size_t kDeviceIdSize = 8;

constexpr int kOk = 1040, kCancel = 1021, kName = 1184;

QString two(std::uint32_t n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString deviceId(const DeviceRecord& r) {
    QString out = QStringLiteral("Device ID:");
    for (const std::uint8_t byte : r.field(kDeviceId, kDeviceIdSize))
        out += QStringLiteral("%1").arg(int{byte}, 2, 16, QLatin1Char('0'));
    return out;
}

struct InfoRow {
    int id;
    QString (*text)(const DeviceRecord&);
};

const InfoRow kInfo[] = {
    {1180,
     [](const DeviceRecord& r) {
         const std::uint32_t up = r.u32(kUptime);
         return QStringLiteral(" up %1days %2:%3")
             .arg(up / 86400)
             .arg(two(up / 3600 % 24), two(up / 60 % 60));
     }},
    {1178,
     [](const DeviceRecord& r) {
         return QStringLiteral("Total Memery:%1 kb Free Memery:%2 kb")
             .arg(r.u32(kTotalMemory) >> 10)
             .arg(r.u32(kFreeMemory) >> 10);
     }},
    {1181,
     [](const DeviceRecord& r) {
         return QStringLiteral("Version Core:") + fromGbk(r.text(kCoreVersion, kVersionWidth));
     }},
    {1182,
     [](const DeviceRecord& r) {
         return QStringLiteral("Version Ramfs:") + fromGbk(r.text(kRamfsVersion, kVersionWidth));
     }},
    {1183, deviceId},
    {1185,
     [](const DeviceRecord& r) {
         return QStringLiteral("error:restart number %1").arg(int{r.u8(kRestarts)});
     }},
};

}  // namespace

devinfo::devinfo(DeviceRecord& record, QWidget* parent) : QDialog(parent), record_(record) {
    setWindowTitle(QStringLiteral("Device Info"));
    auto* layout = new QVBoxLayout(this);
    for (const InfoRow& row : kInfo) {
        auto* label = new QLabel(row.text(record), this);
        label->setObjectName(controlName(row.id));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
    }
    auto* group = new QGroupBox(QStringLiteral("设备名称"), this);
    auto* groupLayout = new QVBoxLayout(group);
    name_ = new QLineEdit(fromGbk(record.name()), group);
    name_->setObjectName(controlName(kName));
    groupLayout->addWidget(name_);
    layout->addWidget(group);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(controlName(kOk));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)
        ->setObjectName(controlName(kCancel));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        rename();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setMinimumWidth(360);
}

void devinfo::rename() {
    const std::string gbk = text::utf8ToGbk(name_->text().toStdString());
    record_.setText(record::offset::kDeviceName, record::offset::kTextWidth, text::cutGbk(gbk, kNameLimit));
}

}  // namespace norvane::ui
