// Showing a record in the main window's controls, and the enabling rules, on real widgets without a socket.
#include "app/show_record.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <functional>
#include <set>

#include "app/main_window_controls.h"
#include "controls/control_id.h"
#include "record/device_record.h"
#include "text/gbk.h"

namespace norvane::ui {
namespace {

using record::DeviceRecord;

void setText(DeviceRecord& r, std::size_t offset, std::size_t width, const char* utf8) {
    r.setText(offset, width, text::utf8ToGbk(utf8));
}
void setBytes(DeviceRecord& r, std::size_t offset, std::initializer_list<std::uint8_t> bytes) {
    std::ranges::copy(bytes, r.field(offset, bytes.size()).begin());
}

class MainWindowControls : public testing::Test {
  protected:
    MainWindowControls() { buildMainWindowControls(window); }

    // What a control shows, as the user reads it: "-" for a drop-down list with nothing selected.
    QString shown(int id) const {
        QWidget* control = findControl(window, id);
        if (!control) return QStringLiteral("<no control %1>").arg(id);
        if (auto* combo = qobject_cast<QComboBox*>(control))
            return !combo->isEditable() && combo->currentIndex() < 0 ? QStringLiteral("-")
                                                                     : combo->currentText();
        if (auto* box = qobject_cast<QCheckBox*>(control))
            return box->isChecked() ? QStringLiteral("checked") : QStringLiteral("clear");
        if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
        if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
        return QStringLiteral("<unknown control %1>").arg(id);
    }

    void check(int id, bool on) { findControl<QCheckBox>(window, id)->setChecked(on); }

