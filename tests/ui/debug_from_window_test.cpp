// Debug mode switched on from the main window: the module's traffic appears in the debug monitor.
#include <QAbstractButton>
#include <QTableView>

#include "live/debug.h"
#include "sim/live_behaviour.h"
#include "window_fixture.h"

namespace norvane::ui::test {
namespace {

class DebugFromWindow : public WindowFixture {
  protected:
    sim::LiveBehaviour live;
};

TEST_F(DebugFromWindow, TheModulesTrafficAppearsInTheMonitor) {
    openWindowOnModules(1, &live);
    QTest::mouseClick(control<QAbstractButton>(1084), Qt::LeftButton);  // "界面"
    debug& monitor = showDebugMonitor();
    auto* list = findControl<QTableView>(monitor, debug::kList);
    ASSERT_NE(list, nullptr);
    const int before = list->model()->rowCount();

    QTest::mouseClick(control<QAbstractButton>(1069), Qt::LeftButton);  // "调试(重启丢失)"
    ASSERT_TRUE(waitFor([&] { return !live.debugDestinations().empty(); }))
        << "the module never took debug mode";
    // The clock poll keeps the module talking; each request and answer is copied to port 1112.
    ASSERT_TRUE(waitFor([&] { return list->model()->rowCount() >= before + 2; }, 5000));
    const QAbstractItemModel& rows = *list->model();
    const int last = rows.rowCount() - 1;
    // The hex column shows a frame of the module's own.
    EXPECT_TRUE(
        rows.index(last, 4).data().toString().startsWith(QStringLiteral("88 3a"), Qt::CaseInsensitive))
        << qPrintable(rows.index(last, 4).data().toString());
    monitor.close();
}

}  // namespace
}  // namespace norvane::ui::test
