#pragma once
// The reconnect controller frmReconnect: a form that is loaded hidden and never
// shown. Loading it starts the recovery of one outage: a short start delay, then
// one attempt every 3 s while a game is running, until the game server is reached
// again or 21 attempts have failed.
#include <cstdint>
#include <functional>

#include "platform/event_loop.h"
#include "ui/window_system.h"

namespace net {

class ReconnectController {
  public:
    // What the controller asks of the client.
    struct Hooks {
        std::function<bool()> connected;  // the game server is reached again
        std::function<bool()> inGame;     // InGame
        std::function<void()> attempt;    // one reconnect attempt
        std::function<void()> giveUp;     // 21 attempts failed; ends the process
    };

    static constexpr int kMaxAttempts = 21;
    static constexpr int kAttemptIntervalMs = 3000;

    ReconnectController(ui::WindowSystem& windows, platform::EventLoop& loop, Hooks hooks);

    // Loads the form hidden, which starts a new outage. A controller left loaded
    // and idle by an earlier outage is unloaded first, so its load work runs again.
    void start();
    bool loaded() const { return form_.loaded(); }
    // The display reset sets the counters back.
    void resetCounters() {
        ReconnectAttempts = 0;
        startDelay = 0;
    }

    std::int16_t ReconnectAttempts = 0;  // attempts of the current outage, 0..21
    int startDelay = 0;                  // whole seconds before the first attempt; always 0
    platform::Timer TimerReconnect;      // 1 ms: counts the start delay down
    platform::Timer TimerCount;          // 3000 ms: one attempt per tick

  private:
    void onLoad();
    void reconnectTick();
    void countTick();

    ui::Form& form_;
    Hooks hooks_;
};

}  // namespace net
