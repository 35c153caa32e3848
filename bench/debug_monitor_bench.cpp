// The debug monitor under a flood: a virtual module in debug mode sends 1000 debug datagrams a second for
// 10 s to the monitor's port while the monitor shows them, auto-scrolling. Targets: no datagram lost, the
// window answers a click within 100 ms throughout, and memory stays bounded (the list keeps at most 10000
// rows). Runs inside a test namespace (scripts/bench starts it through scripts/netns-run).
//   debug_monitor_bench [--rate N] [--seconds S]
#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "controls/control_id.h"
#include "device_link.h"
#include "live/debug.h"
#include "protocol/requests.h"
#include "sim/debug_flood.h"
#include "sim/live_behaviour.h"
#include "sim/module_host.h"
#include "sim/plausible_record.h"
#include "sim/sim_server.h"
#include "window_bench_app.h"

using namespace norvane;

namespace {

constexpr qint64 kClickTargetMs = 100;

// The process's resident memory, in MiB.
double residentMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toDouble() / 1024;
    return 0;
}

// Clicks rows of the list through the event queue, behind whatever the flood put there, and measures how
// long each click takes to change the selection (and with it the detail box).
class ClickProbe final : public QObject {
  public:
    explicit ClickProbe(QTableView& list) : list_(list) {
        connect(list.selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
            if (pending_) latencies_.push_back(clock_.elapsed());
            pending_ = false;
        });
    }
    void click() {
        if (pending_) latencies_.push_back(clock_.elapsed());  // the last one never landed: counted as is
        // Two places, so that each click picks another row.
        const QPoint at(40, (clicks_++ % 2) ? 8 : 30);
        QWidget* viewport = list_.viewport();
        const QPointF global = viewport->mapToGlobal(QPointF(at));
        clock_.start();
        pending_ = true;
        QCoreApplication::postEvent(
            viewport, new QMouseEvent(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton,
                                      Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(viewport, new QMouseEvent(QEvent::MouseButtonRelease, QPointF(at), global,
                                                              Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    }
    const std::vector<qint64>& latencies() const { return latencies_; }

  private:
    QTableView& list_;
    QElapsedTimer clock_;
    bool pending_ = false;
    int clicks_ = 0;
    std::vector<qint64> latencies_;
};

}  // namespace

int main(int argc, char** argv) {
    const auto app = bench::windowBenchApp(argc, argv);
    if (!app) return 1;
    QCommandLineParser parser;
    const QCommandLineOption rate(QStringLiteral("rate"), QStringLiteral("Debug datagrams a second."),
                                  QStringLiteral("N"), QStringLiteral("1000"));
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("How long the flood lasts."),
                                     QStringLiteral("S"), QStringLiteral("10"));
    parser.addOptions({rate, seconds});
    parser.process(*app);
    const auto perSecond = parser.value(rate).toUInt();
    const int floodMs = parser.value(seconds).toInt() * 1000;

    ui::debug monitor(net::DebugListener::Options{});
    if (!monitor.listener().listening()) {
        std::fprintf(stderr, "port 1112 is taken\n");
        return 1;
    }
    monitor.resize(1366, 768);
    monitor.show();
    if (!QTest::qWaitForWindowExposed(&monitor)) {
        std::fprintf(stderr, "the monitor was never shown\n");
        return 1;
    }
    ui::findControl<QCheckBox>(monitor, ui::debug::kAutoScroll)->setChecked(true);
    auto* list = ui::findControl<QTableView>(monitor, ui::debug::kList);

    sim::LiveBehaviour live;
    sim::ModuleHost host(sim::plausibleRecords(1), &live);
    sim::SimServer server(host, {QHostAddress(QHostAddress::AnyIPv4), 0});
    if (!server.start()) {
        std::fprintf(stderr, "modules: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    net::DeviceLink link(net::DeviceLink::Options{.modulePort = server.port()});
    link.open();
    // Debug mode on: the module copies the write and its acknowledgement, then floods.
    link.send(protocol::debugMode(host.record(0).mac(), true));
    if (!QTest::qWaitFor([&] { return monitor.rows().rowCount() == 2; }, 3000)) {
        std::fprintf(stderr, "the module's debug copies never came\n");
        return 1;
    }
    const double memoryBefore = residentMiB();

    sim::DebugFlood flood(live, perSecond);
    ClickProbe probe(*list);
    QTimer clicks;
    QObject::connect(&clicks, &QTimer::timeout, [&] { probe.click(); });
    double memoryPeak = memoryBefore;
    QTimer memory;
    QObject::connect(&memory, &QTimer::timeout, [&] { memoryPeak = std::max(memoryPeak, residentMiB()); });
    QElapsedTimer running;
    running.start();
    flood.start();
    clicks.start(100);
    memory.start(500);
    QTest::qWait(floodMs);
    flood.stop();
    clicks.stop();
    // What is still on its way.
    const std::uint64_t sent = flood.sent();
    const auto listed = [&] {
        const auto& rows = monitor.rows();
        return rows.rowCount() == 0 ? 0ULL : rows.index(rows.rowCount() - 1, 0).data().toULongLong();
    };
    // Whatever has not come by then is lost.
    (void)QTest::qWaitFor([&] { return listed() >= sent + 2; }, 3000);
    memory.stop();
    const double elapsed = static_cast<double>(running.elapsed()) / 1000;

    const std::uint64_t received = listed() - 2;
    const std::uint64_t lost = sent > received ? sent - received : 0;
    std::vector<qint64> latencies = probe.latencies();
    std::ranges::sort(latencies);
    const qint64 worst = latencies.empty() ? -1 : latencies.back();
    const qint64 median = latencies.empty() ? -1 : latencies[latencies.size() / 2];
    std::printf(
        "flood %u/s for %.1f s: %llu sent, %llu listed, %llu lost; %d rows kept (at most %zu), %llu dropped "
        "from the list\n",
        perSecond, elapsed, static_cast<unsigned long long>(sent), static_cast<unsigned long long>(received),
        static_cast<unsigned long long>(lost), monitor.rows().rowCount(), monitor.rows().maxRows(),
        static_cast<unsigned long long>(monitor.rows().dropped()));
    std::printf("clicks: %zu answered, median %lld ms, worst %lld ms (target under %lld ms)\n",
                latencies.size(), static_cast<long long>(median), static_cast<long long>(worst),
                static_cast<long long>(kClickTargetMs));
    std::printf("memory: %.1f MiB before the flood, peak %.1f MiB, after %.1f MiB\n", memoryBefore,
                memoryPeak, residentMiB());
    const bool met = lost == 0 && !latencies.empty() && worst < kClickTargetMs &&
                     static_cast<std::size_t>(monitor.rows().rowCount()) <= monitor.rows().maxRows();
    std::printf("%s\n", met ? "targets met" : "TARGET MISSED");
    return met ? 0 : 1;
}
