#pragma once
// The house's event-loop seam on an Asio io_context: one steady_timer per window timer,
// posted tasks through the context. The server logic only sees platform::EventLoop, so
// its tests run it on the virtual-time loop instead.
#include <asio.hpp>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "platform/event_loop.h"

namespace server {

class AsioEventLoop : public platform::EventLoop {
  public:
    explicit AsioEventLoop(asio::io_context& io);
    ~AsioEventLoop() override;

    std::int64_t nowMs() override;
    void post(std::function<void()> task) override;
    // Runs the context for ms milliseconds (the server itself never waits inside a
    // handler; this exists to honour the seam).
    void wait(int ms) override;

    asio::io_context& context() { return io_; }

  protected:
    void timerChanged(platform::Timer& t) override;
    void timerDestroyed(platform::Timer& t) override;

  private:
    struct Armed {
        explicit Armed(asio::io_context& io) : timer(io) {}
        asio::steady_timer timer;
        std::uint64_t generation = 0;
    };
    void arm(platform::Timer& t, Armed& a);

    asio::io_context& io_;
    std::chrono::steady_clock::time_point start_;
    std::unordered_map<platform::Timer*, std::unique_ptr<Armed>> armed_;
    // Loop-wide, so a wait that completes after its timer was destroyed and another took
    // its address can never match the newcomer's generation.
    std::uint64_t nextGeneration_ = 0;
};

}  // namespace server
