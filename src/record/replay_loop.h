#pragma once
// The replay's clock: an event loop that runs on another loop at a speed. Every
// timer interval and every wait inside a handler is divided by the speed, and the
// clock the behaviour reads runs that much faster, so the recorded times, the
// pauses of the handlers, the countdowns, the bubbles and the animations all keep
// their proportions at 1x as at 8x.
#include <map>
#include <memory>
#include <vector>

#include "platform/event_loop.h"

namespace record {

class ReplayLoop : public platform::EventLoop {
  public:
    explicit ReplayLoop(platform::EventLoop& inner, double speed = 1.0);
    ~ReplayLoop() override;

    std::int64_t nowMs() override;
    void post(std::function<void()> task) override { inner_.post(std::move(task)); }
    void wait(int ms) override { inner_.wait(scaled(ms)); }

    double speed() const { return speed_; }
    // Changes the speed from now on; the running timers start their count afresh at
    // the new speed.
    void setSpeed(double speed);

  protected:
    void timerChanged(platform::Timer& t) override;
    void timerDestroyed(platform::Timer& t) override;

  private:
    int scaled(int ms) const;

    platform::EventLoop& inner_;
    double speed_;
    // The replay's clock is baseMs_ plus the inner time since innerBaseMs_, scaled.
    double baseMs_ = 0;
    std::int64_t innerBaseMs_;
    std::map<platform::Timer*, std::unique_ptr<platform::Timer>> timers_;
    // The twins of destroyed timers, kept until the loop runs again: a timer may be
    // destroyed from its own tick, which is its twin's tick still running.
    std::shared_ptr<std::vector<std::unique_ptr<platform::Timer>>> graveyard_ =
        std::make_shared<std::vector<std::unique_ptr<platform::Timer>>>();
};

}  // namespace record
