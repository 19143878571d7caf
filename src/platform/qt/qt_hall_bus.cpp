#include "platform/qt/qt_hall_bus.h"

#include "platform/qt/qt_event_loop.h"

namespace platform {

QtHallBus::QtHallBus(std::string directory) : bus_(std::move(directory)) {
    bus_.onMessage = [this](std::uint32_t m, std::uint32_t w, std::uint32_t l) {
        if (onMessage) onMessage(m, w, l);
    };
}

bool QtHallBus::open(const std::string& caption) {
    close();
    if (!bus_.open(caption)) return false;
    notifier_ = std::make_unique<QSocketNotifier>(bus_.fd(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated,
                     [this] { QtEventLoop::guard([this] { bus_.readPending(); }); });
    return true;
}

void QtHallBus::close() {
    notifier_.reset();
    bus_.close();
}

}  // namespace platform
