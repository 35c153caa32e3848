#pragma once

#include <string>

#include "record/device_record.h"

namespace norvane::record::testing {

inline const MacAddress kKnownMac{0x02, 0x4E, 0x56, 0x00, 0x00, 0x07};

// A script block's length prefix is stored high byte first.
inline void setScriptLength(DeviceRecord& r, std::size_t block, std::size_t length) {
    r.setU8(block, static_cast<std::uint8_t>(length >> 8));
    r.setU8(block + 1, static_cast<std::uint8_t>(length));
}

// A record with a few fields of each kind set, and fields a save never sends set as well.
inline DeviceRecord knownRecord() {
    DeviceRecord r;
    r.setMac(kKnownMac);
    r.setSourceAddress({198, 51, 100, 7});
    r.setText(1048, 64, "V10020");
    r.setText(1176, 64, "AB-8");
    r.setU8(4, 1);
    r.setU32(5, 0x3201A8C0);  // 192.168.1.50, first octet at the lowest offset
    r.setU32(9, 0x00FFFFFF);
    r.setU32(13, 0x0101A8C0);
    r.setU32(17, 0x08080808);
    r.setU8(27, 7);  // baud index, parity, data bits, stop bits, packing time
    r.setU8(28, 1);
    r.setU8(29, 8);
    r.setU8(30, 0);
    r.setU16(32, 306);
    r.setU8(36, 0x99);  // reported by the module only
    r.setU8(40, 1);     // debug mode: switched by its own write
    r.setText(169, 17, "reported");
    r.setText(186, 64, "\xD2\xBB\xBA\xC5\xB3\xB5\xBC\xE4");  // 一号车间
    r.setU8(250, 17);                                        // RTU address; 251 says it may be edited
    r.setU8(251, 1);
    r.setU8(254, 2);  // TCP A: client to 10.0.0.9:502
    r.setText(255, 128, "10.0.0.9");
    r.setU16(384, 502);
    r.setText(388, 128, "pingXYZ");  // heartbeat: only the first 4 bytes count
    r.setU8(516, 4);
    r.setU8(517, 30);
    r.setU8(518, 1);
    r.setU8(519, 0x00);  // registration data typed as hex: a zero byte is data, not an end
    r.setU8(520, 0xFF);
    r.setU8(521, 0x10);
    r.setU8(647, 3);
    r.setU8(3200, 1);
    for (std::uint32_t k = 0; k < 20; ++k) r.setU32(3204 + 4 * k, 1000 + k);
    r.setU8(3508, 0x5A);  // reserved, carried unchanged
    r.setU8(3582, 0x78);  // access lock on
    r.setU8(3583, 1);
    // Main program: y5=1; (prefix 3, then 01 05 01).
    setScriptLength(r, 3584, 3);
    r.setU8(3586, 0x01);
    r.setU8(3587, 0x05);
    r.setU8(3588, 0x01);
    // Trigger blocks claim 4095 bytes: with their prefix more than the block holds.
    setScriptLength(r, 7680, 4095);
    r.setU8(7682, 0x33);
    r.setU32(12372, 113838871);  // GPS preset: never on the wire
    r.setU8(12484, 1);           // status area
    r.setU8(12996, 123);
    r.setText(13247, 20, "10.1.2.3");
    return r;
}

// A record with nothing set but its MAC and firmware text, and a main program of `scriptBytes` bytes.
inline DeviceRecord recordWithScript(std::size_t scriptBytes, std::string_view firmware) {
    DeviceRecord r;
    r.setMac(kKnownMac);
    r.setText(1048, 64, firmware);
    setScriptLength(r, 3584, scriptBytes);
    for (std::size_t i = 0; i < scriptBytes; ++i) r.setU8(3586 + i, static_cast<std::uint8_t>(1 + i % 200));
    return r;
}

}  // namespace norvane::record::testing
