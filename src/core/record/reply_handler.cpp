#include "record/reply_handler.h"

#include "protocol/codes.h"

namespace norvane::record {

ReplyOutcome ReplyHandler::handle(const std::array<std::uint8_t, 4>& source, ByteView datagram,
                                  const ItemObserver& observer) {
    if (!observer) return handle(source, datagram, RecordItemObserver{});
    return handle(source, datagram,
                  [&observer](const DeviceRecord&, const protocol::ConfigItem& item, bool stored) {
                      observer(item, stored);
                  });
}

ReplyOutcome ReplyHandler::handle(const std::array<std::uint8_t, 4>& source, ByteView datagram,
                                  const RecordItemObserver& observer) {
    // Each item is shown to the observer with the record it was stored into.
    const auto store = [&observer](DeviceRecord& record, const protocol::FrameView& frame) {
        if (!observer) return storeReplyItems(record, frame);
        storeReplyItems(record, frame, [&](const protocol::ConfigItem& item, bool stored) {
            observer(record, item, stored);
        });
    };
    using protocol::Reply;
    using Kind = ReplyOutcome::Kind;
    ReplyOutcome outcome;
    const auto frame = protocol::checkFrame(datagram);
    if (!frame) return outcome;
    outcome.code = frame->code;
    outcome.mac = frame->mac;
    switch (static_cast<Reply>(frame->code)) {
        case Reply::Search: {
            const auto slot = list_.findOrAdd(frame->mac);
            if (!slot.record) {
                outcome.kind = Kind::ListFull;
                return outcome;
            }
            store(*slot.record, *frame);
            slot.record->setSourceAddress(source);
            outcome.kind = Kind::Listed;
            outcome.index = slot.index;
            outcome.added = slot.added;
            return outcome;
        }
        case Reply::Read: {
            const int index = list_.find(frame->mac);
            if (index < 0) {
                scratch_ = DeviceRecord{};
                store(scratch_, *frame);
                outcome.kind = Kind::ReadUnlisted;
                return outcome;
            }
            outcome.index = static_cast<std::size_t>(index);
            store(list_[outcome.index], *frame);
            outcome.kind = Kind::Read;
            return outcome;
        }
        case Reply::WriteAck:
        case Reply::FactoryResetAck:
        case Reply::RebootAck:
            outcome.kind = Kind::Acknowledged;
            return outcome;
    }
    return outcome;
}

}  // namespace norvane::record
