#pragma once

#include <functional>
#include <mutex>
#include <vector>

#include "record/device_record.h"
#include "sim/datagram_handler.h"
#include "sim/faults.h"
#include "sim/module_extension.h"
#include "sim/piece_assembler.h"
#include "sim/virtual_module.h"

namespace norvane::sim {

// Up to 512 virtual modules behind one UDP port. Each received datagram becomes the datagrams the modules
// send back, all to the datagram's source. Other threads may switch faults and look at or change records
// while the receiving thread calls handle().
class ModuleHost final : public DatagramHandler {
  public:
    static constexpr std::size_t kMaxModules = 512;

    // One module per factory record, each starting as its record; throws std::invalid_argument for no records
    // or more than kMaxModules. The extension, when given, must outlive the host.
    explicit ModuleHost(const std::vector<record::DeviceRecord>& factoryRecords,
                        ModuleExtension* extension = nullptr);

    std::vector<Outgoing> handle(ByteView datagram, const Peer& source) override;

    FaultSwitches& faults() { return faults_; }
    std::size_t moduleCount() const { return modules_.size(); }
    // A copy of module `index`'s record as it stands now.
    record::DeviceRecord record(std::size_t index) const;
    // Changes module `index`'s record under the host's lock; `change` must not call back into the host.
    void update(std::size_t index, const std::function<void(record::DeviceRecord&)>& change);

  private:
    void sendAnswer(VirtualModule& module, const Request& request, std::vector<Outgoing>& out,
                    const Peer& source);

    mutable std::mutex mutex_;
    std::vector<VirtualModule> modules_;
    PieceAssembler pieces_;
    FaultSwitches faults_;
    ModuleExtension* extension_;
};

}  // namespace norvane::sim
