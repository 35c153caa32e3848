// Storing one module's full search reply into its record: the work the tool does per reply in a discovery.
#include <benchmark/benchmark.h>

#include "protocol/requests.h"
#include "record/item_codec.h"

namespace {

using namespace norvane;

// A search reply that carries every asked item with a full value.
Bytes fullSearchReply() {
    record::DeviceRecord source;
    for (std::size_t i = 0; i < record::DeviceRecord::kSize; ++i)
        source.image()[i] = static_cast<std::uint8_t>(i * 31 + 7);
    for (const record::ItemRow& row : record::itemTable()) {
        if (row.kind == record::ItemKind::Text)
            source.setText(row.offset, row.width, std::string(row.ruleLength, 'n'));
        if (row.kind == record::ItemKind::Data) source.setU8(row.countOffset, 128);
        if (row.kind == record::ItemKind::Script) source.setU16(row.offset, 0x2000);  // 32 bytes, big-endian
    }
    source.setU8(13148, 1);
    Bytes items;
    for (const std::uint8_t tag : protocol::kSearchTags)
        if (const auto* row = record::findItem(tag))
            record::appendItem(items, source, *row, record::Direction::Reply);
    return protocol::buildFrame(protocol::Route::Local, 0x81, items, source.mac());
}

void StoreFullSearchReply(benchmark::State& state) {
    const Bytes datagram = fullSearchReply();
    record::DeviceRecord target;
    for (auto _ : state) {
        const auto frame = protocol::checkFrame(datagram);
        record::storeReplyItems(target, *frame);
        benchmark::DoNotOptimize(target.image().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(datagram.size()));
    state.counters["reply_bytes"] = static_cast<double>(datagram.size());
}
BENCHMARK(StoreFullSearchReply);

}  // namespace

BENCHMARK_MAIN();
