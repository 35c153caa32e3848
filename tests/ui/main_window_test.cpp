// The main window as a whole: title, menus, the card list, the openers and commands of later work, the
// settings seam, and its fit on a small screen.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include "app/command_table.h"
#include "app/field_table.h"
#include "app/settings_store.h"
#include "controls/status_text.h"
#include "live/ctrl.h"
#include "live/debug.h"
#include "live/moto.h"
#include "live/pwm.h"
#include "window_fixture.h"

namespace norvane::ui::test {
namespace {

const QString kNotProvided = QStringLiteral("此功能尚未提供");
const QString kChooseModule = QStringLiteral("请选择一个设备");

// Changes the test namespace's own cards.
void ip(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("ip"), arguments);
    ASSERT_TRUE(process.waitForFinished()) << qPrintable(process.errorString());
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
}

class MainWindow : public WindowFixture {
  protected:
    // No module answers on this port: the window searches an empty network.
    void openAlone() {
        startModules(sim::plausibleRecords(1));
        host->faults().setSilent(true);
        openWindow(server->port());
    }

    QStringList cardEntries() {
        auto* cards = control<QComboBox>(kCardList);
        QStringList entries;
        for (int i = 0; i < cards->count(); ++i) entries << cards->itemText(i);
        return entries;
    }

    // Picks the next entry of a drop-down list as the user does, with the arrow key.
    void chooseNext(int id) {
        auto* list = control<QComboBox>(id);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
    }

    QString status() { return control<StatusText>(kStatusLine)->text(); }
};

TEST_F(MainWindow, HasItsTitleAndMenus) {
    openAlone();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Norvane    配置软件           V221"));
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) menus << menu->text();
    EXPECT_EQ(menus, (QStringList{QStringLiteral("设备"), QStringLiteral("Tools"), QStringLiteral("帮助")}));
    const std::pair<int, const char*> entries[] = {{32772, "固件升级"},
                                                   {32774, "深度恢复出厂"},
                                                   {32777, "导入配置"},
                                                   {32778, "导出配置"},
                                                   {16, "关于 dorn(&A)..."}};
    for (const auto& [id, label] : entries) {
        auto* action = findControl<QAction>(*window, id);
        ASSERT_TRUE(action) << id;
        EXPECT_EQ(action->text(), QString::fromUtf8(label)) << id;
    }
}

TEST_F(MainWindow, TheAboutEntryShowsTheAboutWindow) {
    openAlone();
    QString title;
    QStringList texts;
    QTimer::singleShot(100, [&] {
        QWidget* about = QApplication::activeModalWidget();
        if (!about) return;
        title = about->windowTitle();
        for (QLabel* label : about->findChildren<QLabel*>()) texts << label->text();
        for (QPushButton* button : about->findChildren<QPushButton*>()) {
            texts << button->text();
            button->click();
        }
    });
    findControl<QAction>(*window, kAboutCommand)->trigger();
    EXPECT_EQ(title, QStringLiteral("关于 dorn"));
    EXPECT_TRUE(texts.contains(QStringLiteral("dorn，1.0 版"))) << qPrintable(texts.join(QLatin1Char('|')));
    EXPECT_TRUE(texts.contains(QStringLiteral("确定")));
}

TEST_F(MainWindow, EveryCommandNotBuiltYetSaysSo) {
    openAlone();
    for (const CommandRow& row : commandTable()) {
        if (row.action != CommandAction::LaterWork || row.hidden) continue;
        auto* button = control<QAbstractButton>(row.id);
        const bool before = button->isChecked();
        prompter.expect(kNotProvided);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(prompter.satisfied()) << row.id;
        EXPECT_EQ(button->isChecked(), before) << row.id << ": nothing happened, so its state stays";
    }
    for (const MenuRow& row : menuTable()) {
        if (row.action != CommandAction::LaterWork) continue;
        prompter.expect(kNotProvided);
        findControl<QAction>(*window, row.id)->trigger();
        EXPECT_TRUE(prompter.satisfied()) << row.id;
    }
}

TEST_F(MainWindow, OpenersAskForAModuleFirst) {
    openAlone();
    settle(600);  // the first search has run and found nothing
    for (const CommandRow& row : commandTable()) {
        if (row.action == CommandAction::OpensWindow) {
            control<StatusText>(kStatusLine)->setShownText(QStringLiteral("状态:"));
            QTest::mouseClick(control<QAbstractButton>(row.id), Qt::LeftButton);
            EXPECT_EQ(status(), kChooseModule) << row.id;
        } else if (row.action == CommandAction::OpensWindowOrAsks) {
            prompter.expect(kChooseModule);
            QTest::mouseClick(control<QAbstractButton>(row.id), Qt::LeftButton);
            EXPECT_TRUE(prompter.satisfied()) << row.id;
        }
    }
}

