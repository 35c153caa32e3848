#include "sim/displayed_items.h"

#include <algorithm>

#include "protocol/config_item.h"
#include "protocol/tags.h"
#include "sim/reply_splitter.h"
#include "sim/request.h"

namespace norvane::sim {
namespace {

void appendU32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

bool asksForNetworkTest(const Request& request) {
    return request.code == static_cast<std::uint8_t>(protocol::Command::Read) &&
           std::ranges::find(request.payload, protocol::tag::kNetworkTest) != request.payload.end();
}

}  // namespace

std::optional<Bytes> DisplayedItems::itemOutsideTable(const record::DeviceRecord& record, std::uint8_t tag) {
    if (tag != protocol::tag::kTraffic) return std::nullopt;
    const std::lock_guard lock(mutex_);
    const Traffic& counted = traffic_[record.mac()];
    Bytes value;
    appendU32(value, counted.received);
    appendU32(value, counted.sent);
    return value;
}

void DisplayedItems::afterAnswer(const record::DeviceRecord& record, ByteView request, const Peer& source,
                                 std::span<const Outgoing> answer, std::vector<Outgoing>& extra) {
    {
        const std::lock_guard lock(mutex_);
        Traffic& counted = traffic_[record.mac()];
        counted.received += static_cast<std::uint32_t>(request.size());
        for (const Outgoing& sent : answer) counted.sent += static_cast<std::uint32_t>(sent.datagram.size());
    }
    const std::optional<Request> parsed = parseRequest(request);
    if (!parsed || !asksForNetworkTest(*parsed)) return;
    Bytes items;
    const Bytes result = testFails_ ? Bytes{} : Bytes(kTestResult.begin(), kTestResult.end());
    protocol::ItemWriter(items).add(protocol::tag::kNetworkTest, result);
    for (Bytes& datagram :
         splitReply(parsed->route, static_cast<std::uint8_t>(protocol::Reply::Read), {items}, record.mac()))
        extra.push_back({std::move(datagram), source, kTestTime});
}

}  // namespace norvane::sim
