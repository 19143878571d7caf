#pragma once
// A whole server in the test process: the hub on an Asio loop, listening on loopback,
// and robot clients on the same loop. run() turns the loop until a condition holds; it
// never sleeps, and gives up after a bound on handlers so a broken server fails the
// test instead of hanging it.
#include <gtest/gtest.h>

#include <asio.hpp>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "server/asio_event_loop.h"
#include "server/event_log.h"
#include "server/hub.h"
#include "server/net_server.h"
#include "server/options.h"
#include "server/robot_client.h"

namespace servertest {

struct Loopback {
    explicit Loopback(server::Options o)
        : options(std::move(o)), loop(io), log(nullptr), hub(loop, options, log), net(io, hub) {
        // SERVER_TEST_LOG=1 shows the table's story while a test runs.
        bool show = std::getenv("SERVER_TEST_LOG") != nullptr;
        log.tap = [this, show](const std::string& l) {
            lines.push_back(l);
            if (show) std::printf("%s\n", l.c_str());
        };
        std::string error;
        port = net.listen("127.0.0.1", 0, options.seed, error);
    }

    std::shared_ptr<server::RobotClient> client(const std::string& name, std::uint64_t seed = 1) {
        auto c = std::make_shared<server::RobotClient>(io, name, seed);
        c->connect(
            asio::ip::tcp::endpoint(asio::ip::make_address("127.0.0.1"), std::uint16_t(port)));
        return c;
    }

    // Runs handlers until `done` holds; false when the bound was reached first.
    bool run(const std::function<bool()>& done, long maxHandlers = 5'000'000) {
        for (long i = 0; i < maxHandlers; ++i) {
            if (done()) return true;
            if (io.run_one() == 0) return done();
        }
        return done();
    }

    bool logged(const std::string& part) const {
        for (const auto& l : lines)
            if (l.find(part) != std::string::npos) return true;
        return false;
    }

    server::Options options;
    asio::io_context io;
    server::AsioEventLoop loop;
    server::EventLog log;
    server::Hub hub;
    server::NetServer net;
    int port = -1;
    std::vector<std::string> lines;
};

inline server::Options fastOptions(int bots, std::uint64_t seed = 7) {
    server::Options o;
    o.bots = bots;
    o.fast = true;
    o.turnSeconds = 3;
    o.seed = seed;
    return o;
}

}  // namespace servertest