TEST_F(MainWindow, OpenersOfAModuleSayTheirWindowIsNotBuilt) {
    openWindowOnModules(1);
    for (const CommandRow& row : commandTable()) {
        if (row.action != CommandAction::OpensWindow && row.action != CommandAction::OpensWindowOrAsks)
            continue;
        // These open their windows (device_info_test and the test below).
        if (row.id == 1040 || row.id == 1054 || row.id == 1077 || row.id == 1084 || row.id == 1086) continue;
        prompter.expect(kNotProvided);
        QTest::mouseClick(control<QAbstractButton>(row.id), Qt::LeftButton);
        EXPECT_TRUE(prompter.satisfied()) << row.id;
    }
}

// The window a click on `id` opened modally, closed again so the click returns.
template <typename Window>
bool opensModally(QAbstractButton* opener) {
    bool opened = false;
    QTimer::singleShot(300, [&] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        opened = window != nullptr;
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    QTest::mouseClick(opener, Qt::LeftButton);
    return opened;
}

TEST_F(MainWindow, TheLiveOpenersOpenTheirWindowsOnTheModule) {
    openWindowOnModules(1);
    EXPECT_TRUE(opensModally<ctrl>(control<QAbstractButton>(1054)));
    EXPECT_TRUE(opensModally<pwm>(control<QAbstractButton>(1077)));
    EXPECT_TRUE(opensModally<moto>(control<QAbstractButton>(1086)));

    // The monitor is one window for the whole run, shown and raised again by every click.
    QTest::mouseClick(control<QAbstractButton>(1084), Qt::LeftButton);
    debug& monitor = showDebugMonitor();
    EXPECT_TRUE(monitor.isVisible());
    monitor.close();
    QTest::mouseClick(control<QAbstractButton>(1084), Qt::LeftButton);
    EXPECT_TRUE(monitor.isVisible());
    monitor.close();
}

TEST_F(MainWindow, TheLockHelpAndThePasswordDisplay) {
    openAlone();
    prompter.expect(QStringLiteral(
        "启用后，必须输入用户名和密码，才能搜索 保存 恢复出厂 等操作，如果忘记密码，必须用按键恢复出厂"
        "（将丢失所有参数）"));
    QTest::mouseClick(control<QAbstractButton>(1098), Qt::LeftButton);
    EXPECT_TRUE(prompter.satisfied());
    auto* password = control<QLineEdit>(1024);
    QTest::mouseClick(control<QCheckBox>(1096), Qt::LeftButton);
    EXPECT_EQ(password->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(window->focusWidget(), password);
    QTest::mouseClick(control<QCheckBox>(1096), Qt::LeftButton);
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
}

TEST_F(MainWindow, TheSerialModeNeedsAModule) {
    openAlone();
    settle(600);
    chooseNext(1290);
    EXPECT_EQ(status(), kChooseModule);
}

TEST_F(MainWindow, ChoosingAModeAppliesTheRules) {
    openWindowOnModules(1);
    auto* mode = control<QComboBox>(1032);
    mode->setCurrentIndex(1);  // TCP_SERVER, as shown
    control<QComboBox>(1059)->setCurrentIndex(0);
    chooseNext(1032);  // TCP_CLIENT
    EXPECT_TRUE(control(1050)->isEnabled());
    EXPECT_TRUE(control(1059)->isEnabled());
    EXPECT_FALSE(control(1058)->isEnabled());
    chooseNext(1059);  // a registration mode: its data box opens
    EXPECT_TRUE(control(1058)->isEnabled());

    control<QComboBox>(1290)->setCurrentIndex(0);
    chooseNext(1290);  // ModbusTcp转RTU
    EXPECT_TRUE(control(1081)->isEnabled());
    chooseNext(1290);  // 一问一答
    EXPECT_FALSE(control(1081)->isEnabled());
    EXPECT_TRUE(control(1035)->isEnabled());
}

TEST_F(MainWindow, TheCardListHoldsEveryAddressOfEveryCard) {
    ip({QStringLiteral("addr"), QStringLiteral("add"), QStringLiteral("198.51.100.9/24"),
        QStringLiteral("dev"), QStringLiteral("nvt0")});
    openAlone();
    EXPECT_EQ(cardEntries(),
              (QStringList{QStringLiteral(" 默认   (若搜不到设备，请选择对应的网卡)"),
                           QStringLiteral("198.51.100.1 | nvt0"), QStringLiteral("198.51.100.9 | nvt0")}));
    EXPECT_EQ(control<QComboBox>(kCardList)->currentIndex(), 0);
    ip({QStringLiteral("addr"), QStringLiteral("del"), QStringLiteral("198.51.100.9/24"),
        QStringLiteral("dev"), QStringLiteral("nvt0")});
}

TEST_F(MainWindow, ACardThatCannotBeBoundIsReportedAndWorkGoesOn) {
    ip({QStringLiteral("addr"), QStringLiteral("add"), QStringLiteral("198.51.100.9/24"),
        QStringLiteral("dev"), QStringLiteral("nvt0")});
    startModules(sim::plausibleRecords(2));
    openWindow(server->port());
    ASSERT_TRUE(waitFor([&] { return rows() == 2; }));
    // The address is gone by the time the user picks it.
    ip({QStringLiteral("addr"), QStringLiteral("del"), QStringLiteral("198.51.100.9/24"),
        QStringLiteral("dev"), QStringLiteral("nvt0")});
    chooseNext(kCardList);
    prompter.expect(QStringLiteral("socket bind error"));
    chooseNext(kCardList);
    EXPECT_TRUE(prompter.satisfied());
    QTest::mouseClick(control<QPushButton>(1020), Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return rows() == 2; })) << rows();
}

