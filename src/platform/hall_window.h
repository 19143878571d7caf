#pragma once
// The hall program's top-level window, found again by its caption for every
// operation: restore, minimise, post a message. None of them reports anything;
// without such a window they do nothing.
#include <cstdint>
#include <string>
#include <utility>

#include "platform/hall_bus.h"

namespace platform {

enum HallMessageNumber : std::uint32_t {
    kHallConnecting = 22,
    kHallLoggedIn = 771,
    kHallMsg1024 = 1024,
    kHallMsg1125 = 1125,
    kHallMsg1126 = 1126,
    kHallDealt = 1127,
};

class HallWindow {
  public:
    explicit HallWindow(HallBus& bus, std::string caption = "Brenmoor")
        : hallCaption(std::move(caption)), bus_(bus) {}
    std::string hallCaption;

    bool find() { return bus_.exists(hallCaption); }
    void restore() { bus_.send(hallCaption, platform::WM_SYSCOMMAND, platform::SC_RESTORE, 0); }
    void minimise() { bus_.send(hallCaption, platform::WM_SYSCOMMAND, platform::SC_MINIMIZE, 0); }
    void post(std::uint32_t msg) { bus_.send(hallCaption, msg, 0, 0); }

  private:
    HallBus& bus_;
};

}  // namespace platform
