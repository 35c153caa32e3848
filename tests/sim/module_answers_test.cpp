// How the modules answer each request: who answers, with which code, items and MAC, and what changes.

#include <gtest/gtest.h>

#include <map>

#include "protocol/tags.h"
#include "sim_test_support.h"
#include "text/gbk.h"

namespace norvane::sim::test {
namespace {

using protocol::Route;
using protocol::WriteKind;
using record::Direction;

using ModuleAnswers = ThreeModules;

TEST_F(ModuleAnswers, SearchIsAnsweredByEveryModuleWithTheAskedTagsItKnows) {
    // 0xFE is no tag at all; 0xB7 is one the table does not hold.
    const Bytes asked{protocol::tag::kDeviceName, 0xFE, protocol::tag::kFirmware, 0xB7,
                      protocol::tag::kModel};
    const auto out =
        host.handle(protocol::buildFrame(Route::Local, 0x01, asked, protocol::kAllModules), kTool);
    const auto frames = framesOf(out);
    ASSERT_EQ(frames.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(frames[i].code, 0x81);
        EXPECT_EQ(frames[i].mac, mac(i));
        EXPECT_EQ(frames[i].declaredLength, frames[i].body.size());
        EXPECT_EQ(tagsOf(frames[i]),
                  (Bytes{protocol::tag::kDeviceName, protocol::tag::kFirmware, protocol::tag::kModel}));
        record::DeviceRecord stored;
        record::storeReplyItems(stored, frames[i]);
        EXPECT_EQ(stored.name(), host.record(i).name());
        EXPECT_EQ(stored.firmware(), host.record(i).firmware());
        EXPECT_EQ(stored.model(), host.record(i).model());
    }
}

TEST_F(ModuleAnswers, TheToolsSearchFindsEveryModuleByName) {
    // The full search's answer is longer than one datagram may be: each module's comes in several.
    std::map<MacAddress, record::DeviceRecord> found;
    for (const auto& frame : framesOf(host.handle(protocol::searchFrame(Route::Local), kTool))) {
        EXPECT_EQ(frame.code, 0x81);
        record::storeReplyItems(found[frame.mac], frame);
    }
    ASSERT_EQ(found.size(), 3u);
    const char* names[] = {"一号车间", "二号车间", "仓库"};
    for (std::size_t i = 0; i < 3; ++i) {
        const record::DeviceRecord& stored = found[mac(i)];
        EXPECT_EQ(text::gbkToUtf8(stored.name()), names[i]);
        EXPECT_EQ(stored.firmware(), host.record(i).firmware());
        EXPECT_EQ(stored.mac(), mac(i));
    }
}

TEST_F(ModuleAnswers, SearchWithAModulesMacIsAnsweredByThatModuleOnly) {
    const auto frames =
        framesOf(host.handle(protocol::buildFrame(Route::Local, 0x01, Bytes{0x1B}, mac(2)), kTool));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].mac, mac(2));
}

TEST_F(ModuleAnswers, ReadIsAnsweredOnlyByTheModuleWithItsMac) {
    const Bytes asked{protocol::tag::kDeviceName, protocol::tag::kClock};
    const auto frames = framesOf(host.handle(protocol::readRequest(mac(1), asked), kTool));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].code, 0x83);
    EXPECT_EQ(frames[0].mac, mac(1));
    record::DeviceRecord stored;
    record::storeReplyItems(stored, frames[0]);
    EXPECT_EQ(stored.name(), host.record(1).name());
    EXPECT_EQ(stored.field(record::offset::kClock, 8)[0], 124);  // 2024

    const MacAddress stranger{0x02, 0x4E, 0x56, 0x00, 0x00, 0x09};
    EXPECT_TRUE(host.handle(protocol::readRequest(stranger, asked), kTool).empty());
    // Only a search is for every module.
    EXPECT_TRUE(host.handle(protocol::readRequest(protocol::kAllModules, asked), kTool).empty());
}

