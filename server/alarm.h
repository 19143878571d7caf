#pragma once
// A one-shot alarm on the event-loop seam: set(ms, f) runs f once after ms (at once,
// from the loop, when ms is 0); setting it again or cancelling drops the earlier one.
#include <functional>
#include <memory>

#include "platform/event_loop.h"

namespace server {

class Alarm {
  public:
    explicit Alarm(platform::EventLoop& loop);
    Alarm(const Alarm&) = delete;
    Alarm& operator=(const Alarm&) = delete;

    void set(int ms, std::function<void()> f);
    void cancel();
    bool pending() const { return bool(fn_); }

  private:
    void fire(unsigned generation);

    platform::EventLoop& loop_;
    platform::Timer timer_;
    std::function<void()> fn_;
    unsigned generation_ = 0;
    // Posted zero-delay runs hold a weak reference, so an alarm destroyed first is skipped.
    std::shared_ptr<Alarm*> self_;
};

}  // namespace server
