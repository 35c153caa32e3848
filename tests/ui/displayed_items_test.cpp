// Reply items that show a message at once, from a module the test plays over real UDP.
#include <QAbstractButton>

#include "probe_module.h"
#include "protocol/requests.h"
#include "window_fixture.h"

namespace norvane::ui::test {
namespace {

constexpr MacAddress kMacA{0x02, 0x4E, 0x56, 0x30, 0x00, 0x01};
constexpr int kTraffic = 1304;

Bytes u32s(std::uint32_t a, std::uint32_t b) {
    Bytes out;
    for (const std::uint32_t v : {a, b})
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
    return out;
}

class DisplayedItems : public WindowFixture {
  protected:
    void SetUp() override {
        openWindow(probe.port());
        ASSERT_TRUE(probe.nextNotPoll().has_value()) << "no search";
    }
    ProbeModule probe;
};

TEST_F(DisplayedItems, TheTrafficQueryGivesOneBoxPerAnsweringModule) {
    QTest::mouseClick(control<QAbstractButton>(kTraffic), Qt::LeftButton);
    const auto query = probe.nextNotPoll();
    ASSERT_TRUE(query.has_value());
    EXPECT_EQ(bytesOf(*query), protocol::trafficQuery());
    EXPECT_EQ(query->destinationAddress(), QHostAddress(QHostAddress::Broadcast));

    const struct {
        std::uint32_t received, sent;
        const char* shown;
    } answers[] = {
        {3145728, 1000, "此数据掉电丢失！！！\r\n接收:3145728 (3 MB) \r\n发送:1000 (0 MB) "},
        {0, 0, "此数据掉电丢失！！！\r\n接收:0 (0 MB) \r\n发送:0 (0 MB) "},
        // Past 2 GB the counter still reads as the module counted it.
        {0x80000000u, 0xFFFFFFFFu,
         "此数据掉电丢失！！！\r\n接收:2147483648 (2048 MB) \r\n发送:4294967295 (4095 MB) "},
    };
    for (std::size_t i = 0; i < std::size(answers); ++i) {
        prompter.expect(QString::fromUtf8(answers[i].shown));
        MacAddress mac = kMacA;
        mac[5] = static_cast<std::uint8_t>(i + 1);
        probe.reply(0x81, mac, items({{0xB7, u32s(answers[i].received, answers[i].sent)}}));
    }
    ASSERT_TRUE(waitFor([&] { return prompter.satisfied(); }));
    // The answers are search replies: their modules are listed.
    EXPECT_TRUE(waitFor([&] { return rows() == 3; }));
}

const std::string kLongestResult(511, 'a');

struct ItemCase {
    const char* name;
    std::uint8_t tag;
    Bytes value;
    const char* shown;  // null: no message
};

void PrintTo(const ItemCase& c, std::ostream* os) {
    *os << c.name;
}

class ShownItems : public DisplayedItems, public testing::WithParamInterface<ItemCase> {};

TEST_P(ShownItems, ShowTheirMessageOnceHandled) {
    probe.reply(0x81, kMacA, items({{0x1B, Bytes{0x41, 0x31}}}));
    ASSERT_TRUE(waitFor([&] { return rows() == 1; }));
    if (GetParam().shown) prompter.expect(QString::fromUtf8(GetParam().shown));
    probe.reply(0x83, kMacA, items({{GetParam().tag, GetParam().value}}));
    settle();
    EXPECT_TRUE(prompter.satisfied());
}

INSTANTIATE_TEST_SUITE_P(
    Items, ShownItems,
    testing::Values(ItemCase{"CalibrationStatus",
                             0xB3,
                             {0x00, 0xFF, 0xFF, 0x00, 0x05, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                             "校准状态(失败 5 0 0 0 0 0 0)"},
                    ItemCase{"CalibrationValues",
                             0xB4,
                             {0, 1, 0, 2, 0, 3, 0, 4, 0xFF, 0xFF, 0x01, 0x00, 0, 7, 0, 8},
                             "(1 2 3 4 65535 256 7 8)"},
                    ItemCase{"EmptyCalibrationStatus", 0xB3, {}, nullptr},
                    ItemCase{"EmptyCalibrationValues", 0xB4, {}, nullptr},
                    ItemCase{"ShortTrafficCounters", 0xB7, {0, 0, 0, 1, 0, 0, 0}, nullptr},
                    // The network test's result, with or without its waiting box: at most 511 bytes shown.
                    ItemCase{"NetworkTestResult", 0xB5, Bytes(600, 'a'), kLongestResult.c_str()},
                    ItemCase{"NetworkTestFailed", 0xB5, {}, "测试失败"}),
    [](const testing::TestParamInfo<ItemCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace norvane::ui::test
