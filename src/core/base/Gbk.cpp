#include "Gbk.h"

#include <cerrno>
#include <iconv.h>

namespace {

// One iconv conversion descriptor for the duration of a call.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`; on an invalid or unconvertible sequence either fails (strict)
    // or writes `replacement` and skips one input byte.
    std::optional<std::string> convert(std::string_view in, bool strict, std::string_view replacement)
    {
        if (!valid()) return std::nullopt;
        std::string out;
        char buffer[256];
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, dst - buffer);
            if (rc != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            if (strict) return std::nullopt;
            out += replacement;
            ++src;
            --srcLeft;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

}  // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8)
{
    return Converter("GBK", "UTF-8").convert(utf8, true, {});
}

std::string GbkToUtf8(std::string_view gbk)
{
    return Converter("UTF-8", "GBK").convert(gbk, false, "\xEF\xBF\xBD").value_or(std::string());
}

std::optional<std::size_t> GbkByteCount(std::string_view utf8)
{
    const auto gbk = Utf8ToGbk(utf8);
    if (!gbk) return std::nullopt;
    return gbk->size();
}

std::string TruncateToGbkBytes(std::string_view utf8, std::size_t maxBytes)
{
    std::size_t used = 0;
    std::size_t end = 0;
    while (end < utf8.size()) {
        std::size_t len = 1;
        const unsigned char lead = static_cast<unsigned char>(utf8[end]);
        if (lead >= 0xF0) len = 4;
        else if (lead >= 0xE0) len = 3;
        else if (lead >= 0xC0) len = 2;
        if (end + len > utf8.size()) break;
        const auto bytes = GbkByteCount(utf8.substr(end, len));
        if (!bytes || used + *bytes > maxBytes) break;
        used += *bytes;
        end += len;
    }
    return std::string(utf8.substr(0, end));
}
