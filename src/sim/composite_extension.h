#pragma once

#include <initializer_list>
#include <vector>

#include "sim/module_extension.h"

namespace norvane::sim {

// Several extensions joined to one host, asked in the order given: each sees every report and answer; the
// first to know a tag gives its value, the first to take a write keeps it.
class CompositeExtension final : public ModuleExtension {
  public:
    // The parts must outlive the composite.
    CompositeExtension(std::initializer_list<ModuleExtension*> parts) : parts_(parts) {}

    void beforeReport(record::DeviceRecord& record) override {
        for (ModuleExtension* part : parts_) part->beforeReport(record);
    }
    std::optional<Bytes> itemOutsideTable(const record::DeviceRecord& record, std::uint8_t tag) override {
        for (ModuleExtension* part : parts_)
            if (auto value = part->itemOutsideTable(record, tag)) return value;
        return std::nullopt;
    }
    bool applyWrite(record::DeviceRecord& record, std::uint8_t tag, ByteView value) override {
        for (ModuleExtension* part : parts_)
            if (part->applyWrite(record, tag, value)) return true;
        return false;
    }
    void afterAnswer(const record::DeviceRecord& record, ByteView request, const Peer& source,
                     std::span<const Outgoing> answer, std::vector<Outgoing>& extra) override {
        for (ModuleExtension* part : parts_) part->afterAnswer(record, request, source, answer, extra);
    }

  private:
    std::vector<ModuleExtension*> parts_;
};

}  // namespace norvane::sim