TEST_F(ModuleAnswers, SingleSettingWriteIsAppliedAndAcknowledged) {
    const std::string name = text::utf8ToGbk("三号车间");
    const Bytes items = item(protocol::tag::kDeviceName, bytesOf(name));
    const auto out = host.handle(protocol::writeRequest(mac(2), WriteKind::Setting, items), kTool);
    const auto frames = framesOf(out);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(out[0].datagram.size(), protocol::kFrameOverhead);
    EXPECT_EQ(frames[0].code, 0x84);
    EXPECT_EQ(frames[0].declaredLength, 0);
    EXPECT_EQ(frames[0].mac, mac(2));
    EXPECT_EQ(host.record(2).name(), name);
    EXPECT_EQ(host.record(1), plausibleRecord(1));
}

TEST_F(ModuleAnswers, WriteKeepsWhatIdentifiesTheHardware) {
    Bytes items = item(protocol::tag::kFirmware, Bytes{'V', '9'});
    const Bytes otherMac = item(protocol::tag::kMac, Bytes{2, 0, 0, 0, 0, 7});
    items.insert(items.end(), otherMac.begin(), otherMac.end());
    ASSERT_EQ(host.handle(protocol::writeRequest(mac(0), WriteKind::Setting, items), kTool).size(), 1u);
    EXPECT_EQ(host.record(0), plausibleRecord(0));
}

// A record unlike module 0's: new name and addresses, other TCP targets, full-length scripts.
record::DeviceRecord changedRecord() {
    record::DeviceRecord r = plausibleRecord(0);
    r.setText(record::offset::kDeviceName, 64, text::utf8ToGbk("新的名字"));
    r.field(5, 4)[3] = 77;
    r.setText(255, 128, "elsewhere.example.net");
    r.setU16(384, 4321);
    for (const std::size_t script : {std::size_t{3584}, std::size_t{7680}}) {
        const auto block = r.field(script, record::kScriptBlockSize);
        block[0] = 0x0F;  // 4094 bytes of script
        block[1] = 0xFE;
        for (std::size_t i = 2; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>('A' + i % 26);
    }
    return r;
}

TEST_F(ModuleAnswers, WriteInPiecesGivesTheRecordThatTheWholeWriteGives) {
    const record::DeviceRecord wanted = changedRecord();
    const Bytes write = protocol::writeRequest(mac(0), WriteKind::FullConfiguration, saveItems(wanted));
    ASSERT_GT(write.size(), 8 * 1024u) << "the write must take several pieces";

    ModuleHost whole(plausibleRecords(3));
    const auto wholeAcks = framesOf(whole.handle(write, kTool));
    ASSERT_EQ(wholeAcks.size(), 1u);
    EXPECT_EQ(wholeAcks[0].code, 0x84);

    const auto pieces = piecesOf(write);
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i)
        EXPECT_TRUE(host.handle(pieces[i], kTool).empty()) << i;
    const auto pieceAcks = framesOf(host.handle(pieces.back(), kTool));
    ASSERT_EQ(pieceAcks.size(), 1u);
    EXPECT_EQ(pieceAcks[0].code, 0x84);
    EXPECT_EQ(pieceAcks[0].mac, mac(0));

    EXPECT_EQ(host.record(0), whole.record(0));
    EXPECT_EQ(host.record(0).name(), wanted.name());
    EXPECT_EQ(host.record(0).u16(384), 4321);
    for (const record::ItemRow& row : record::itemTable()) {
        if (!row.sentBySave) continue;
        EXPECT_EQ(record::encodeValue(host.record(0), row, Direction::Save),
                  record::encodeValue(wanted, row, Direction::Save))
            << "tag " << int{row.tag};
    }
}

struct ResetCase {
    const char* name;
    bool deep;
    bool keepsAddress;
    friend void PrintTo(const ResetCase& c, std::ostream* os) { *os << c.name; }
};

class FactoryReset : public ThreeModules, public ::testing::WithParamInterface<ResetCase> {};

