// "保存" over real UDP: the window reads its controls into the record and the virtual module takes the save.
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

#include "app/devinfo.h"
#include "controls/status_text.h"
#include "probe_module.h"
#include "record/save_frame.h"
#include "text/gbk.h"
#include "window_fixture.h"

namespace norvane::ui::test {
namespace {

constexpr int kSave = 1037, kSearch = 1020, kBaudRate = 1014, kTcpATarget = 1027;

class Save : public WindowFixture {
  protected:
    void SetUp() override { openWindowOnModules(3); }

    QString status() const { return control<StatusText>(kStatusLine)->text(); }
    QPushButton& saveButton() const { return *control<QPushButton>(kSave); }

    // The host's index of the module with the record at this row of the window.
    std::size_t moduleAt(int row) const {
        const MacAddress mac = window->devices()[static_cast<std::size_t>(row)].mac();
        for (std::size_t i = 0; i < host->moduleCount(); ++i)
            if (host->record(i).mac() == mac) return i;
        ADD_FAILURE() << "no module for row " << row;
        return 0;
    }
    int rowOf(const MacAddress& mac) const {
        for (std::size_t i = 0; i < window->devices().count(); ++i)
            if (window->devices()[i].mac() == mac) return static_cast<int>(i);
        return -1;
    }

    void rename(const QString& name) {
        QTest::mouseClick(control<QPushButton>(1040), Qt::LeftButton);
        auto* info = window->findChild<devinfo*>();
        ASSERT_NE(info, nullptr);
        findControl<QLineEdit>(*info, 1184)->setText(name);
        QTest::mouseClick(findControl<QPushButton>(*info, 1040), Qt::LeftButton);
    }

    bool saved(int ms = 3000) {
        return waitFor([&] { return status() == QStringLiteral("保存成功"); }, ms);
    }
};

// The first offset where two records differ, for a readable failure.
std::string firstDifference(const record::DeviceRecord& a, const record::DeviceRecord& b) {
    for (std::size_t i = 0; i < record::DeviceRecord::kSize; ++i)
        if (a.u8(i) != b.u8(i))
            return "offset " + std::to_string(i) + ": " + std::to_string(a.u8(i)) + " then " +
                   std::to_string(b.u8(i));
    return "none";
}

TEST_F(Save, ChangedSettingsReachTheModuleAndANewSearchReadsThemBack) {
    clickRow(1);
    const std::size_t module = moduleAt(1);
    const MacAddress mac = host->record(module).mac();
    const record::DeviceRecord before = host->record(module);
    control<QComboBox>(kBaudRate)->setCurrentIndex(9);  // 115200
    control<QLineEdit>(kTcpATarget)->setText(QStringLiteral("203.0.113.77"));
    rename(QStringLiteral("二号泵房"));
    EXPECT_EQ(cell(1, 4), QStringLiteral("二号泵房"));

    QElapsedTimer clicked;
    clicked.start();
    QTest::mouseClick(&saveButton(), Qt::LeftButton);
    EXPECT_EQ(status(), QStringLiteral("正在保存..."));
    EXPECT_FALSE(saveButton().isEnabled());
    // Nothing leaves during the first 500 ms.
    settle(350);
    EXPECT_EQ(host->record(module), before);
    ASSERT_TRUE(saved()) << qPrintable(status());
    EXPECT_GE(clicked.elapsed(), 450);
    EXPECT_TRUE(saveButton().isEnabled());

    const record::DeviceRecord after = host->record(module);
    EXPECT_EQ(after.u8(27), 9);
    EXPECT_EQ(after.text(255, 128), "203.0.113.77");
    EXPECT_EQ(after.name(), text::utf8ToGbk("二号泵房"));
    for (std::size_t other = 0; other < host->moduleCount(); ++other) {
        if (other == module) continue;
        EXPECT_EQ(host->record(other), sim::plausibleRecord(other)) << "module " << other;
    }

    QTest::mouseClick(control<QPushButton>(kSearch), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return rows() == 3; }));
    settle();
    const int row = rowOf(mac);
    ASSERT_GE(row, 0);
    const record::DeviceRecord& listed = window->devices()[static_cast<std::size_t>(row)];
    EXPECT_EQ(listed.u8(27), 9);
    EXPECT_EQ(listed.text(255, 128), "203.0.113.77");
    EXPECT_EQ(cell(row, 4), QStringLiteral("二号泵房"));
}

TEST_F(Save, ASaveChangingNothingGivesBackEverySettingAsReported) {
    for (const int row : {0, 2}) {
        clickRow(row);
        const std::size_t module = moduleAt(row);
        const record::DeviceRecord before = host->record(module);
        QTest::mouseClick(&saveButton(), Qt::LeftButton);
        ASSERT_TRUE(saved()) << qPrintable(status());
        const record::DeviceRecord after = host->record(module);
        EXPECT_EQ(after, before) << "row " << row << ", first difference at "
                                 << firstDifference(before, after);
        control<StatusText>(kStatusLine)->setShownText(QString());
    }
}

struct FaultCase {
    const char* name;
    std::function<void(sim::FaultSwitches&)> set;
};

class SaveUnanswered : public Save, public testing::WithParamInterface<FaultCase> {};

