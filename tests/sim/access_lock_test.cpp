// A locked module answers only datagrams whose lock prefix carries its user name and password.

#include "sim/access_lock.h"

#include <gtest/gtest.h>

#include "protocol/tags.h"
#include "sim_test_support.h"

namespace norvane::sim::test {
namespace {

using protocol::LockCredentials;
using protocol::WriteKind;

struct PrefixCase {
    const char* name;
    std::optional<LockCredentials> prefix;
    bool answersWhenLocked;
    friend void PrintTo(const PrefixCase& c, std::ostream* os) { *os << c.name; }
};

const PrefixCase kPrefixCases[] = {
    {"no_prefix", std::nullopt, false},
    {"wrong_password", LockCredentials{"op", "secreT"}, false},
    {"wrong_user", LockCredentials{"po", "secret"}, false},
    {"empty", LockCredentials{"", ""}, false},
    {"longer_text", LockCredentials{"op", "secret!"}, false},
    // Only the concatenation counts, so the cut between user and password does not.
    {"same_text_cut_elsewhere", LockCredentials{"ops", "ecret"}, true},
    {"right", LockCredentials{"op", "secret"}, true},
};

class AccessLock : public ThreeModules, public ::testing::WithParamInterface<PrefixCase> {
  protected:
    Bytes search() const {
        const Bytes frame = nameSearch();
        return GetParam().prefix ? protocol::withLockPrefix(frame, *GetParam().prefix) : frame;
    }
};

TEST_P(AccessLock, LockedModuleAnswersOnlyItsCredentials) {
    host.update(1, [](record::DeviceRecord& r) { setAccessLock(r, {"op", "secret"}); });
    const auto frames = framesOf(host.handle(search(), kTool));
    std::vector<MacAddress> answered;
    for (const auto& f : frames) answered.push_back(f.mac);
    std::vector<MacAddress> expected{mac(0), mac(2)};
    if (GetParam().answersWhenLocked) expected.insert(expected.begin() + 1, mac(1));
    EXPECT_EQ(answered, expected);
}

TEST_P(AccessLock, UnlockedModulesAnswerWithAnyPrefixOrNone) {
    EXPECT_EQ(framesOf(host.handle(search(), kTool)).size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Prefixes, AccessLock, ::testing::ValuesIn(kPrefixCases), ByName{});

class LockByWrite : public ThreeModules {
  protected:
    void SetUp() override {
        for (std::size_t i = 0; i < 3; ++i)
            host.update(i, [](record::DeviceRecord& r) { setAccessLock(r, {"op", "secret"}); });
    }
    std::size_t answersTo(const std::optional<LockCredentials>& prefix) {
        const Bytes read = protocol::readRequest(mac(0), Bytes{protocol::tag::kDeviceName});
        return framesOf(host.handle(prefix ? protocol::withLockPrefix(read, *prefix) : read, kTool)).size();
    }
    std::size_t write(const Bytes& items, const LockCredentials& prefix) {
        const Bytes frame = protocol::writeRequest(mac(0), WriteKind::Setting, items);
        return framesOf(host.handle(protocol::withLockPrefix(frame, prefix), kTool)).size();
    }
};

TEST_F(LockByWrite, WritingTheLockItemZeroUnlocks) {
    ASSERT_EQ(answersTo(std::nullopt), 0u);
    ASSERT_EQ(write(item(protocol::tag::kAccessLock, Bytes{0}), {"op", "secret"}), 1u);
    EXPECT_EQ(answersTo(std::nullopt), 1u);
}

TEST_F(LockByWrite, WritingTheLockOnLocksWithTheWrittenCredentials) {
    Bytes items = item(0x18, bytesOf("newop"));
    for (const Bytes& more : {item(0x19, bytesOf("newpass")), item(protocol::tag::kAccessLock, Bytes{0x78})})
        items.insert(items.end(), more.begin(), more.end());
    ASSERT_EQ(write(items, {"op", "secret"}), 1u);
    EXPECT_EQ(answersTo(std::nullopt), 0u);
    EXPECT_EQ(answersTo(LockCredentials{"op", "secret"}), 0u);
    EXPECT_EQ(answersTo(LockCredentials{"newop", "newpass"}), 1u);
}

TEST_F(LockByWrite, EveryPieceOfALongWriteCarriesThePrefix) {
    record::DeviceRecord wanted = host.record(0);
    wanted.setText(record::offset::kDeviceName, 64, "pieces");
    wanted.field(7680, 2)[0] = 0x0C;  // a 3072-byte script, so the write takes pieces
    const Bytes frame = protocol::writeRequest(mac(0), WriteKind::FullConfiguration, saveItems(wanted));
    const auto pieces = piecesOf(frame);
    ASSERT_GE(pieces.size(), 4u);

    std::vector<Bytes> prefixed;
    for (const Bytes& piece : pieces) prefixed.push_back(protocol::withLockPrefix(piece, {"op", "secret"}));
    const auto acks = framesOf(feed(host, prefixed));
    ASSERT_EQ(acks.size(), 1u);
    EXPECT_EQ(acks[0].code, 0x84);
    EXPECT_EQ(host.record(0).name(), "pieces");

    ModuleHost whole(plausibleRecords(3));
    ASSERT_EQ(whole.handle(frame, kTool).size(), 1u);
    EXPECT_EQ(host.record(0), whole.record(0));
}

TEST_F(LockByWrite, APieceStreamWithoutCredentialsIsNotTaken) {
    record::DeviceRecord wanted = host.record(0);
    wanted.setText(record::offset::kDeviceName, 64, "pieces");
    const Bytes frame = protocol::writeRequest(mac(0), WriteKind::FullConfiguration, saveItems(wanted));
    EXPECT_TRUE(feed(host, piecesOf(frame)).empty());
    EXPECT_NE(host.record(0).name(), "pieces");
}

}  // namespace
}  // namespace norvane::sim::test
