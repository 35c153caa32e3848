#include "text/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace norvane::text {
namespace {

// One conversion descriptor per direction and thread: opening iconv costs far more than converting a name.
class Converter final {
  public:
    // `fromUtf8`: a character that does not convert is skipped with all of its UTF-8 bytes.
    Converter(const char* to, const char* from, std::string_view replacement, bool fromUtf8)
        : cd_(iconv_open(to, from)), replacement_(replacement), fromUtf8_(fromUtf8) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert GBK");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string convert(std::string_view in) {
        std::string out;
        out.reserve(in.size() * 2);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[256];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, sizeof buffer - dstLeft);
            if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
            // EILSEQ or EINVAL (a lead byte cut off at the end): skip the character and mark the gap.
            out.append(replacement_);
            do {
                ++src;
                --srcLeft;
            } while (fromUtf8_ && srcLeft > 0 && (static_cast<unsigned char>(*src) & 0xC0) == 0x80);
        }
        return out;
    }

  private:
    iconv_t cd_;
    std::string_view replacement_;
    bool fromUtf8_;
};

}  // namespace

std::string gbkToUtf8(std::string_view gbk) {
    thread_local Converter converter("UTF-8", "GBK", "\xEF\xBF\xBD", false);
    return converter.convert(gbk);
}

std::string utf8ToGbk(std::string_view utf8) {
    thread_local Converter converter("GBK", "UTF-8", "?", true);
    return converter.convert(utf8);
}

std::string_view cutGbk(std::string_view gbk, std::size_t limit) {
    std::size_t end = 0;
    while (end < gbk.size()) {
        // A GBK lead byte is 0x81..0xFE and takes the byte after it; everything else stands alone.
        const auto byte = static_cast<unsigned char>(gbk[end]);
        const std::size_t width = (byte >= 0x81 && byte <= 0xFE && end + 1 < gbk.size()) ? 2 : 1;
        if (end + width > limit) break;
        end += width;
    }
    return gbk.substr(0, end);
}

}  // namespace norvane::text
