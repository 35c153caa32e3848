#pragma once

#include <optional>
#include <string>

#include "bytes.h"

namespace norvane::protocol {

// The access lock's credentials; each text is at most 64 bytes (longer text is cut).
struct LockCredentials {
    std::string user;
    std::string password;
    bool operator==(const LockCredentials&) const = default;
};

inline constexpr std::size_t kLockTextLimit = 64;

// 0xCD 0xDC 0xAB 0xBA, K, then user name and password back to back (K bytes, no separator), then the frame.
Bytes withLockPrefix(ByteView frame, const LockCredentials& credentials);

// The module's side: a datagram split into the credential text it carries (if any) and the frame behind it.
struct PrefixedFrame {
    std::optional<std::string> credentialText;
    ByteView frame;
};
PrefixedFrame splitLockPrefix(ByteView datagram);

}  // namespace norvane::protocol
