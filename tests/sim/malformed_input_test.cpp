// Datagrams that are not well-formed requests get no answer and change nothing.

#include <gtest/gtest.h>

#include <random>

#include "protocol/tags.h"
#include "sim_test_support.h"

namespace norvane::sim::test {
namespace {

using protocol::Route;
using protocol::WriteKind;

class MalformedInput : public ThreeModules {
  protected:
    // Nothing out, and no record changed.
    void expectIgnored(const Bytes& datagram, const std::string& what) {
        EXPECT_TRUE(host.handle(datagram, kTool).empty()) << what;
        for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(host.record(i), plausibleRecord(i)) << what;
    }
    Bytes rename(std::size_t i) const {
        return protocol::writeRequest(mac(i), WriteKind::Setting,
                                      item(protocol::tag::kDeviceName, bytesOf("bad")));
    }
};

TEST_F(MalformedInput, EmptyAndEveryCutOfARequest) {
    const Bytes search = protocol::searchFrame(Route::Local);
    expectIgnored({}, "empty");
    for (std::size_t n = 1; n < search.size(); ++n)
        expectIgnored(Bytes(search.begin(), search.begin() + static_cast<std::ptrdiff_t>(n)),
                      "first " + std::to_string(n) + " bytes");
    // A cut that keeps the end marker: the length field says more than is there.
    Bytes shortened = search;
    shortened.erase(shortened.begin() + 10, shortened.begin() + 20);
    expectIgnored(shortened, "ten bytes taken out");
}

TEST_F(MalformedInput, FramesWithoutTheirEnvelope) {
    const Bytes search = protocol::searchFrame(Route::Local);
    const std::vector<std::pair<std::size_t, const char*>> spoilt{{0, "first marker byte"},
                                                                  {1, "second marker byte"},
                                                                  {search.size() - 2, "end marker"},
                                                                  {search.size() - 1, "last byte"}};
    for (const auto& [at, what] : spoilt) {
        Bytes d = search;
        d[at] ^= 0xFF;
        expectIgnored(d, what);
    }
    Bytes longer = search;
    longer.insert(longer.begin() + 20, 0x01);
    expectIgnored(longer, "length field one short");
}

TEST_F(MalformedInput, PayloadsThatDoNotHoldTogether) {
    const Bytes name = item(protocol::tag::kDeviceName, bytesOf("bad"));
    Bytes runsPast = name;
    runsPast[2] = 40;  // the item says 40 bytes, 3 are there
    Bytes trailing = name;
    trailing.insert(trailing.end(), {0x1B, 0x00});
    const std::vector<std::pair<Bytes, const char*>> cases{
        {protocol::writeRequest(mac(0), WriteKind::Setting, runsPast), "write item runs past the payload"},
        {protocol::writeRequest(mac(0), WriteKind::Setting, trailing),
         "write with a cut item after a whole one"},
        {protocol::buildFrame(Route::Local, 0x04, {}, mac(0)), "write without its leading byte"},
        {protocol::buildFrame(Route::Local, 0x04, Bytes{0x02, 0x1B, 0x00, 0x01, 'x'}, mac(0)),
         "write of kind 2"},
        {protocol::buildFrame(Route::Local, 0x05, {}, mac(0)), "reset without its kind"},
        {protocol::buildFrame(Route::Local, 0x05, Bytes{0x02}, mac(0)), "reset of kind 2"},
        {protocol::buildFrame(Route::Local, 0x05, Bytes{0x00, 0x00}, mac(0)), "reset with two bytes"},
        {protocol::buildFrame(Route::Local, 0x06, Bytes{0x00}, mac(0)), "reboot with a payload"},
        {protocol::buildFrame(Route::Local, 0x07, {}, mac(0)), "unknown command"},
        {protocol::buildFrame(Route::Local, 0x81, Bytes{0x01}, protocol::kAllModules),
         "a reply, not a request"},
        {Bytes{0xCD, 0xDC, 0xAB, 0xBA, 200, 'x'}, "lock prefix longer than the datagram"},
    };
    for (const auto& [datagram, what] : cases) expectIgnored(datagram, what);
    EXPECT_EQ(host.handle(rename(0), kTool).size(), 1u) << "the same write, whole, is taken";
}

TEST_F(MalformedInput, RandomNoise) {
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        Bytes noise(protocol::kReceiveBufferSize);
        for (std::uint8_t& b : noise) b = static_cast<std::uint8_t>(random());
        if (round % 2 == 1) {
            // Noise that begins like a frame, so that it opens a long write that never completes.
            noise[0] = 0x88;
            noise[1] = 0x3A;
            noise[4] = 0xFF;
        }
        expectIgnored(noise, "noise round " + std::to_string(round));
    }
}

TEST_F(MalformedInput, APieceStreamThatNeverCompletes) {
    record::DeviceRecord r = plausibleRecord(0);
    r.setText(record::offset::kDeviceName, 64, "never");
    r.field(3584, 2)[0] = 0x0C;
    const auto pieces = piecesOf(protocol::writeRequest(mac(0), WriteKind::FullConfiguration, saveItems(r)));
    ASSERT_GE(pieces.size(), 3u);
    for (std::size_t k = 0; k + 1 < pieces.size(); ++k)
        expectIgnored(pieces[k], "piece " + std::to_string(k));
    // A piece from a source that has nothing open goes nowhere either.
    EXPECT_TRUE(host.handle(pieces.back(), Peer{kTool.address, 40001}).empty());
}

}  // namespace
}  // namespace norvane::sim::test
