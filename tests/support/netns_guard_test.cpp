#include "netns_guard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

namespace norvane::test {
namespace {

using testing::AllOf;
using testing::HasSubstr;
using testing::Not;

struct NamesCase {
    const char* label;
    std::vector<std::string> names;
};

class AcceptedNames : public testing::TestWithParam<NamesCase> {};

TEST_P(AcceptedNames, AreATestNamespace) {
    EXPECT_EQ(checkInterfaceNames(GetParam().names), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(NetnsGuard, AcceptedNames,
                         testing::Values(NamesCase{"fresh", {"lo", "nvt0", "nvt1"}},
                                         NamesCase{"segment2_main", {"lo", "nvt0", "nvt2"}},
                                         NamesCase{"loopback_only", {"lo"}},
                                         NamesCase{"two_digit_card", {"lo", "nvt12"}}, NamesCase{"none", {}}),
                         [](const auto& tested) { return std::string(tested.param.label); });

struct RefusedCase {
    const char* label;
    std::vector<std::string> names;
    std::string named;  // the interface the message must blame
};

class RefusedNames : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedNames, AreBlamedByName) {
    const auto message = checkInterfaceNames(GetParam().names);
    ASSERT_TRUE(message.has_value());
    EXPECT_THAT(*message,
                AllOf(HasSubstr("refusing to run"), HasSubstr("interface " + GetParam().named + " "),
                      HasSubstr("scripts/netns-run")));
}

// Near misses of "lo" and "nvt" must not pass for test cards.
INSTANTIATE_TEST_SUITE_P(NetnsGuard, RefusedNames,
                         testing::Values(RefusedCase{"machine_card", {"lo", "eth0"}, "eth0"},
                                         RefusedCase{
                                             "beside_test_cards", {"lo", "nvt0", "ifb0", "nvt1"}, "ifb0"},
                                         RefusedCase{"loopback_lookalike", {"lo0"}, "lo0"},
                                         RefusedCase{"upper_case", {"lo", "NVT0"}, "NVT0"},
                                         RefusedCase{"prefix_inside", {"lo", "xnvt0"}, "xnvt0"},
                                         RefusedCase{"short_prefix", {"lo", "nv0"}, "nv0"}),
                         [](const auto& tested) { return std::string(tested.param.label); });

TEST(NetnsGuard, NamesEveryForeignCardAndNoTestCard) {
    const auto message = checkInterfaceNames({"lo", "eth0", "nvt0", "wlan0"});
    ASSERT_TRUE(message.has_value());
    EXPECT_THAT(*message, AllOf(HasSubstr("interfaces eth0, wlan0 are not cards"), Not(HasSubstr("nvt0")),
                                Not(HasSubstr("lo,"))));
}

// Every namespace has lo: a reader that misses it would also miss the cards the guard must see.
TEST(NetnsGuard, ReadsEveryInterfaceOnce) {
    const auto names = interfaceNames();
    const std::set<std::string> unique(names.begin(), names.end());
    EXPECT_EQ(unique.size(), names.size());
    EXPECT_TRUE(unique.contains("lo"));
}

}  // namespace
}  // namespace norvane::test
