#include "platform/fake/fake_event_loop.h"

#include <algorithm>

namespace platform {

void FakeEventLoop::timerChanged(Timer& t) {
    if (!t.enabled() || t.interval() <= 0) {
        auto it = armed_.find(&t);
        // A timer disabled from inside its own tick keeps its entry until the tick
        // returns, so the entry can be dropped there.
        if (it != armed_.end()) {
            if (it->second.running)
                it->second.due = INT64_MAX;
            else
                armed_.erase(it);
        }
        return;
    }
    auto& a = armed_[&t];
    a.due = now_ + t.interval();
    a.seq = ++seq_;
}

void FakeEventLoop::timerDestroyed(Timer& t) { armed_.erase(&t); }

void FakeEventLoop::drain() {
    while (!posted_.empty()) {
        auto task = std::move(posted_.front());
        posted_.pop_front();
        task();
    }
}

Timer* FakeEventLoop::nextDue(std::int64_t limit) {
    Timer* best = nullptr;
    const Armed* ba = nullptr;
    for (auto& [t, a] : armed_) {
        if (a.running || a.due > limit) continue;
        if (!ba || a.due < ba->due || (a.due == ba->due && a.seq < ba->seq)) {
            best = t;
            ba = &a;
        }
    }
    return best;
}

void FakeEventLoop::runUntil(std::int64_t target) {
    ++depth_;
    struct Leave {
        int& d;
        ~Leave() { --d; }
    } leave{depth_};
    for (;;) {
        drain();
        Timer* t = nextDue(target);
        if (!t) break;
        auto& a = armed_[t];
        now_ = std::max(now_, a.due);
        a.running = true;
        if (t->onTick) t->onTick();
        auto it = armed_.find(t);
        if (it == armed_.end()) continue;  // destroyed inside its tick
        it->second.running = false;
        if (!t->enabled() || t->interval() <= 0) {
            armed_.erase(it);
        } else if (it->second.due != INT64_MAX) {
            // Re-armed during the tick (enabled again or re-timed): keep that due time.
            // Otherwise the next tick follows one interval after this one, and
            // missed ticks coalesce into one, as window timers do.
            if (it->second.due <= now_) it->second.due += t->interval();
            if (it->second.due <= now_) it->second.due = now_ + t->interval();
        }
    }
    now_ = std::max(now_, target);
    drain();
}

}  // namespace platform
