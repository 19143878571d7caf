#include "net/reconnect.h"

namespace net {

ReconnectController::ReconnectController(ui::WindowSystem& windows, platform::EventLoop& loop,
                                         Hooks hooks)
    : TimerReconnect(loop, 1),
      TimerCount(loop, kAttemptIntervalMs),
      form_(windows.form("frmReconnect")),
      hooks_(std::move(hooks)) {
    TimerReconnect.onTick = [this] { reconnectTick(); };
    TimerCount.onTick = [this] { countTick(); };
    form_.onForm(ui::EventKind::kLoad, [this](ui::Control*, ui::Event&) { onLoad(); });
    // An unloaded form has no timers.
    form_.onForm(ui::EventKind::kUnload, [this](ui::Control*, ui::Event&) {
        TimerReconnect.setEnabled(false);
        TimerCount.setEnabled(false);
    });
}

void ReconnectController::start() {
    form_.unload();
    form_.load();
}

void ReconnectController::onLoad() {
    resetCounters();
    TimerReconnect.setEnabled(true);
    TimerCount.setEnabled(false);
}

void ReconnectController::reconnectTick() {
    if (--startDelay >= 1) return;
    TimerReconnect.setEnabled(false);
    startDelay = 0;
    TimerCount.setEnabled(true);
    form_.hide();
}

void ReconnectController::countTick() {
    if (hooks_.connected()) {
        // Recovered; what follows is the server's answer to the login.
        TimerCount.setEnabled(false);
        form_.unload();
    } else if (ReconnectAttempts >= kMaxAttempts) {
        hooks_.giveUp();
    } else if (hooks_.inGame()) {
        ++ReconnectAttempts;
        hooks_.attempt();
    } else {
        // The game ended meanwhile; the controller stays loaded and idle.
        TimerCount.setEnabled(false);
    }
}

}  // namespace net
