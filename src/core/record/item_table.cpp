#include "record/item_table.h"

#include <algorithm>
#include <array>

namespace norvane::record {
namespace {

using enum Wire;
using enum ItemKind;
using enum Rule;

// Layouts of one value (or of one entry of a repeated value).
template <std::size_t N>
using Layout = std::array<Segment, N>;

constexpr Layout<1> raw(std::uint16_t offset, std::uint8_t size) {
    return {{{offset, size, Raw}}};
}
constexpr Layout<1> u16(std::uint16_t offset) {
    return {{{offset, 2, U16}}};
}

constexpr auto kIpType = raw(4, 1), kIp = raw(5, 4), kMask = raw(9, 4), kGateway = raw(13, 4),
               kDns = raw(17, 4);
constexpr auto kUserCode = raw(34, 1), kReported06 = Layout<1>{{{36, 4, U32}}}, kDebugMode = raw(40, 1);
constexpr auto kReserved08 = raw(3508, 1);
constexpr auto kReserved09 = Layout<1>{{{3509, 8, Raw, 9}}};  // offset 3517 is cleared with it
constexpr auto kMacAddress = raw(21, 6);
constexpr Layout<2> kSerial{{{27, 4, Raw}, {32, 2, U16}}};
constexpr Layout<2> kRtuReply{{{250, 1, Raw}, {251, 1, Raw}}};
constexpr auto kRtuSave = raw(250, 1);
constexpr auto kDebounce = raw(252, 1);

// TCP B's fields are TCP A's plus 394.
constexpr std::uint16_t kB = 394;
constexpr auto kModeA = raw(254, 1), kModeB = raw(254 + kB, 1);
constexpr auto kTargetPortA = u16(384), kTargetPortB = u16(384 + kB);
constexpr auto kLocalPortA = u16(386), kLocalPortB = u16(386 + kB);
constexpr Layout<2> kIntervalA{{{0, 1, Pad}, {517, 1, Raw}}}, kIntervalB{{{0, 1, Pad}, {517 + kB, 1, Raw}}};
constexpr auto kRegModeA = raw(518, 1), kRegModeB = raw(518 + kB, 1);

constexpr auto kSerialMode = raw(1042, 2), kResponseTimeout = u16(1044), kCommandDelay = u16(1046);

constexpr auto kMqttOn = raw(1240, 1), kMqttPort = u16(1370), kKeepAlive = u16(1568), kQos = raw(1570, 1);
constexpr auto kWill = raw(1571, 1), kRetain = raw(1702, 1), kSsl = raw(2028, 1), kCloud = raw(2030, 1);

constexpr auto kTimerOn = raw(2226, 1);
constexpr Layout<3> kTimerEntry{{{2228, 2, Raw}, {2232, 4, U32}, {2236, 8, Raw}}};
constexpr auto kLinkOn = raw(2740, 1), kTriggerModes = raw(2741, 32);
constexpr Layout<4> kLinkAdcEntry{{{2774, 1, Raw}, {2780, 1, Raw}, {2776, 2, U16}, {2778, 2, U16}}};
constexpr auto kLinkRuleEntry = raw(2838, 9);
constexpr auto kPwmOn = raw(3200, 1);
constexpr Layout<20> pwmPresets(const std::array<std::uint16_t, 20>& order) {
    Layout<20> layout{};
    for (std::size_t i = 0; i < order.size(); ++i)
        layout[i] = {static_cast<std::uint16_t>(3204 + 4 * order[i]), 4, U32};
    return layout;
}
constexpr auto kPwmReply = pwmPresets({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19});
// The module takes values 13 to 19 of a save interleaved.
constexpr auto kPwmSave = pwmPresets({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16, 13, 17, 14, 18, 15, 19});
constexpr auto kUploadOn = raw(3284, 1), kInputUpload = raw(3285, 9);
constexpr Layout<4> kAdcUploadEntry{{{3294, 2, Raw}, {3300, 1, Raw}, {3296, 2, U16}, {3298, 2, U16}}};
constexpr Layout<2> kTimedUpload{{{3358, 1, Raw}, {3360, 2, U16}}};
constexpr auto kUploadFormat = raw(3362, 1), kUploadContent = raw(3363, 1), kUploadRange = raw(3429, 1);
constexpr Layout<3> kCommTimeout{{{3432, 3, Raw}, {3436, 4, U32}, {3440, 9, Raw}}};
constexpr auto kPowerOff = raw(3460, 3), kMotorOn = raw(3463, 1), kMotorSelect = raw(3465, 16);
constexpr auto kFeedbackOn = raw(3482, 1), kFeedbackChannels = raw(3483, 8);
constexpr auto kFeedbackThreshold = u16(3492);
constexpr auto kLockFlag = raw(3582, 1), kSequenceOn = raw(3583, 1);
constexpr auto kStrobeOn = raw(11776, 1);
constexpr Layout<3> kStrobeEntry{{{11780, 1, Raw}, {11784, 4, U32}, {11788, 4, U32}}};
constexpr Layout<2> kCan{{{12164, 1, Raw}, {12168, 4, U32}}};
constexpr auto kHttpOn = raw(12172, 1), kHttpMode = raw(12173, 1), kHttpPort = u16(12174);
constexpr auto kApn = raw(12380, 2), kNetworkMode = raw(12482, 1);

constexpr auto kInputs = raw(12484, 32), kOutputs = raw(12548, 32), kAdc = u16(12612);
constexpr Layout<1> kCounter{{{12740, 4, U32}}};
constexpr auto kClock = raw(12996, 8), kConnections = raw(13012, 10), kMotorStates = raw(13131, 16);
constexpr Layout<12> kDeviceInfo{{{13024, 4, U32},
                                  {13028, 4, U32},
                                  {13032, 4, U32},
                                  {13036, 4, U32},
                                  {13040, 4, U32},
                                  {13044, 4, U32},
                                  {13048, 4, Raw, 32},  // the two version texts: their 64 bytes are cleared;
                                                        // a shorter item fills the numbers it holds whole
                                  {13080, 4, Raw, 32},
                                  {13004, 8, Raw},
                                  {3452, 4, U32},
                                  {3456, 4, U32},
                                  {13130, 1, Raw}}};
constexpr auto kCalibrationStatus = [] {
    Layout<9> layout{{{13112, 1, Raw}}};
    for (std::uint16_t k = 0; k < 8; ++k) layout[1 + k] = {static_cast<std::uint16_t>(13114 + 2 * k), 2, U16};
    return layout;
}();
constexpr auto kCalibrationValue = u16(13114);
// Byte 0 always; bytes 1 to 38 only when byte 0 is 1. The IMEI's field is as wide as IMEI and ICCID together,
// so storing it clears offsets 13149 to 13212 first.
constexpr Layout<6> kFourG{{{13148, 1, Raw},
                            {13246, 1, Raw},
                            {13213, 1, Raw},
                            {13147, 1, Raw},
                            {13149, 15, Raw, 64},
                            {13181, 20, Raw}}};
constexpr Layout<6> kGps{
    {{13288, 2, Raw}, {13290, 2, U16}, {13292, 4, U32}, {13296, 1, Raw}, {13298, 2, U16}, {13300, 4, U32}}};

constexpr ItemRow fixed(std::uint8_t tag, Rule rule, std::uint16_t length, bool save,
                        std::span<const Segment> layout, std::uint8_t repeat = 1, std::uint8_t stride = 0) {
    return {.tag = tag,
            .kind = Fixed,
            .rule = rule,
            .ruleLength = length,
            .sentBySave = save,
            .segments = layout,
            .repeat = repeat,
            .recordStride = stride};
}
constexpr ItemRow strided(std::uint8_t tag, std::uint16_t atLeast, std::span<const Segment> entry,
                          std::uint8_t repeat, std::uint8_t stride, std::uint8_t wireEntrySize) {
    return {.tag = tag,
            .kind = Strided,
            .rule = AtLeast,
            .ruleLength = atLeast,
            .sentBySave = true,
            .segments = entry,
            .repeat = repeat,
            .recordStride = stride,
            .wireEntrySize = wireEntrySize};
}
constexpr ItemRow text(std::uint8_t tag, std::uint16_t offset, std::uint16_t width, std::uint16_t atMost,
                       bool save) {
    return {.tag = tag,
            .kind = Text,
            .rule = AtMost,
            .ruleLength = atMost,
            .sentBySave = save,
            .offset = offset,
            .width = width};
}
// A module reports up to the field's 128 bytes; storing them also sets the count, so that a save right after
// a search sends back what the module holds.
constexpr ItemRow data(std::uint8_t tag, std::uint16_t offset, std::uint16_t countOffset) {
    return {.tag = tag,
            .kind = Data,
            .rule = AtMost,
            .ruleLength = kDataFieldSize,
            .sentBySave = true,
            .offset = offset,
            .width = kDataFieldSize,
            .countOffset = countOffset};
}
constexpr ItemRow script(std::uint8_t tag, std::uint16_t offset) {
    return {.tag = tag,
            .kind = Script,
            .rule = AtMost,
            .ruleLength = kScriptBlockSize,
            .sentBySave = true,
            .offset = offset,
            .width = kScriptBlockSize};
}
constexpr ItemRow one(std::uint8_t tag, std::span<const Segment> layout, bool save = true) {
    return fixed(tag, Exactly, 1, save, layout);
}
constexpr ItemRow oneOrMore(std::uint8_t tag, std::span<const Segment> layout) {
    return fixed(tag, AtLeast, 1, true, layout);
}

constexpr bool kSave = true, kNotSent = false;

constexpr auto kRows = std::to_array<ItemRow>({
    text(0x01, 1048, 64, 63, kNotSent),
    text(0x02, 1112, 64, 63, kNotSent),
    text(0x03, 1176, 64, 63, kNotSent),
    one(0x05, kUserCode),
    fixed(0x06, Exactly, 4, kNotSent, kReported06),
    one(0x07, kDebugMode, kNotSent),
    one(0x08, kReserved08),
    fixed(0x09, Exactly, 8, kNotSent, kReserved09),
    one(0x11, kIpType),
    fixed(0x12, Exactly, 4, kSave, kIp),
    fixed(0x13, Exactly, 4, kSave, kMask),
    fixed(0x14, Exactly, 4, kSave, kGateway),
    fixed(0x15, Exactly, 4, kSave, kDns),
    fixed(0x16, Exactly, 6, kNotSent, kMacAddress),
    fixed(0x17, Exactly, 6, kSave, kSerial),
    text(0x18, 41, 64, 63, kSave),
    text(0x19, 105, 64, 63, kSave),
    text(0x1A, 169, 17, 16, kNotSent),
    text(0x1B, 186, 64, 63, kSave),
    one(0x1C, kModeA),
    text(0x1D, 255, 128, 127, kSave),
    fixed(0x1E, Exactly, 2, kSave, kTargetPortA),
    fixed(0x1F, Exactly, 2, kSave, kLocalPortA),
    data(0x20, 388, 516),
    fixed(0x21, Exactly, 2, kSave, kIntervalA),
    one(0x22, kRegModeA),
    data(0x23, 519, 647),
    one(0x24, kModeB),
    text(0x25, 255 + kB, 128, 127, kSave),
    fixed(0x26, Exactly, 2, kSave, kTargetPortB),
    fixed(0x27, Exactly, 2, kSave, kLocalPortB),
    data(0x28, 388 + kB, 516 + kB),
    fixed(0x29, Exactly, 2, kSave, kIntervalB),
    one(0x2A, kRegModeB),
    data(0x2B, 519 + kB, 647 + kB),
    fixed(0x2C, Exactly, 2, kSave, kSerialMode),
    fixed(0x2D, Exactly, 2, kSave, kResponseTimeout),
    fixed(0x2E, Exactly, 2, kSave, kCommandDelay),
    one(0x30, kMqttOn),
    text(0x31, 1241, 128, 128, kSave),
    fixed(0x32, Exactly, 2, kSave, kMqttPort),
    text(0x33, 1372, 65, 65, kSave),
    text(0x34, 1437, 65, 65, kSave),
    text(0x35, 1502, 65, 65, kSave),
    fixed(0x36, Exactly, 2, kSave, kKeepAlive),
    one(0x37, kQos),
    one(0x38, kWill),
    text(0x39, 1572, 65, 65, kSave),
    text(0x3A, 1703, 65, 65, kSave),
    text(0x3B, 1963, 65, 65, kSave),
    one(0x3C, kCloud),
    text(0x3D, 2031, 65, 65, kSave),
    text(0x3E, 2096, 65, 65, kSave),
    text(0x3F, 2161, 65, 65, kSave),
    one(0x40, kRetain),
    text(0x41, 1637, 65, 65, kSave),
    one(0x42, kSsl),
    text(0x43, 1768, 65, 65, kSave),
    text(0x44, 1833, 65, 65, kSave),
    text(0x45, 1898, 65, 65, kSave),
    {.tag = 0x4F,
     .kind = Fixed,
     .rule = AtLeast,
     .ruleLength = 2,
     .sentBySave = true,
     .segments = kRtuReply,
     .saveSegments = kRtuSave},
    fixed(0x50, Exactly, 32, kNotSent, kInputs),
    fixed(0x51, Exactly, 32, kNotSent, kOutputs),
    fixed(0x52, Exactly, 16, kNotSent, kAdc, 8, 2),
    fixed(0x53, Exactly, 128, kNotSent, kCounter, 32, 4),
    one(0x54, kTimerOn),
    fixed(0x55, AtLeast, 448, kSave, kTimerEntry, 32, 16),
    one(0x56, kPwmOn),
    {.tag = 0x57,
     .kind = Fixed,
     .rule = AtLeast,
     .ruleLength = 80,
     .sentBySave = true,
     .segments = kPwmReply,
     .saveSegments = kPwmSave},
    one(0x58, kLinkOn),
    strided(0x59, 361, kLinkRuleEntry, 40, 9, 9),
    strided(0x5A, 49, kLinkAdcEntry, 8, 8, 6),
    one(0x5B, kUploadOn),
    one(0x5C, kUploadFormat),
    fixed(0x5D, Exactly, 3, kSave, kTimedUpload),
    one(0x5E, kUploadContent),
    fixed(0x5F, Exactly, 9, kSave, kInputUpload),
    strided(0x60, 57, kAdcUploadEntry, 8, 8, 7),
    fixed(0x61, AtLeast, 16, kSave, kCommTimeout),
    oneOrMore(0x62, kDebounce),
    text(0x63, 3364, 65, 64, kSave),
    oneOrMore(0x64, kUploadRange),
    fixed(0x65, AtLeast, 3, kSave, kPowerOff),
    oneOrMore(0x66, kMotorOn),
    fixed(0x67, AtLeast, 16, kSave, kMotorSelect),
    fixed(0x68, AtLeast, 16, kNotSent, kMotorStates),
    oneOrMore(0x69, kFeedbackOn),
    fixed(0x6A, AtLeast, 8, kSave, kFeedbackChannels),
    fixed(0x6B, AtLeast, 16, kSave, kFeedbackThreshold, 8, 2),
    fixed(0x6C, Exactly, 32, kSave, kTriggerModes),
    oneOrMore(0x70, kStrobeOn),
    fixed(0x71, AtLeast, 288, kSave, kStrobeEntry, 32, 12),
    oneOrMore(0x72, kSequenceOn),
    script(0x73, 7680),
    script(0x74, 3584),
    fixed(0x80, AtLeast, 5, kSave, kCan),
    one(0x90, kHttpOn),
    one(0x91, kHttpMode),
    fixed(0x92, Exactly, 2, kSave, kHttpPort),
    text(0x93, 12176, 65, 64, kSave),
    text(0x94, 12241, 128, 127, kSave),
    oneOrMore(0x9F, kLockFlag),
    oneOrMore(0xA0, kNetworkMode),
    fixed(0xA1, AtLeast, 2, kSave, kApn),
    text(0xA2, 12382, 32, 31, kSave),
    text(0xA3, 12414, 32, 31, kSave),
    text(0xA4, 12446, 32, 31, kSave),
    text(0xA5, 13247, 20, 20, kNotSent),
    text(0xA6, 13267, 20, 20, kNotSent),
    fixed(0xB0, Exactly, 8, kNotSent, kClock),
    fixed(0xB1, AtLeast, 10, kNotSent, kConnections),
    {.tag = 0xB2,
     .kind = Fixed,
     .rule = AtLeast,
     .ruleLength = 24,
     .sentBySave = false,
     .segments = kDeviceInfo},
    fixed(0xB3, AtLeast, 17, kNotSent, kCalibrationStatus),
    fixed(0xB4, AtLeast, 16, kNotSent, kCalibrationValue, 8, 2),
    {.tag = 0xB6, .kind = FourG, .rule = AtLeast, .ruleLength = 1, .sentBySave = false, .segments = kFourG},
    fixed(0xB8, AtLeast, 15, kNotSent, kGps),
});

static_assert(std::ranges::is_sorted(kRows, {}, &ItemRow::tag),
              "rows stand in tag order, the order a save sends");

constexpr auto kIndex = [] {
    std::array<std::int16_t, 256> index{};
    index.fill(-1);
    for (std::size_t i = 0; i < kRows.size(); ++i) index[kRows[i].tag] = static_cast<std::int16_t>(i);
    return index;
}();

}  // namespace

std::span<const ItemRow> itemTable() {
    return kRows;
}

const ItemRow* findItem(std::uint8_t tag) {
    const auto i = kIndex[tag];
    return i < 0 ? nullptr : &kRows[static_cast<std::size_t>(i)];
}

}  // namespace norvane::record
