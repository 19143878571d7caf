#include "record/replay_loop.h"

#include <algorithm>
#include <cmath>

namespace record {

ReplayLoop::ReplayLoop(platform::EventLoop& inner, double speed)
    : inner_(inner), speed_(speed > 0 ? speed : 1.0), innerBaseMs_(inner.nowMs()) {}

ReplayLoop::~ReplayLoop() = default;

std::int64_t ReplayLoop::nowMs() {
    return static_cast<std::int64_t>(
        std::floor(baseMs_ + static_cast<double>(inner_.nowMs() - innerBaseMs_) * speed_));
}

int ReplayLoop::scaled(int ms) const {
    if (ms <= 0) return ms;
    return std::max(1, static_cast<int>(std::lround(ms / speed_)));
}

void ReplayLoop::setSpeed(double speed) {
    if (!(speed > 0)) return;
    baseMs_ = baseMs_ + static_cast<double>(inner_.nowMs() - innerBaseMs_) * speed_;
    innerBaseMs_ = inner_.nowMs();
    speed_ = speed;
    for (auto& [outer, inner] : timers_) inner->setInterval(scaled(outer->interval()));
}

// Each timer of the replay has a twin on the inner loop that runs at the scaled
// interval and ticks the replay's timer.
void ReplayLoop::timerChanged(platform::Timer& t) {
    auto it = timers_.find(&t);
    if (it == timers_.end()) {
        auto twin = std::make_unique<platform::Timer>(inner_);
        twin->onTick = [&t] {
            if (t.onTick) t.onTick();
        };
        it = timers_.emplace(&t, std::move(twin)).first;
    }
    platform::Timer& twin = *it->second;
    twin.setEnabled(false);
    twin.setInterval(scaled(t.interval()));
    twin.setEnabled(t.enabled());
}

void ReplayLoop::timerDestroyed(platform::Timer& t) {
    auto it = timers_.find(&t);
    if (it == timers_.end()) return;
    it->second->setEnabled(false);
    graveyard_->push_back(std::move(it->second));
    timers_.erase(it);
    inner_.post([graveyard = std::weak_ptr(graveyard_)] {
        if (auto g = graveyard.lock()) g->clear();
    });
}

}  // namespace record
