// What networked tests rely on in the plain scripts/netns-run namespace.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "netns_guard.h"
#include "udp_probe.h"

namespace norvane::test {
namespace {

using namespace std::chrono_literals;

TEST(FreshNamespace, HoldsOnlyLoopbackAndTheVethPair) {
    EXPECT_THAT(interfaceNames(), testing::UnorderedElementsAre("lo", "nvt0", "nvt1"));
}

// Module discovery broadcasts to 255.255.255.255 and listens on 0.0.0.0: a copy must come back to the
// local listener, exactly one (the silent peer card must not deliver a second).
TEST(FreshNamespace, LimitedBroadcastLoopsBackOnce) {
    const UdpProbe listener("0.0.0.0", 0);
    const UdpProbe sender("0.0.0.0", 0);
    sender.sendTo("255.255.255.255", listener.port(), "discover");

    const auto first = listener.receive(2s);
    ASSERT_TRUE(first.has_value()) << "the limited broadcast did not loop back";
    EXPECT_EQ(first->payload, "discover");
    EXPECT_EQ(first->from, "198.51.100.1");
    EXPECT_EQ(listener.receive(200ms), std::nullopt) << "the broadcast arrived twice";
}

}  // namespace
}  // namespace norvane::test
