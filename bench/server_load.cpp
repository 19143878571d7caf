// Load client for dravik-server: opens 6 x --tables connections on loopback, each a
// robot human playing with the bot policy, runs for --seconds, then prints the number
// of rounds played and the time from a play sent to the server's played-hand answer
// (p50, p99, max). --think-ms makes every robot pause before it plays, like a person
// (0: at once, which saturates the server). Bounded in connections and in time.
//
//   dravik-server --bots 0 --fast --quiet --port 23456 &
//   dravik_server_load --port 23456 --tables 1000 --seconds 30 [--think-ms 500]
#include <algorithm>
#include <asio.hpp>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "server/robot_client.h"
#include "wire/keep_alive.h"

int main(int argc, char** argv) {
    int port = 0, tables = 100, seconds = 20, thinkMs = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string a = argv[i];
        int v = std::atoi(argv[i + 1]);
        if (a == "--port")
            port = v;
        else if (a == "--tables")
            tables = std::clamp(v, 1, 2000);
        else if (a == "--seconds")
            seconds = std::clamp(v, 1, 300);
        else if (a == "--think-ms")
            thinkMs = std::clamp(v, 0, 5000);
    }
    if (port <= 0) {
        std::fprintf(stderr, "usage: dravik_server_load --port P [--tables N] [--seconds S]\n");
        return 2;
    }
    asio::io_context io(1);
    asio::ip::tcp::endpoint ep(asio::ip::make_address("127.0.0.1"), std::uint16_t(port));
    std::vector<std::shared_ptr<server::RobotClient>> clients;
    int n = tables * 6;
    clients.reserve(n);
    for (int i = 0; i < n; ++i) {
        auto c = std::make_shared<server::RobotClient>(io, "L" + std::to_string(i),
                                                       std::uint64_t(i) + 1);
        c->thinkMs = thinkMs;
        c->connect(ep);
        clients.push_back(c);
    }
    auto start = std::chrono::steady_clock::now();
    asio::steady_timer stop(io, std::chrono::seconds(seconds));
    stop.async_wait([&](const asio::error_code&) {
        for (auto& c : clients) c->close();
        io.stop();
    });
    // Keep-alives every 5 s, as the client's timer sends them.
    asio::steady_timer ka(io);
    std::function<void()> keepAlive = [&] {
        for (auto& c : clients) c->send(wire::KeepAlive{}.encode());
        ka.expires_after(std::chrono::seconds(5));
        ka.async_wait([&](const asio::error_code& ec) {
            if (!ec) keepAlive();
        });
    };
    ka.expires_after(std::chrono::seconds(5));
    ka.async_wait([&](const asio::error_code& ec) {
        if (!ec) keepAlive();
    });
    io.run();
    double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::vector<std::int64_t> lat;
    long rounds = 0;
    int seated = 0;
    for (auto& c : clients) {
        lat.insert(lat.end(), c->playLatencies.begin(), c->playLatencies.end());
        rounds += c->roundsSeen();
        if (c->seat() >= 0) ++seated;
    }
    std::sort(lat.begin(), lat.end());
    auto pct = [&](double q) {
        return lat.empty() ? 0.0 : lat[std::size_t(q * double(lat.size() - 1))] / 1e6;
    };
    std::printf("connections %d seated %d seconds %.1f\n", n, seated, elapsed);
    std::printf("rounds %ld (per table %.1f) plays %zu (%.0f/s)\n", rounds / 6,
                double(rounds) / 6.0 / tables, lat.size(), double(lat.size()) / elapsed);
    std::printf("play->answer ms p50 %.3f p99 %.3f max %.3f\n", pct(0.5), pct(0.99),
                lat.empty() ? 0.0 : lat.back() / 1e6);
    return 0;
}
