// The router topology: a module host one routed hop away from the tool.

#include <gtest/gtest.h>

#include "udp_probe.h"

namespace norvane::test {
namespace {

using namespace std::chrono_literals;

TEST(Router, UnicastCrossesTheRouterBothWays) {
    const UdpProbe host("0.0.0.0", 0, namespaceFromEnv("NVT_NS_HOST_B"));
    const UdpProbe tool("0.0.0.0", 0);

    tool.sendTo("203.0.113.2", host.port(), "ping");
    const auto request = host.receive(2s);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->from, "198.51.100.1") << "routed, not translated";

    host.sendTo(request->from, tool.port(), "pong");
    const auto reply = tool.receive(2s);
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->from, "203.0.113.2");
}

// Modules behind a router are never found by broadcast: the router hears it and does not pass it on.
TEST(Router, LimitedBroadcastStopsAtTheRouter) {
    const UdpProbe router("0.0.0.0", 0, namespaceFromEnv("NVT_NS_ROUTER"));
    const UdpProbe host("0.0.0.0", router.port(), namespaceFromEnv("NVT_NS_HOST_B"));
    const UdpProbe tool("0.0.0.0", 0);

    tool.sendTo("255.255.255.255", router.port(), "discover");
    ASSERT_TRUE(router.receive(2s).has_value()) << "the broadcast never left the tool's card";
    EXPECT_EQ(host.receive(200ms), std::nullopt);
}

}  // namespace
}  // namespace norvane::test
