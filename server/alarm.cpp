#include "server/alarm.h"

namespace server {

Alarm::Alarm(platform::EventLoop& loop)
    : loop_(loop), timer_(loop), self_(std::make_shared<Alarm*>(this)) {
    timer_.onTick = [this] { fire(generation_); };
}

void Alarm::set(int ms, std::function<void()> f) {
    cancel();
    fn_ = std::move(f);
    unsigned g = generation_;
    if (ms <= 0) {
        std::weak_ptr<Alarm*> weak = self_;
        loop_.post([weak, g] {
            if (auto s = weak.lock()) (*s)->fire(g);
        });
    } else {
        timer_.setInterval(ms);
        timer_.setEnabled(true);
    }
}

void Alarm::cancel() {
    ++generation_;
    fn_ = nullptr;
    timer_.setEnabled(false);
}

void Alarm::fire(unsigned g) {
    if (g != generation_ || !fn_) return;
    timer_.setEnabled(false);
    ++generation_;
    auto f = std::move(fn_);
    fn_ = nullptr;
    f();
}

}  // namespace server
