#pragma once
// Virtual time for tests. advance(ms) runs posted tasks and fires every due timer
// in time order (ties in the order the timers were armed); a wait() inside a handler
// moves virtual time on and runs the other due work just as a nested event loop
// would, then returns to the handler.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>

#include "platform/event_loop.h"

namespace platform {

class FakeEventLoop : public EventLoop {
  public:
    std::int64_t nowMs() override { return now_; }
    void post(std::function<void()> task) override { posted_.push_back(std::move(task)); }
    void wait(int ms) override {
        if (onWait) onWait(ms);
        runUntil(now_ + ms);
    }
    // Sees each wait as it begins: what a handler shows while it pauses.
    std::function<void(int)> onWait;

    // Moves virtual time forward by ms, running everything that falls due.
    void advance(std::int64_t ms) { runUntil(now_ + ms); }
    // Runs posted tasks only, without moving time.
    void drain();
    int waitDepth() const { return depth_; }

  protected:
    void timerChanged(Timer& t) override;
    void timerDestroyed(Timer& t) override;

  private:
    struct Armed {
        std::int64_t due;
        std::uint64_t seq;
        bool running = false;
    };
    void runUntil(std::int64_t target);
    Timer* nextDue(std::int64_t limit);

    std::int64_t now_ = 0;
    std::uint64_t seq_ = 0;
    int depth_ = 0;
    std::map<Timer*, Armed> armed_;
    std::deque<std::function<void()>> posted_;
};

}  // namespace platform
