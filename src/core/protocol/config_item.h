#pragma once

#include <functional>

#include "bytes.h"

namespace norvane::protocol {

// tag (1 byte), value length N (u16 BE), N value bytes: the unit in which settings travel.
struct ConfigItem {
    std::uint8_t tag = 0;
    // The length the item declares; the value is present only when it lies wholly inside the datagram.
    std::uint16_t declaredLength = 0;
    ByteView value;
    bool complete = false;
};

// Walks the items of a reply body. The first item is always examined, even when the declared length is 0;
// the walk goes on while the next item's offset is below the declared length, and never reads past the body
// (which already ends before the MAC). An item whose value would run past the body is reported incomplete and
// ends the walk.
void forEachItem(ByteView body, std::uint16_t declaredLength,
                 const std::function<void(const ConfigItem&)>& visit);

// Appends items to a payload.
class ItemWriter final {
  public:
    explicit ItemWriter(Bytes& out) : out_(out) {}
    void add(std::uint8_t tag, ByteView value);
    void add(std::uint8_t tag, std::initializer_list<std::uint8_t> value) {
        add(tag, ByteView(value.begin(), value.size()));
    }

  private:
    Bytes& out_;
};

}  // namespace norvane::protocol
