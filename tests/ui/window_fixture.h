#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QTableView>
#include <QTest>
#include <memory>

#include "app/cdorn_dlg.h"
#include "app/main_window_controls.h"
#include "controls/control_id.h"
#include "scripted_prompter.h"
#include "sim/module_host.h"
#include "sim/plausible_record.h"
#include "sim/sim_server.h"

namespace norvane::ui::test {

// The real main window on the offscreen platform, talking over real UDP inside the test's namespace to
// virtual modules in the same process (on a free port, which the window takes as the modules' port).
class WindowFixture : public testing::Test {
  protected:
    // The extension, when given, must outlive the host.
    void startModules(const std::vector<record::DeviceRecord>& records,
                      sim::ModuleExtension* extension = nullptr) {
        host = std::make_unique<sim::ModuleHost>(records, extension);
        server =
            std::make_unique<sim::SimServer>(*host, sim::Endpoint{QHostAddress(QHostAddress::AnyIPv4), 0});
        ASSERT_TRUE(server->start()) << qPrintable(server->errorString());
    }

    void openWindow(quint16 modulePort, SettingsStore* settings = nullptr) {
        window = std::make_unique<CdornDlg>(prompter, net::DeviceLink::Options{.modulePort = modulePort},
                                            settings);
        window->resize(1366, 768);
        window->show();
    }

    // Three virtual modules and the window, once the first search has listed them all.
    void openWindowOnModules(std::size_t count = 3, sim::ModuleExtension* extension = nullptr) {
        startModules(sim::plausibleRecords(count), extension);
        openWindow(server->port());
        ASSERT_TRUE(waitFor([&] { return rows() == static_cast<int>(count); })) << rows() << " rows";
        settle();
    }

    template <typename T = QWidget>
    T* control(int id) const {
        T* found = findControl<T>(*window, id);
        EXPECT_NE(found, nullptr) << id;
        return found;
    }

    QTableView& list() const { return *control<QTableView>(kDeviceList); }
    QAbstractItemModel& model() const { return *list().model(); }
    int rows() const { return model().rowCount(); }
    QString cell(int row, int column) const { return model().index(row, column).data().toString(); }

    void clickRow(int row) {
        const QRect cell = list().visualRect(model().index(row, 1));
        QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, cell.center());
    }
    void clickBelowRows() {
        const QRect last = list().visualRect(model().index(rows() - 1, 1));
        QTest::mouseClick(list().viewport(), Qt::LeftButton, {},
                          last.center() + QPoint(0, 3 * last.height()));
    }

    bool waitFor(const std::function<bool()>& condition, int ms = 5000) {
        return QTest::qWaitFor(condition, ms);
    }
    // Lets every reply on its way arrive, for checks that something did not come.
    void settle(int ms = 300) { QTest::qWait(ms); }

    ScriptedPrompter prompter;
    std::unique_ptr<sim::ModuleHost> host;
    std::unique_ptr<sim::SimServer> server;
    std::unique_ptr<CdornDlg> window;
};

}  // namespace norvane::ui::test
