// The replay's clock: timers, waits and the clock itself run at the replay's speed,
// and a change of speed never makes the clock jump.
#include "record/replay_loop.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/fake/fake_event_loop.h"

namespace {

TEST(ReplayLoop, TimersWaitsAndTheClockRunAtTheSpeed) {
    platform::FakeEventLoop inner;
    inner.advance(1000);
    record::ReplayLoop loop(inner, 4.0);
    std::vector<std::int64_t> ticks;  // replay-clock times of the timer's ticks
    platform::Timer t(loop, 2000, [&] { ticks.push_back(loop.nowMs()); });
    t.setEnabled(true);
    inner.advance(1000);  // 4000 ms of replay time
    EXPECT_EQ(loop.nowMs(), 4000);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{2000, 4000}));

    // A wait of 2000 ms inside a handler takes 500 ms of the inner loop.
    const std::int64_t before = inner.nowMs();
    loop.wait(2000);
    EXPECT_EQ(inner.nowMs() - before, 500);
    EXPECT_EQ(loop.nowMs(), 6000);

    // Slower: the clock goes on from where it was, the timer counts afresh.
    loop.setSpeed(0.5);
    EXPECT_EQ(loop.nowMs(), 6000);
    ticks.clear();
    inner.advance(4000);  // 2000 ms of replay time
    EXPECT_EQ(loop.nowMs(), 8000);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{8000}));

    // A disabled or destroyed timer never ticks again.
    t.setEnabled(false);
    inner.advance(10000);
    EXPECT_EQ(ticks.size(), 1u);
    {
        platform::Timer gone(loop, 100, [&] { ticks.push_back(-1); });
        gone.setEnabled(true);
    }
    inner.advance(1000);
    EXPECT_EQ(ticks.size(), 1u);

    // A timer destroyed from its own tick.
    auto self = std::make_unique<platform::Timer>(loop, 100);
    int selfTicks = 0;
    self->onTick = [&] {
        ++selfTicks;
        self.reset();
    };
    self->setEnabled(true);
    inner.advance(1000);
    EXPECT_EQ(selfTicks, 1);
}

}  // namespace
