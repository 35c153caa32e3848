#include "app/field_table.h"

#include <algorithm>
#include <array>

#include "record/layout.h"

namespace norvane::ui {
namespace {

using enum FieldKind;

constexpr std::array<const char*, 2> kIpTypes{"静态", "动态"};
constexpr std::array<const char*, 14> kBaudRates{"1200",   "2400",   "4800",   "9600",  "14400",
                                                 "19200",  "38400",  "56000",  "57600", "115200",
                                                 "128000", "230400", "256000", "460800"};
constexpr std::array<const char*, 3> kParities{"NONE", "EVEN", "ODD"};
constexpr std::array<const char*, 3> kDataBits{"7", "8", "9"};
constexpr std::array<const char*, 3> kStopBits{"1", "1.5", "2"};
constexpr std::array<const char*, 5> kWorkModes{"不启用", "TCP_SERVER", "TCP_CLIENT", "UDP_SERVER",
                                                "UDP_CLIENT"};
constexpr std::array<const char*, 4> kRegistrationModes{"不启用", "连接上服务器时，发送一次",
                                                        "在每个数据包前都加上", "同时支持以上两者"};
constexpr std::array<const char*, 5> kSerialModes{"透传", "ModbusTcp转RTU", "一问一答", "敬请期待",
                                                  "更多模式，欢迎定制"};
constexpr std::array<const char*, 15> kCanRates{"10000",  "15000",  "20000",  "25000",  "40000",
                                                "50000",  "80000",  "125000", "200000", "250000",
                                                "400000", "500000", "666000", "800000", "1000000"};
constexpr std::array<const char*, 2> kNetworkModes{"网口联网", "4G做WAN,网口做LAN"};

// The data bits field stores the number of bits, the list index plus 7.
constexpr std::uint8_t kDataBitsBias = 7;
// TCP B's fields are TCP A's plus this.
constexpr std::uint16_t kB = 394;
constexpr const char* kTcpA = "TCP A";
constexpr const char* kTcpB = "TCP B";

constexpr FieldRow kFields[] = {
    // 网络设置
    {.id = 1008, .label = "IP类型", .prefix = nullptr, .offset = 4, .kind = Combo, .items = kIpTypes},
    {.id = 1009, .label = "IP地址", .prefix = nullptr, .offset = 5, .kind = Ipv4, .size = 4},
    {.id = 1011, .label = "子网掩码", .prefix = nullptr, .offset = 9, .kind = Ipv4, .size = 4},
    {.id = 1010, .label = "网关", .prefix = nullptr, .offset = 13, .kind = Ipv4, .size = 4},
    {.id = 1012, .label = "DNS", .prefix = nullptr, .offset = 17, .kind = Ipv4, .size = 4},
    {.id = 1013, .label = "MAC", .prefix = nullptr, .offset = record::offset::kMac, .kind = Mac, .size = 6},
    {.id = 1019,
     .label = "用户名",
     .prefix = nullptr,
     .offset = record::offset::kUserName,
     .kind = Text,
     .size = 64,
     .limit = 63},
    {.id = 1024,
     .label = "密码",
     .prefix = nullptr,
     .offset = record::offset::kPassword,
     .kind = Text,
     .size = 64,
     .limit = 63},
    {.id = 1095,
     .label = "设备锁",
     .prefix = nullptr,
     .offset = record::offset::kAccessLock,
     .kind = Check,
     .onValue = record::kAccessLockOn},
    // 串口设置
    {.id = 1014, .label = "波特率", .prefix = nullptr, .offset = 27, .kind = Combo, .items = kBaudRates},
    {.id = 1017, .label = "校验位", .prefix = nullptr, .offset = 28, .kind = Combo, .items = kParities},
    {.id = 1016,
     .label = "数据位",
     .prefix = nullptr,
     .offset = 29,
     .kind = Combo,
     .bias = kDataBitsBias,
     .items = kDataBits},
    {.id = 1015, .label = "停止位", .prefix = nullptr, .offset = 30, .kind = Combo, .items = kStopBits},
    {.id = 1018, .label = "打包时间", .prefix = nullptr, .offset = 32, .kind = Decimal, .size = 2},
    {.id = 1290,
     .label = "工作模式",
     .prefix = "串口设置",
     .offset = 1042,
     .kind = Combo,
     .items = kSerialModes},
    {.id = 1081, .label = "主", .prefix = nullptr, .offset = 1043, .kind = Check},
    {.id = 1035, .label = "超时时间", .prefix = nullptr, .offset = 1044, .kind = Decimal, .size = 2},
    {.id = 1044, .label = "指令延时", .prefix = nullptr, .offset = 1046, .kind = Decimal, .size = 2},
    {.id = 1025, .label = "RTU地址", .prefix = nullptr, .offset = 250, .kind = Decimal},
    // TCP A
    {.id = 1026, .label = "工作模式", .prefix = kTcpA, .offset = 254, .kind = Combo, .items = kWorkModes},
    {.id = 1027, .label = "目标IP", .prefix = kTcpA, .offset = 255, .kind = Text, .size = 128, .limit = 127},
    {.id = 1028, .label = "目标端口", .prefix = kTcpA, .offset = 384, .kind = Decimal, .size = 2},
    {.id = 1029, .label = "本地端口", .prefix = kTcpA, .offset = 386, .kind = Decimal, .size = 2},
    {.id = 1030,
     .label = "心跳包数据",
     .prefix = kTcpA,
     .offset = 388,
     .kind = Data,
     .size = 128,
     .countOffset = 516,
     .hexBox = 1039},
    {.id = 1031, .label = "间隔时间", .prefix = kTcpA, .offset = 517, .kind = Decimal},
    {.id = 1034,
     .label = "注册包模式",
     .prefix = kTcpA,
     .offset = 518,
     .kind = Combo,
     .items = kRegistrationModes},
    {.id = 1033,
     .label = "注册包数据",
     .prefix = kTcpA,
     .offset = 519,
     .kind = Data,
     .size = 128,
     .countOffset = 647,
     .hexBox = 1038},
    // TCP B
    {.id = 1032,
     .label = "工作模式",
     .prefix = kTcpB,
     .offset = 254 + kB,
     .kind = Combo,
     .items = kWorkModes},
    {.id = 1050,
     .label = "目标IP",
     .prefix = kTcpB,
     .offset = 255 + kB,
     .kind = Text,
     .size = 128,
     .limit = 127},
    {.id = 1051, .label = "目标端口", .prefix = kTcpB, .offset = 384 + kB, .kind = Decimal, .size = 2},
    {.id = 1055, .label = "本地端口", .prefix = kTcpB, .offset = 386 + kB, .kind = Decimal, .size = 2},
    {.id = 1056,
     .label = "心跳包数据",
     .prefix = kTcpB,
     .offset = 388 + kB,
     .kind = Data,
     .size = 128,
     .countOffset = 516 + kB,
     .hexBox = 1062},
    {.id = 1057, .label = "间隔时间", .prefix = kTcpB, .offset = 517 + kB, .kind = Decimal},
    {.id = 1059,
     .label = "注册包模式",
     .prefix = kTcpB,
     .offset = 518 + kB,
     .kind = Combo,
     .items = kRegistrationModes},
    {.id = 1058,
     .label = "注册包数据",
     .prefix = kTcpB,
     .offset = 519 + kB,
     .kind = Data,
     .size = 128,
     .countOffset = 647 + kB,
     .hexBox = 1061},
    // 高级功能
    {.id = 1053, .label = "mqtt", .prefix = nullptr, .offset = 1240, .kind = Check},
    {.id = 1091, .label = "httpc", .prefix = nullptr, .offset = 12172, .kind = Check},
    {.id = 1046, .label = "定时控制", .prefix = nullptr, .offset = 2226, .kind = Check},
    {.id = 1042, .label = "联动", .prefix = nullptr, .offset = 2740, .kind = Check},
    {.id = 1076, .label = "PWM预设", .prefix = nullptr, .offset = 3200, .kind = Check},
    {.id = 1045, .label = "自动上传", .prefix = nullptr, .offset = 3284, .kind = Check},
    {.id = 1047, .label = "通讯超时", .prefix = nullptr, .offset = 3432, .kind = Check},
    {.id = 1083, .label = "掉电检测", .prefix = nullptr, .offset = 3460, .kind = Check},
    {.id = 1241, .label = "输出反馈", .prefix = nullptr, .offset = 3482, .kind = Check},
    {.id = 1242, .label = "频闪", .prefix = nullptr, .offset = 11776, .kind = Check},
    {.id = 1243, .label = "顺序控制", .prefix = nullptr, .offset = 3583, .kind = Check},
    {.id = 1043, .label = "电机控制", .prefix = nullptr, .offset = 3463, .kind = Check},
    {.id = 1225, .label = "用户代码", .prefix = nullptr, .offset = 34, .kind = Check},
    {.id = 1069, .label = "调试(重启丢失)", .prefix = nullptr, .offset = 40, .kind = Check},
    {.id = 1100, .label = "消抖", .prefix = nullptr, .offset = 252, .kind = Decimal},
    {.id = 1289, .label = "CAN", .prefix = nullptr, .offset = 12164, .kind = Check},
    {.id = 1288,
     .label = "波特率",
     .prefix = "CAN",
     .offset = 12168,
     .kind = EditableDecimal,
     .size = 4,
     .items = kCanRates},
    // 4G设置
    {.id = 1298, .label = "APN", .prefix = nullptr, .offset = 12380, .kind = Check},
    {.id = 1297, .label = "联网", .prefix = nullptr, .offset = 12482, .kind = Combo, .items = kNetworkModes},
};

}  // namespace

std::span<const FieldRow> fieldTable() {
    return kFields;
}

const FieldRow* findField(int id) {
    const auto* it = std::ranges::find(kFields, id, &FieldRow::id);
    return it == std::end(kFields) ? nullptr : it;
}

}  // namespace norvane::ui
