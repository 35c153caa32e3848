// Long writes arrive as 1024-byte pieces; these are the ways a piece stream can go that are not the plain
// one.

#include <gtest/gtest.h>

#include "sim/piece_assembler.h"
#include "sim_test_support.h"
#include "text/gbk.h"

namespace norvane::sim::test {
namespace {

using protocol::WriteKind;

// A full configuration write to module `index` that names it `name`; long enough to take several pieces.
Bytes namingWrite(const MacAddress& mac, std::size_t index, const std::string& name) {
    record::DeviceRecord r = plausibleRecord(index);
    r.setText(record::offset::kDeviceName, 64, name);
    const auto script = r.field(3584, record::kScriptBlockSize);
    script[0] = 0x0B;  // a 3000-byte script
    script[1] = 0xB8;
    std::fill(script.begin() + 2, script.begin() + 3002, std::uint8_t{'S'});
    return protocol::writeRequest(mac, WriteKind::FullConfiguration, saveItems(r));
}

using PieceAssembly = ThreeModules;

TEST_F(PieceAssembly, ANewFrameStartDropsTheUnfinishedWrite) {
    const auto first = piecesOf(namingWrite(mac(0), 0, "first"));
    ASSERT_GE(first.size(), 3u);
    EXPECT_TRUE(feed(host, {first[0], first[1]}).empty());

    const auto acks = framesOf(feed(host, {namingWrite(mac(0), 0, "second")}));
    ASSERT_EQ(acks.size(), 1u);
    EXPECT_EQ(host.record(0).name(), "second");

    // The rest of the first write has no start to join any more.
    EXPECT_TRUE(feed(host, std::vector<Bytes>(first.begin() + 2, first.end())).empty());
    EXPECT_EQ(host.record(0).name(), "second");
}

TEST_F(PieceAssembly, PiecesFromTwoSourcesAreKeptApart) {
    const Peer other{0xC6336402, 40000};
    const auto a = piecesOf(namingWrite(mac(0), 0, "from a"));
    const auto b = piecesOf(namingWrite(mac(1), 1, "from b"));
    ASSERT_EQ(a.size(), b.size());
    std::size_t acks = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        acks += framesOf(host.handle(a[i], kTool), kTool).size();
        acks += framesOf(host.handle(b[i], other), other).size();
    }
    EXPECT_EQ(acks, 2u);
    EXPECT_EQ(host.record(0).name(), "from a");
    EXPECT_EQ(host.record(1).name(), "from b");
}

TEST_F(PieceAssembly, SameAddressOtherPortIsAnotherSource) {
    const Peer otherPort{kTool.address, 40001};
    const auto pieces = piecesOf(namingWrite(mac(0), 0, "split"));
    EXPECT_TRUE(host.handle(pieces[0], kTool).empty());
    EXPECT_TRUE(feed(host, std::vector<Bytes>(pieces.begin() + 1, pieces.end()), otherPort).empty());
    EXPECT_EQ(host.record(0), plausibleRecord(0));
}

TEST_F(PieceAssembly, APieceBeyondTheDeclaredLengthDropsTheWrite) {
    auto pieces = piecesOf(namingWrite(mac(0), 0, "overlong"));
    pieces.back().push_back(0x00);
    EXPECT_TRUE(feed(host, pieces).empty());
    EXPECT_EQ(host.record(0), plausibleRecord(0));
}

TEST(PieceAssembler, KeepsAtMostSixteenSourcesWaitingAndDropsTheOldest) {
    PieceAssembler assembler;
    const Bytes frame = namingWrite(plausibleRecord(0).mac(), 0, "x");
    const auto pieces = piecesOf(frame);
    const auto source = [](std::uint16_t k) {
        return Peer{0xC6336401, static_cast<std::uint16_t>(50000 + k)};
    };
    for (std::uint16_t k = 0; k < 100; ++k) {
        EXPECT_FALSE(assembler.take(source(k), pieces[0], std::nullopt));
        EXPECT_LE(assembler.openCount(), PieceAssembler::kMaxOpenSources);
    }
    const auto finish = [&](const Peer& from) {
        std::optional<ArrivedFrame> done;
        for (std::size_t i = 1; i < pieces.size(); ++i) done = assembler.take(from, pieces[i], std::nullopt);
        return done;
    };
    EXPECT_FALSE(finish(source(0)));
    const auto newest = finish(source(99));
    ASSERT_TRUE(newest);
    EXPECT_EQ(newest->frame, frame);
}

TEST(PieceAssembler, TheFrameKeepsTheCredentialsOfItsFirstPiece) {
    PieceAssembler assembler;
    const auto pieces = piecesOf(namingWrite(plausibleRecord(0).mac(), 0, "x"));
    EXPECT_FALSE(assembler.take(kTool, pieces[0], std::string("adminpw")));
    std::optional<ArrivedFrame> done;
    for (std::size_t i = 1; i < pieces.size(); ++i) done = assembler.take(kTool, pieces[i], std::nullopt);
    ASSERT_TRUE(done);
    EXPECT_EQ(done->credentialText, "adminpw");
}

}  // namespace
}  // namespace norvane::sim::test
