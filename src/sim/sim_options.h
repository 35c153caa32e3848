#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "protocol/lock_prefix.h"
#include "sim/faults.h"
#include "sim/sim_server.h"

namespace norvane::sim {

// What the program is asked to run.
struct SimOptions {
    std::size_t modules = 3;
    // The first module's number: hosts started with different numbers give their modules different MACs.
    std::size_t firstModule = 0;
    Endpoint endpoint;
    std::uint64_t linkBitsPerSecond = LinkPacer::kSegmentBitsPerSecond;
    std::optional<protocol::LockCredentials> lock;  // GBK texts
    FaultSettings faults;
    // Where modules in debug mode send their copies, on the address the debug command came from.
    quint16 debugPort = 1112;
    // Debug datagrams each module in debug mode sends a second besides its copies; 0 sends none.
    std::uint32_t debugFloodPerSecond = 0;
};

struct CommandLine {
    enum class Outcome { Run, ShowHelp, Error };
    Outcome outcome = Outcome::Run;
    SimOptions options;
    QString message;  // the help text, or what is wrong with the arguments
};

// Reads the program's arguments (the first is the program's name).
CommandLine parseCommandLine(const QStringList& arguments);

}  // namespace norvane::sim
