// The maintenance commands over real UDP: the window against virtual modules that act on them.
#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QMessageBox>
#include <QPushButton>

#include "controls/status_text.h"
#include "record/layout.h"
#include "sim/displayed_items.h"
#include "window_fixture.h"

namespace norvane::ui::test {
namespace {

constexpr int kSave = 1037, kReboot = 1021, kFactoryReset = 1022, kDeepFactoryReset = 32774, kDebug = 1069,
              kCalibrate = 1071, kNetworkTest = 1090, kUserCodeVersion = 1082;
const QString kChooseModule = QStringLiteral("请选择一个设备");

class Maintenance : public WindowFixture {
  protected:
    void SetUp() override { openWindowOnModules(3, &displayed); }

    QString status() const { return control<StatusText>(kStatusLine)->text(); }
    bool statusBecomes(const QString& text, int ms = 3000) {
        return waitFor([&] { return status() == text; }, ms);
    }
    // Clicks a control, or triggers a menu entry.
    void run(int id) {
        if (auto* action = findControl<QAction>(*window, id)) {
            action->trigger();
            return;
        }
        QTest::mouseClick(control<QAbstractButton>(id), Qt::LeftButton);
    }
    std::size_t moduleAt(int row) const {
        const MacAddress mac = window->devices()[static_cast<std::size_t>(row)].mac();
        for (std::size_t i = 0; i < host->moduleCount(); ++i)
            if (host->record(i).mac() == mac) return i;
        ADD_FAILURE() << "no module for row " << row;
        return 0;
    }
    bool locked(int id) const { return !control<QPushButton>(id)->isEnabled(); }

