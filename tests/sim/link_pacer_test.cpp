#include "sim/link_pacer.h"

#include <gtest/gtest.h>

namespace norvane::sim {
namespace {

using namespace std::chrono_literals;
using Clock = LinkPacer::Clock;

TEST(LinkPacer, ABurstLeavesAtTheLinkRateInOrder) {
    LinkPacer pacer(LinkPacer::kSegmentBitsPerSecond);
    const Clock::time_point t0 = Clock::now();
    Clock::time_point previous = t0;
    for (int i = 0; i < 1000; ++i) {
        const auto at = pacer.departure(t0, 1400);
        ASSERT_GT(at, previous);
        previous = at;
    }
    // 1000 frames of 1400 bytes and their Ethernet overhead at 100 Mbit/s.
    EXPECT_EQ(previous - t0, std::chrono::nanoseconds(1000 * (1400 + LinkPacer::kFrameOverheadBytes) * 80));
}

TEST(LinkPacer, AnIdleLinkSendsAtOnceAndNoPacingSendsWhenReady) {
    LinkPacer pacer(LinkPacer::kSegmentBitsPerSecond);
    const Clock::time_point t0 = Clock::now();
    pacer.departure(t0, 1400);
    const auto later = t0 + 1s;
    EXPECT_EQ(pacer.departure(later, 34),
              later + std::chrono::nanoseconds((34 + LinkPacer::kFrameOverheadBytes) * 80));

    LinkPacer unpaced(0);
    EXPECT_EQ(unpaced.departure(t0, 1400), t0);
    EXPECT_EQ(unpaced.departure(t0, 1400), t0);
}

}  // namespace
}  // namespace norvane::sim
