#pragma once
// A scenario scripts the first table: packets to send to its humans (by command and
// named fields or raw bytes), packets to expect from them within a time limit, waits,
// and stretches of the normal game. The format is described in docs/SERVER.md.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "server/alarm.h"
#include "server/event_log.h"
#include "server/table.h"

namespace server {

class Scenario : public TableScript {
  public:
    struct Line {
        int number = 0;
        std::vector<std::string> words;  // the verb first; quoted texts stay one word
    };

    // Reads and checks a scenario; nothing (and `error`) when it does not parse.
    static std::unique_ptr<Scenario> load(const std::string& path, std::string& error);
    static std::unique_ptr<Scenario> parse(const std::string& text, std::string& error);

    void attach(Table& t, platform::EventLoop& loop, EventLog& log);
    // The "login N" line: the result every login gets (0: none given).
    int loginResult() const { return loginResult_; }
    bool attached() const { return table_ != nullptr; }
    // Called once: true when every line ran, false at the first failure.
    std::function<void(bool passed)> onDone;
    bool done() const { return done_; }
    bool passed() const { return passed_; }

    // TableScript
    void tableReady() override;
    bool intercept(int seat, const wire::GamePacket& p) override;
    void roundScored() override;

  private:
    void step();
    void finish(bool ok, const std::string& why);
    void say(const std::string& what);
    bool run(const Line& l);  // false: wait for something before the next line
    int firstHuman() const;
    int seatWord(const std::string& w) const;
    bool buildPacket(const Line& l, std::size_t from, int cmd, int target, wire::GamePacket& p,
                     std::string& err) const;
    bool matches(const Line& l, std::size_t from, int cmd, int source, const wire::GamePacket& p,
                 std::string& err) const;

    std::vector<Line> lines_;
    std::size_t pc_ = 0;
    Table* table_ = nullptr;
    platform::EventLoop* loop_ = nullptr;
    EventLog* log_ = nullptr;
    std::unique_ptr<Alarm> alarm_;
    std::array<std::string, kSeats> fixedHands_;
    // What the script is waiting for.
    enum class Waiting { kNothing, kPacket, kTime, kRound } waiting_ = Waiting::kNothing;
    int expectFrom_ = -1;
    int expectCommand_ = 0;
    bool done_ = false;
    bool passed_ = false;
    bool stepping_ = false;
    int loginResult_ = 0;
};

}  // namespace server
