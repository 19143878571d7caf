#include "server/asio_event_loop.h"

namespace server {

AsioEventLoop::AsioEventLoop(asio::io_context& io)
    : io_(io), start_(std::chrono::steady_clock::now()) {}

AsioEventLoop::~AsioEventLoop() = default;

std::int64_t AsioEventLoop::nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start_)
        .count();
}

void AsioEventLoop::post(std::function<void()> task) { asio::post(io_, std::move(task)); }

void AsioEventLoop::wait(int ms) { io_.run_for(std::chrono::milliseconds(ms)); }

void AsioEventLoop::timerChanged(platform::Timer& t) {
    auto it = armed_.find(&t);
    if (!t.enabled() || t.interval() <= 0) {
        if (it != armed_.end()) {
            it->second->generation = ++nextGeneration_;
            it->second->timer.cancel();
        }
        return;
    }
    if (it == armed_.end()) it = armed_.emplace(&t, std::make_unique<Armed>(io_)).first;
    arm(t, *it->second);
}

void AsioEventLoop::arm(platform::Timer& t, Armed& a) {
    std::uint64_t gen = a.generation = ++nextGeneration_;
    a.timer.expires_after(std::chrono::milliseconds(t.interval()));
    platform::Timer* tp = &t;
    a.timer.async_wait([this, tp, gen](const asio::error_code& ec) {
        if (ec) return;
        auto it = armed_.find(tp);
        if (it == armed_.end() || it->second->generation != gen) return;
        // Copied first: the tick may destroy or re-target its own timer.
        auto tick = tp->onTick;
        if (tick) tick();
        it = armed_.find(tp);
        if (it == armed_.end() || it->second->generation != gen) return;  // changed in the tick
        if (tp->enabled() && tp->interval() > 0) arm(*tp, *it->second);
    });
}

void AsioEventLoop::timerDestroyed(platform::Timer& t) {
    auto it = armed_.find(&t);
    if (it == armed_.end()) return;
    it->second->timer.cancel();
    // A wait still queued finds no entry (or a newer generation) and does nothing.
    armed_.erase(it);
}

}  // namespace server
