// Virtual-time loop semantics: the order of due timers, a nested wait that lets
// other timers run, a timer disabled inside its own tick.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_event_loop.h"

using platform::FakeEventLoop;
using platform::Timer;

namespace {

struct Fixture : ::testing::Test {
    FakeEventLoop loop;
    std::vector<std::string> log;
    void mark(const std::string& what) { log.push_back(what + "@" + std::to_string(loop.nowMs())); }
};

TEST_F(Fixture, DueTimersFireInTimeOrderAndTiesInArmingOrder) {
    Timer a(loop, 50, [&] { mark("a"); });
    Timer b(loop, 30, [&] { mark("b"); });
    Timer c(loop, 50, [&] { mark("c"); });
    a.setEnabled(true);
    b.setEnabled(true);
    c.setEnabled(true);
    loop.advance(100);
    EXPECT_EQ(log,
              (std::vector<std::string>{"b@30", "a@50", "c@50", "b@60", "b@90", "a@100", "c@100"}));
}

TEST_F(Fixture, NestedWaitRunsOtherTimersButNotTheWaitingOne) {
    Timer fast(loop, 20, [&] { mark("fast"); });
    Timer slow(loop, 50, nullptr);
    slow.onTick = [&] {
        mark("slow-in");
        loop.wait(45);
        mark("slow-out");
    };
    fast.setEnabled(true);
    slow.setEnabled(true);
    loop.advance(100);
    // slow starts at 50, waits until 95 while fast keeps ticking; its next tick
    // follows at 100 because the missed one coalesces.
    EXPECT_EQ(log, (std::vector<std::string>{"fast@20", "fast@40", "slow-in@50", "fast@60",
                                             "fast@80", "slow-out@95", "fast@100", "slow-in@100",
                                             "fast@120", "fast@140", "slow-out@145"}));
    EXPECT_EQ(loop.nowMs(), 145);
}

TEST_F(Fixture, TimerDisabledInsideItsOwnTickStops) {
    int ticks = 0;
    Timer t(loop, 10, nullptr);
    t.onTick = [&] {
        ++ticks;
        t.setEnabled(false);
    };
    t.setEnabled(true);
    loop.advance(100);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(t.enabled());
}

TEST_F(Fixture, TimerSwitchedOffAndOnInsideItsTickRestartsItsCount) {
    // The pump's pattern: switch off at the start of the tick, on at the end.
    Timer t(loop, 50, nullptr);
    t.onTick = [&] {
        t.setEnabled(false);
        mark("tick");
        loop.wait(20);
        t.setEnabled(true);
    };
    t.setEnabled(true);
    loop.advance(200);
    EXPECT_EQ(log, (std::vector<std::string>{"tick@50", "tick@120", "tick@190"}));
}

TEST_F(Fixture, PostedTasksRunBeforeTimersAndDestroyedTimersNeverFire) {
    auto t = std::make_unique<Timer>(loop, 10, [&] { mark("timer"); });
    t->setEnabled(true);
    loop.post([&] { mark("posted"); });
    loop.advance(10);
    t.reset();
    loop.advance(50);
    EXPECT_EQ(log, (std::vector<std::string>{"posted@0", "timer@10"}));
}

}  // namespace
