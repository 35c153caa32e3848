#pragma once

#include <optional>
#include <vector>

#include "record/device_record.h"
#include "sim/module_extension.h"
#include "sim/request.h"

namespace norvane::sim {

// What a module sends back: the reply code and, for 0x81 and 0x83, the encoded items in the order asked.
struct Answer {
    std::uint8_t code = 0;
    std::vector<Bytes> items;
    bool carriesItems() const;
};

// One module: its record, the record a factory reset goes back to, and its answers to requests.
class VirtualModule final {
  public:
    explicit VirtualModule(const record::DeviceRecord& factory, ModuleExtension* extension = nullptr);

    const record::DeviceRecord& record() const { return record_; }
    record::DeviceRecord& record() { return record_; }
    MacAddress mac() const { return record_.mac(); }

    // A request is for this module when it carries its MAC, or, for a search, the all-zero MAC of every
    // module.
    bool isAddressedBy(const Request& request) const;

    // The answer to a request for this module, or nothing for one it does not take (an unknown code, a
    // malformed payload). With `apply` false a write, reset or reboot is acknowledged and the record stays as
    // it was.
    std::optional<Answer> answer(const Request& request, bool apply);

  private:
    Answer report(protocol::Reply reply, ByteView tags);
    std::optional<Answer> write(ByteView payload, bool apply);
    std::optional<Answer> factoryReset(ByteView payload, bool apply);
    std::optional<Answer> reboot(ByteView payload, bool apply);

    record::DeviceRecord factory_;
    record::DeviceRecord record_;
    ModuleExtension* extension_;
};

}  // namespace norvane::sim
