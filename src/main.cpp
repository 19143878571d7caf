// The table client: the hall starts it with the launch line as its arguments;
// `--replay FILE [--speed X] [--from N]` replays a recorded table instead.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/client.h"
#include "app/replay_session.h"
#include "platform/qt/qt_platform.h"
#include "resources/embedded_resources.h"

namespace {

bool automation() {
    const char* a = std::getenv("DRAVIK_AUTOMATION");
    return a && std::string(a) == "1";
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    platform::QtPlatform qt;
    auto startSnapshots = [&] {
        if (const char* dir = std::getenv("DRAVIK_SNAPSHOT"); dir && *dir)
            qt.adapter.startSnapshots(dir);
    };
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (auto replayArgs = app::parseReplayArguments(args)) {
        app::ReplaySession session(qt.platform(), resources::embeddedStore(),
                                   record::readRecordFile(replayArgs->path), *replayArgs,
                                   automation());
        session.printLine = [](const std::string& line) {
            std::printf("%s\n", line.c_str());
            std::fflush(stdout);
        };
        startSnapshots();
        platform::QtEventLoop::guard([&] { session.start(); });
        return qapp.exec();
    }
    app::Client client(qt.platform(), resources::embeddedStore());
    startSnapshots();
    // The window system hands over the command line as one text.
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    platform::QtEventLoop::guard([&] { client.start(line); });
    return qapp.exec();
}
