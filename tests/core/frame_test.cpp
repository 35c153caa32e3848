#include <gtest/gtest.h>

#include "protocol/config_item.h"
#include "protocol/device_frame.h"
#include "protocol/requests.h"

namespace norvane::protocol {
namespace {

const MacAddress kMac{0x02, 0x4E, 0x56, 0x00, 0x00, 0x01};

Bytes searchBytes(std::uint8_t route) {
    Bytes b{0x88, 0x3A, route, 0x01, 0x00, 0x6B, 0x01, 0x02, 0x03, 0x05, 0x06, 0x07, 0x08};
    for (int t = 0x11; t <= 0x2E; ++t) b.push_back(static_cast<std::uint8_t>(t));
    for (int t = 0x30; t <= 0x45; ++t) b.push_back(static_cast<std::uint8_t>(t));
    b.push_back(0x4F);
    for (int t = 0x54; t <= 0x67; ++t) b.push_back(static_cast<std::uint8_t>(t));
    for (int t = 0x69; t <= 0x6C; ++t) b.push_back(static_cast<std::uint8_t>(t));
    for (int t = 0x70; t <= 0x74; ++t) b.push_back(static_cast<std::uint8_t>(t));
    b.push_back(0x80);
    for (int t = 0x90; t <= 0x94; ++t) b.push_back(static_cast<std::uint8_t>(t));
    b.push_back(0x9F);
    for (int t = 0xA0; t <= 0xA6; ++t) b.push_back(static_cast<std::uint8_t>(t));
    b.insert(b.end(), {0xB1, 0xB2, 0xB6, 0xB8, 0, 0, 0, 0, 0, 0, 0x45, 0x2E});
    return b;
}

TEST(SearchFrame, IsTheExact121BytesForBothRouteFlags) {
    for (auto route : {Route::Local, Route::CrossRouter}) {
        const Bytes frame = searchFrame(route);
        ASSERT_EQ(frame.size(), 121u);
        EXPECT_EQ(frame, searchBytes(static_cast<std::uint8_t>(route)));
    }
}

TEST(SearchFrame, ForTheSweepCarriesTheLockPrefixItself) {
    const LockCredentials lock{"ab", "cd"};
    const Bytes frame = searchFrame(Route::CrossRouter, &lock);
    ASSERT_EQ(frame.size(), 126u + 4);
    EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 9),
              (Bytes{0xCD, 0xDC, 0xAB, 0xBA, 0x04, 'a', 'b', 'c', 'd'}));
    EXPECT_EQ(Bytes(frame.begin() + 9, frame.end()), searchBytes(1));
}

TEST(LockPrefix, CountsOnlyTheTextAndCutsEachPartAt64Bytes) {
    const Bytes frame{0x88, 0x3A};
    EXPECT_EQ(withLockPrefix(frame, {}), (Bytes{0xCD, 0xDC, 0xAB, 0xBA, 0x00, 0x88, 0x3A}));
    const Bytes longer = withLockPrefix(frame, {std::string(70, 'u'), std::string(70, 'p')});
    ASSERT_EQ(longer.size(), 5u + 128 + 2);
    EXPECT_EQ(longer[4], 128);
    EXPECT_EQ(longer[5 + 63], 'u');
    EXPECT_EQ(longer[5 + 64], 'p');
}

TEST(LockPrefix, SplitsWhatTheModuleReceives) {
    const Bytes frame = reboot(kMac, Route::Local);
    const Bytes sent = withLockPrefix(frame, {"admin", "1234"});
    const auto split = splitLockPrefix(sent);
    ASSERT_TRUE(split.credentialText);
    EXPECT_EQ(*split.credentialText, "admin1234");
    EXPECT_EQ(Bytes(split.frame.begin(), split.frame.end()), frame);

    const auto plain = splitLockPrefix(frame);
    EXPECT_FALSE(plain.credentialText);
    EXPECT_EQ(plain.frame.size(), frame.size());

    const Bytes cut{0xCD, 0xDC, 0xAB, 0xBA, 0x09, 'a'};  // declares more text than it carries
    EXPECT_TRUE(splitLockPrefix(cut).frame.empty());
}

TEST(Requests, AreTheFramesModulesExpect) {
    struct Case {
        const char* name;
        Bytes built;
        Bytes expected;
    };
    const auto withMac = [](Bytes head, const MacAddress& mac) {
        head.insert(head.end(), mac.begin(), mac.end());
        head.insert(head.end(), {0x45, 0x2E});
        return head;
    };
    const Case cases[] = {
        {"clock poll", clockPoll(kMac), withMac({0x88, 0x3A, 0x00, 0x03, 0x00, 0x01, 0xB0}, kMac)},
        {"traffic query", trafficQuery(), withMac({0x88, 0x3A, 0x00, 0x01, 0x00, 0x01, 0xB7}, kAllModules)},
        {"network test across routers", networkTest(kMac, Route::CrossRouter),
         withMac({0x88, 0x3A, 0x01, 0x03, 0x00, 0x01, 0xB5}, kMac)},
        {"reboot", reboot(kMac, Route::Local), withMac({0x88, 0x3A, 0x00, 0x06, 0x00, 0x00}, kMac)},
        {"factory reset", factoryReset(kMac, false, Route::Local),
         withMac({0x88, 0x3A, 0x00, 0x05, 0x00, 0x01, 0x00}, kMac)},
        {"deep factory reset", factoryReset(kMac, true, Route::CrossRouter),
         withMac({0x88, 0x3A, 0x01, 0x05, 0x00, 0x01, 0x01}, kMac)},
        {"debug mode write", writeRequest(kMac, WriteKind::Setting, Bytes{0x07, 0x00, 0x01, 0x01}),
         withMac({0x88, 0x3A, 0x00, 0x04, 0x00, 0x05, 0x00, 0x07, 0x00, 0x01, 0x01}, kMac)},
        {"live state read", readRequest(kMac, Bytes{0x50, 0x51, 0x52, 0x53}),
         withMac({0x88, 0x3A, 0x00, 0x03, 0x00, 0x04, 0x50, 0x51, 0x52, 0x53}, kMac)},
    };
    for (const Case& c : cases) EXPECT_EQ(c.built, c.expected) << c.name;
}

