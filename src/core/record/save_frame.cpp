#include "record/save_frame.h"

#include <algorithm>
#include <array>

#include "protocol/requests.h"
#include "protocol/tags.h"
#include "record/item_codec.h"
#include "record/item_table.h"
#include "text/decimal.h"

namespace norvane::record {
namespace {

// What the user can shorten when a frame is too long for its module: each script block by its name, and the
// texts and data boxes together.
struct LongPart {
    std::string_view name;
    std::size_t bytes = 0;
};

constexpr std::string_view kTextsAndData = "文本和数据";

struct ScriptName {
    std::uint8_t tag;
    std::string_view name;
};
constexpr std::array<ScriptName, 2> kScriptNames{{
    {protocol::tag::kMainScript, "顺序控制主程序"},
    {protocol::tag::kTriggerScripts, "顺序控制触发程序"},
}};

std::string_view scriptName(std::uint8_t tag) {
    const auto* named = std::ranges::find(kScriptNames, tag, &ScriptName::tag);
    return named == kScriptNames.end() ? "顺序控制" : named->name;
}

std::string refusalReason(const DeviceRecord& record, std::size_t frameSize) {
    std::vector<LongPart> parts{{kTextsAndData}};
    for (const ItemRow& row : itemTable()) {
        if (!row.sentBySave) continue;
        const std::size_t bytes = encodeValue(record, row, Direction::Save).size();
        // A script counts by its own bytes, without the length prefix every block carries.
        if (row.kind == ItemKind::Script) parts.push_back({scriptName(row.tag), bytes < 2 ? 0 : bytes - 2});
        if (row.kind == ItemKind::Text || row.kind == ItemKind::Data) parts.front().bytes += bytes;
    }
    std::ranges::stable_sort(parts, std::ranges::greater{}, &LongPart::bytes);
    std::string reason = "配置数据过长(" + std::to_string(frameSize) + "字节)，该固件版本一次最多接收" +
                         std::to_string(kWholeFrameLimit) + "字节";
    std::string_view separator = "：";
    for (const LongPart& part : parts) {
        if (part.bytes == 0) continue;
        reason.append(separator).append(part.name).append(std::to_string(part.bytes)).append("字节");
        separator = "，";
    }
    return reason;
}

std::vector<Bytes> pieces(const Bytes& frame) {
    std::vector<Bytes> out;
    for (std::size_t at = 0; at < frame.size(); at += kSavePieceSize) {
        const auto end =
            frame.begin() + static_cast<std::ptrdiff_t>(std::min(frame.size(), at + kSavePieceSize));
        out.emplace_back(frame.begin() + static_cast<std::ptrdiff_t>(at), end);
    }
    return out;
}

}  // namespace

Bytes saveFrame(const DeviceRecord& record, protocol::Route route) {
    Bytes items;
    for (const ItemRow& row : itemTable())
        if (row.sentBySave) appendItem(items, record, row, Direction::Save);
    return protocol::writeRequest(record.mac(), protocol::WriteKind::FullConfiguration, items, route);
}

std::int64_t firmwareNumber(std::string_view firmwareText) {
    return firmwareText.empty() ? 0 : text::parseDecimal(firmwareText.substr(1));
}

SavePlan planSave(const DeviceRecord& record, protocol::Route route) {
    Bytes frame = saveFrame(record, route);
    if (firmwareNumber(record.firmware()) > kLastWholeFrameFirmware)
        return {.datagrams = pieces(frame), .refusal = {}};
    // Firmware that takes the save whole has only ever been sent frames of up to 4096 bytes: a longer frame
    // is refused, never cut and never sent without some of its items.
    if (frame.size() > kWholeFrameLimit)
        return {.datagrams = {}, .refusal = refusalReason(record, frame.size())};
    SavePlan plan;
    plan.datagrams.push_back(std::move(frame));
    return plan;
}

}  // namespace norvane::record
