#include "record/recorder.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "record/record_folder.h"

namespace record {

Recorder::Recorder(platform::EventLoop& loop, ui::Form& tableWindow, std::string folder,
                   std::function<std::int64_t()> wallClock)
    : loop_(loop),
      tableWindow_(tableWindow),
      folder_(std::move(folder)),
      wallClock_(std::move(wallClock)) {
    if (!wallClock_) wallClock_ = [] { return static_cast<std::int64_t>(std::time(nullptr)); };
}

Recorder::~Recorder() { close(); }

void Recorder::setEnabled(bool on) {
    if (!on) end();
    enabled_ = on;
}

void Recorder::begin(const TableInfo& table) {
    end();
    if (!enabled_) return;
    active_ = true;
    failed_ = false;
    table_ = table;
    startMs_ = loop_.nowMs();
    launchTime_ = wallClock_();
}

void Recorder::end() {
    close();
    active_ = false;
    path_.clear();
}

void Recorder::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

void Recorder::write(Direction direction, const wire::GamePacket& p) {
    if (active_ && !failed_ && (file_ || open())) {
        Entry e;
        e.direction = direction;
        e.ms = static_cast<std::uint32_t>(
            std::clamp<std::int64_t>(loop_.nowMs() - startMs_, 0, UINT32_MAX));
        e.packet = direction == Direction::Outbound ? withoutLoginKey(p) : p;
        put(encodeEntry(e));
    }
    if (direction == Direction::Inbound) tellFailure();
}

// Opens the table's file under its date, time and room (a second table in the same
// second, from this client or another one sharing the folder, gets a number), writes
// the header and lets the folder keep its newest tables.
bool Recorder::open() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(folder_, ec);
    const std::string name = recordFileName(launchTime_, table_.room);
    const std::string stem = name.substr(0, name.size() - std::string(kExtension).size());
    for (int n = 1; n < 1000 && !file_; ++n) {
        const std::string path =
            (fs::path(folder_) / (n == 1 ? name : stem + "-" + std::to_string(n) + kExtension))
                .string();
        // "x": never over an existing file; a name taken meanwhile tries the next.
        file_ = std::fopen(path.c_str(), "wbx");
        if (file_)
            path_ = path;
        else if (errno != EEXIST)
            break;
    }
    if (!file_) {
        fail();
        return false;
    }
    if (!put(encodeHeader({table_.account, table_.room, table_.scale, launchTime_}))) return false;
    keepNewest(folder_, kKeptTables);
    return true;
}

bool Recorder::put(const std::vector<std::uint8_t>& bytes) {
    // Flushed entry by entry, so that a table ended by a crash keeps what it had.
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size() ||
        std::fflush(file_) != 0) {
        fail();
        return false;
    }
    return true;
}

void Recorder::fail() {
    close();
    failed_ = true;
    path_.clear();
    if (!told_) tellPending_ = true;
}

// The message area is written by the packets' handlers all the time; the failure is
// told after the handler of the inbound packet that meets it (or the next one, when
// it was an outbound packet that failed), so that the handler does not wipe it at once.
void Recorder::tellFailure() {
    if (!tellPending_) return;
    tellPending_ = false;
    told_ = true;
    loop_.post([this] {
        if (ui::Control* sys = tableWindow_.find("Sysmsg", 1)) sys->items.assign(1, kFailureText);
    });
}

}  // namespace record
