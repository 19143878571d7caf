#include "app/replay_session.h"

#include <cstdlib>

namespace app {

namespace {

platform::Platform replayPlatform(const platform::Platform& pf, record::ReplayLoop& loop,
                                  record::ReplaySocket& socket) {
    return {loop, socket, pf.hall, pf.shell, pf.pictures, pf.sound, pf.video, pf.windows, pf.fetch};
}

}  // namespace

std::optional<ReplayArguments> parseReplayArguments(const std::vector<std::string>& args) {
    if (args.empty() || args[0] != "--replay") return std::nullopt;
    ReplayArguments out;
    if (args.size() > 1) out.path = args[1];
    for (std::size_t i = 2; i + 1 < args.size(); i += 2) {
        const std::string& value = args[i + 1];
        char* end = nullptr;
        if (args[i] == "--speed") {
            const double speed = std::strtod(value.c_str(), &end);
            if (end != value.c_str() && *end == '\0' && speed > 0 && speed <= 1000)
                out.speed = speed;
        } else if (args[i] == "--from") {
            const unsigned long long from = std::strtoull(value.c_str(), &end, 10);
            if (end != value.c_str() && *end == '\0' && value[0] != '-') out.from = from;
        }
    }
    return out;
}

ReplaySession::ReplaySession(platform::Platform pf, const pictures::ResourceStore& resources,
                             record::RecordFile file, const ReplayArguments& args, bool automation)
    : outer_(pf),
      loop_(pf.loop, args.speed),
      client_(replayPlatform(pf, loop_, socket_), resources),
      replay_(loop_, pf.windows, client_.MainForm, std::move(file),
              {[this](wire::GamePacket& p) { dispatch(p); },
               [this](const wire::GamePacket& p) {
                   reenactOwnPacket(client_.state, client_.hand, client_.buttons,
                                    client_.hallButtons, p);
               },
               [this](const std::string& message) { finished(message); }}),
      from_(args.from),
      automation_(automation) {}

void ReplaySession::start() {
    const record::RecordFile& file = replay_.file();
    if (file.refused()) {
        outer_.shell.messageBox(record::statusMessage(file.status), "回放", platform::MB_OK);
        if (printLine) printLine("replay: 0 packets");
        outer_.shell.end(1);
    }
    client_.shell.startReplay(file.header);
    if (!automation_) replay_.wireKeys();
    replay_.start(from_);
    replay_.placePanel(outer_.shell.screenSize().width);
}

// Where the live client ended (a departure, the table closed), the replay ends: the
// rest of the handler is skipped as it was live, and the replay is over.
void ReplaySession::dispatch(wire::GamePacket& p) {
    try {
        client_.dispatcher.DispatchPacket(p);
    } catch (const platform::ProcessEnd&) {
        replay_.stop();
    }
}

// The end is told by the caption and a message box; the message area keeps what the
// last packet left there, as the player saw it.
void ReplaySession::finished(const std::string& message) {
    outer_.shell.messageBox(message.empty() ? kEndText : message, "回放", platform::MB_OK);
    if (automation_) {
        if (printLine) printLine("replay: " + std::to_string(replay_.position()) + " packets");
        outer_.shell.end(0);
    }
}

}  // namespace app
