// The main window listing 512 modules that answer one search, over real UDP in a test namespace
// (scripts/bench starts it through scripts/netns-run, on Qt's offscreen platform). It measures the processor
// time the window's thread spends from the search until every module is listed and its replies are in:
// handling the replies, adding the rows, showing the newest module, drawing.
//   main_window_bench [--rounds N] [--link-mbit M] [--receive-buffer BYTES] [--busy-ms MS]
// --link-mbit is the rate the modules' link delivers at (100, as real modules have); --receive-buffer asks
// for a smaller socket buffer, as an ordinary user gets under Debian's default net.core.rmem_max (212992);
// --busy-ms stalls the window's thread right after the search leaves, as a window busy elsewhere would be.
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

#include "app/cdorn_dlg.h"
#include "prompts/prompter.h"
#include "sim/module_host.h"
#include "sim/plausible_record.h"
#include "sim/sim_server.h"
#include "window_bench_app.h"

using namespace norvane;

namespace {

constexpr std::size_t kModules = 512;
constexpr double kBudgetMs = 300;

// Nothing in a search asks the user anything; a message box would stall the measure.
class NoPrompts final : public ui::Prompter {
  public:
    void inform(QWidget*, const QString& text) override {
        std::fprintf(stderr, "unexpected message box: %s\n", qPrintable(text));
        ++shown;
    }
    int shown = 0;
};

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Runs the event loop, asleep between events, until the condition holds or the time is up.
void runUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() >= ms) loop.quit();
    });
    check.start(2);
    loop.exec();
}

void runFor(int ms) {
    runUntil([] { return false; }, ms);
}

}  // namespace

int main(int argc, char** argv) {
    const auto app = bench::windowBenchApp(argc, argv);
    if (!app) return 1;
    QCommandLineParser parser;
    const QCommandLineOption rounds(QStringLiteral("rounds"), QStringLiteral("Searches to time."),
                                    QStringLiteral("n"), QStringLiteral("5"));
    const QCommandLineOption link(QStringLiteral("link-mbit"), QStringLiteral("The modules' link rate."),
                                  QStringLiteral("mbit"), QStringLiteral("100"));
    const QCommandLineOption buffer(QStringLiteral("receive-buffer"),
                                    QStringLiteral("Socket receive buffer asked."), QStringLiteral("bytes"),
                                    QString::number(4 * 1024 * 1024));
    const QCommandLineOption busy(QStringLiteral("busy-ms"),
                                  QStringLiteral("Window thread stall after the search leaves."),
                                  QStringLiteral("ms"), QStringLiteral("0"));
    parser.addOptions({rounds, link, buffer, busy});
    parser.process(*app);

    sim::ModuleHost host(sim::plausibleRecords(kModules));
    sim::SimServer server(host, {QHostAddress(QHostAddress::AnyIPv4), 0},
                          parser.value(link).toULongLong() * 1'000'000);
    if (!server.start()) return 1;
    NoPrompts prompts;
    ui::CdornDlg window(prompts,
                        {.modulePort = server.port(), .receiveBuffer = parser.value(buffer).toInt()});
    window.resize(1366, 768);
    window.show();
    runFor(1500);  // the window's own first search, and its replies

    const int stallMs = parser.value(busy).toInt();
    std::vector<double> cpu, listedAfter;
    std::size_t fewestListed = kModules;
    for (int round = 0; round < parser.value(rounds).toInt(); ++round) {
        const double cpuBefore = threadCpuMs();
        QElapsedTimer clock;
        clock.start();
        window.startSearch();  // the broadcast leaves 200 ms later
        if (stallMs > 0)
            QTimer::singleShot(210, &window,
                               [stallMs] { QThread::msleep(static_cast<unsigned long>(stallMs)); });
        runUntil([&] { return window.devices().count() == kModules; }, 5000);
        listedAfter.push_back(static_cast<double>(clock.elapsed()) - 200);
        runFor(500);  // the rest of the replies
        cpu.push_back(threadCpuMs() - cpuBefore);
        fewestListed = std::min(fewestListed, window.devices().count());
        std::fprintf(stderr, "round %d: %zu listed, window thread %.1f ms\n", round, window.devices().count(),
                     cpu.back());
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(listedAfter.begin(), listedAfter.end());
    const double median = cpu[cpu.size() / 2];
    std::printf(
        "main window, 512 modules at %s Mbit/s, receive buffer granted %d bytes, window stalled %d ms: "
        "%zu rounds; window thread busy median %.1f ms (worst %.1f), %.0f us per new row; all listed %.0f ms "
        "after the search left (median); fewest listed in a round: %zu of %zu\n",
        qPrintable(parser.value(link)), window.link().receiveBufferSize(), stallMs, cpu.size(), median,
        cpu.back(), median * 1000 / kModules, listedAfter[listedAfter.size() / 2], fewestListed, kModules);
    const bool ok = fewestListed == kModules && cpu.back() < kBudgetMs && prompts.shown == 0;
    return ok ? 0 : 2;
}
