#include "record/item_codec.h"

#include <algorithm>
#include <numeric>

namespace norvane::record {
namespace {

std::span<const Segment> layoutOf(const ItemRow& row, Direction direction) {
    return direction == Direction::Save && !row.saveSegments.empty() ? row.saveSegments : row.segments;
}

std::size_t entryWireSize(std::span<const Segment> layout) {
    return std::accumulate(layout.begin(), layout.end(), std::size_t{0},
                           [](std::size_t sum, const Segment& s) { return sum + s.wireSize; });
}

std::size_t encodedSize(const ItemRow& row, Direction direction) {
    const std::size_t entries = row.repeat * entryWireSize(layoutOf(row, direction));
    return row.kind == ItemKind::Strided ? 1 + entries : entries;
}

bool meetsRule(const ItemRow& row, std::size_t length, Direction direction) {
    if (direction == Direction::Save) {
        // A module takes a write whose value holds its layout, or fits its field.
        switch (row.kind) {
            case ItemKind::Text:
            case ItemKind::Data:
            case ItemKind::Script:
                return length <= row.width;
            default:
                return length >= encodedSize(row, direction);
        }
    }
    switch (row.rule) {
        case Rule::Exactly:
            return length == row.ruleLength;
        case Rule::AtMost:
            return length <= row.ruleLength;
        case Rule::AtLeast:
            return length >= row.ruleLength;
    }
    return false;
}

// Stores the segments of one entry from `wire`, as many as it holds whole.
void storeEntry(DeviceRecord& record, std::span<const Segment> layout, std::size_t recordShift,
                ByteView wire) {
    std::size_t p = 0;
    for (const Segment& s : layout) {
        // Length rules hold whole layouts, so only a partial item (the device information) ends early.
        if (p + s.wireSize > wire.size()) return;
        const std::size_t at = s.offset + recordShift;
        const std::uint8_t* v = wire.data() + p;
        switch (s.wire) {
            case Wire::Raw: {
                const auto f = record.field(at, std::max<std::size_t>(s.fieldWidth, s.wireSize));
                std::fill(f.begin(), f.end(), 0);
                std::copy_n(v, s.wireSize, f.begin());
                break;
            }
            case Wire::U16:
                record.setU16(at, readBe16(v));
                break;
            case Wire::U32:
                record.setU32(at, readBe32(v));
                break;
            case Wire::Pad:
                break;
        }
        p += s.wireSize;
    }
}

void appendEntry(Bytes& out, const DeviceRecord& record, std::span<const Segment> layout,
                 std::size_t recordShift) {
    for (const Segment& s : layout) {
        const std::size_t at = s.offset + recordShift;
        switch (s.wire) {
            case Wire::Raw: {
                const auto f = record.field(at, s.wireSize);
                out.insert(out.end(), f.begin(), f.end());
                break;
            }
            case Wire::U16:
                appendBe16(out, record.u16(at));
                break;
            case Wire::U32:
                appendBe32(out, record.u32(at));
                break;
            case Wire::Pad:
                out.push_back(0);
                break;
        }
    }
}

void storeWhole(DeviceRecord& record, const ItemRow& row, ByteView value) {
    const auto f = record.field(row.offset, row.width);
    std::fill(f.begin(), f.end(), 0);
    std::ranges::copy(value, f.begin());
}

}  // namespace

bool storeItem(DeviceRecord& record, std::uint8_t tag, ByteView value, Direction direction) {
    const ItemRow* row = findItem(tag);
    if (!row || !meetsRule(*row, value.size(), direction)) return false;
    const auto layout = layoutOf(*row, direction);
    switch (row->kind) {
        case ItemKind::Fixed: {
            const std::size_t entry = entryWireSize(layout);
            for (std::size_t e = 0; e < row->repeat; ++e)
                storeEntry(record, layout, e * row->recordStride,
                           value.subspan(std::min(value.size(), e * entry)));
            return true;
        }
        case ItemKind::Strided: {
            // Entries lie at the stride the value's first byte gives; one whose last entry would run past the
            // value is ignored whole.
            const std::size_t stride = value[0];
            const std::size_t entry = entryWireSize(layout);
            if (1 + (row->repeat - 1) * stride + entry > value.size()) return false;
            for (std::size_t e = 0; e < row->repeat; ++e)
                storeEntry(record, layout, e * row->recordStride, value.subspan(1 + e * stride, entry));
            return true;
        }
        case ItemKind::FourG:
            storeEntry(record, layout.first(1), 0, value);
            if (value[0] == 1 && value.size() >= kFourGFullLength)
                storeEntry(record, layout.subspan(1), 0, value.subspan(1));
            return true;
        case ItemKind::Text:
        case ItemKind::Script:
            storeWhole(record, *row, value);
            return true;
        case ItemKind::Data:
            storeWhole(record, *row, value);
            record.setU8(row->countOffset, static_cast<std::uint8_t>(value.size()));
            return true;
    }
    return false;
}

void storeReplyItems(DeviceRecord& record, const protocol::FrameView& frame, const ItemObserver& observer) {
    protocol::forEachItem(frame.body, frame.declaredLength, [&](const protocol::ConfigItem& item) {
        const bool stored = item.complete && storeItem(record, item.tag, item.value);
        if (observer) observer(item, stored);
    });
}

Bytes encodeValue(const DeviceRecord& record, const ItemRow& row, Direction direction) {
    Bytes out;
    const auto layout = layoutOf(row, direction);
    switch (row.kind) {
        case ItemKind::Strided:
            out.push_back(row.wireEntrySize);
            [[fallthrough]];
        case ItemKind::Fixed:
        case ItemKind::FourG:
            out.reserve(encodedSize(row, direction));
            for (std::size_t e = 0; e < row.repeat; ++e)
                appendEntry(out, record, layout, e * row.recordStride);
            break;
        case ItemKind::Text: {
            const auto t = record.text(row.offset, row.width);
            out.assign(t.begin(), t.end());
            break;
        }
        case ItemKind::Data: {
            const auto f =
                record.field(row.offset, std::min<std::size_t>(record.u8(row.countOffset), row.width));
            out.assign(f.begin(), f.end());
            break;
        }
        case ItemKind::Script: {
            // A block too long to send whole goes as an empty item rather than cut.
            const std::size_t length = 2 + std::size_t{readBe16(record.field(row.offset, 2).data())};
            if (length <= row.width) {
                const auto f = record.field(row.offset, length);
                out.assign(f.begin(), f.end());
            }
            break;
        }
    }
    return out;
}

void appendItem(Bytes& out, const DeviceRecord& record, const ItemRow& row, Direction direction) {
    protocol::ItemWriter(out).add(row.tag, encodeValue(record, row, direction));
}

}  // namespace norvane::record
