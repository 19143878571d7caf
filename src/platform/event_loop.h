#pragma once
// The event loop seam: window timers, a monotonic clock, posted tasks and the
// "wait while processing window events" that some handlers use.
#include <cstdint>
#include <functional>

namespace platform {

class EventLoop;

// A window timer: while enabled it ticks every interval milliseconds. Enabling it,
// or changing the interval of an enabled timer, starts the count afresh. A timer
// whose tick is still running is not ticked again from a nested wait.
class Timer {
  public:
    explicit Timer(EventLoop& loop, int intervalMs = 0, std::function<void()> tick = {});
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void setInterval(int ms);
    void setEnabled(bool on);
    int interval() const { return interval_; }
    bool enabled() const { return enabled_; }
    std::function<void()> onTick;

  private:
    EventLoop& loop_;
    int interval_;
    bool enabled_ = false;
};

class EventLoop {
  public:
    virtual ~EventLoop() = default;
    // Milliseconds of a monotonic clock; every "time of day" comparison uses it.
    virtual std::int64_t nowMs() = 0;
    // Runs the task from the loop, after the current handler returns.
    virtual void post(std::function<void()> task) = 0;
    // Keeps processing events (timers, socket events, input, hall messages) until
    // ms milliseconds have passed, then returns.
    virtual void wait(int ms) = 0;

  protected:
    friend class Timer;
    // Called whenever a timer is enabled, disabled, re-timed or destroyed.
    virtual void timerChanged(Timer& t) = 0;
    virtual void timerDestroyed(Timer& t) = 0;
};

}  // namespace platform
