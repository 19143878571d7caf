// dravik-server: the reference game server. One thread, one event loop, many tables.
// Its first line on standard output is "dravik-server port <N>"; then one line per
// table event. Operator commands on standard input: "close <table|all> [message]", "quit".
#include <unistd.h>

#include <asio.hpp>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "server/asio_event_loop.h"
#include "server/hub.h"
#include "server/net_server.h"
#include "server/operator.h"
#include "server/options.h"
#include "server/relay.h"
#include "server/scenario.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto options = server::parseOptions(args, error);
    if (!options) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }

    std::unique_ptr<server::Scenario> scenario;
    if (!options->scenario.empty()) {
        scenario = server::Scenario::load(options->scenario, error);
        if (!scenario) {
            std::fprintf(stderr, "scenario: %s\n", error.c_str());
            return 2;
        }
    }

    asio::io_context io(1);
    server::AsioEventLoop loop(io);
    server::EventLog log(options->quiet ? nullptr : stdout);
    server::Hub hub(loop, *options, log);
    server::NetServer net(io, hub);

    int port = net.listen(options->host, options->port, options->seed, error);
    if (port < 0) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("dravik-server port %d\n", port);
    // The video relay beside the game port. A relay port that is taken leaves the
    // tables without video, not without a server.
    server::Relay relay(io, &log);
    if (options->relayPort != 0) {
        std::string relayError;
        int relayPort = relay.listen(options->host, options->relayPort, relayError);
        // The bots' accounts are named bot<table>s<seat> (Table::botProfile).
        if (options->botVideo) {
            relay.isBot = [](const std::string& name) {
                // bot, digits, s, digits
                auto digits = [&](std::size_t from, std::size_t to) {
                    return to > from && name.find_first_not_of("0123456789", from) >= to;
                };
                const std::size_t s = name.find('s', 3);
                return name.compare(0, 3, "bot") == 0 && s != std::string::npos && digits(3, s) &&
                       digits(s + 1, name.size());
            };
            relay.startBotVideo(200);
        }
        if (relayPort > 0)
            std::printf("dravik-server relay %d\n", relayPort);
        else
            std::printf("dravik-server relay off: %s\n", relayError.c_str());
    }
    std::fflush(stdout);

    int exitCode = 0;
    auto stop = [&] {
        hub.stopAccepting();
        net.stop();
        relay.stop();
        io.stop();
    };
    if (scenario) {
        scenario->onDone = [&](bool passed) {
            exitCode = passed ? 0 : 3;
            // The clients get a moment to read what was sent last.
            loop.post([&] {
                auto t = std::make_shared<asio::steady_timer>(io, std::chrono::milliseconds(500));
                t->async_wait([t, &stop](const asio::error_code&) { stop(); });
            });
        };
        hub.onFirstTable = [&](server::Table& t) { scenario->attach(t, loop, log); };
        hub.forcedLoginResult = scenario->loginResult();
        // A refusing scenario is done with its first refusal.
        hub.onForcedRefusal = [&] { scenario->onDone(true); };
    }
    hub.onFinished = [&] { stop(); };

    asio::signal_set signals(io, SIGINT, SIGTERM);
    signals.async_wait([&](const asio::error_code& ec, int) {
        if (!ec) {
            log.line("stopping");
            stop();
        }
    });
    server::OperatorConsole console(io, hub, log, [&] { stop(); });
    console.start(STDIN_FILENO);

    io.run();
    return exitCode;
}
