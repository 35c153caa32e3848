// live_windows_snapshot OUTDIR: renders the control panel, the debug monitor and the PWM and motor windows,
// live against virtual modules in this process, to PNG files for a person to look at. It opens sockets, so it
// runs only inside a test namespace (scripts/netns-run).
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QStyleFactory>
#include <QTableView>
#include <QTest>
#include <QUdpSocket>
#include <cstdio>

#include "controls/control_id.h"
#include "live/ctrl.h"
#include "live/debug.h"
#include "live/moto.h"
#include "live/pwm.h"
#include "live_fixture.h"
#include "netns_guard.h"
#include "protocol/requests.h"

using namespace norvane;

namespace {

bool save(QWidget& window, const QString& directory, const QString& name, QSize size = {1366, 768}) {
    window.resize(size);
    QTest::qWait(120);
    const QString file = QDir(directory).filePath(name);
    if (!window.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s (%dx%d)\n", qPrintable(file), window.width(), window.height());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto violation = test::netnsViolation()) {
        std::fprintf(stderr, "%s\n", violation->c_str());
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc != 2) {
        std::fprintf(stderr, "usage: live_windows_snapshot OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    live_test::LiveModules modules(3);
    if (!modules.start() || !modules.search()) return 1;
    record::DeviceRecord& record = modules.list[0];
    bool ok = true;

    ui::debug monitor(net::DebugListener::Options{});
    monitor.show();
    modules.link->send(protocol::debugMode(record.mac(), true));

    ui::ctrl panel(*modules.link, record, {}, modules.mirror);
    panel.show();
    QTest::qWait(1500);
    for (const int y : {2, 5, 6, 17, 30})
        QTest::mouseClick(ui::findControl(panel, ui::ctrl::kFirstOutput + y - 1), Qt::LeftButton);
    QTest::qWait(600);
    ok = save(panel, out, QStringLiteral("ctrl.png")) && ok;
    ok = save(panel, out, QStringLiteral("ctrl-natural.png"), panel.minimumSizeHint()) && ok;

    // Odd datagrams beside the module's copies: a long one, broken GBK, Chinese text.
    ui::findControl<QCheckBox>(monitor, ui::debug::kAutoScroll)->setChecked(true);
    QUdpSocket odd;
    odd.writeDatagram(QByteArray(65507, 'Z'), QHostAddress::LocalHost, 1112);
    odd.writeDatagram(QByteArray("\x41\xFF\x42\xD6\r\n", 6), QHostAddress::LocalHost, 1112);
    odd.writeDatagram(QByteArray("\xB5\xF7\xCA\xD4\xD0\xC5\xCF\xA2 X1=1"), QHostAddress::LocalHost, 1112);
    QTest::qWait(500);
    auto* list = ui::findControl<QTableView>(monitor, ui::debug::kList);
    list->selectRow(list->model()->rowCount() - 3);
    ok = save(monitor, out, QStringLiteral("debug.png")) && ok;

    ui::pwm pwmWindow(*modules.link, record, {});
    pwmWindow.show();
    ok = save(pwmWindow, out, QStringLiteral("pwm.png"), pwmWindow.sizeHint()) && ok;

    ui::moto motoWindow(*modules.link, record, {});
    motoWindow.show();
    QTest::mouseClick(ui::findControl(motoWindow, ui::moto::kMotorIds[2].forward), Qt::LeftButton);
    QTest::mouseClick(ui::findControl(motoWindow, ui::moto::kMotorIds[9].reverse), Qt::LeftButton);
    ok = save(motoWindow, out, QStringLiteral("moto.png"), motoWindow.sizeHint()) && ok;
    return ok ? 0 : 1;
}
