// norvane-config-snapshot: the main window for a machine without a display. It runs the window as the tool
// does (the first search included), then saves a picture of it and prints the modules it lists.
//   norvane-config-snapshot FILE [--after MS] [--size WxH]
#include <QCommandLineParser>
#include <QTableView>
#include <QTimer>
#include <cstdio>

#include "app/cdorn_app.h"
#include "app/cdorn_dlg.h"
#include "app/main_window_controls.h"
#include "controls/control_id.h"

using namespace norvane::ui;

namespace {

void printListed(const QAbstractItemModel& model) {
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells << model.index(row, column).data().toString();
        std::printf("%s\n", qPrintable(cells.join(QStringLiteral("  "))));
    }
    std::printf("%d modules listed\n", model.rowCount());
}

}  // namespace

int main(int argc, char** argv) {
    CdornApp app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Runs the main window for a while, saves a picture of it and prints the modules listed."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The picture to write (PNG)."));
    const QCommandLineOption after(QStringLiteral("after"), QStringLiteral("Milliseconds to run first."),
                                   QStringLiteral("ms"), QStringLiteral("3000"));
    const QCommandLineOption size(QStringLiteral("size"), QStringLiteral("The window's size."),
                                  QStringLiteral("WxH"), QStringLiteral("1366x768"));
    parser.addOptions({after, size});
    parser.process(QCoreApplication::arguments());
    if (parser.positionalArguments().size() != 1) parser.showHelp(2);
    const QString file = parser.positionalArguments().front();
    const QStringList dimensions = parser.value(size).split(QLatin1Char('x'));
    const QSize windowSize =
        dimensions.size() == 2 ? QSize(dimensions[0].toInt(), dimensions[1].toInt()) : QSize();
    if (windowSize.isEmpty()) parser.showHelp(2);

    CdornDlg& window = app.window();
    QTimer::singleShot(parser.value(after).toInt(), &window, [&window, file] {
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "norvane-config-snapshot: cannot write %s\n", qPrintable(file));
            QCoreApplication::exit(1);
            return;
        }
        printListed(*findControl<QTableView>(window, kDeviceList)->model());
        std::printf("picture of the window: %s\n", qPrintable(file));
        QCoreApplication::exit(0);
    });
    return app.run(windowSize);
}