TEST(CheckFrame, AcceptsOnlyWhatTheEnvelopeAllows) {
    struct Case {
        const char* name;
        Bytes datagram;
        bool accepted;
    };
    const Case cases[] = {
        {"empty", {}, false},
        {"three bytes", {0x88, 0x3A, 0x45}, false},
        {"four bytes of envelope only", {0x88, 0x3A, 0x45, 0x2E}, true},
        {"wrong first byte", {0x89, 0x3A, 0x00, 0x86, 0x00, 0x00, 1, 2, 3, 4, 5, 6, 0x45, 0x2E}, false},
        {"wrong end", {0x88, 0x3A, 0x00, 0x86, 0x00, 0x00, 1, 2, 3, 4, 5, 6, 0x45, 0x2F}, false},
        {"acknowledgement", {0x88, 0x3A, 0x00, 0x86, 0x00, 0x00, 1, 2, 3, 4, 5, 6, 0x45, 0x2E}, true},
        {"search reply of 13 bytes", {0x88, 0x3A, 0x00, 0x81, 0x00, 0x00, 1, 2, 3, 4, 5, 0x45, 0x2E}, false},
        {"read reply of 13 bytes", {0x88, 0x3A, 0x00, 0x83, 0x00, 0x00, 1, 2, 3, 4, 5, 0x45, 0x2E}, false},
        {"empty search reply", {0x88, 0x3A, 0x00, 0x81, 0x00, 0x00, 1, 2, 3, 4, 5, 6, 0x45, 0x2E}, true},
    };
    for (const Case& c : cases) EXPECT_EQ(checkFrame(c.datagram).has_value(), c.accepted) << c.name;
}

TEST(CheckFrame, TakesTheMacFromBeforeTheTrailerAndItemsOnlyUpToIt) {
    const Bytes frame = buildFrame(Route::Local, 0x83, Bytes{0xB0, 0x00, 0x01, 0x07}, kMac);
    const auto view = checkFrame(frame);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->code, 0x83);
    EXPECT_EQ(view->mac, kMac);
    EXPECT_EQ(view->declaredLength, 4);
    EXPECT_EQ(Bytes(view->body.begin(), view->body.end()), (Bytes{0xB0, 0x00, 0x01, 0x07}));
}

struct Walked {
    std::uint8_t tag;
    std::uint16_t length;
    bool complete;
    bool operator==(const Walked&) const = default;
};

std::vector<Walked> walk(const Bytes& datagram) {
    std::vector<Walked> seen;
    const auto view = checkFrame(datagram);
    if (!view) return seen;
    forEachItem(view->body, view->declaredLength, [&](const ConfigItem& item) {
        seen.push_back({item.tag, item.declaredLength, item.complete});
    });
    return seen;
}

TEST(ItemWalk, StaysInsideTheDatagramAndBeforeTheMac) {
    // A heap buffer of the exact size, so that any read past it is caught by the address sanitizer.
    const auto frameWith = [](Bytes payload, std::uint16_t declared) {
        Bytes f = buildFrame(Route::Local, 0x83, payload, kMac);
        f[4] = static_cast<std::uint8_t>(declared >> 8);
        f[5] = static_cast<std::uint8_t>(declared);
        return f;
    };
    struct Case {
        const char* name;
        Bytes datagram;
        std::vector<Walked> expected;
    };
    const Case cases[] = {
        {"first item examined although the length is 0",
         frameWith({0x07, 0x00, 0x01, 0x01, 0x05, 0x00, 0x01, 0x01}, 0),
         {{0x07, 1, true}}},
        {"two items within the length",
         frameWith({0x07, 0x00, 0x01, 0x01, 0x05, 0x00, 0x01, 0x01}, 8),
         {{0x07, 1, true}, {0x05, 1, true}}},
        {"declared length far past the datagram",
         frameWith({0x07, 0x00, 0x01, 0x01}, 0xFFFF),
         {{0x07, 1, true}}},
        {"item running into the MAC", frameWith({0x1B, 0x00, 0x05, 'a', 'b'}, 5), {{0x1B, 5, false}}},
        {"item declaring 65535 bytes", frameWith({0x1B, 0xFF, 0xFF, 'a'}, 4), {{0x1B, 0xFFFF, false}}},
        {"a header cut short", frameWith({0x07, 0x00}, 2), {}},
        {"no items at all", frameWith({}, 0), {}},
    };
    for (const Case& c : cases) EXPECT_EQ(walk(c.datagram), c.expected) << c.name;
}

TEST(ItemWalk, HandlesAFullScriptReplyWhole) {
    Bytes script(4096, 0x5A);
    script[0] = 0x0F;
    script[1] = 0xFE;
    Bytes payload;
    ItemWriter(payload).add(0x74, script);
    const Bytes datagram = buildFrame(Route::Local, 0x83, payload, kMac);
    ASSERT_EQ(datagram.size(), 4113u);
    EXPECT_EQ(walk(datagram), (std::vector<Walked>{{0x74, 4096, true}}));
}

}  // namespace
}  // namespace norvane::protocol
