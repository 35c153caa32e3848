// The factory's modules look like real ones: told apart at a glance, and every item answered sensibly.

#include <gtest/gtest.h>

#include <set>

#include "sim_test_support.h"
#include "text/gbk.h"

namespace norvane::sim::test {
namespace {

TEST(PlausibleRecord, TheDefaultThreeModulesDiffer) {
    const auto records = plausibleRecords(3);
    const char* names[] = {"一号车间", "二号车间", "仓库"};
    const char* firmware[] = {"V10020", "V10030", "V10020"};
    std::set<std::string> models;
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(text::gbkToUtf8(records[i].name()), names[i]);
        EXPECT_EQ(records[i].firmware(), firmware[i]);
        models.insert(std::string(records[i].model()));
        EXPECT_EQ(records[i].mac(),
                  (MacAddress{0x02, 0x4E, 0x56, 0x00, 0x00, static_cast<std::uint8_t>(i + 1)}));
    }
    EXPECT_EQ(models.size(), 3u);
}

TEST(PlausibleRecord, FiveHundredTwelveModulesHaveTheirOwnMacAndAnAddressInTheTestNetwork) {
    std::set<MacAddress> macs;
    for (const record::DeviceRecord& r : plausibleRecords(ModuleHost::kMaxModules)) {
        const MacAddress mac = r.mac();
        EXPECT_EQ(mac[0] & 0x03, 0x02) << "unicast and locally administered";
        macs.insert(mac);
        const auto ip = r.field(5, 4);
        EXPECT_EQ((std::array{ip[0], ip[1], ip[2]}), (std::array<std::uint8_t, 3>{198, 51, 100}));
        EXPECT_GE(ip[3], 2);
        EXPECT_LE(ip[3], 253);
        EXPECT_FALSE(r.name().empty());
    }
    EXPECT_EQ(macs.size(), ModuleHost::kMaxModules);
}

TEST(PlausibleRecord, EveryItemHasAValueTheToolTakes) {
    for (const std::size_t index : {0u, 1u, 2u, 511u}) {
        const record::DeviceRecord r = plausibleRecord(index);
        for (const record::ItemRow& row : record::itemTable()) {
            const Bytes value = record::encodeValue(r, row, record::Direction::Reply);
            EXPECT_FALSE(value.empty()) << "module " << index << " tag " << int{row.tag};
            record::DeviceRecord fresh;
            EXPECT_TRUE(record::storeItem(fresh, row.tag, value))
                << "module " << index << " tag " << int{row.tag};
        }
        EXPECT_EQ(r.u8(13148), 1) << "4G on line, so its item reports IMEI and ICCID";
    }
}

}  // namespace
}  // namespace norvane::sim::test
