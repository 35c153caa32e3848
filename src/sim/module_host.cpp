#include "sim/module_host.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "protocol/device_frame.h"
#include "protocol/lock_prefix.h"
#include "sim/access_lock.h"
#include "sim/reply_splitter.h"

namespace norvane::sim {

ModuleHost::ModuleHost(const std::vector<record::DeviceRecord>& factoryRecords, ModuleExtension* extension)
    : extension_(extension) {
    if (factoryRecords.empty() || factoryRecords.size() > kMaxModules)
        throw std::invalid_argument("a module host holds 1 to 512 modules");
    modules_.reserve(factoryRecords.size());
    for (const record::DeviceRecord& factory : factoryRecords) modules_.emplace_back(factory, extension);
}

std::vector<Outgoing> ModuleHost::handle(ByteView datagram, const Peer& source) {
    if (faults_.silent()) return {};
    // Each datagram carries its own prefix, the pieces of a long write too.
    auto [credentialText, data] = protocol::splitLockPrefix(datagram);
    const std::lock_guard lock(mutex_);
    const auto arrived = pieces_.take(source, data, std::move(credentialText));
    if (!arrived) return {};
    const auto request = parseRequest(arrived->frame);
    if (!request) return {};
    std::vector<Outgoing> out;
    for (VirtualModule& module : modules_) {
        if (!module.isAddressedBy(*request) || !admits(module.record(), arrived->credentialText)) continue;
        const std::size_t answerBegins = out.size();
        sendAnswer(module, *request, out, source);
        if (!extension_) continue;
        std::vector<Outgoing> extra;
        extension_->afterAnswer(module.record(), arrived->frame, source, std::span(out).subspan(answerBegins),
                                extra);
        std::ranges::move(extra, std::back_inserter(out));
    }
    return out;
}

void ModuleHost::sendAnswer(VirtualModule& module, const Request& request, std::vector<Outgoing>& out,
                            const Peer& source) {
    const auto answer = module.answer(request, !faults_.ackWithoutApplying());
    if (!answer) return;
    std::vector<Bytes> datagrams;
    if (answer->carriesItems()) {
        datagrams = splitReply(request.route, answer->code, answer->items, module.mac());
    } else {
        const MacAddress mac = faults_.ackFromOtherMac() ? otherMacThan(module.mac()) : module.mac();
        datagrams.push_back(protocol::buildFrame(request.route, answer->code, {}, mac));
    }
    for (Bytes& datagram : datagrams)
        if (!faults_.dropNextReply()) out.push_back({std::move(datagram), source, faults_.replyDelay()});
}

record::DeviceRecord ModuleHost::record(std::size_t index) const {
    const std::lock_guard lock(mutex_);
    return modules_.at(index).record();
}

void ModuleHost::update(std::size_t index, const std::function<void(record::DeviceRecord&)>& change) {
    const std::lock_guard lock(mutex_);
    change(modules_.at(index).record());
}

}  // namespace norvane::sim
