#pragma once
// The replay of a recorded table: the recorded inbound packets go to the
// dispatcher at their recorded times on the replay's clock (which runs at the
// chosen speed); the packets the player sent are handed to the table to re-enact
// and listed in a side panel. Space pauses and resumes, the right arrow steps one
// packet, + and - change the speed; the table window's caption shows the position.
#include <cstddef>
#include <functional>
#include <string>

#include "platform/event_loop.h"
#include "record/record_reader.h"
#include "record/replay_loop.h"
#include "ui/window_system.h"
#include "wire/frame.h"

namespace record {

class Replay {
  public:
    struct Hooks {
        std::function<void(wire::GamePacket&)> inbound;         // to the dispatcher
        std::function<void(const wire::GamePacket&)> outbound;  // what the player did
        // The replay has fed its last packet; the message says how the file ended
        // ("" when it was complete).
        std::function<void(const std::string& message)> finished;
    };

    Replay(ReplayLoop& loop, ui::WindowSystem& windows, ui::Form& tableWindow, RecordFile file,
           Hooks hooks);
    Replay(const Replay&) = delete;
    Replay& operator=(const Replay&) = delete;

    // Starts playing; the first `from` inbound packets are fed at once (their
    // handlers' pauses as fast as the clock allows).
    void start(std::size_t from = 0);
    void togglePause();
    // While paused: the next inbound packet (and what the player sent before it).
    void step();
    void faster();
    void slower();
    // The table ended where the recording did (a departure ends the client): nothing
    // more is fed and the replay is over.
    void stop();
    // Listens to the table window's keys (Space, right arrow, + and -).
    void wireKeys();
    // The side panel stands beside the table window where the screen (this many
    // pixels wide) has room for it, else over the table's left top corner.
    void placePanel(int screenWidth);

    std::size_t position() const { return fedInbound_; }  // inbound packets fed
    std::size_t total() const { return totalInbound_; }
    bool paused() const { return paused_; }
    bool done() const { return done_; }
    const RecordFile& file() const { return file_; }

    static constexpr double kSpeeds[] = {0.25, 0.5, 1, 2, 4, 8, 16, 32};

  private:
    std::int64_t clockMs() { return loop_.nowMs() - originMs_; }
    void tick();
    void feedEntry();
    // Feeds entries up to and including the next inbound one; false at the end.
    bool feedOne();
    void arm();
    void finish();
    void showCaption();
    void changeSpeed(int direction);

    ReplayLoop& loop_;
    ui::WindowSystem& windows_;
    ui::Form& table_;
    RecordFile file_;
    Hooks hooks_;
    platform::Timer next_;
    std::size_t at_ = 0;  // the next entry
    std::size_t fedInbound_ = 0;
    std::size_t totalInbound_;
    std::int64_t originMs_ = 0;  // the replay clock's zero on the loop's clock
    std::int64_t pausedAtMs_ = 0;
    bool paused_ = false;
    bool done_ = false;
    bool feeding_ = false;  // a packet's handler runs (it may wait and take keys)
};

}  // namespace record