// Notes what the window looks like when it reads and writes its settings.
class RecordedSettings final : public SettingsStore {
  public:
    void read(CdornDlg& window) override {
        ++reads;
        cardsAtRead = findControl<QComboBox>(window, kCardList)->count();
        baudAtRead = findControl<QComboBox>(window, 1014)->currentText();
        rowsAtRead = findControl<QTableView>(window, kDeviceList)->model()->rowCount();
    }
    void write(CdornDlg&) override { ++writes; }

    int reads = 0, writes = 0, cardsAtRead = 0, rowsAtRead = -1;
    QString baudAtRead;
};

TEST_F(MainWindow, StartUpReadsTheSettingsOnceTheListsAreFilledAndCloseWritesThem) {
    RecordedSettings settings;
    startModules(sim::plausibleRecords(1));
    openWindow(server->port(), &settings);
    EXPECT_EQ(settings.reads, 1);
    EXPECT_EQ(settings.cardsAtRead, 2);
    EXPECT_EQ(settings.baudAtRead, QStringLiteral("1200"));
    EXPECT_EQ(settings.rowsAtRead, 0);
    EXPECT_EQ(settings.writes, 0);
    ASSERT_TRUE(waitFor([&] { return rows() == 1; }));
    window->close();
    EXPECT_EQ(settings.writes, 1);
    EXPECT_EQ(settings.reads, 1);
}

// Every shown control lies inside the window and gets at least the room it needs.
void expectNothingClipped(const QWidget& window) {
    const QRect inside = window.rect();
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->objectName().startsWith(QLatin1Char('c'))) continue;
        const QRect at(w->mapTo(&window, QPoint(0, 0)), w->size());
        EXPECT_TRUE(inside.contains(at)) << qPrintable(w->objectName()) << " lies outside the window";
        const QSize needed = w->minimumSizeHint();
        EXPECT_GE(w->width(), needed.width()) << qPrintable(w->objectName());
        EXPECT_GE(w->height(), needed.height()) << qPrintable(w->objectName());
    }
}

TEST_F(MainWindow, FitsASmallScreenAndGrowsOnALargeOne) {
    openWindowOnModules(3);
    // A 1366x768 screen less a task bar and the window's title bar.
    const QSize least = window->minimumSizeHint();
    EXPECT_LE(least.width(), 1366);
    EXPECT_LE(least.height(), 768 - 40 - 30);
    window->resize(1366, 768 - 40 - 30);
    QTest::qWait(50);
    expectNothingClipped(*window);
    const int listHeight = list().height();
    window->resize(1920, 1080 - 70);
    QTest::qWait(50);
    expectNothingClipped(*window);
    EXPECT_GT(list().height(), listHeight + 200);
    EXPECT_GT(list().width(), 700);
}

}  // namespace
}  // namespace norvane::ui::test
