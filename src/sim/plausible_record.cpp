#include "sim/plausible_record.h"

#include <algorithm>
#include <array>
#include <string>

#include "text/gbk.h"

namespace norvane::sim {
namespace {

using record::DeviceRecord;

constexpr std::array<std::string_view, 3> kFirmware{"V10020", "V10030", "V10020"};
constexpr std::array<std::string_view, 3> kModels{"NV-3232", "NV-1616", "NV-0808"};
constexpr std::array<std::string_view, 3> kNames{"一号车间", "二号车间", "仓库"};

void setBytes(DeviceRecord& r, std::size_t offset, std::initializer_list<std::uint8_t> values) {
    std::ranges::copy(values, r.field(offset, values.size()).begin());
}

// Texts are written here in UTF-8; the record holds GBK.
void setText(DeviceRecord& r, std::size_t offset, std::size_t width, std::string_view utf8) {
    r.setText(offset, width, text::utf8ToGbk(utf8));
}

void copyInto(DeviceRecord& r, std::size_t offset, std::string_view bytes) {
    std::ranges::copy(bytes, r.field(offset, bytes.size()).begin());
}

// Heartbeat or registration data, and the byte count the module keeps beside it.
void setData(DeviceRecord& r, std::size_t offset, std::size_t countOffset, std::string_view content) {
    copyInto(r, offset, content);
    r.setU8(countOffset, static_cast<std::uint8_t>(content.size()));
}

// A sequence script block: its length (u16 big-endian), then the script.
void setScript(DeviceRecord& r, std::size_t offset, std::string_view script) {
    setBytes(r, offset,
             {static_cast<std::uint8_t>(script.size() >> 8), static_cast<std::uint8_t>(script.size())});
    copyInto(r, offset + 2, script);
}

// A number in decimal, zero-filled to `width` digits.
std::string decimal(std::size_t value, std::size_t width) {
    std::string digits = std::to_string(value);
    return std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
}

std::string macDigits(const MacAddress& mac) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string digits;
    for (const std::uint8_t byte : mac) digits += {kHex[byte >> 4], kHex[byte & 0x0F]};
    return digits;
}

void identity(DeviceRecord& r, std::size_t index) {
    const auto number = static_cast<std::uint16_t>(index + 1);
    r.setMac(
        {0x02, 0x4E, 0x56, 0x00, static_cast<std::uint8_t>(number >> 8), static_cast<std::uint8_t>(number)});
    setText(r, record::offset::kFirmware, 64, kFirmware[index % 3]);
    setText(r, 1112, 64, "H1.2");  // the identity text reported beside the firmware
    setText(r, record::offset::kModel, 64, kModels[index % 3]);
    setText(r, record::offset::kDeviceName, 64,
            index < kNames.size() ? std::string(kNames[index]) : "分站" + std::to_string(number));
    setText(r, 169, 17, "NV24" + decimal(number, 6));
    r.setU8(34, 1);  // user code
    r.setU32(36, 1000u + number);
    setText(r, record::offset::kUserName, 64, "admin");
    setText(r, record::offset::kPassword, 64, "123456");
}

void network(DeviceRecord& r, std::size_t index) {
    r.setU8(4, 0);  // static address
    setBytes(r, 5, {198, 51, 100, static_cast<std::uint8_t>(10 + index % 240)});
    setBytes(r, 9, {255, 255, 255, 0});
    setBytes(r, 13, {198, 51, 100, 254});
    setBytes(r, 17, {198, 51, 100, 254});
}

void serialPort(DeviceRecord& r, std::size_t index) {
    setBytes(r, 27, {3, 0, 8, 0});  // 9600 baud, no parity, 8 data bits, 1 stop bit
    r.setU16(32, 20);               // packing time, ms
    r.setU8(250, static_cast<std::uint8_t>(1 + index % 247));  // RTU address
    r.setU8(251, 1);
    r.setU8(252, 20);  // input debounce
    setBytes(r, 1042, {0x01, 0x00});
    r.setU16(1044, 500);  // response time-out
    r.setU16(1046, 20);   // delay between commands
}

// TCP channel B's fields lie 394 bytes after channel A's.
void tcpChannels(DeviceRecord& r, const std::string& id) {
    r.setU8(254, 1);
    setText(r, 255, 128, "tcp-a.example.net");
    r.setU16(384, 8000);
    r.setU16(386, 6001);
    setData(r, 388, 516, "PING");
    r.setU8(517, 30);  // heartbeat interval
    r.setU8(518, 1);
    setData(r, 519, 647, "REG-" + id);

    r.setU8(648, 2);
    setText(r, 649, 128, "tcp-b.example.net");
    r.setU16(778, 9000);
    r.setU16(780, 6002);
    setData(r, 782, 910, "\xAA\x55\x01");
    r.setU8(911, 60);
    r.setU8(912, 0);
    setData(r, 913, 1041, id);
}

void mqtt(DeviceRecord& r, const std::string& id) {
    const std::string topic = "norvane/" + id;
    r.setU8(1240, 1);
    setText(r, 1241, 128, "mqtt.example.net");
    r.setU16(1370, 1883);
    setText(r, 1372, 65, "nv-" + id);
    setText(r, 1437, 65, "norvane");
    setText(r, 1502, 65, "mqtt-pass");
    r.setU16(1568, 60);  // keep-alive
    r.setU8(1570, 1);    // QoS
    r.setU8(1571, 1);    // last will
    setText(r, 1572, 65, topic + "/will");
    setText(r, 1637, 65, "offline");
    r.setU8(1702, 0);  // retain
    setText(r, 1703, 65, topic + "/up");
    setText(r, 1768, 65, topic + "/down");
    setText(r, 1833, 65, topic + "/status");
    setText(r, 1898, 65, topic + "/alarm");
    setText(r, 1963, 65, topic + "/set");
    r.setU8(2028, 0);  // SSL
    r.setU8(2030, 0);  // cloud
    setText(r, 2031, 65, "cloud.example.net");
    setText(r, 2096, 65, "product-" + id.substr(6));
    setText(r, 2161, 65, "secret-" + id.substr(6));
}

void timersAndLinkage(DeviceRecord& r) {
    r.setU8(2226, 1);
    for (std::uint8_t k = 0; k < 4; ++k) {
        const std::size_t entry = 2228 + 16u * k;
        setBytes(r, entry, {1, k});                           // on, output
        r.setU32(entry + 4, 8u * 3600 + 1800u * k);           // time of day, seconds
        setBytes(r, entry + 8, {0x7F, 1, 0, 0, 0, 0, 0, 0});  // every weekday, switch on
    }
    r.setU8(2740, 1);
    for (std::uint8_t k = 0; k < 32; ++k) r.setU8(2741u + k, k % 3);  // trigger modes
    for (std::uint8_t k = 0; k < 8; ++k) {
        const std::size_t entry = 2774 + 8u * k;
        r.setU8(entry, k < 2 ? 1 : 0);
        r.setU16(entry + 2, 100);   // low threshold
        r.setU16(entry + 4, 3000);  // high threshold
        r.setU8(entry + 6, k);      // output
    }
    for (std::uint8_t k = 0; k < 4; ++k) setBytes(r, 2838 + 9u * k, {1, k, k, 1, 0, 0, 0, 0, 0});
    r.setU8(3200, 0);
    for (std::uint32_t k = 0; k < 20; ++k) r.setU32(3204 + 4 * k, 100 * (k + 1));  // PWM presets
}

void uploads(DeviceRecord& r) {
    r.setU8(3284, 1);
    setBytes(r, 3285, {1, 1, 1, 1, 0, 0, 0, 0, 1});
    for (std::uint8_t k = 0; k < 8; ++k) {
        const std::size_t entry = 3294 + 8u * k;
        setBytes(r, entry, {k < 4 ? std::uint8_t{1} : std::uint8_t{0}, k});
        r.setU16(entry + 2, 50);
        r.setU16(entry + 4, 4000);
        r.setU8(entry + 6, 1);
    }
    r.setU8(3358, 1);
    r.setU16(3360, 60);  // timed upload, seconds
    r.setU8(3362, 0);    // format
    r.setU8(3363, 1);    // content
    setText(r, 3364, 65, "{\"id\":\"%ID%\",\"di\":\"%DI%\"}");
    r.setU8(3429, 0);
    setBytes(r, 3432, {1, 0, 1});  // communication time-out: on, action
    r.setU32(3436, 300);
    setBytes(r, 3440, {0, 0, 0, 0, 0, 0, 0, 0, 0});
}

void outputsAndMotors(DeviceRecord& r) {
    setBytes(r, 3460, {0, 1, 0});  // power-off behaviour
    r.setU8(3463, 0);
    for (std::uint8_t k = 0; k < 16; ++k) r.setU8(3465u + k, k % 2);
    r.setU8(3482, 0);
    for (std::uint8_t k = 0; k < 8; ++k) r.setU8(3483u + k, k);
    for (std::uint16_t k = 0; k < 8; ++k) r.setU16(3492u + 2u * k, static_cast<std::uint16_t>(100 * (k + 1)));
    r.setU32(3452, 42);  // restarts so far
    r.setU32(3456, 86400);
    r.setU8(11776, 0);
    for (std::uint32_t k = 0; k < 4; ++k) {
        const std::size_t entry = 11780 + 12 * k;
        r.setU8(entry, static_cast<std::uint8_t>(k));
        r.setU32(entry + 4, 500);  // on, ms
        r.setU32(entry + 8, 500);  // off, ms
    }
}

void scripts(DeviceRecord& r) {
    r.setU8(3583, 1);
    setScript(r, 3584, "IF DI1=1 THEN DO1=1\r\nDELAY 500\r\nDO1=0\r\n");
    setScript(r, 7680, "LOOP\r\nDO2=1\r\nDELAY 1000\r\nDO2=0\r\nDELAY 1000\r\nEND\r\n");
}

void canHttpAnd4G(DeviceRecord& r) {
    r.setU8(12164, 1);
    r.setU32(12168, 250000);  // CAN bit rate
    r.setU8(12172, 0);
    r.setU8(12173, 0);
    r.setU16(12174, 80);
    setText(r, 12176, 65, "http.example.net");
    setText(r, 12241, 128, "/api/report");
    setBytes(r, 12380, {0, 1});
    setText(r, 12382, 32, "cmnet");
    setText(r, 12414, 32, "card");
    setText(r, 12446, 32, "card");
    r.setU8(12482, 1);  // network mode
}

void status(DeviceRecord& r, std::size_t index) {
    for (std::uint8_t k = 0; k < 32; ++k) {
        r.setU8(12484u + k, k % 3 == 0 ? 1 : 0);  // inputs
        r.setU8(12548u + k, k % 4 == 1 ? 1 : 0);  // outputs
    }
    for (std::uint16_t k = 0; k < 8; ++k) r.setU16(12612u + 2u * k, static_cast<std::uint16_t>(400 + 37 * k));
    for (std::uint32_t k = 0; k < 32; ++k)
        r.setU32(12740 + 4 * k, 11 * k + static_cast<std::uint32_t>(index));
    setBytes(r, record::offset::kClock, {124, 4, 18, 8, 30, 0, 6, 0});  // Saturday 2024-05-18 08:30:00
    setBytes(r, 13004, {124, 4, 18, 7, 55, 12, 6, 0});                  // when it started
    setBytes(r, 13012, {1, 1, 0, 0, 1, 0, 0, 0, 0, 0});                 // connections up
    for (std::uint32_t k = 0; k < 6; ++k) r.setU32(13024 + 4 * k, 2100 + 100 * k);
    setText(r, 13048, 32, "1.02");
    setText(r, 13080, 32, "2.10");
    r.setU8(13112, 0);
    for (std::uint16_t k = 0; k < 8; ++k) r.setU16(13114u + 2u * k, static_cast<std::uint16_t>(1000 + k));
    r.setU8(13130, 1);
    for (std::uint8_t k = 0; k < 16; ++k) r.setU8(13131u + k, k % 2);  // motor states
    // 4G: signal, state 1 (on line, which the rest of its item needs), IMEI, ICCID, and what the card
    // reports.
    r.setU8(13147, 23);
    r.setU8(13148, 1);
    setText(r, 13149, 15, "8612340" + decimal(index + 1, 8));
    setText(r, 13181, 20, "8986001234" + decimal(index + 1, 10));
    r.setU8(13213, 1);
    r.setU8(13246, 3);
    // The carrier's address and the address it maps to, both in documentation ranges.
    setText(r, 13247, 20, "203.0.113." + std::to_string(1 + index % 250));
    setText(r, 13267, 20, "198.51.100." + std::to_string(100 + index % 100));
    // GPS: fixed, north 31.230416, east 121.473701.
    setBytes(r, 13288, {1, 'N'});
    r.setU16(13290, 31);
    r.setU32(13292, 230416);
    r.setU8(13296, 'E');
    r.setU16(13298, 121);
    r.setU32(13300, 473701);
}

}  // namespace

DeviceRecord plausibleRecord(std::size_t index) {
    DeviceRecord r;
    identity(r, index);
    const std::string id = macDigits(r.mac());
    network(r, index);
    serialPort(r, index);
    tcpChannels(r, id);
    mqtt(r, id);
    timersAndLinkage(r);
    uploads(r);
    outputsAndMotors(r);
    scripts(r);
    canHttpAnd4G(r);
    status(r, index);
    return r;
}

std::vector<DeviceRecord> plausibleRecords(std::size_t count, std::size_t first) {
    std::vector<DeviceRecord> records;
    records.reserve(count);
    for (std::size_t i = first; i < first + count; ++i) records.push_back(plausibleRecord(i));
    return records;
}

}  // namespace norvane::sim
