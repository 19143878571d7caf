#include "server/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace server {
namespace {

// One conversion; the descriptor is opened once per direction (the server has one thread).
std::string convert(iconv_t cd, std::string_view in) {
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    std::vector<char> buf(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = buf.data();
        size_t dstLeft = buf.size();
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf.data(), dst - buf.data());
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // An unconvertible or broken sequence: skip one byte and go on.
            ++src;
            --srcLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

}  // namespace

std::string toGbk(std::string_view utf8) {
    static iconv_t cd = iconv_open("GBK", "UTF-8");
    return convert(cd, utf8);
}

std::string fromGbk(std::string_view gbk) {
    static iconv_t cd = iconv_open("UTF-8", "GBK");
    return convert(cd, gbk);
}

}  // namespace server
