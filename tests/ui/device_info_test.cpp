// "Device Info": the module's information from its record, and renaming it, alone and from the main window.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/devinfo.h"
#include "record/layout.h"
#include "text/gbk.h"
#include "window_fixture.h"

namespace norvane::ui::test {
namespace {

using record::DeviceRecord;

constexpr int kOk = 1040, kCancel = 1021, kName = 1184;

DeviceRecord informedRecord() {
    DeviceRecord r = sim::plausibleRecord(0);
    r.setU32(13024, 64u << 20);                           // total memory
    r.setU32(13028, 3000u * 1024 + 1023);                 // free memory
    r.setU32(13044, 3 * 86400 + 7 * 3600 + 5 * 60 + 59);  // uptime
    r.setText(13048, 32, "3.10");
    r.setText(13080, 32, "R2.1");
    const std::uint8_t id[] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x6F, 0xF0};
    std::ranges::copy(id, r.field(13004, 8).begin());
    r.setU8(13130, 12);
    r.setText(record::offset::kDeviceName, 64, text::utf8ToGbk("一号车间"));
    return r;
}

QString shown(const QWidget& window, int id) {
    if (auto* label = findControl<QLabel>(window, id)) return label->text();
    if (auto* edit = findControl<QLineEdit>(window, id)) return edit->text();
    return QStringLiteral("<no control %1>").arg(id);
}

TEST(DeviceInfo, ShowsEveryTextFromTheRecord) {
    DeviceRecord r = informedRecord();
    devinfo window(r);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Device Info"));
    const struct {
        int id;
        const char* text;
    } rows[] = {
        {1180, " up 3days 07:05"},
        {1178, "Total Memery:65536 kb Free Memery:3000 kb"},
        {1181, "Version Core:3.10"},
        {1182, "Version Ramfs:R2.1"},
        {1183, "Device ID:001a2b3c4d5e6ff0"},
        {1185, "error:restart number 12"},
        {kName, "一号车间"},
    };
    for (const auto& row : rows) EXPECT_EQ(shown(window, row.id), QString::fromUtf8(row.text)) << row.id;
    if (const QString dir = qEnvironmentVariable("NORVANE_PICTURES"); !dir.isEmpty()) {
        window.show();
        window.grab().save(dir + QStringLiteral("/device-info.png"));
    }
}

struct RenameCase {
    const char* name;
    int button;
    QString typed;
    std::string stored;  // GBK
};

void PrintTo(const RenameCase& c, std::ostream* os) {
    *os << c.name;
}

class Rename : public testing::TestWithParam<RenameCase> {};

TEST_P(Rename, StoresTheNameOnlyOnOk) {
    DeviceRecord r = informedRecord();
    const DeviceRecord before = r;
    devinfo window(r);
    window.show();
    findControl<QLineEdit>(window, kName)->setText(GetParam().typed);
    QTest::mouseClick(findControl<QPushButton>(window, GetParam().button), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(r.name(), GetParam().stored);
    // Nothing but the name changes.
    DeviceRecord renamedBack = r;
    renamedBack.setText(record::offset::kDeviceName, 64, before.name());
    EXPECT_EQ(renamedBack, before);
}

QString repeated(const char* utf8, int times) {
    QString out;
    for (int i = 0; i < times; ++i) out += QString::fromUtf8(utf8);
    return out;
}

std::string repeatedGbk(const char* utf8, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text::utf8ToGbk(utf8);
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Rename,
    testing::Values(
        RenameCase{"Ok", kOk, QStringLiteral("二号泵房"), text::utf8ToGbk("二号泵房")},
        RenameCase{"Cancel", kCancel, QStringLiteral("二号泵房"), text::utf8ToGbk("一号车间")},
        RenameCase{"Empty", kOk, QString(), ""},
        // 63 bytes at most, on a character boundary: 31 two-byte characters, the 32nd left out whole.
        RenameCase{"LongChinese", kOk, repeated("泵", 40), repeatedGbk("泵", 31)},
        RenameCase{"LongAscii", kOk, QString(70, QLatin1Char('n')), std::string(63, 'n')}),
    [](const testing::TestParamInfo<RenameCase>& param) { return std::string(param.param.name); });

class DeviceInfoWindow : public WindowFixture {};

TEST_F(DeviceInfoWindow, TheRowShowsTheNameAfterTheWindowCloses) {
    openWindowOnModules(3);
    clickRow(0);
    const QString original = cell(0, 4);
    for (const auto& [button, expected] :
         {std::pair{kCancel, original}, std::pair{kOk, QStringLiteral("三号仓库")}}) {
        QTest::mouseClick(control<QPushButton>(1040), Qt::LeftButton);
        auto* info = window->findChild<devinfo*>();
        ASSERT_NE(info, nullptr);
        EXPECT_TRUE(info->isModal());
        findControl<QLineEdit>(*info, kName)->setText(QStringLiteral("三号仓库"));
        QTest::mouseClick(findControl<QPushButton>(*info, button), Qt::LeftButton);
        ASSERT_TRUE(waitFor([&] { return window->findChild<devinfo*>() == nullptr; })) << "still open";
        EXPECT_EQ(cell(0, 4), expected) << button;
        EXPECT_EQ(text::gbkToUtf8(window->devices()[0].name()), expected.toStdString());
    }
}

}  // namespace
}  // namespace norvane::ui::test
