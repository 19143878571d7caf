#pragma once
// A client on the fake platform: virtual time, a scripted socket, a hall window
// that records what reaches it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/client.h"
#include "platform/fake/fake_platform.h"
#include "resources/embedded_resources.h"

struct ClientFixture : ::testing::Test {
    platform::FakePlatform fp;
    std::vector<std::uint32_t> hallGot;  // message numbers the hall window received
    std::unique_ptr<app::Client> client;
    int endedWith = -1;

    ClientFixture() {
        fp.hallWindow.open("Brenmoor");
        fp.hallWindow.onMessage = [this](std::uint32_t m, std::uint32_t w, std::uint32_t) {
            if (m == 0) return;  // a look-up, not a message
            hallGot.push_back(m == platform::WM_SYSCOMMAND ? w : m);
        };
    }
    app::Client& make() {
        client = std::make_unique<app::Client>(fp.platform(), resources::embeddedStore());
        return *client;
    }
    // Starts the client; returns false when the process ended (status in endedWith).
    bool start(const std::string& line) {
        if (!client) make();
        return guarded([&] { client->start(line); });
    }
    bool guarded(const std::function<void()>& f) {
        try {
            f();
            fp.loop.drain();
            return true;
        } catch (const platform::ProcessEnd& e) {
            endedWith = e.status;
            return false;
        }
    }
    bool advance(std::int64_t ms) {
        return guarded([&] { fp.loop.advance(ms); });
    }
    int hallCount(std::uint32_t m) const {
        return static_cast<int>(std::count(hallGot.begin(), hallGot.end(), m));
    }
    // Starts at a reachable server and lets the login go out.
    void startConnected(const std::string& line = "me$key$127.0.0.1$2000$home$") {
        ASSERT_TRUE(start(line));
        fp.socket.accept();
        ASSERT_TRUE(advance(200));
        fp.socket.takeSent();  // the login packet
    }
    static wire::GamePacket inbound(std::uint8_t command, std::uint8_t t0 = 0,
                                    std::uint8_t t1 = 0) {
        wire::GamePacket p = wire::makePacket(command);
        p[wire::kTokenByte] = t0;
        p[wire::kTokenByte + 1] = t1;
        return p;
    }
    // Runs one packet through the dispatcher as the pump does; false when the
    // process ended.
    bool dispatch(wire::GamePacket p) {
        return guarded([&] { client->dispatcher.DispatchPacket(p); });
    }
    // The whole packets the socket has written so far, taken off it.
    std::vector<wire::GamePacket> takeSentPackets() {
        std::vector<wire::GamePacket> out;
        while (fp.socket.sent.size() >= 272) {
            auto b = fp.socket.takeSent(272);
            wire::GamePacket p;
            std::copy(b.begin(), b.end(), p.begin());
            out.push_back(p);
        }
        return out;
    }
    void deliver(const wire::GamePacket& p, std::size_t from = 0, std::size_t to = 272) {
        fp.socket.deliver(platform::Bytes(p.begin() + static_cast<long>(from),
                                          p.begin() + static_cast<long>(to)));
        fp.loop.drain();
    }
};
