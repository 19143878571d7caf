#include "platform/unix_hall_bus.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform {

std::string hallBusDirectory() {
    if (const char* d = std::getenv("DRAVIK_HALL_BUS"); d && *d) return d;
    if (const char* x = std::getenv("XDG_RUNTIME_DIR"); x && *x)
        return std::string(x) + "/dravik-hall";
    return "/tmp/dravik-hall-" + std::to_string(getuid());
}

std::string encodeCaption(const std::string& caption) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : caption) {
        bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
        if (unreserved) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

namespace {

bool fillAddress(const std::string& path, sockaddr_un& addr) {
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    return true;
}

void putLe32(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

std::uint32_t getLe32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

UnixHallBus::UnixHallBus(std::string directory) : dir_(std::move(directory)) {}

// The endpoint's socket file: the encoded caption, or, where that would not fit a
// socket address, a fixed-length name derived from the caption ("%%" and sixteen
// hex digits, which no encoded caption can be).
std::string UnixHallBus::endpointPath(const std::string& caption) const {
    std::string path = dir_ + "/" + encodeCaption(caption);
    if (path.size() < sizeof(sockaddr_un{}.sun_path)) return path;
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : caption) h = (h ^ c) * 1099511628211ull;
    static const char* hex = "0123456789ABCDEF";
    std::string name = "%%";
    for (int shift = 60; shift >= 0; shift -= 4) name += hex[(h >> shift) & 15];
    return dir_ + "/" + name;
}

UnixHallBus::~UnixHallBus() { close(); }

bool UnixHallBus::open(const std::string& caption) {
    close();
    ::mkdir(dir_.c_str(), 0700);
    std::string path = endpointPath(caption);
    sockaddr_un addr;
    if (!fillAddress(path, addr)) return false;
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    ::unlink(path.c_str());  // a stale endpoint of a window that is gone
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    path_ = path;
    return true;
}

void UnixHallBus::close() {
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(path_.c_str());
    fd_ = -1;
    path_.clear();
}

bool UnixHallBus::send(const std::string& caption, std::uint32_t msg, std::uint32_t wParam,
                       std::uint32_t lParam) {
    std::string path = endpointPath(caption);
    sockaddr_un addr;
    if (!fillAddress(path, addr)) return false;
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    unsigned char buf[12];
    putLe32(buf, msg);
    putLe32(buf + 4, wParam);
    putLe32(buf + 8, lParam);
    ssize_t n = ::sendto(fd, buf, sizeof buf, MSG_DONTWAIT | MSG_NOSIGNAL,
                         reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    int err = errno;
    ::close(fd);
    if (n == static_cast<ssize_t>(sizeof buf)) return true;
    // A window that is slow to read its messages is still there (this message is lost).
    if (err == EAGAIN || err == EWOULDBLOCK) return true;
    // A socket file nobody listens on belongs to a window that is gone.
    if (err == ECONNREFUSED && path != path_) ::unlink(path.c_str());
    return false;
}

void UnixHallBus::readPending() {
    if (fd_ < 0) return;
    unsigned char buf[64];
    for (;;) {
        ssize_t n = ::recv(fd_, buf, sizeof buf, MSG_DONTWAIT);
        if (n < 0) break;
        if (n != 12) continue;  // not a message of the bus
        if (onMessage) onMessage(getLe32(buf), getLe32(buf + 4), getLe32(buf + 8));
        if (fd_ < 0) break;  // the handler closed the endpoint
    }
}

}  // namespace platform
