#include <gtest/gtest.h>

#include "protocol/requests.h"

namespace norvane::protocol {
namespace {

const MacAddress kMac{0x02, 0x4E, 0x56, 0x00, 0x00, 0x09};

Bytes framed(Bytes head) {
    head.insert(head.end(), kMac.begin(), kMac.end());
    head.insert(head.end(), {0x45, 0x2E});
    return head;
}

TEST(MaintenanceRequests, AreTheBytesModulesRelyOn) {
    struct Case {
        const char* name;
        Bytes built;
        Bytes expected;
    };
    const Case cases[] = {
        {"debug mode on", debugMode(kMac, true),
         framed({0x88, 0x3A, 0x00, 0x04, 0x00, 0x05, 0x00, 0x07, 0x00, 0x01, 0x01})},
        {"debug mode off", debugMode(kMac, false),
         framed({0x88, 0x3A, 0x00, 0x04, 0x00, 0x05, 0x00, 0x07, 0x00, 0x01, 0x00})},
        // Sunday 1 January 2023, 08:09:10.
        {"clock calibration", clockCalibration(kMac, {2023, 1, 1, 8, 9, 10, 0}),
         framed({0x88, 0x3A, 0x00, 0x04, 0x00, 0x0B, 0x00, 0xB0, 0x00, 0x08, 0x7B, 0x00, 0x01, 0x08, 0x09,
                 0x0A, 0x00})},
        // Thursday 31 December 2099, 23:59:59.
        {"clock calibration at the end of a year", clockCalibration(kMac, {2099, 12, 31, 23, 59, 59, 4}),
         framed({0x88, 0x3A, 0x00, 0x04, 0x00, 0x0B, 0x00, 0xB0, 0x00, 0x08, 0xC7, 0x0B, 0x1F, 0x17, 0x3B,
                 0x3B, 0x04})},
        {"calibration status", calibrationStatusRead(kMac),
         framed({0x88, 0x3A, 0x00, 0x03, 0x00, 0x02, 0x00, 0xB3})},
        {"calibration values", calibrationValuesRead(kMac),
         framed({0x88, 0x3A, 0x00, 0x03, 0x00, 0x02, 0x00, 0xB4})},
    };
    for (const Case& c : cases) EXPECT_EQ(c.built, c.expected) << c.name;
}

}  // namespace
}  // namespace norvane::protocol
