// The program's options: its defaults, every option taken, and a clear refusal of what does not fit.

#include "sim/sim_options.h"

#include <gtest/gtest.h>

namespace norvane::sim {
namespace {

using namespace std::chrono_literals;
using Outcome = CommandLine::Outcome;

CommandLine parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("norvane-module-sim"));
    return parseCommandLine(arguments);
}

TEST(SimOptions, NoOptionsMeanThreeQuietModulesOnPort1111OfEveryAddress) {
    const CommandLine line = parse({});
    ASSERT_EQ(line.outcome, Outcome::Run) << line.message.toStdString();
    EXPECT_EQ(line.options.modules, 3u);
    EXPECT_EQ(line.options.firstModule, 0u);
    EXPECT_EQ(line.options.linkBitsPerSecond, 100'000'000u);
    EXPECT_EQ(line.options.endpoint.address, QHostAddress(QHostAddress::AnyIPv4));
    EXPECT_EQ(line.options.endpoint.port, 1111);
    EXPECT_FALSE(line.options.lock);
    const FaultSettings& f = line.options.faults;
    EXPECT_FALSE(f.silent || f.ackFromOtherMac || f.ackWithoutApplying);
    EXPECT_EQ(f.replyDelay, 0ms);
    EXPECT_EQ(f.dropEvery, 0u);
    EXPECT_EQ(line.options.debugPort, 1112);
    EXPECT_EQ(line.options.debugFloodPerSecond, 0u);
}

TEST(SimOptions, EveryOptionIsTaken) {
    const CommandLine line = parse({QStringLiteral("--modules"),
                                    QStringLiteral("512"),
                                    QStringLiteral("--first-module"),
                                    QStringLiteral("7"),
                                    QStringLiteral("--link-mbit"),
                                    QStringLiteral("0"),
                                    QStringLiteral("--bind"),
                                    QStringLiteral("198.51.100.1"),
                                    QStringLiteral("--port"),
                                    QStringLiteral("0"),
                                    QStringLiteral("--lock"),
                                    QStringLiteral("op:pa:ss"),
                                    QStringLiteral("--silent"),
                                    QStringLiteral("--delay"),
                                    QStringLiteral("1500"),
                                    QStringLiteral("--drop-every"),
                                    QStringLiteral("4"),
                                    QStringLiteral("--ack-from-other-mac"),
                                    QStringLiteral("--ack-without-applying"),
                                    QStringLiteral("--debug-port"),
                                    QStringLiteral("40112"),
                                    QStringLiteral("--debug-flood"),
                                    QStringLiteral("1000")});
    ASSERT_EQ(line.outcome, Outcome::Run) << line.message.toStdString();
    EXPECT_EQ(line.options.modules, 512u);
    EXPECT_EQ(line.options.firstModule, 7u);
    EXPECT_EQ(line.options.linkBitsPerSecond, 0u);
    EXPECT_EQ(line.options.endpoint.address, QHostAddress(QStringLiteral("198.51.100.1")));
    EXPECT_EQ(line.options.endpoint.port, 0);
    ASSERT_TRUE(line.options.lock);
    EXPECT_EQ(*line.options.lock, (protocol::LockCredentials{"op", "pa:ss"})) << "the first colon divides";
    const FaultSettings& f = line.options.faults;
    EXPECT_TRUE(f.silent && f.ackFromOtherMac && f.ackWithoutApplying);
    EXPECT_EQ(f.replyDelay, 1500ms);
    EXPECT_EQ(f.dropEvery, 4u);
    EXPECT_EQ(line.options.debugPort, 40112);
    EXPECT_EQ(line.options.debugFloodPerSecond, 1000u);
}

TEST(SimOptions, ChineseCredentialsAreKeptAsGbk) {
    const CommandLine line = parse({QStringLiteral("--lock"), QStringLiteral("管理:密码")});
    ASSERT_TRUE(line.options.lock);
    EXPECT_EQ(line.options.lock->user, "\xB9\xDC\xC0\xED");
    EXPECT_EQ(line.options.lock->password, "\xC3\xDC\xC2\xEB");
}

struct Refused {
    QStringList arguments;
    const char* mentions;
};

class SimOptionsRefuse : public ::testing::TestWithParam<Refused> {};

TEST_P(SimOptionsRefuse, WithAMessageNamingTheOption) {
    const CommandLine line = parse(GetParam().arguments);
    EXPECT_EQ(line.outcome, Outcome::Error);
    EXPECT_TRUE(line.message.contains(QLatin1String(GetParam().mentions))) << line.message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, SimOptionsRefuse,
    ::testing::Values(
        Refused{{QStringLiteral("--modules"), QStringLiteral("0")}, "--modules"},
        Refused{{QStringLiteral("--modules"), QStringLiteral("513")}, "--modules"},
        Refused{{QStringLiteral("--modules"), QStringLiteral("three")}, "--modules"},
        Refused{{QStringLiteral("--modules"), QStringLiteral("-1")}, "--modules"},
        Refused{{QStringLiteral("--modules")}, "modules"},
        Refused{{QStringLiteral("--port"), QStringLiteral("65536")}, "--port"},
        Refused{{QStringLiteral("--bind"), QStringLiteral("::1")}, "--bind"},
        Refused{{QStringLiteral("--bind"), QStringLiteral("host.example")}, "--bind"},
        Refused{{QStringLiteral("--lock"), QStringLiteral("nocolon")}, "--lock"},
        Refused{{QStringLiteral("--lock"), QStringLiteral(":password")}, "--lock"},
        Refused{{QStringLiteral("--lock"), QStringLiteral("u:") + QString(64, QLatin1Char('p'))}, "--lock"},
        Refused{{QStringLiteral("--delay"), QStringLiteral("-5")}, "--delay"},
        Refused{{QStringLiteral("--drop-every"), QStringLiteral("0")}, "--drop-every"},
        Refused{{QStringLiteral("--link-mbit"), QStringLiteral("-1")}, "--link-mbit"},
        Refused{{QStringLiteral("--first-module"), QStringLiteral("65535")}, "--first-module"},
        Refused{{QStringLiteral("--debug-port"), QStringLiteral("0")}, "--debug-port"},
        Refused{{QStringLiteral("--debug-flood"), QStringLiteral("0")}, "--debug-flood"},
        Refused{{QStringLiteral("--debug-flood"), QStringLiteral("100001")}, "--debug-flood"},
        Refused{{QStringLiteral("--bogus")}, "bogus"}, Refused{{QStringLiteral("stray")}, "stray"}));

}  // namespace
}  // namespace norvane::sim
