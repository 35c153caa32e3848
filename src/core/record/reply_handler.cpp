#include "record/reply_handler.h"

#include "protocol/codes.h"

namespace norvane::record {

ReplyOutcome ReplyHandler::handle(const std::array<std::uint8_t, 4>& source, ByteView datagram,
                                  const ItemObserver& observer) {
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
            storeReplyItems(*slot.record, *frame, observer);
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
                storeReplyItems(scratch_, *frame, observer);
                outcome.kind = Kind::ReadUnlisted;
                return outcome;
            }
            outcome.index = static_cast<std::size_t>(index);
            storeReplyItems(list_[outcome.index], *frame, observer);
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
