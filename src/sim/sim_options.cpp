#include "sim/sim_options.h"

#include <QCommandLineParser>

#include "sim/module_host.h"
#include "text/gbk.h"

namespace norvane::sim {
namespace {

// The module reports its user name and password as texts of at most 63 bytes.
constexpr std::size_t kCredentialLimit = 63;

std::optional<qint64> numberIn(const QString& text, qint64 low, qint64 high) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < low || value > high) return std::nullopt;
    return value;
}

std::optional<protocol::LockCredentials> credentials(const QString& text) {
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon <= 0) return std::nullopt;
    protocol::LockCredentials lock{text::utf8ToGbk(text.left(colon).toStdString()),
                                   text::utf8ToGbk(text.mid(colon + 1).toStdString())};
    if (lock.user.size() > kCredentialLimit || lock.password.size() > kCredentialLimit) return std::nullopt;
    return lock;
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Virtual relay and I/O modules that answer the configuration tool on UDP."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption modules(QStringLiteral("modules"),
                                     QStringLiteral("How many modules answer, 1 to 512 (default 3)."),
                                     QStringLiteral("N"), QStringLiteral("3"));
    const QCommandLineOption first(QStringLiteral("first-module"),
                                   QStringLiteral("The first module's number, for distinct MACs across hosts "
                                                  "(default 0)."),
                                   QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption link(
        QStringLiteral("link-mbit"),
        QStringLiteral("Send replies at the rate of a link of this many Mbit/s, as a "
                       "real segment delivers them; 0 for no limit (default 100)."),
        QStringLiteral("MBIT"), QStringLiteral("100"));
    const QCommandLineOption bind(
        QStringLiteral("bind"),
        QStringLiteral("Listen on this IPv4 address only (default: every local address)."),
        QStringLiteral("ADDR"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("The UDP port, 0 for any free one (default 1111)."),
                                  QStringLiteral("P"), QStringLiteral("1111"));
    const QCommandLineOption lock(QStringLiteral("lock"),
                                  QStringLiteral("Lock every module with these credentials."),
                                  QStringLiteral("USER:PASSWORD"));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Answer nothing."));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("Delay every reply by MS milliseconds."),
                                   QStringLiteral("MS"));
    const QCommandLineOption dropEvery(QStringLiteral("drop-every"),
                                       QStringLiteral("Lose every Nth reply datagram."), QStringLiteral("N"));
    const QCommandLineOption otherMac(QStringLiteral("ack-from-other-mac"),
                                      QStringLiteral("Acknowledge with a MAC that is not the module's."));
    const QCommandLineOption withoutApplying(
        QStringLiteral("ack-without-applying"),
        QStringLiteral("Acknowledge writes, resets and reboots without applying them."));
    const QCommandLineOption debugPort(
        QStringLiteral("debug-port"),
        QStringLiteral("The port modules in debug mode copy their traffic to (default 1112)."),
        QStringLiteral("P"), QStringLiteral("1112"));
    const QCommandLineOption debugFlood(
        QStringLiteral("debug-flood"),
        QStringLiteral("Each module in debug mode also sends N debug datagrams a second."),
        QStringLiteral("N"));
    parser.addOptions({modules, first, link, bind, port, lock, silent, delay, dropEvery, otherMac,
                       withoutApplying, debugPort, debugFlood});

    CommandLine result;
    const auto fail = [&result](const QString& message) {
        result.outcome = CommandLine::Outcome::Error;
        result.message = message;
        return result;
    };
    if (!parser.parse(arguments)) return fail(parser.errorText());
    if (parser.isSet(help)) {
        result.outcome = CommandLine::Outcome::ShowHelp;
        result.message = parser.helpText();
        return result;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    SimOptions& options = result.options;
    const auto count = numberIn(parser.value(modules), 1, ModuleHost::kMaxModules);
    if (!count)
        return fail(
            QStringLiteral("--modules takes a number from 1 to 512, not '%1'").arg(parser.value(modules)));
    options.modules = static_cast<std::size_t>(*count);
    const auto firstNumber = numberIn(parser.value(first), 0, 65535 - ModuleHost::kMaxModules);
    if (!firstNumber)
        return fail(QStringLiteral("--first-module takes a number from 0 to %1, not '%2'")
                        .arg(65535 - ModuleHost::kMaxModules)
                        .arg(parser.value(first)));
    options.firstModule = static_cast<std::size_t>(*firstNumber);
    const auto mbit = numberIn(parser.value(link), 0, 100000);
    if (!mbit)
        return fail(
            QStringLiteral("--link-mbit takes a number from 0 to 100000, not '%1'").arg(parser.value(link)));
    options.linkBitsPerSecond = static_cast<std::uint64_t>(*mbit) * 1'000'000;

    if (parser.isSet(bind)) {
        QHostAddress address;
        if (!address.setAddress(parser.value(bind)) || address.protocol() != QAbstractSocket::IPv4Protocol)
            return fail(QStringLiteral("--bind takes an IPv4 address, not '%1'").arg(parser.value(bind)));
        options.endpoint.address = address;
    }
    const auto portNumber = numberIn(parser.value(port), 0, 65535);
    if (!portNumber)
        return fail(
            QStringLiteral("--port takes a number from 0 to 65535, not '%1'").arg(parser.value(port)));
    options.endpoint.port = static_cast<quint16>(*portNumber);

    if (parser.isSet(lock)) {
        options.lock = credentials(parser.value(lock));
        if (!options.lock)
            return fail(
                QStringLiteral("--lock takes USER:PASSWORD, a user name and a password of at most 63 bytes "
                               "each, not '%1'")
                    .arg(parser.value(lock)));
    }

    options.faults.silent = parser.isSet(silent);
    if (parser.isSet(delay)) {
        const auto ms = numberIn(parser.value(delay), 0, 600000);
        if (!ms)
            return fail(QStringLiteral("--delay takes milliseconds from 0 to 600000, not '%1'")
                            .arg(parser.value(delay)));
        options.faults.replyDelay = std::chrono::milliseconds(*ms);
    }
    if (parser.isSet(dropEvery)) {
        const auto n = numberIn(parser.value(dropEvery), 1, 1000000);
        if (!n)
            return fail(QStringLiteral("--drop-every takes a number from 1 to 1000000, not '%1'")
                            .arg(parser.value(dropEvery)));
        options.faults.dropEvery = static_cast<std::uint32_t>(*n);
    }
    const auto debugPortNumber = numberIn(parser.value(debugPort), 1, 65535);
    if (!debugPortNumber)
        return fail(QStringLiteral("--debug-port takes a number from 1 to 65535, not '%1'")
                        .arg(parser.value(debugPort)));
    options.debugPort = static_cast<quint16>(*debugPortNumber);
    if (parser.isSet(debugFlood)) {
        const auto n = numberIn(parser.value(debugFlood), 1, 100000);
        if (!n)
            return fail(QStringLiteral("--debug-flood takes a number from 1 to 100000, not '%1'")
                            .arg(parser.value(debugFlood)));
        options.debugFloodPerSecond = static_cast<std::uint32_t>(*n);
    }
    options.faults.ackFromOtherMac = parser.isSet(otherMac);
    options.faults.ackWithoutApplying = parser.isSet(withoutApplying);
    return result;
}

}  // namespace norvane::sim
