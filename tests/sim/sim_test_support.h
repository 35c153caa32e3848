#pragma once
// What the module tests share: a tool's address, the frames a host sent, and requests built as the tool
// builds them.

#include <gtest/gtest.h>

#include <vector>

#include "protocol/device_frame.h"
#include "protocol/requests.h"
#include "record/item_codec.h"
#include "sim/module_host.h"
#include "sim/plausible_record.h"

namespace norvane::sim::test {

// 198.51.100.1, port 40000: where every request of these tests comes from.
inline constexpr Peer kTool{0xC6336401, 40000};

inline Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

// What a host sent, checked: every datagram a valid frame addressed back to the tool. The frames view the
// datagrams held here, so they live as long as it does.
class Sent final {
  public:
    Sent(std::vector<Outgoing> out, const Peer& to) : out_(std::move(out)) {
        for (const Outgoing& o : out_) {
            EXPECT_EQ(o.destination, to);
            const auto frame = protocol::checkFrame(o.datagram);
            EXPECT_TRUE(frame.has_value()) << "not a frame, " << o.datagram.size() << " bytes";
            if (frame) frames_.push_back(*frame);
        }
    }
    Sent(const Sent&) = delete;
    Sent& operator=(const Sent&) = delete;

    std::size_t size() const { return frames_.size(); }
    bool empty() const { return frames_.empty(); }
    const protocol::FrameView& operator[](std::size_t i) const { return frames_.at(i); }
    auto begin() const { return frames_.begin(); }
    auto end() const { return frames_.end(); }

  private:
    std::vector<Outgoing> out_;
    std::vector<protocol::FrameView> frames_;
};

inline Sent framesOf(std::vector<Outgoing> out, const Peer& to = kTool) {
    return Sent(std::move(out), to);
}

// The tags of a frame's items, in order.
inline Bytes tagsOf(const protocol::FrameView& frame) {
    Bytes tags;
    protocol::forEachItem(frame.body, frame.declaredLength, [&](const protocol::ConfigItem& item) {
        EXPECT_TRUE(item.complete);
        tags.push_back(item.tag);
    });
    return tags;
}

// A search for the device name only: every module answers it in one datagram.
inline Bytes nameSearch() {
    return protocol::buildFrame(protocol::Route::Local, 0x01, Bytes{0x1B}, protocol::kAllModules);
}

// Every tag of the item table, ascending.
inline Bytes everyTag() {
    Bytes tags;
    for (const record::ItemRow& row : record::itemTable()) tags.push_back(row.tag);
    return tags;
}

// The items a configuration save sends for this record: every row marked for it, in table order.
inline Bytes saveItems(const record::DeviceRecord& record) {
    Bytes items;
    for (const record::ItemRow& row : record::itemTable())
        if (row.sentBySave) record::appendItem(items, record, row, record::Direction::Save);
    return items;
}

// One item, encoded.
inline Bytes item(std::uint8_t tag, ByteView value) {
    Bytes out;
    protocol::ItemWriter(out).add(tag, value);
    return out;
}

// A datagram cut into the consecutive pieces a tool sends a long write in.
inline std::vector<Bytes> piecesOf(const Bytes& frame, std::size_t size = 1024) {
    std::vector<Bytes> pieces;
    for (std::size_t at = 0; at < frame.size(); at += size) {
        const auto end = frame.begin() + static_cast<std::ptrdiff_t>(std::min(frame.size(), at + size));
        pieces.emplace_back(frame.begin() + static_cast<std::ptrdiff_t>(at), end);
    }
    return pieces;
}

// What the host sends for a series of datagrams from one source, all together.
inline std::vector<Outgoing> feed(ModuleHost& host, const std::vector<Bytes>& datagrams,
                                  const Peer& from = kTool) {
    std::vector<Outgoing> out;
    for (const Bytes& d : datagrams) {
        auto more = host.handle(d, from);
        out.insert(out.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    }
    return out;
}

// Names each case of a parameterised test after its `name`.
struct ByName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        return info.param.name;
    }
};

// The factory's three modules.
class ThreeModules : public ::testing::Test {
  protected:
    ModuleHost host{plausibleRecords(3)};
    MacAddress mac(std::size_t i) const { return host.record(i).mac(); }
};

}  // namespace norvane::sim::test
