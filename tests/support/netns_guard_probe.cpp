// Started outside any test namespace by expect_refusal.cmake: the guard in main() must stop it first.

#include <gtest/gtest.h>

TEST(NetnsGuardProbe, NeverRunsOutsideATestNamespace) {
    FAIL() << "the namespace guard let a networked test run outside a test namespace";
}
