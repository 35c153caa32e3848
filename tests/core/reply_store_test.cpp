#include <gtest/gtest.h>

#include <random>

#include "protocol/requests.h"
#include "record/item_codec.h"

namespace norvane::record {
namespace {

const MacAddress kMac{0x02, 0x4E, 0x56, 0x00, 0x00, 0x01};

// Checks and stores a datagram the way the tool does; returns whether it reached the record.
bool receive(DeviceRecord& r, const Bytes& datagram) {
    const auto frame = protocol::checkFrame(datagram);
    if (!frame || (frame->code != 0x81 && frame->code != 0x83)) return false;
    storeReplyItems(r, *frame);
    return true;
}

Bytes replyWith(Bytes items, std::uint16_t declared) {
    Bytes f = protocol::buildFrame(protocol::Route::Local, 0x83, items, kMac);
    f[4] = static_cast<std::uint8_t>(declared >> 8);
    f[5] = static_cast<std::uint8_t>(declared);
    return f;
}

TEST(StoreReply, MalformedDatagramsAreDroppedOrStoredSafely) {
    std::mt19937 random(1111);
    Bytes noise(protocol::kReceiveBufferSize);
    for (auto& b : noise) b = static_cast<std::uint8_t>(random());
    Bytes framedNoise = noise;
    framedNoise[0] = 0x88, framedNoise[1] = 0x3A, framedNoise[3] = 0x83;
    framedNoise[noise.size() - 2] = 0x45, framedNoise[noise.size() - 1] = 0x2E;

    struct Case {
        const char* name;
        Bytes datagram;
        bool reaches;
    };
    const Case cases[] = {
        {"empty", {}, false},
        {"one byte", {0x88}, false},
        {"thirteen bytes", {0x88, 0x3A, 0x00, 0x83, 0x00, 0x00, 1, 2, 3, 4, 5, 0x45, 0x2E}, false},
        {"wrong start", {0x3A, 0x88, 0x00, 0x83, 0x00, 0x00, 1, 2, 3, 4, 5, 6, 0x45, 0x2E}, false},
        {"8092 bytes of noise", noise, false},
        {"8092 bytes of noise in an envelope", framedNoise, true},
        {"item into the MAC", replyWith({0x1B, 0x00, 0x06, 'a', 'b'}, 5), true},
        {"65535-byte item", replyWith({0x1B, 0xFF, 0xFF, 'a', 'b'}, 0xFFFF), true},
        {"zero declared length", replyWith({0x1B, 0x00, 0x02, 'a', 'b'}, 0), true},
    };
    for (const Case& c : cases) {
        DeviceRecord r;
        // Exactly sized copies, so that a read past the datagram is caught by the address sanitizer.
        const Bytes exact(c.datagram);
        EXPECT_EQ(receive(r, exact), c.reaches) << c.name;
    }
}

TEST(StoreReply, TakesTheFirstItemEvenWithZeroLengthButNothingThatRunsPastTheDatagram) {
    DeviceRecord r;
    ASSERT_TRUE(receive(r, replyWith({0x1B, 0x00, 0x02, 'a', 'b', 0x03, 0x00, 0x01, 'm'}, 0)));
    EXPECT_EQ(r.name(), "ab");
    EXPECT_EQ(r.model(), "");

    r.setText(offset::kDeviceName, 64, "kept");
    ASSERT_TRUE(receive(r, replyWith({0x1B, 0x00, 0x06, 'a', 'b'}, 5)));
    EXPECT_EQ(r.name(), "kept");  // its bytes would have come from the MAC
}

TEST(StoreReply, AFullScriptReplyIsStoredWhole) {
    Bytes block(4096, 'x');
    block[0] = 0x0F, block[1] = 0xFE;
    Bytes items;
    protocol::ItemWriter(items).add(0x73, block);
    const Bytes datagram = protocol::buildFrame(protocol::Route::Local, 0x83, items, kMac);
    ASSERT_EQ(datagram.size(), 4113u);
    DeviceRecord r;
    ASSERT_TRUE(receive(r, datagram));
    EXPECT_EQ(encodeValue(r, *findItem(0x73), Direction::Save), block);
}

TEST(StoreReply, ObserverSeesEveryItemAndWhetherItWasStored) {
    std::vector<std::pair<std::uint8_t, bool>> seen;
    DeviceRecord r;
    const Bytes d = replyWith(
        {0xB0, 0x00, 0x08, 126, 11, 10, 9, 8, 7, 9, 0, 0xB5, 0x00, 0x02, 'o', 'k', 0x07, 0x00, 0x02, 1, 1},
        21);
    storeReplyItems(r, *protocol::checkFrame(d), [&](const protocol::ConfigItem& item, bool stored) {
        seen.emplace_back(item.tag, stored);
    });
    EXPECT_EQ(seen, (std::vector<std::pair<std::uint8_t, bool>>{{0xB0, true}, {0xB5, false}, {0x07, false}}));
    EXPECT_EQ(r.u8(offset::kClock + 6), 9);  // the weekday as reported; showing it is the window's business
}

}  // namespace
}  // namespace norvane::record
