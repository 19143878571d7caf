#pragma once
// Real time on Qt: one QTimer per window timer, posted tasks through the event
// queue, and wait() as a nested event loop.
#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <map>
#include <memory>

#include "platform/event_loop.h"

class QTimer;

namespace platform {

class QtEventLoop : public EventLoop {
  public:
    QtEventLoop();
    ~QtEventLoop() override;
    std::int64_t nowMs() override { return clock_.elapsed(); }
    void post(std::function<void()> task) override;
    void wait(int ms) override;

    // Runs around every call into behaviour code: catches the end of the process
    // and tells the window adapter that the model may have changed.
    static void guard(const std::function<void()>& f);
    static std::function<void()> afterCallback;  // set by the window adapter

  protected:
    void timerChanged(Timer& t) override;
    void timerDestroyed(Timer& t) override;

  private:
    QElapsedTimer clock_;
    QObject context_;
    std::map<Timer*, std::unique_ptr<QTimer>> timers_;
    std::map<Timer*, bool> running_;
};

}  // namespace platform