TEST_P(FactoryReset, RestoresTheSettingsOfTheAddressedModuleOnly) {
    const auto change = [](record::DeviceRecord& r) {
        r.setText(record::offset::kDeviceName, 64, "moved");
        r.field(5, 4)[3] = 200;  // its IP address
        r.setU8(40, 1);          // debug mode
        r.field(record::offset::kStatusArea, 1)[0] = 0x5A;
        r.setU8(record::offset::kAccessLock, record::kAccessLockOn);
    };
    host.update(0, change);
    host.update(1, change);
    const record::DeviceRecord before = host.record(1);

    // Module 1 is locked now, so the reset carries its credentials.
    const Bytes reset = protocol::factoryReset(mac(1), GetParam().deep, Route::Local);
    const auto acks = framesOf(host.handle(protocol::withLockPrefix(reset, {"admin", "123456"}), kTool));
    ASSERT_EQ(acks.size(), 1u);
    EXPECT_EQ(acks[0].code, 0x85);
    EXPECT_EQ(acks[0].declaredLength, 0);
    EXPECT_EQ(acks[0].mac, mac(1));

    const record::DeviceRecord after = host.record(1);
    const record::DeviceRecord factory = plausibleRecord(1);
    EXPECT_EQ(after.name(), factory.name());
    EXPECT_EQ(after.u8(40), 0);
    EXPECT_EQ(after.u8(record::offset::kAccessLock), 0) << "a reset ends the lock";
    EXPECT_EQ(after.mac(), factory.mac());
    EXPECT_EQ(after.u8(record::offset::kStatusArea), 0x5A) << "the status area is the module's own";
    const auto ipOf = [](const record::DeviceRecord& r) { return r.field(5, 4)[3]; };
    EXPECT_EQ(ipOf(after), GetParam().keepsAddress ? ipOf(before) : ipOf(factory));
    EXPECT_EQ(host.record(0).name(), "moved");
}

INSTANTIATE_TEST_SUITE_P(Kinds, FactoryReset,
                         ::testing::Values(ResetCase{"ordinary", false, true},
                                           ResetCase{"deep", true, false}),
                         ByName{});

TEST_F(ModuleAnswers, RebootEndsDebugModeOfTheAddressedModuleOnly) {
    const Bytes debugOn = item(protocol::tag::kDebugMode, Bytes{1});
    for (const std::size_t i : {0u, 2u})
        ASSERT_EQ(host.handle(protocol::writeRequest(mac(i), WriteKind::Setting, debugOn), kTool).size(), 1u);
    ASSERT_EQ(host.record(2).u8(40), 1);

    const auto frames = framesOf(host.handle(protocol::reboot(mac(2), Route::Local), kTool));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].code, 0x86);
    EXPECT_EQ(frames[0].mac, mac(2));
    EXPECT_EQ(host.record(2).u8(40), 0);
    EXPECT_EQ(host.record(0).u8(40), 1);
}

TEST_F(ModuleAnswers, RepliesCarryTheRouteFlagOfTheRequest) {
    const Bytes asked{protocol::tag::kDeviceName};
    const std::vector<Bytes> requests{
        protocol::buildFrame(Route::CrossRouter, 0x01, asked, protocol::kAllModules),
        protocol::readRequest(mac(0), asked, Route::CrossRouter),
        protocol::writeRequest(mac(0), WriteKind::Setting, {}, Route::CrossRouter),
        protocol::factoryReset(mac(0), false, Route::CrossRouter),
        protocol::reboot(mac(0), Route::CrossRouter),
    };
    for (const Bytes& request : requests) {
        const auto out = host.handle(request, kTool);
        ASSERT_FALSE(out.empty()) << "code " << int{request[3]};
        for (const Outgoing& o : out) EXPECT_EQ(o.datagram[2], 1) << "code " << int{request[3]};
    }
}

TEST(ModuleHostSize, HoldsOneTo512Modules) {
    EXPECT_THROW(ModuleHost(std::vector<record::DeviceRecord>{}), std::invalid_argument);
    EXPECT_THROW(ModuleHost(plausibleRecords(ModuleHost::kMaxModules + 1)), std::invalid_argument);
    ModuleHost full(plausibleRecords(ModuleHost::kMaxModules));
    EXPECT_EQ(framesOf(full.handle(nameSearch(), kTool)).size(), ModuleHost::kMaxModules);
}

}  // namespace
}  // namespace norvane::sim::test
