#include "protocol/lock_prefix.h"

#include <algorithm>

namespace norvane::protocol {
namespace {
constexpr std::uint8_t kMagic[] = {0xCD, 0xDC, 0xAB, 0xBA};

std::string_view limited(const std::string& text) {
    return std::string_view(text).substr(0, kLockTextLimit);
}
}  // namespace

Bytes withLockPrefix(ByteView frame, const LockCredentials& credentials) {
    const std::string_view user = limited(credentials.user);
    const std::string_view password = limited(credentials.password);
    Bytes out(std::begin(kMagic), std::end(kMagic));
    out.push_back(static_cast<std::uint8_t>(user.size() + password.size()));
    out.insert(out.end(), user.begin(), user.end());
    out.insert(out.end(), password.begin(), password.end());
    out.insert(out.end(), frame.begin(), frame.end());
    return out;
}

PrefixedFrame splitLockPrefix(ByteView d) {
    if (d.size() < 5 || !std::equal(std::begin(kMagic), std::end(kMagic), d.begin()))
        return {std::nullopt, d};
    const std::size_t k = d[4];
    if (5 + k > d.size()) return {std::nullopt, {}};
    return {std::string(reinterpret_cast<const char*>(&d[5]), k), d.subspan(5 + k)};
}

}  // namespace norvane::protocol
