// The segment2 topology: module hosts on two cards of the tool's namespace.

#include <gtest/gtest.h>

#include "udp_probe.h"

namespace norvane::test {
namespace {

using namespace std::chrono_literals;

// A listener on host-a and one on host-b, on the same port so that a miss means the datagram never
// reached that host.
class Segment2 : public testing::Test {
  protected:
    UdpProbe hostA{"0.0.0.0", 0, namespaceFromEnv("NVT_NS_HOST_A")};
    UdpProbe hostB{"0.0.0.0", hostA.port(), namespaceFromEnv("NVT_NS_HOST_B")};
};

struct CardCase {
    const char* label;
    const char* hostAddress;
    const char* ownAddress;  // the main namespace's address on that host's card
    bool toHostA;
};

class Segment2Unicast : public Segment2, public testing::WithParamInterface<CardCase> {};

TEST_P(Segment2Unicast, ReachesTheHostAndTheReplyReturns) {
    const auto& c = GetParam();
    const UdpProbe& host = c.toHostA ? hostA : hostB;
    const UdpProbe tool("0.0.0.0", 0);

    tool.sendTo(c.hostAddress, host.port(), "ping");
    const auto request = host.receive(2s);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->from, c.ownAddress);

    host.sendTo(request->from, tool.port(), "pong");
    const auto reply = tool.receive(2s);
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->from, c.hostAddress);
    EXPECT_EQ(reply->payload, "pong");
}

INSTANTIATE_TEST_SUITE_P(Cards, Segment2Unicast,
                         testing::Values(CardCase{"default_card", "198.51.100.2", "198.51.100.1", true},
                                         CardCase{"second_card", "203.0.113.2", "203.0.113.1", false}),
                         [](const auto& tested) { return std::string(tested.param.label); });

struct BroadcastCase {
    const char* label;
    const char* boundTo;  // what the sender binds: an address picks the card a limited broadcast leaves by
    bool reachesHostA;
};

class Segment2Broadcast : public Segment2, public testing::WithParamInterface<BroadcastCase> {};

TEST_P(Segment2Broadcast, LeavesByOneCardOnly) {
    const auto& c = GetParam();
    const UdpProbe tool(c.boundTo, 0);
    tool.sendTo("255.255.255.255", hostA.port(), "discover");

    const UdpProbe& reached = c.reachesHostA ? hostA : hostB;
    const UdpProbe& missed = c.reachesHostA ? hostB : hostA;
    const auto got = reached.receive(2s);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->payload, "discover");
    EXPECT_EQ(missed.receive(200ms), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Cards, Segment2Broadcast,
                         testing::Values(BroadcastCase{"unbound_takes_default_route", "0.0.0.0", true},
                                         BroadcastCase{"bound_to_second_card", "203.0.113.1", false}),
                         [](const auto& tested) { return std::string(tested.param.label); });

}  // namespace
}  // namespace norvane::test
