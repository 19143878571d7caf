#pragma once
// The hall bus: window messages between top-level windows found by caption.
// A message is (number, wParam, lParam).
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

constexpr std::uint32_t WM_SYSCOMMAND = 0x0112;
constexpr std::uint32_t SC_RESTORE = 0xF120;
constexpr std::uint32_t SC_MINIMIZE = 0xF020;

class HallBus {
  public:
    virtual ~HallBus() = default;
    // Opens this window's own endpoint under its caption (closing any earlier one).
    virtual bool open(const std::string& caption) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Sends to the window with that caption; false when there is no such window.
    virtual bool send(const std::string& caption, std::uint32_t msg, std::uint32_t wParam,
                      std::uint32_t lParam) = 0;
    bool exists(const std::string& caption) { return send(caption, 0, 0, 0); }

    std::function<void(std::uint32_t msg, std::uint32_t wParam, std::uint32_t lParam)> onMessage;
};

}  // namespace platform
