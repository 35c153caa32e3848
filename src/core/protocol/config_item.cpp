#include "protocol/config_item.h"

namespace norvane::protocol {

void forEachItem(ByteView body, std::uint16_t declaredLength,
                 const std::function<void(const ConfigItem&)>& visit) {
    std::size_t p = 0;
    do {
        if (p + 3 > body.size()) return;
        ConfigItem item;
        item.tag = body[p];
        item.declaredLength = readBe16(&body[p + 1]);
        const std::size_t end = p + 3 + item.declaredLength;
        item.complete = end <= body.size();
        if (item.complete) item.value = body.subspan(p + 3, item.declaredLength);
        visit(item);
        if (!item.complete) return;
        p = end;
    } while (p < declaredLength);
}

void ItemWriter::add(std::uint8_t tag, ByteView value) {
    out_.push_back(tag);
    appendBe16(out_, static_cast<std::uint16_t>(value.size()));
    out_.insert(out_.end(), value.begin(), value.end());
}

}  // namespace norvane::protocol
