#pragma once
// A replay of a recorded table as the program runs it: `--replay FILE [--speed X]
// [--from N]`. The client gets the replay's clock and a socket that reaches no
// server; the replay feeds it the recorded packets. A refused file ends the process
// with status 1; under automation the replay runs to the end, prints
// "replay: N packets" and ends with status 0.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/client.h"
#include "app/replay_table.h"
#include "record/replay.h"
#include "record/replay_loop.h"
#include "record/replay_socket.h"

namespace app {

struct ReplayArguments {
    std::string path;
    double speed = 1.0;
    std::size_t from = 0;
};

// The replay's arguments when the command line asks for one; nullopt for a live
// table. A speed that is no positive number reads as 1, a bad start as 0.
std::optional<ReplayArguments> parseReplayArguments(const std::vector<std::string>& args);

class ReplaySession {
  public:
    ReplaySession(platform::Platform pf, const pictures::ResourceStore& resources,
                  record::RecordFile file, const ReplayArguments& args, bool automation);
    ReplaySession(const ReplaySession&) = delete;
    ReplaySession& operator=(const ReplaySession&) = delete;

    // Opens the table window and starts the replay (ends the process for a refused
    // file).
    void start();

    // Where the automation line goes (standard output in the program).
    std::function<void(const std::string&)> printLine;

    Client& client() { return client_; }
    record::Replay& replay() { return replay_; }
    record::ReplayLoop& loop() { return loop_; }

    // The message box's text at the normal end.
    static constexpr const char* kEndText = "回放结束";

  private:
    void dispatch(wire::GamePacket& p);
    void finished(const std::string& message);
    platform::Platform outer_;
    record::ReplayLoop loop_;
    record::ReplaySocket socket_;
    Client client_;
    record::Replay replay_;
    std::size_t from_;
    bool automation_;
};

}  // namespace app
