// norvane-search: one discovery search from the command line, for a machine without a display.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

#include "device_link.h"
#include "protocol/requests.h"
#include "record/reply_handler.h"
#include "text/gbk.h"

using namespace norvane;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Broadcasts one search and lists the modules that answer."));
    parser.addHelpOption();
    const QCommandLineOption wait(QStringLiteral("wait"), QStringLiteral("Milliseconds to collect replies."),
                                  QStringLiteral("ms"), QStringLiteral("1000"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("The modules' port."),
                                  QStringLiteral("port"), QStringLiteral("1111"));
    parser.addOptions({wait, port});
    parser.process(app);

    record::DeviceList list;
    record::ReplyHandler handler(list);
    net::DeviceLink link({.modulePort = static_cast<quint16>(parser.value(port).toUInt())});
    link.open();
    QObject::connect(&link, &net::DeviceLink::datagramsArrived, [&] {
        for (const auto& d : link.takeReceived()) handler.handle(d.source, d.bytes);
    });
    link.send(protocol::searchFrame(protocol::Route::Local));

    QTimer::singleShot(parser.value(wait).toInt(), &app, [&] {
        for (const auto& d : link.takeReceived()) handler.handle(d.source, d.bytes);
        std::printf("%-16s %-18s %-8s %-10s %s\n", "设备IP", "MAC地址", "固件版本", "型号", "设备名称");
        for (std::size_t i = 0; i < list.count(); ++i) {
            const record::DeviceRecord& r = list[i];
            const auto ip = r.sourceAddress();
            const auto mac = r.mac();
            std::printf("%d.%d.%d.%d\t %02X-%02X-%02X-%02X-%02X-%02X  %-8s %-10s %s\n", ip[0], ip[1], ip[2],
                        ip[3], mac[0], mac[1], mac[2], mac[3], mac[4], mac[5],
                        text::gbkToUtf8(r.firmware()).c_str(), text::gbkToUtf8(r.model()).c_str(),
                        text::gbkToUtf8(r.name()).c_str());
        }
        std::printf("%zu modules found\n", list.count());
        app.quit();
    });
    return app.exec();
}
