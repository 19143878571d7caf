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
#include "wire/departure.h"
#include "wire/keep_alive.h"
#include "wire/seating.h"

namespace servertest {

struct FakeLink : server::Link {
    std::vector<wire::GamePacket> got;
    bool closed = false;
    void send(const wire::GamePacket& p) override {
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
            if (wire::commandOf(*it) != wire::Command::kResume)
                return std::uint16_t((*it)[wire::kTokenByte] << 8 | (*it)[wire::kTokenByte + 1]);
        return 0;
    }
    void send(wire::GamePacket p) {
        std::uint16_t t = token();
        p[wire::kTokenByte] = std::uint8_t(t >> 8);
        p[wire::kTokenByte + 1] = std::uint8_t(t);
        hub.receive(id, p);
    }
    void login(bool reconnect = false, std::uint16_t oldToken = 0) {
        wire::Login l;
        l.userName = account;
        l.reconnect = reconnect;
        l.token = oldToken;
        hub.receive(id, l.encode());
    }
    void ready() { send(wire::LeaveOrContinue{0, wire::GameOverCase::kContinue}.encode()); }
    void keepAlive() { send(wire::KeepAlive{}.encode()); }
    std::vector<wire::GamePacket> of(wire::Command cmd) const {
        std::vector<wire::GamePacket> out;
        for (const auto& p : link.got)
            if (wire::commandOf(p) == cmd) out.push_back(p);
        return out;
    }
    int count(wire::Command cmd) const { return int(of(cmd).size()); }
    int seat() const {
        auto s = of(wire::Command::kSeat);
        return s.empty() ? -1 : wire::seatOfBit(s[0][wire::kSeatByte]);
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
