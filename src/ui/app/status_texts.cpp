#include "app/status_texts.h"

#include <algorithm>
#include <array>

#include "app/gbk_qstring.h"

namespace norvane::ui {
namespace {

using record::DeviceRecord;

// Work modes of the socket channels that report a connection state.
constexpr std::uint8_t kTcpServer = 1;
constexpr std::uint8_t kTcpClient = 2;
constexpr std::uint8_t kNoGps = 255;
constexpr std::uint8_t kFourGPresent = 1;

constexpr std::array<const char*, 7> kRegistrationStates{
    "未注册,停止", "已注册,本地网", "未注册,搜索中...", "注册被拒绝", "未知", "已注册,漫游", "注册仅SMS"};

// A server counts its clients; a client tells whether it reached its server; UDP and "不启用" say nothing.
QString connectionText(const DeviceRecord& r, std::size_t mode, std::size_t connected, std::size_t clients) {
    switch (r.u8(mode)) {
        case kTcpServer:
            return QStringLiteral("已连接的客户端(%1)").arg(int{r.u8(clients)});
        case kTcpClient:
            return r.u8(connected) == 1 ? QStringLiteral("已连接到服务器") : QStringLiteral("未连接到服务器");
        default:
            return {};
    }
}

// A feature's connection, said only while the feature is enabled.
QString linkText(const DeviceRecord& r, std::size_t enabled, std::size_t connected) {
    if (r.u8(enabled) != 1) return {};
    return r.u8(connected) == 1 ? QStringLiteral("已连接") : QStringLiteral("未连接");
}

// "%d.%06d": whole degrees, then the millionths zero-padded to six digits.
QString coordinate(const DeviceRecord& r, std::size_t degrees, std::size_t millionths) {
    if (r.u8(13288) == kNoGps) return {};
    return QStringLiteral("%1.%2").arg(r.u16(degrees)).arg(r.u32(millionths), 6, 10, QLatin1Char('0'));
}

constexpr StatusTextRow kStatusTexts[] = {
    {1066, "连接状态", "TCP A", false,
     [](const DeviceRecord& r) { return connectionText(r, 254, 13012, 13013); }},
    {1067, "连接状态", "TCP B", false,
     [](const DeviceRecord& r) { return connectionText(r, 648, 13014, 13015); }},
    {1227, "连接状态", "mqtt", false, [](const DeviceRecord& r) { return linkText(r, 1240, 13016); }},
    {1229, "连接状态", "httpc", false, [](const DeviceRecord& r) { return linkText(r, 12172, 13021); }},
    {1306, "卫星", nullptr, true,
     [](const DeviceRecord& r) {
         // The satellite count is followed by one space.
         return r.u8(13288) == kNoGps ? QStringLiteral("No gps")
                                      : QStringLiteral("%1 ").arg(int{r.u8(13288)});
     }},
    {1307, "经度", nullptr, true, [](const DeviceRecord& r) { return coordinate(r, 13298, 13300); }},
    {1308, "纬度", nullptr, true, [](const DeviceRecord& r) { return coordinate(r, 13290, 13292); }},
    {1299, "信号", nullptr, true,
     [](const DeviceRecord& r) {
         return r.u8(13148) == kFourGPresent ? QString::number(int{r.u8(13147)}) : QStringLiteral("无4G模块");
     }},
    {1300, "基站", nullptr, true,
     [](const DeviceRecord& r) {
         // A state the module should not report has no text.
         const std::uint8_t state = r.u8(13246);
         return state < kRegistrationStates.size() ? QString::fromUtf8(kRegistrationStates[state])
                                                   : QString();
     }},
    {1301, "ICCID", nullptr, true, [](const DeviceRecord& r) { return fromGbk(r.text(13181, 32)); }},
    {1302, "IMEI", nullptr, true, [](const DeviceRecord& r) { return fromGbk(r.text(13149, 32)); }},
    {1093, "4G IP", nullptr, true, [](const DeviceRecord& r) { return fromGbk(r.text(13247, 20)); }},
    {1094, "映射 IP", nullptr, true, [](const DeviceRecord& r) { return fromGbk(r.text(13267, 20)); }},
};

}  // namespace

std::span<const StatusTextRow> statusTextTable() {
    return kStatusTexts;
}

const StatusTextRow* findStatusText(int id) {
    const auto* it = std::ranges::find(kStatusTexts, id, &StatusTextRow::id);
    return it == std::end(kStatusTexts) ? nullptr : it;
}

}  // namespace norvane::ui