    QWidget window;
    DeviceRecord record;
};

struct ShowCase {
    const char* name;
    std::function<void(DeviceRecord&)> fill;
    int id;
    const char* expected;
    int hexBoxChecked = 0;
};

class ShowRecord : public MainWindowControls, public testing::WithParamInterface<ShowCase> {};

TEST_P(ShowRecord, TheControlShowsTheField) {
    const ShowCase& c = GetParam();
    c.fill(record);
    if (c.hexBoxChecked) check(c.hexBoxChecked, true);
    showRecord(window, record);
    EXPECT_EQ(shown(c.id), QString::fromUtf8(c.expected));
}

const std::string kText128(128, 'x');
// 128 bytes "00 01 ... 7f " as the hex display writes them.
const std::string kHex128 = [] {
    std::string out;
    constexpr char kDigits[] = "0123456789abcdef";
    for (int i = 0; i < 128; ++i) out += {kDigits[i >> 4], kDigits[i & 15], ' '};
    return out;
}();

const ShowCase kShowCases[] = {
    {"ip_type", [](DeviceRecord& r) { r.setU8(4, 1); }, 1008, "动态"},
    {"ip_address",
     [](DeviceRecord& r) {
         setBytes(r, 5, {198, 51, 100, 7});
     },
     1009, "198.51.100.7"},
    {"mask",
     [](DeviceRecord& r) {
         setBytes(r, 9, {255, 255, 254, 0});
     },
     1011, "255.255.254.0"},
    {"gateway",
     [](DeviceRecord& r) {
         setBytes(r, 13, {198, 51, 100, 254});
     },
     1010, "198.51.100.254"},
    {"dns",
     [](DeviceRecord& r) {
         setBytes(r, 17, {203, 0, 113, 53});
     },
     1012, "203.0.113.53"},
    {"mac_upper_case",
     [](DeviceRecord& r) {
         r.setMac({0x02, 0x4E, 0x56, 0x0A, 0xBC, 0xFF});
     },
     1013, "02-4E-56-0A-BC-FF"},
    {"user_name_gbk", [](DeviceRecord& r) { setText(r, 41, 64, "管理员"); }, 1019, "管理员"},
    {"password", [](DeviceRecord& r) { setText(r, 105, 64, "pw-1234"); }, 1024, "pw-1234"},
    {"rtu_address", [](DeviceRecord& r) { r.setU8(250, 247); }, 1025, "247"},
    {"baud_rate", [](DeviceRecord& r) { r.setU8(27, 9); }, 1014, "115200"},
    {"baud_rate_last", [](DeviceRecord& r) { r.setU8(27, 13); }, 1014, "460800"},
    {"baud_rate_outside_list", [](DeviceRecord& r) { r.setU8(27, 14); }, 1014, "-"},
    {"parity", [](DeviceRecord& r) { r.setU8(28, 2); }, 1017, "ODD"},
    {"data_bits_as_bits", [](DeviceRecord& r) { r.setU8(29, 8); }, 1016, "8"},
    {"data_bits_below_seven", [](DeviceRecord& r) { r.setU8(29, 6); }, 1016, "-"},
    {"stop_bits", [](DeviceRecord& r) { r.setU8(30, 1); }, 1015, "1.5"},
    {"packing_time_u16", [](DeviceRecord& r) { r.setU16(32, 1500); }, 1018, "1500"},
    {"mode_a_outside_list", [](DeviceRecord& r) { r.setU8(254, 5); }, 1026, "-"},
    {"mode_b", [](DeviceRecord& r) { r.setU8(648, 4); }, 1032, "UDP_CLIENT"},
    {"target_a", [](DeviceRecord& r) { setText(r, 255, 128, "tcp.example.net"); }, 1027, "tcp.example.net"},
    {"target_b", [](DeviceRecord& r) { setText(r, 649, 128, "203.0.113.9"); }, 1050, "203.0.113.9"},
    {"target_port_full_range", [](DeviceRecord& r) { r.setU16(384, 65535); }, 1028, "65535"},
    {"local_port_a", [](DeviceRecord& r) { r.setU16(386, 6001); }, 1029, "6001"},
    {"target_port_b", [](DeviceRecord& r) { r.setU16(778, 9000); }, 1051, "9000"},
    {"local_port_b", [](DeviceRecord& r) { r.setU16(780, 6002); }, 1055, "6002"},
    {"heartbeat_as_text", [](DeviceRecord& r) { setText(r, 388, 128, "PING"); }, 1030, "PING"},
    {"heartbeat_as_hex",
     [](DeviceRecord& r) {
         setBytes(r, 388, {0x41, 0x0D});
         r.setU8(516, 2);
     },
     1030, "41 0d ", 1039},
    {"heartbeat_hex_without_count", [](DeviceRecord& r) { setText(r, 388, 128, "PING"); }, 1030, "", 1039},
    {"heartbeat_hex_count_past_field",
     [](DeviceRecord& r) {
         for (std::uint8_t i = 0; i < 128; ++i) r.setU8(388u + i, i);
         r.setU8(516, 200);
     },
     1030, kHex128.c_str(), 1039},
    {"heartbeat_text_filling_field",
     [](DeviceRecord& r) {
         for (std::size_t i = 0; i < 128; ++i) r.setU8(388 + i, 'x');
         r.setU8(516, 'y');  // the byte after the field is not part of the text
     },
     1030, kText128.c_str()},
    {"interval_a", [](DeviceRecord& r) { r.setU8(517, 30); }, 1031, "30"},
    {"registration_mode_a", [](DeviceRecord& r) { r.setU8(518, 3); }, 1034, "同时支持以上两者"},
    {"registration_a_hex",
     [](DeviceRecord& r) {
         setBytes(r, 519, {0xAB, 0x00, 0x01});
         r.setU8(647, 3);
     },
     1033, "ab 00 01 ", 1038},
    {"heartbeat_b_hex",
     [](DeviceRecord& r) {
         setBytes(r, 782, {0xFF});
         r.setU8(910, 1);
     },
     1056, "ff ", 1062},
    {"interval_b", [](DeviceRecord& r) { r.setU8(911, 255); }, 1057, "255"},
    {"registration_mode_b", [](DeviceRecord& r) { r.setU8(912, 1); }, 1059, "连接上服务器时，发送一次"},
    {"registration_b_text", [](DeviceRecord& r) { setText(r, 913, 128, "注册"); }, 1058, "注册"},
    {"registration_b_hex",
     [](DeviceRecord& r) {
         setBytes(r, 913, {0x01, 0x02});
         r.setU8(1041, 2);
     },
     1058, "01 02 ", 1061},
    {"serial_mode", [](DeviceRecord& r) { r.setU8(1042, 2); }, 1290, "一问一答"},
    {"serial_master", [](DeviceRecord& r) { r.setU8(1043, 1); }, 1081, "checked"},
    {"response_timeout", [](DeviceRecord& r) { r.setU16(1044, 500); }, 1035, "500"},
    {"command_delay", [](DeviceRecord& r) { r.setU16(1046, 20); }, 1044, "20"},
    {"mqtt", [](DeviceRecord& r) { r.setU8(1240, 1); }, 1053, "checked"},
    {"mqtt_connected",
     [](DeviceRecord& r) {
         r.setU8(1240, 1);
         r.setU8(13016, 1);
     },
     1227, "已连接"},
    {"mqtt_not_connected", [](DeviceRecord& r) { r.setU8(1240, 1); }, 1227, "未连接"},
    {"mqtt_off_says_nothing", [](DeviceRecord& r) { r.setU8(13016, 1); }, 1227, ""},
    {"http_connected",
     [](DeviceRecord& r) {
         r.setU8(12172, 1);
         r.setU8(13021, 1);
     },
     1229, "已连接"},
    {"http_off_says_nothing", [](DeviceRecord& r) { r.setU8(13021, 1); }, 1229, ""},
    {"httpc", [](DeviceRecord& r) { r.setU8(12172, 1); }, 1091, "checked"},
    {"tcp_a_server_clients",
     [](DeviceRecord& r) {
         r.setU8(254, 1);
         r.setU8(13013, 3);
     },
     1066, "已连接的客户端(3)"},
    {"tcp_a_client_connected",
     [](DeviceRecord& r) {
         r.setU8(254, 2);
         r.setU8(13012, 1);
     },
     1066, "已连接到服务器"},
    {"tcp_a_client_not_connected", [](DeviceRecord& r) { r.setU8(254, 2); }, 1066, "未连接到服务器"},
    {"tcp_a_udp_says_nothing",
     [](DeviceRecord& r) {
         r.setU8(254, 3);
         r.setU8(13013, 3);
     },
     1066, ""},
    {"tcp_b_server_clients",
     [](DeviceRecord& r) {
         r.setU8(648, 1);
         r.setU8(13015, 2);
     },
     1067, "已连接的客户端(2)"},
    {"tcp_b_client_by_its_own_flag",
     [](DeviceRecord& r) {
         r.setU8(648, 2);
         r.setU8(13012, 1);  // TCP A's flag
     },
     1067, "未连接到服务器"},
    {"timer_control", [](DeviceRecord& r) { r.setU8(2226, 1); }, 1046, "checked"},
    {"pwm_presets", [](DeviceRecord& r) { r.setU8(3200, 1); }, 1076, "checked"},
    {"linkage", [](DeviceRecord& r) { r.setU8(2740, 1); }, 1042, "checked"},
    {"auto_upload", [](DeviceRecord& r) { r.setU8(3284, 1); }, 1045, "checked"},
    {"comm_timeout", [](DeviceRecord& r) { r.setU8(3432, 1); }, 1047, "checked"},
    {"user_code", [](DeviceRecord& r) { r.setU8(34, 1); }, 1225, "checked"},
    {"debug_mode", [](DeviceRecord& r) { r.setU8(40, 1); }, 1069, "checked"},
    {"debounce", [](DeviceRecord& r) { r.setU8(252, 20); }, 1100, "20"},
    {"power_off", [](DeviceRecord& r) { r.setU8(3460, 1); }, 1083, "checked"},
    {"motor", [](DeviceRecord& r) { r.setU8(3463, 1); }, 1043, "checked"},
    {"feedback", [](DeviceRecord& r) { r.setU8(3482, 1); }, 1241, "checked"},
    {"access_lock_on", [](DeviceRecord& r) { r.setU8(3582, 0x78); }, 1095, "checked"},
    {"access_lock_other_value", [](DeviceRecord& r) { r.setU8(3582, 1); }, 1095, "clear"},
    {"strobe", [](DeviceRecord& r) { r.setU8(11776, 1); }, 1242, "checked"},
    {"sequence", [](DeviceRecord& r) { r.setU8(3583, 1); }, 1243, "checked"},
    {"can_rate_u32", [](DeviceRecord& r) { r.setU32(12168, 250000); }, 1288, "250000"},
    {"can_rate_not_in_list", [](DeviceRecord& r) { r.setU32(12168, 12345); }, 1288, "12345"},
    {"can", [](DeviceRecord& r) { r.setU8(12164, 1); }, 1289, "checked"},
    {"apn", [](DeviceRecord& r) { r.setU8(12380, 1); }, 1298, "checked"},
    {"gps_satellites_trailing_space", [](DeviceRecord& r) { r.setU8(13288, 7); }, 1306, "7 "},
    {"gps_zero_satellites", [](DeviceRecord& r) { r.setU8(13288, 0); }, 1306, "0 "},
    {"no_gps", [](DeviceRecord& r) { r.setU8(13288, 255); }, 1306, "No gps"},
    {"no_gps_no_longitude",
     [](DeviceRecord& r) {
         r.setU8(13288, 255);
         r.setU16(13298, 113);
     },
     1307, ""},
    {"no_gps_no_latitude",
     [](DeviceRecord& r) {
         r.setU8(13288, 255);
         r.setU16(13290, 22);
     },
     1308, ""},
    {"latitude",
     [](DeviceRecord& r) {
         r.setU16(13290, 22);
         r.setU32(13292, 742772);
     },
     1308, "22.742772"},
    {"latitude_zero_padded",
     [](DeviceRecord& r) {
         r.setU16(13290, 22);
         r.setU32(13292, 5);
     },
     1308, "22.000005"},
    {"longitude",
     [](DeviceRecord& r) {
         r.setU16(13298, 113);
         r.setU32(13300, 950001);
     },
     1307, "113.950001"},
    {"network_mode", [](DeviceRecord& r) { r.setU8(12482, 1); }, 1297, "4G做WAN,网口做LAN"},
    {"no_4g_module", [](DeviceRecord& r) { r.setU8(13147, 23); }, 1299, "无4G模块"},
    {"4g_signal",
     [](DeviceRecord& r) {
         r.setU8(13148, 1);
         r.setU8(13147, 23);
     },
     1299, "23"},
    {"4g_registration", [](DeviceRecord& r) { r.setU8(13246, 5); }, 1300, "已注册,漫游"},
    {"4g_registration_first", [](DeviceRecord& r) { r.setU8(13246, 0); }, 1300, "未注册,停止"},
    {"4g_registration_unknown_state", [](DeviceRecord& r) { r.setU8(13246, 7); }, 1300, ""},
    {"imei", [](DeviceRecord& r) { setText(r, 13149, 32, "861234000000003"); }, 1302, "861234000000003"},
    {"iccid", [](DeviceRecord& r) { setText(r, 13181, 32, "89860012340000000003"); }, 1301,
     "89860012340000000003"},
    {"4g_ip", [](DeviceRecord& r) { setText(r, 13247, 20, "10.64.0.9"); }, 1093, "10.64.0.9"},
    {"mapped_ip", [](DeviceRecord& r) { setText(r, 13267, 20, "203.0.113.80"); }, 1094, "203.0.113.80"},
};

INSTANTIATE_TEST_SUITE_P(Fields, ShowRecord, testing::ValuesIn(kShowCases),
                         [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(MainWindowControls, AStatusLineOfTheModuleShownBeforeDoesNotStay) {
    DeviceRecord server;
    server.setU8(648, 1);
    server.setU8(13015, 4);
    showRecord(window, server);
    ASSERT_EQ(shown(1067), QStringLiteral("已连接的客户端(4)"));
    DeviceRecord udp;
    udp.setU8(648, 3);
    showRecord(window, udp);
    EXPECT_EQ(shown(1067), QString());
}

TEST_F(MainWindowControls, ShowingChangesNothingInTheRecord) {
    record.setU8(516, 200);  // a count past the field
    record.setU8(29, 6);     // a value outside its list
    check(1039, true);
    const DeviceRecord before = record;
    showRecord(window, record);
    EXPECT_TRUE(record == before);
}

TEST_F(MainWindowControls, TheRtuAddressIsEditableOnlyWhereTheModuleAllowsIt) {
    for (const std::uint8_t editable : {std::uint8_t{0}, std::uint8_t{1}, std::uint8_t{2}}) {
        record.setU8(251, editable);
        showRecord(window, record);
        EXPECT_EQ(findControl(window, 1025)->isEnabled(), editable == 1) << int{editable};
    }
}

// The enabling rules, for every mode of every list that decides them.
struct ChannelIds {
    const char* name;
    std::size_t modeOffset;
    std::size_t registrationOffset;
    std::array<int, 6> modeFields;  // target, target port, local port, heartbeat, interval, registration mode
    int localPort;
    int registrationData;
};
const ChannelIds kChannelIds[] = {
    {"tcp_a", 254, 518, {1027, 1028, 1029, 1030, 1031, 1034}, 1029, 1033},
    {"tcp_b", 648, 912, {1050, 1051, 1055, 1056, 1057, 1059}, 1055, 1058},
};

struct ModeCase {
    std::uint8_t mode;
    bool allFields;  // TCP_CLIENT, UDP_CLIENT
    bool localPort;  // and the server modes
};
const ModeCase kModes[] = {
    {0, false, false}, {1, false, true}, {2, true, true},
    {3, false, true},  {4, true, true},  {5, false, false},
};

class ChannelRules : public MainWindowControls,
                     public testing::WithParamInterface<std::tuple<ChannelIds, ModeCase, std::uint8_t>> {};

TEST_P(ChannelRules, TheModesEnableTheirFields) {
    const auto& [channel, mode, registration] = GetParam();
    record.setU8(channel.modeOffset, mode.mode);
    record.setU8(channel.registrationOffset, registration);
    showRecord(window, record);
    for (const int id : channel.modeFields) {
        const bool expected = mode.allFields || (mode.localPort && id == channel.localPort);
        EXPECT_EQ(findControl(window, id)->isEnabled(), expected) << id;
    }
    // The registration data follows its own mode whatever the work mode, even outside its list.
    EXPECT_EQ(findControl(window, channel.registrationData)->isEnabled(), registration != 0);
}

std::string channelCaseName(const testing::TestParamInfo<ChannelRules::ParamType>& tested) {
    const auto& [channel, mode, registration] = tested.param;
    return std::string(channel.name) + "_mode" + std::to_string(mode.mode) + "_registration" +
           std::to_string(registration);
}

INSTANTIATE_TEST_SUITE_P(Modes, ChannelRules,
                         testing::Combine(testing::ValuesIn(kChannelIds), testing::ValuesIn(kModes),
                                          testing::Values<std::uint8_t>(0, 1, 3, 9)),
                         channelCaseName);

struct SerialCase {
    std::uint8_t mode;
    bool master;
    bool timings;
};
class SerialRules : public MainWindowControls, public testing::WithParamInterface<SerialCase> {};

TEST_P(SerialRules, TheSerialModeEnablesTheMasterAndTheTimings) {
    const SerialCase& c = GetParam();
    record.setU8(1042, c.mode);
    showRecord(window, record);
    EXPECT_EQ(findControl(window, 1081)->isEnabled(), c.master);
    EXPECT_EQ(findControl(window, 1035)->isEnabled(), c.timings);
    EXPECT_EQ(findControl(window, 1044)->isEnabled(), c.timings);
}

INSTANTIATE_TEST_SUITE_P(Modes, SerialRules,
                         testing::Values(SerialCase{0, false, false}, SerialCase{1, true, true},
                                         SerialCase{2, false, true}, SerialCase{3, false, false},
                                         SerialCase{4, false, false}, SerialCase{5, false, false}),
                         [](const auto& tested) { return "mode" + std::to_string(tested.param.mode); });

TEST_F(MainWindowControls, AChangedListAppliesTheRulesWithoutTheRecord) {
    auto* mode = findControl<QComboBox>(window, 1026);
    mode->setCurrentIndex(2);
    applyEnablingRules(window);
    EXPECT_TRUE(findControl(window, 1027)->isEnabled());
    mode->setCurrentIndex(1);
    applyEnablingRules(window);
    EXPECT_FALSE(findControl(window, 1027)->isEnabled());
    EXPECT_TRUE(findControl(window, 1029)->isEnabled());
}

}  // namespace
}  // namespace norvane::ui