TEST_P(SaveUnanswered, FailsAfterThreeSecondsAndFreesTheButton) {
    clickRow(0);
    GetParam().set(host->faults());
    QElapsedTimer clicked;
    clicked.start();
    QTest::mouseClick(&saveButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return status() != QStringLiteral("正在保存..."); }, 4000)) << "still waiting";
    EXPECT_EQ(status(), QStringLiteral("保存失败"));
    EXPECT_GE(clicked.elapsed(), 2900);
    EXPECT_TRUE(saveButton().isEnabled());
    // A late acknowledgement finds nothing waiting.
    settle(1500);
    EXPECT_EQ(status(), QStringLiteral("保存失败"));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveUnanswered,
    testing::Values(
        FaultCase{"Silent", [](sim::FaultSwitches& f) { f.setSilent(true); }},
        FaultCase{"AcknowledgedTooLate",
                  [](sim::FaultSwitches& f) { f.setReplyDelay(std::chrono::milliseconds(3200)); }},
        FaultCase{"AcknowledgedByAnotherMac", [](sim::FaultSwitches& f) { f.setAckFromOtherMac(true); }}),
    [](const testing::TestParamInfo<FaultCase>& param) { return std::string(param.param.name); });

TEST_F(Save, WithoutASelectionNothingIsSent) {
    clickBelowRows();
    const record::DeviceRecord before = host->record(0);
    QTest::mouseClick(&saveButton(), Qt::LeftButton);
    EXPECT_EQ(status(), QStringLiteral("请选择一个设备"));
    EXPECT_TRUE(saveButton().isEnabled());
    settle(700);
    EXPECT_EQ(host->record(0), before);
}

// A save the module cannot take in one datagram is refused before anything starts.
TEST_F(Save, AFrameTooLongForOneDatagramFirmwareIsRefused) {
    clickRow(0);
    record::DeviceRecord& shown = window->devices()[0];
    shown.setText(record::offset::kFirmware, record::offset::kTextWidth, "V10020");
    // Both script blocks 2827 bytes long (0x0B0B either way round): the frame passes 4096 bytes.
    for (const std::size_t block : {7680u, 3584u}) {
        shown.setU8(block, 0x0B);
        shown.setU8(block + 1, 0x0B);
    }
    const record::DeviceRecord before = host->record(moduleAt(0));
    QTest::mouseClick(&saveButton(), Qt::LeftButton);
    EXPECT_TRUE(status().startsWith(QStringLiteral("配置数据过长"))) << qPrintable(status());
    EXPECT_TRUE(saveButton().isEnabled());
    settle(700);
    EXPECT_EQ(host->record(moduleAt(0)), before);
}

// The frames of a save as a module receives them, played by the test.
struct RouteCase {
    const char* name;
    const char* firmware;
    bool crossRouter;
    bool pieces;
};

void PrintTo(const RouteCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveFrames : public WindowFixture, public testing::WithParamInterface<RouteCase> {};

TEST_P(SaveFrames, LeaveByTheDestinationRuleWholeOrInPieces) {
    constexpr MacAddress kMac{0x02, 0x4E, 0x56, 0x40, 0x00, 0x01};
    ProbeModule probe;
    openWindow(probe.port());
    ASSERT_TRUE(probe.nextNotPoll().has_value()) << "no search";
    const std::string firmware = GetParam().firmware;
    probe.reply(0x81, kMac, items({{0x16, bytesOf(kMac)}, {0x01, Bytes(firmware.begin(), firmware.end())}}));
    ASSERT_TRUE(waitFor([&] { return rows() == 1; }));
    settle();
    control<QCheckBox>(1068)->setChecked(GetParam().crossRouter);

    QTest::mouseClick(control<QPushButton>(kSave), Qt::LeftButton);
    const record::DeviceRecord& saved = window->devices()[0];
    const auto route = GetParam().crossRouter ? protocol::Route::CrossRouter : protocol::Route::Local;
    const record::SavePlan plan = record::planSave(saved, route);
    if (GetParam().pieces) {
        ASSERT_GT(plan.datagrams.size(), 1u);
        EXPECT_EQ(plan.datagrams.front().size(), record::kSavePieceSize);
    } else {
        ASSERT_EQ(plan.datagrams.size(), 1u);
    }
    const QHostAddress to = GetParam().crossRouter ? QHostAddress(QStringLiteral("198.51.100.1"))
                                                   : QHostAddress(QHostAddress::Broadcast);
    for (const Bytes& expected : plan.datagrams) {
        const auto datagram = probe.nextNotPoll();
        ASSERT_TRUE(datagram.has_value());
        EXPECT_EQ(bytesOf(*datagram), expected);
        EXPECT_EQ(datagram->destinationAddress(), to);
    }
    EXPECT_EQ(plan.datagrams.front()[2], GetParam().crossRouter ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Routes, SaveFrames,
                         testing::Values(RouteCase{"WholeByBroadcast", "V10027", false, false},
                                         RouteCase{"PiecesAcrossRouters", "V10028", true, true}),
                         [](const testing::TestParamInfo<RouteCase>& param) {
                             return std::string(param.param.name);
                         });

}  // namespace
}  // namespace norvane::ui::test
