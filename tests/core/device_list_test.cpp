#include "record/device_list.h"

#include <gtest/gtest.h>

namespace norvane::record {
namespace {

MacAddress macOf(std::size_t i) {
    return {0x02, 0x4E, 0x56, 0x00, static_cast<std::uint8_t>(i >> 8), static_cast<std::uint8_t>(i)};
}

class DeviceListTest : public testing::Test {
  protected:
    DeviceList list;
};

TEST_F(DeviceListTest, AddsModulesInOrderOfFirstReplyAndFindsThemAgainByMac) {
    const auto a = list.findOrAdd(macOf(7));
    const auto b = list.findOrAdd(macOf(3));
    const auto again = list.findOrAdd(macOf(7));
    EXPECT_TRUE(a.added);
    EXPECT_TRUE(b.added);
    EXPECT_FALSE(again.added);
    EXPECT_EQ(again.index, 0u);
    EXPECT_EQ(again.record, a.record);
    EXPECT_EQ(list.count(), 2u);
    EXPECT_EQ(list[1].mac(), macOf(3));
    EXPECT_EQ(list.find(macOf(9)), -1);
}

TEST_F(DeviceListTest, IgnoresThe513thModuleButStillFindsListedOnes) {
    for (std::size_t i = 0; i < DeviceList::kCapacity; ++i) ASSERT_TRUE(list.findOrAdd(macOf(i)).added);
    const auto extra = list.findOrAdd(macOf(DeviceList::kCapacity));
    EXPECT_EQ(extra.record, nullptr);
    EXPECT_EQ(list.count(), DeviceList::kCapacity);
    EXPECT_EQ(list.findOrAdd(macOf(511)).index, 511u);
}

TEST_F(DeviceListTest, ClearingZeroesEveryRecordInUse) {
    auto slot = list.findOrAdd(macOf(1));
    slot.record->setText(offset::kDeviceName, 64, "old");
    list.clear();
    EXPECT_EQ(list.count(), 0u);
    EXPECT_EQ(list[0], DeviceRecord{});
    EXPECT_TRUE(list.findOrAdd(macOf(2)).added);
    EXPECT_EQ(list[0].name(), "");
}

}  // namespace
}  // namespace norvane::record
