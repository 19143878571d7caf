#pragma once
// The hub on the virtual-time loop with in-memory links: each FakeHuman is one client
// connection whose packets the test writes by hand and whose received packets it reads.
// Humans that do not answer are answered for by the server when their time runs out,
// so whole rounds pass in virtual time.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/fake_event_loop.h"
#include "server/event_log.h"
#include "server/hub.h"
#include "server/messages.h"

namespace servertest {

struct FakeLink : server::Link {
    std::vector<server::Packet> got;
    bool closed = false;
    void send(const server::Packet& p) override {
        if (!closed) got.push_back(p);
    }
    void close() override { closed = true; }
};

struct FakeHuman {
    server::Hub& hub;
    FakeLink link;
    std::uint64_t id = 0;
    std::string account;

    FakeHuman(server::Hub& h, std::string name) : hub(h), account(std::move(name)) {
        id = hub.open(link);
    }

    std::uint16_t token() const {
        for (auto it = link.got.rbegin(); it != link.got.rend(); ++it)
            if (server::command(*it) != server::CmdResume)
                return std::uint16_t((*it)[260] << 8 | (*it)[261]);
        return 0;
    }
    void send(server::Packet p) {
        std::uint16_t t = token();
        p[260] = std::uint8_t(t >> 8);
        p[261] = std::uint8_t(t);
        hub.receive(id, p);
    }
    void login(bool reconnect = false, std::uint16_t oldToken = 0) {
        server::Packet p = server::makePacket(server::CmdLogin);
        server::putBytes(p, 16, account, 16);
        if (reconnect) {
            p[4] = 28;
            p[261] = std::uint8_t(oldToken >> 8);
            p[262] = std::uint8_t(oldToken);
        }
        hub.receive(id, p);
    }
    void ready() {
        server::Packet p = server::makePacket(server::CmdGameOver);
        p[15] = 1;
        send(p);
    }
    void keepAlive() { send(server::makePacket(server::CmdKeepAlive)); }
    std::vector<server::Packet> of(int cmd) const {
        std::vector<server::Packet> out;
        for (const auto& p : link.got)
            if (server::command(p) == cmd) out.push_back(p);
        return out;
    }
    int count(int cmd) const { return int(of(cmd).size()); }
    int seat() const {
        auto s = of(server::CmdSeat);
        return s.empty() ? -1 : server::seatOfBit(s[0][6]);
    }
};

struct HubFixture : ::testing::Test {
    server::Options options;
    platform::FakeEventLoop loop;
    server::EventLog log{nullptr};
    std::unique_ptr<server::Hub> hub;
    std::vector<std::string> lines;
    std::vector<FakeHuman*> alive;  // sent keep-alives while time passes

    void start(int bots, std::uint64_t seed = 11) {
        options.bots = bots;
        options.fast = true;
        options.turnSeconds = 3;
        options.seed = seed;
        log.tap = [this](const std::string& l) { lines.push_back(l); };
        hub = std::make_unique<server::Hub>(loop, options, log);
    }
    std::unique_ptr<FakeHuman> human(const std::string& name, bool keepAlive = true) {
        auto h = std::make_unique<FakeHuman>(*hub, name);
        if (keepAlive) alive.push_back(h.get());
        return h;
    }
    // Moves virtual time on, the living humans sending keep-alives every 5 seconds.
    void pass(std::int64_t ms) {
        while (ms > 0) {
            std::int64_t stepMs = std::min<std::int64_t>(ms, 5000);
            loop.advance(stepMs);
            ms -= stepMs;
            for (FakeHuman* h : alive)
                if (!h->link.closed) h->keepAlive();
        }
    }
    // Moves time on in steps of a second until `done` holds (at most maxMs).
    bool passUntil(const std::function<bool()>& done, std::int64_t maxMs = 3'600'000) {
        for (std::int64_t t = 0; t < maxMs && !done(); t += 1000) pass(1000);
        return done();
    }
    bool logged(const std::string& part) const {
        for (const auto& l : lines)
            if (l.find(part) != std::string::npos) return true;
        return false;
    }
    server::Table* table(int id = 1) {
        auto it = hub->tables().find(id);
        return it == hub->tables().end() ? nullptr : it->second.get();
    }
};

}  // namespace servertest
