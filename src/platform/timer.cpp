#include "platform/event_loop.h"

namespace platform {

Timer::Timer(EventLoop& loop, int intervalMs, std::function<void()> tick)
    : onTick(std::move(tick)), loop_(loop), interval_(intervalMs) {}

Timer::~Timer() { loop_.timerDestroyed(*this); }

void Timer::setInterval(int ms) {
    interval_ = ms;
    if (enabled_) loop_.timerChanged(*this);
}

void Timer::setEnabled(bool on) {
    if (enabled_ == on) return;
    enabled_ = on;
    loop_.timerChanged(*this);
}

}  // namespace platform
