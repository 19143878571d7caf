#pragma once
// The Unix hall bus watched by the Qt event loop.
#include <QSocketNotifier>
#include <memory>

#include "platform/unix_hall_bus.h"

namespace platform {

class QtHallBus : public HallBus {
  public:
    explicit QtHallBus(std::string directory = hallBusDirectory());
    bool open(const std::string& caption) override;
    void close() override;
    bool isOpen() const override { return bus_.isOpen(); }
    bool send(const std::string& caption, std::uint32_t msg, std::uint32_t w,
              std::uint32_t l) override {
        return bus_.send(caption, msg, w, l);
    }
    const std::string& directory() const { return bus_.directory(); }

  private:
    UnixHallBus bus_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace platform
