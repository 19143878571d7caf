#include "wire/gbk.h"

#include <iconv.h>

#include <cerrno>

namespace wire {

namespace {

// One converter per direction for the life of the process; iconv keeps no state
// between whole-character conversions in these encodings.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    // False when any input byte cannot be converted.
    bool convert(const std::string& in, std::string& out) {
        out.clear();
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buf[256];
        while (srcLeft > 0) {
            char* dst = buf;
            size_t dstLeft = sizeof buf;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf, static_cast<size_t>(dst - buf));
            if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
        }
        return true;
    }

  private:
    iconv_t cd_;
};

Converter& toGbk() {
    static Converter c("GBK", "UTF-8");
    return c;
}

Converter& fromGbk() {
    static Converter c("UTF-8", "GBK");
    return c;
}

}  // namespace

std::vector<std::string> utf8Chars(const std::string& s) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
        if (i + n > s.size()) n = 1;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) n = 1;
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

std::optional<std::string> charToGbk(const std::string& utf8Char) {
    std::string out;
    if (!toGbk().convert(utf8Char, out) || out.empty() || out.size() > 2) return std::nullopt;
    return out;
}

std::string utf8ToGbk(const std::string& utf8) {
    std::string out;
    for (const std::string& ch : utf8Chars(utf8)) {
        auto g = charToGbk(ch);
        out += g ? *g : std::string("?");
    }
    return out;
}

namespace {

bool isLead(std::uint8_t b) { return b >= 0x81 && b <= 0xFE; }
bool isTrail(std::uint8_t b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE); }

// One character of one or two bytes through the code page; empty when it has none.
std::string convertOne(const std::uint8_t* bytes, std::size_t n) {
    std::string in(reinterpret_cast<const char*>(bytes), n), out;
    if (!fromGbk().convert(in, out)) out.clear();
    return out;
}

}  // namespace

std::string gbkToUtf8(std::span<const std::uint8_t> gbk) {
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    std::size_t i = 0;
    while (i < gbk.size()) {
        std::uint8_t c = gbk[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
        } else if (c == 0x80) {
            std::string euro = convertOne(&gbk[i], 1);
            out += euro.empty() ? kReplacementChar : euro;
            ++i;
        } else if (isLead(c) && i + 1 < gbk.size() && isTrail(gbk[i + 1])) {
            std::string ch = convertOne(&gbk[i], 2);
            out += ch.empty() ? kReplacementChar : ch;
            i += 2;
        } else {
            out += kReplacementChar;
            ++i;
        }
    }
    return out;
}

std::string gbkToUtf8(std::string_view gbk) {
    return gbkToUtf8(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(gbk.data()), gbk.size()));
}

}  // namespace wire
