#pragma once
// The hall bus on Unix datagram sockets: each window's endpoint is a socket file in
// the bus directory named by its percent-encoded caption (a caption too long for
// a socket address gets a fixed-length name derived from it); a message is 12 bytes,
// three unsigned 32-bit little-endian integers. Both adapters' real side and the
// hall stand-in use this; the event loop watches fd() and calls readPending().
#include <string>

#include "platform/hall_bus.h"

namespace platform {

// $DRAVIK_HALL_BUS, else $XDG_RUNTIME_DIR/dravik-hall, else /tmp/dravik-hall-<uid>.
std::string hallBusDirectory();
// RFC 3986 percent-encoding of a UTF-8 caption (unreserved characters stay).
std::string encodeCaption(const std::string& caption);

class UnixHallBus : public HallBus {
  public:
    explicit UnixHallBus(std::string directory = hallBusDirectory());
    ~UnixHallBus() override;
    bool open(const std::string& caption) override;
    void close() override;
    bool isOpen() const override { return fd_ >= 0; }
    bool send(const std::string& caption, std::uint32_t msg, std::uint32_t wParam,
              std::uint32_t lParam) override;
    int fd() const { return fd_; }
    // Delivers every datagram waiting on the endpoint to onMessage.
    void readPending();
    const std::string& directory() const { return dir_; }
    std::string endpointPath(const std::string& caption) const;

  private:
    std::string dir_;
    std::string path_;
    int fd_ = -1;
};

}  // namespace platform