    sim::DisplayedItems displayed;  // outlives the host, which the fixture holds
};

struct ResetCase {
    const char* name;
    int command;
    const char* waiting;
    const char* succeeded;
    std::size_t offset;  // a byte the command puts back as the factory made it
};

class Resets : public Maintenance, public testing::WithParamInterface<ResetCase> {};

TEST_P(Resets, ReachOnlyTheAddressedModule) {
    const ResetCase& c = GetParam();
    constexpr std::uint8_t kMark = 0x01;
    for (std::size_t i = 0; i < host->moduleCount(); ++i) {
        ASSERT_NE(sim::plausibleRecord(i).u8(c.offset), kMark);
        host->update(i, [&](record::DeviceRecord& r) { r.setU8(c.offset, kMark); });
    }
    clickRow(1);
    const std::size_t addressed = moduleAt(1);
    run(c.command);
    EXPECT_EQ(status(), QString::fromUtf8(c.waiting));
    EXPECT_TRUE(locked(kSave) && locked(kFactoryReset) && locked(kReboot));
    ASSERT_TRUE(statusBecomes(QString::fromUtf8(c.succeeded))) << qPrintable(status());
    EXPECT_FALSE(locked(kSave) || locked(kFactoryReset) || locked(kReboot));
    for (std::size_t i = 0; i < host->moduleCount(); ++i) {
        const std::uint8_t expected = i == addressed ? sim::plausibleRecord(i).u8(c.offset) : kMark;
        EXPECT_EQ(host->record(i).u8(c.offset), expected) << "module " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, Resets,
    testing::Values(ResetCase{"Reboot", kReboot, "正在重启...", "重启成功", record::offset::kDebugMode},
                    ResetCase{"FactoryReset", kFactoryReset, "正在恢复出厂...", "恢复出厂成功", 27},
                    // Only the deep reset puts the network settings back too.
                    ResetCase{"DeepFactoryReset", kDeepFactoryReset, "正在深度恢复出厂...",
                              "深度恢复出厂成功", 5}),
    [](const testing::TestParamInfo<ResetCase>& param) { return std::string(param.param.name); });

TEST_F(Maintenance, AnOrdinaryFactoryResetKeepsTheNetworkSettings) {
    clickRow(0);
    const std::size_t module = moduleAt(0);
    host->update(module, [](record::DeviceRecord& r) { r.setU8(5, 10); });
    run(kFactoryReset);
    ASSERT_TRUE(statusBecomes(QStringLiteral("恢复出厂成功")));
    EXPECT_EQ(host->record(module).u8(5), 10);
}

TEST_F(Maintenance, TheRebootOfASilentModuleFails) {
    clickRow(0);
    host->faults().setSilent(true);
    run(kReboot);
    ASSERT_TRUE(statusBecomes(QStringLiteral("重启失败"), 4000)) << qPrintable(status());
    EXPECT_FALSE(locked(kSave) || locked(kFactoryReset) || locked(kReboot));
}

// The check box's new state is sent, even where the record said the opposite.
TEST_F(Maintenance, DebugModeSendsTheCheckBoxState) {
    clickRow(2);
    const std::size_t module = moduleAt(2);
    auto* box = control<QCheckBox>(kDebug);
    ASSERT_FALSE(box->isChecked());
    window->devices()[2].setU8(record::offset::kDebugMode, 1);
    run(kDebug);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(status(), QStringLiteral("正在启动调试..."));
    EXPECT_FALSE(locked(kSave));
    ASSERT_TRUE(statusBecomes(QStringLiteral("调试启动成功"))) << qPrintable(status());
    EXPECT_EQ(host->record(module).u8(record::offset::kDebugMode), 1);

    run(kDebug);
    EXPECT_EQ(status(), QStringLiteral("正在关闭调试..."));
    ASSERT_TRUE(statusBecomes(QStringLiteral("调试关闭成功"))) << qPrintable(status());
    EXPECT_EQ(host->record(module).u8(record::offset::kDebugMode), 0);
}

TEST_F(Maintenance, CalibrationSetsTheModuleClock) {
    clickRow(0);
    const std::size_t module = moduleAt(0);
    const QDate today = QDate::currentDate();
    run(kCalibrate);
    EXPECT_EQ(status(), QStringLiteral("正在校准时间..."));
    ASSERT_TRUE(statusBecomes(QStringLiteral("校准成功"))) << qPrintable(status());
    const record::DeviceRecord r = host->record(module);
    EXPECT_EQ(r.u8(record::offset::kClock), today.year() - 1900);
    EXPECT_EQ(r.u8(record::offset::kClock + 1), today.month() - 1);
    EXPECT_EQ(r.u8(record::offset::kClock + 2), today.day());
    EXPECT_EQ(r.u8(record::offset::kClock + 6), today.dayOfWeek() % 7);
}

struct PingCase {
    const char* name;
    bool fails;
    QString shown;
};

class NetworkTest : public Maintenance, public testing::WithParamInterface<PingCase> {};

TEST_P(NetworkTest, TheAnswerClosesTheWaitingBoxAndShowsTheResult) {
    clickRow(0);
    displayed.setNetworkTestFails(GetParam().fails);
    run(kNetworkTest);
    const auto pingBox = [&] {
        for (QMessageBox* box : window->findChildren<QMessageBox*>())
            if (box->windowTitle() == QStringLiteral("ping test") && box->isVisible()) return box;
        return static_cast<QMessageBox*>(nullptr);
    };
    ASSERT_NE(pingBox(), nullptr);
    EXPECT_TRUE(pingBox()->text().startsWith(QStringLiteral("正在 ping ")));
    prompter.expect(GetParam().shown);
    ASSERT_TRUE(waitFor([&] { return prompter.satisfied(); })) << "no result";
    EXPECT_EQ(pingBox(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Outcomes, NetworkTest,
                         testing::Values(PingCase{"Passes", false,
                                                  QString::fromUtf8(sim::DisplayedItems::kTestResult.data(),
                                                                    sim::DisplayedItems::kTestResult.size())},
                                         PingCase{"Fails", true, QStringLiteral("测试失败")}),
                         [](const testing::TestParamInfo<PingCase>& param) {
                             return std::string(param.param.name);
                         });

TEST_F(Maintenance, TheUserCodeVersionIsShownFromTheRecord) {
    clickRow(1);
    const std::uint32_t version = window->devices()[1].u32(36);
    prompter.expect(QStringLiteral("user code version:V%1").arg(version, 4, 10, QLatin1Char('0')));
    run(kUserCodeVersion);
    EXPECT_TRUE(prompter.satisfied());
}

TEST_F(Maintenance, WithoutASelectionEveryCommandAsksForAModule) {
    clickBelowRows();
    const record::DeviceRecord before = host->record(0);
    for (const int id : {kSave, kReboot, kFactoryReset, kDeepFactoryReset, kDebug, kUserCodeVersion}) {
        control<StatusText>(kStatusLine)->setShownText(QString());
        run(id);
        EXPECT_EQ(status(), kChooseModule) << id;
    }
    for (const int id : {kCalibrate, kNetworkTest}) {
        prompter.expect(kChooseModule);
        run(id);
        EXPECT_TRUE(prompter.satisfied()) << id;
    }
    settle(700);
    EXPECT_EQ(host->record(0), before);
    EXPECT_FALSE(locked(kSave) || locked(kFactoryReset) || locked(kReboot));
}

}  // namespace
}  // namespace norvane::ui::test
