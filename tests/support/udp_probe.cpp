#include "udp_probe.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

#include "namespace_scope.h"

namespace norvane::test {
namespace {

[[noreturn]] void fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

sockaddr_in toAddress(const std::string& address, std::uint16_t port) {
    sockaddr_in out{};
    out.sin_family = AF_INET;
    out.sin_port = htons(port);
    if (::inet_pton(AF_INET, address.c_str(), &out.sin_addr) != 1) {
        throw std::invalid_argument("not an IPv4 address: " + address);
    }
    return out;
}

// The sockets API takes every address family through one base type.
sockaddr* asGeneric(sockaddr_in* address) {
    return reinterpret_cast<sockaddr*>(address);
}

int openBound(const std::string& address, std::uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) fail("socket");
    const int on = 1;
    sockaddr_in local = toAddress(address, port);
    if (::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0 ||
        ::bind(fd, asGeneric(&local), sizeof local) != 0) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        fail("bind " + address + ":" + std::to_string(port));
    }
    return fd;
}

}  // namespace

UdpProbe::UdpProbe(const std::string& address, std::uint16_t port, const std::string& nameSpace) {
    if (nameSpace.empty()) {
        fd_ = openBound(address, port);
    } else {
        const NamespaceScope scope(nameSpace);
        fd_ = openBound(address, port);
    }
}

UdpProbe::~UdpProbe() {
    ::close(fd_);
}

std::uint16_t UdpProbe::port() const {
    sockaddr_in local{};
    socklen_t size = sizeof local;
    if (::getsockname(fd_, asGeneric(&local), &size) != 0) fail("getsockname");
    return ntohs(local.sin_port);
}

void UdpProbe::sendTo(const std::string& address, std::uint16_t port, const std::string& payload) const {
    sockaddr_in target = toAddress(address, port);
    const auto sent = ::sendto(fd_, payload.data(), payload.size(), 0, asGeneric(&target), sizeof target);
    if (sent < 0 || static_cast<std::size_t>(sent) != payload.size()) fail("sendto " + address);
}

std::optional<Datagram> UdpProbe::receive(std::chrono::milliseconds timeout) const {
    pollfd ready{fd_, POLLIN, 0};
    const int count = ::poll(&ready, 1, static_cast<int>(timeout.count()));
    if (count < 0) fail("poll");
    if (count == 0) return std::nullopt;

    std::array<char, 2048> buffer{};
    sockaddr_in sender{};
    socklen_t size = sizeof sender;
    const auto length = ::recvfrom(fd_, buffer.data(), buffer.size(), 0, asGeneric(&sender), &size);
    if (length < 0) fail("recvfrom");
    std::array<char, INET_ADDRSTRLEN> from{};
    ::inet_ntop(AF_INET, &sender.sin_addr, from.data(), from.size());
    return Datagram{std::string(buffer.data(), static_cast<std::size_t>(length)), from.data()};
}

std::string namespaceFromEnv(const char* variable) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') {
        throw std::runtime_error(std::string(variable) +
                                 " is not set: run through scripts/netns-run --topology");
    }
    return value;
}

}  // namespace norvane::test
