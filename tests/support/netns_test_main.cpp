// main() for networked tests: it refuses to run any test unless the process sits in a private test
// namespace, so a test started by hand can never send a packet onto a real network.

#include <gtest/gtest.h>

#include <iostream>

#include "netns_guard.h"

int main(int argc, char** argv) {
    if (const auto violation = norvane::test::netnsViolation()) {
        std::cerr << *violation << '\n';
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
