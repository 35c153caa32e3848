#include "link_fixture.h"
#include "protocol/requests.h"
#include "text/gbk.h"

namespace norvane::e2e {
namespace {

using record::DeviceRecord;

class DiscoveryTest : public LinkFixture {
  protected:
    void search() {
        list.clear();
        link->send(protocol::searchFrame(protocol::Route::Local));
    }
};

TEST_F(DiscoveryTest, ABroadcastSearchFindsEveryModuleWithItsChineseName) {
    startModules(3);
    search();
    ASSERT_TRUE(waitFor([&] { return list.count() == 3; })) << list.count() << " modules found";
    settle();
    ASSERT_EQ(list.count(), 3u);
    const char* const names[] = {"一号车间", "二号车间", "仓库"};
    for (std::size_t i = 0; i < 3; ++i) {
        const DeviceRecord expected = host->record(i);
        const int at = list.find(expected.mac());
        ASSERT_GE(at, 0) << i;
        const DeviceRecord& found = list[static_cast<std::size_t>(at)];
        EXPECT_EQ(text::gbkToUtf8(found.name()), names[i]);
        EXPECT_EQ(found.firmware(), expected.firmware());
        EXPECT_EQ(found.model(), expected.model());
        EXPECT_EQ(found.sourceAddress(), (std::array<std::uint8_t, 4>{198, 51, 100, 1}));
    }
}

TEST_F(DiscoveryTest, AllOf512ModulesAreFound) {
    startModules(512);
    search();
    EXPECT_TRUE(waitFor([&] { return list.count() == 512; }, 10000)) << list.count() << " modules found";
}

TEST_F(DiscoveryTest, ASplitReplyGivesTheSameRecordAsOneUnsplitReply) {
    startModules(1);
    search();
    ASSERT_TRUE(waitFor([&] { return list.count() == 1; }));
    settle();
    const auto datagrams = std::ranges::count_if(
        outcomes, [](const record::ReplyOutcome& o) { return o.kind == record::ReplyOutcome::Kind::Listed; });
    ASSERT_GT(datagrams, 1) << "a full search reply does not fit one Ethernet frame";

    // The same items in one frame, as a module without the frame limit would send them.
    const DeviceRecord module = host->record(0);
    Bytes items;
    for (const std::uint8_t tag : protocol::kSearchTags)
        if (const auto* row = record::findItem(tag))
            record::appendItem(items, module, *row, record::Direction::Reply);
    const Bytes whole = protocol::buildFrame(protocol::Route::Local, 0x81, items, module.mac());
    record::DeviceList direct;
    record::ReplyHandler(direct).handle({198, 51, 100, 1}, whole);
    EXPECT_TRUE(list[0] == direct[0]);
}

TEST_F(DiscoveryTest, AWrittenNameIsWhatTheNextSearchReads) {
    startModules(3);
    search();
    ASSERT_TRUE(waitFor([&] { return list.count() == 3; }));
    const MacAddress target = host->record(1).mac();

    Bytes items;
    const std::string name = text::utf8ToGbk("三号车间");
    protocol::ItemWriter(items).add(
        0x1B, ByteView(reinterpret_cast<const std::uint8_t*>(name.data()), name.size()));
    link->send(protocol::writeRequest(target, protocol::WriteKind::Setting, items));
    ASSERT_TRUE(waitFor([&] { return acknowledgements(0x84, target) == 1; }));

    settle();
    search();
    ASSERT_TRUE(waitFor([&] { return list.count() == 3; }));
    settle();
    EXPECT_EQ(text::gbkToUtf8(list[static_cast<std::size_t>(list.find(target))].name()), "三号车间");
    EXPECT_EQ(text::gbkToUtf8(list[static_cast<std::size_t>(list.find(host->record(0).mac()))].name()),
              "一号车间");
}

}  // namespace
}  // namespace norvane::e2e
