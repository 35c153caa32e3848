#include "app/command_table.h"

#include <algorithm>

namespace norvane::ui {
namespace {

using enum CommandKind;
using enum CommandAction;

constexpr CommandRow kCommands[] = {
    // Search, the network card and the access lock.
    {1020, "搜索设备", nullptr, Button, Own},
    {1036, "网卡", nullptr, List, Own},
    {1068, "跨路由器搜", nullptr, Check, Own},
    {1101, "设置", "跨路由器搜", Link, OpensWindow},
    {1097, "使用锁搜索", nullptr, Check, LaterWork},
    {1098, "?", nullptr, Link, Own},
    {1102, "设置密码", nullptr, Link, OpensWindow},
    {1096, "显示", "密码", Check, Own},
    // Hex display of the data fields; read when a record is shown.
    {1039, "HEX", "TCP A 心跳包数据", Check, Own},
    {1038, "HEX", "TCP A 注册包数据", Check, Own},
    {1062, "HEX", "TCP B 心跳包数据", Check, Own},
    {1061, "HEX", "TCP B 注册包数据", Check, Own},
    // Feature windows.
    {1073, "设置", "mqtt", Link, OpensWindow},
    {1092, "设置", "httpc", Link, OpensWindow},
    {1074, "设置", "定时控制", Link, OpensWindow},
    {1075, "设置", "联动", Link, OpensWindow},
    {1077, "设置", "PWM预设", Link, OpensWindow},
    {1078, "设置", "自动上传", Link, OpensWindow},
    {1080, "设置", "通讯超时", Link, OpensWindow},
    {1085, "设置", "掉电检测", Link, OpensWindow},
    {1087, "设置", "输出反馈", Link, OpensWindow},
    {1088, "设置", "频闪", Link, OpensWindow},
    {1089, "设置", "顺序控制", Link, OpensWindow},
    {1086, "设置", "电机控制", Link, OpensWindow},
    {1303, "设置", "APN", Link, OpensWindow},
    {1305, "设置", "GPS", Link, OpensWindow},
    {1084, "界面", nullptr, Link, OpensWindow},
    {1040, "设备信息", nullptr, Button, OpensWindow},
    {1023, "固件升级", nullptr, Button, OpensWindow},
    {1054, "控制", nullptr, Button, OpensWindowOrAsks},
    // Commands to the selected module.
    {1037, "保存", nullptr, Button, Sends},
    {1021, "重启设备", nullptr, Button, Sends},
    {1022, "恢复出厂", nullptr, Button, Sends},
    {1069, "调试(重启丢失)", nullptr, Check, Sends},
    {1071, "校准", nullptr, Link, Sends},
    {1090, "外网测试", nullptr, Link, Sends},
    {1082, "信息", "用户代码", Link, Sends},
    {1304, "流量", nullptr, Link, Sends},
    {1041, "一键配置", nullptr, Button, LaterWork, true},
    // The production bench.
    {1293, "打印", nullptr, Button, LaterWork, true},
    {1294, "打印无LOGO", nullptr, Button, LaterWork, true},
    {1295, "型号", "标签", List, Own, true},
    {1296, "添加到云", nullptr, Button, LaterWork, true},
};

constexpr MenuRow kMenus[] = {
    {32772, "设备", "固件升级", LaterWork},           {32774, "Tools", "深度恢复出厂", Sends},
    {32777, "Tools", "导入配置", LaterWork},          {32778, "Tools", "导出配置", LaterWork},
    {kAboutCommand, "帮助", "关于 dorn(&A)...", Own},
};

}  // namespace

std::span<const CommandRow> commandTable() {
    return kCommands;
}

const CommandRow* findCommand(int id) {
    const auto* it = std::ranges::find(kCommands, id, &CommandRow::id);
    return it == std::end(kCommands) ? nullptr : it;
}

std::span<const MenuRow> menuTable() {
    return kMenus;
}

}  // namespace norvane::ui
