#pragma once

#include <string>
#include <string_view>

namespace norvane::text {

// The module speaks GBK; the rest of the program speaks UTF-8. These two are the only place they meet.
// Bytes that do not convert become U+FFFD (to UTF-8) or '?' (to GBK), so a broken text never stops a display.
std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);

// The longest prefix of a GBK byte string that fits in `limit` bytes without splitting a two-byte character.
std::string_view cutGbk(std::string_view gbk, std::size_t limit);

}  // namespace norvane::text
