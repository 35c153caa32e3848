#pragma once
// Small UDP sockets for checking what the test namespaces deliver, in any namespace netns-run made.

#include <netinet/in.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace norvane::test {

struct Datagram {
    std::string payload;
    std::string from;  // dotted sender address
};

class UdpProbe {
  public:
    // A socket bound to ADDRESS:PORT (PORT 0: any free one), allowed to send broadcasts.
    // With NAMESPACE set it is made in that named namespace (from /run/netns) and stays there.
    UdpProbe(const std::string& address, std::uint16_t port, const std::string& nameSpace = {});
    ~UdpProbe();
    UdpProbe(const UdpProbe&) = delete;
    UdpProbe& operator=(const UdpProbe&) = delete;

    std::uint16_t port() const;
    void sendTo(const std::string& address, std::uint16_t port, const std::string& payload) const;
    // The next datagram, or nullopt when none comes within TIMEOUT.
    std::optional<Datagram> receive(std::chrono::milliseconds timeout) const;

  private:
    int fd_ = -1;
};

// The name a netns-run topology exported in VARIABLE; throws when it is not set.
std::string namespaceFromEnv(const char* variable);

}  // namespace norvane::test
