// The main window's search, device list, selection and clock poll against virtual modules over real UDP.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/field_table.h"
#include "app/show_record.h"
#include "app/status_texts.h"
#include "controls/status_text.h"
#include "record/layout.h"
#include "window_fixture.h"

namespace norvane::ui::test {
namespace {

using record::DeviceRecord;

class DiscoveryWindow : public WindowFixture {};

TEST_F(DiscoveryWindow, TheFirstSearchListsEveryModuleWithoutAClick) {
    openWindowOnModules(3);
    const char* const names[] = {"一号车间", "二号车间", "仓库"};
    const char* const firmware[] = {"V10020", "V10030", "V10020"};
    const char* const models[] = {"NV-3232", "NV-1616", "NV-0808"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(cell(row, 0), QStringLiteral("198.51.100.1")) << row;
        EXPECT_EQ(cell(row, 1), QStringLiteral("02-4E-56-00-00-0%1").arg(row + 1)) << row;
        EXPECT_EQ(cell(row, 2), QString::fromUtf8(firmware[row])) << row;
        EXPECT_EQ(cell(row, 3), QString::fromUtf8(models[row])) << row;
        EXPECT_EQ(cell(row, 4), QString::fromUtf8(names[row])) << row;
    }
    EXPECT_EQ(window->selectedIndex(), 2);
    EXPECT_TRUE(prompter.satisfied());
}

TEST_F(DiscoveryWindow, TheNewestModuleIsShownWholeThoughItsReplyCameInPieces) {
    openWindowOnModules(3);
    // What showing the module's record gives, on controls of their own.
    QWidget expected;
    buildMainWindowControls(expected);
    showRecord(expected, window->devices()[2]);
    EXPECT_EQ(window->devices()[2].mac(), host->record(2).mac());
    for (const FieldRow& row : fieldTable()) {
        auto* shown = control(row.id);
        auto* wanted = findControl(expected, row.id);
        for (const char* property : {"text", "currentText", "checked"})
            EXPECT_EQ(shown->property(property), wanted->property(property)) << row.id << ' ' << property;
    }
    for (const StatusTextRow& row : statusTextTable())
        EXPECT_EQ(control<StatusText>(row.id)->text(), findControl<StatusText>(expected, row.id)->text())
            << row.id;
    // A field that travels late in the reply, as the module has it.
    EXPECT_EQ(control<QComboBox>(1297)->currentIndex(), host->record(2).u8(12482));
}

TEST_F(DiscoveryWindow, TheListExposesRowsAndCells) {
    openWindowOnModules(3);
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(&list());
    ASSERT_TRUE(view && view->tableInterface());
    EXPECT_EQ(view->tableInterface()->rowCount(), 3);
    EXPECT_EQ(view->tableInterface()->columnCount(), 5);
    QAccessibleInterface* name = view->tableInterface()->cellAt(1, 4);
    ASSERT_TRUE(name);
    EXPECT_EQ(name->text(QAccessible::Name), QStringLiteral("二号车间"));
}

// Module i's clock reads 2024-05-(18 + i) 08:30:00 with weekday w_i.
void setClock(DeviceRecord& r, std::uint8_t day, std::uint8_t weekday) {
    const std::array<std::uint8_t, 8> clock{124, 4, day, 8, 30, 0, weekday, 0};
    std::ranges::copy(clock, r.field(record::offset::kClock, 8).begin());
}

TEST_F(DiscoveryWindow, AClickShowsTheModuleAndTheClockPollFollowsIt) {
    auto records = sim::plausibleRecords(3);
    setClock(records[0], 18, 6);
    setClock(records[1], 19, 0);
    setClock(records[2], 20, 9);  // no such weekday: it reads as Sunday
    startModules(records);
    openWindow(server->port());
    ASSERT_TRUE(waitFor([&] { return rows() == 3; }));
    auto* clock = control<StatusText>(kClockText);
    ASSERT_TRUE(waitFor([&] { return clock->text() == QStringLiteral("2024-05-20 08:30:00  星期日"); }))
        << qPrintable(clock->text());
    EXPECT_EQ(window->devices()[2].u8(record::offset::kClock + 6), 0);
    EXPECT_EQ(clock->accessibleDescription(), clock->text());

    clickRow(0);
    EXPECT_EQ(window->selectedIndex(), 0);
    EXPECT_EQ(control<QLineEdit>(1013)->text(), QStringLiteral("02-4E-56-00-00-01"));
    EXPECT_TRUE(waitFor([&] { return clock->text() == QStringLiteral("2024-05-18 08:30:00  星期六"); }))
        << qPrintable(clock->text());

    clickRow(1);
    EXPECT_EQ(control<QLineEdit>(1013)->text(), QStringLiteral("02-4E-56-00-00-02"));
    EXPECT_TRUE(waitFor([&] { return clock->text() == QStringLiteral("2024-05-19 08:30:00  星期日"); }))
        << qPrintable(clock->text());
}

TEST_F(DiscoveryWindow, AClickBesideEveryRowSelectsNothing) {
    openWindowOnModules(3);
    clickBelowRows();
    EXPECT_EQ(window->selectedIndex(), -1);
    auto* status = control<StatusText>(kStatusLine);
    EXPECT_EQ(status->text(), QStringLiteral("请选择一个设备"));
    EXPECT_EQ(status->accessibleDescription(), status->text());
}

TEST_F(DiscoveryWindow, TheKeyboardPicksARowAsAClickDoes) {
    openWindowOnModules(3);
    list().setFocus();
    QTest::keyClick(&list(), Qt::Key_Up);
    EXPECT_EQ(window->selectedIndex(), 1);
    EXPECT_EQ(control<QLineEdit>(1013)->text(), QStringLiteral("02-4E-56-00-00-02"));
}

TEST_F(DiscoveryWindow, SearchEmptiesTheListAndFillsItAgain) {
    openWindowOnModules(3);
    control<QPushButton>(1020)->click();
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(window->devices().count(), 0u);
    EXPECT_EQ(window->selectedIndex(), -1);
    ASSERT_TRUE(waitFor([&] { return rows() == 3; }));
    settle();
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(cell(0, 4), QStringLiteral("一号车间"));
    EXPECT_EQ(window->selectedIndex(), 2);
}

TEST_F(DiscoveryWindow, ACrossRouterSearchWaitsForTheRangesWindow) {
    openWindowOnModules(3);
    control<QCheckBox>(1068)->setChecked(true);
    prompter.expect(QStringLiteral("此功能尚未提供"));
    control<QPushButton>(1020)->click();
    EXPECT_TRUE(prompter.satisfied());
    settle(600);
    EXPECT_EQ(rows(), 0);  // nothing was broadcast
}

}  // namespace
}  // namespace norvane::ui::test
