#pragma once
// The table recorder: every packet of a table, both directions, with its time since
// the table's start, goes into one file in the records folder. A table begins at
// its connect and ends when the client returns to the hall; its file is opened with
// the first packet. A failure to write stops the recording of that table and is
// told once in the message area; the table itself never notices.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "platform/event_loop.h"
#include "record/record_format.h"
#include "ui/form.h"
#include "wire/frame.h"

namespace record {

struct TableInfo {
    std::string account;
    std::string room;
    double scale = 1.0;
};

class Recorder {
  public:
    // `folder` is the records folder; `wallClock` gives seconds since 1970 (the
    // system clock when empty).
    Recorder(platform::EventLoop& loop, ui::Form& tableWindow, std::string folder,
             std::function<std::int64_t()> wallClock = {});
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Recording is on unless switched off; switching off ends the current table.
    void setEnabled(bool on);
    bool enabled() const { return enabled_; }

    // A new table starts now (its packets' times count from here).
    void begin(const TableInfo& table);
    // The table is over: its file is closed.
    void end();

    void inbound(const wire::GamePacket& p) { write(Direction::Inbound, p); }
    void outbound(const wire::GamePacket& p) { write(Direction::Outbound, p); }

    // The file of the current table ("" before its first packet or after a failure).
    const std::string& path() const { return path_; }
    bool failed() const { return failed_; }

    // What the message area says when a recording stops.
    static constexpr const char* kFailureText = "录像无法写入，本桌停止录像";

  private:
    void write(Direction direction, const wire::GamePacket& p);
    bool open();
    bool put(const std::vector<std::uint8_t>& bytes);
    void fail();
    void tellFailure();
    void close();

    platform::EventLoop& loop_;
    ui::Form& tableWindow_;
    std::string folder_;
    std::function<std::int64_t()> wallClock_;
    bool enabled_ = true;
    bool active_ = false;       // between begin and end
    bool failed_ = false;       // this table's recording stopped
    bool tellPending_ = false;  // a failure waits to be told
    bool told_ = false;         // the failure has been told in the message area
    TableInfo table_;
    std::int64_t startMs_ = 0;
    std::int64_t launchTime_ = 0;
    std::FILE* file_ = nullptr;
    std::string path_;
};

}  // namespace record
