// Arbitrary proxy replies into the proxy handshake, in arbitrary pieces, at every
// step. The first input byte chooses the settings and how far the handshake has
// got with well-formed replies; the rest is pieces, each a head byte and up to 63
// bytes of reply. The head byte also closes the connection from the proxy's side
// after the piece (0x40) or starts the handshake afresh before it (0x80), as a
// reconnect does.
//
// Besides the sanitizers, every run checks what must hold whatever a proxy says:
// the process never ends, the client writes nothing but the next request of the
// handshake, a start ends in at most one message box and every box is followed by
// the socket closed, the tunnel opens at most once per start and only with
// ProxyPhase left.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "net/proxy_handshake.h"
#include "net/proxy_requests.h"
#include "platform/fake/fake_event_loop.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_socket.h"

namespace {

using platform::Bytes;

void check(bool ok) {
    if (!ok) __builtin_trap();
}

struct Run {
    platform::FakeEventLoop loop;
    platform::FakeSocket socket{loop};
    platform::FakeShell shell;
    int tunnels = 0;
    net::ProxyHandshake proxy{socket, shell, loop,
                              net::ProxyHandshake::Hooks{
                                  [] {},
                                  [this](const Bytes&) {
                                      check(!proxy.ProxyPhase());
                                      ++tunnels;
                                  },
                                  [] { check(false); },
                              }};
    net::ProxySettings settings;
    Bytes auth, connect;
    std::size_t boxesAtStart = 0;

    explicit Run(std::uint8_t mode) {
        settings = {"10.0.0.1",
                    1080,
                    (mode & 1) ? "user" : "",
                    (mode & 1) ? "pässword" : "",
                    (mode & 8) ? "game.test" : "10.0.0.2",
                    static_cast<std::int16_t>(8888)};
        auth = net::socks::authenticationRequest(settings.proxyUser, settings.proxyPassword);
        connect = *net::socks::connectRequest(settings.serverHost, settings.serverPort);
        socket.onData = [this](const Bytes& b) {
            if (proxy.ProxyPhase()) proxy.onBytes(b);
        };
        socket.onClosed = [this] {
            if (proxy.ProxyPhase()) proxy.onPeerClosed();
            socket.close();
        };
    }

    void start() {
        proxy.leave();
        socket.close();
        socket.takeSent();
        tunnels = 0;
        boxesAtStart = shell.messages.size();
        loop.post([this] { socket.accept(); });
        proxy.start(settings);
        check(socket.takeSent() == net::socks::greeting());
    }

    // One arrival, with what must hold after it.
    void arrive(const Bytes& piece) {
        // A closed socket delivers nothing.
        if (socket.state() != platform::kSockConnected) return;
        const std::size_t boxes = shell.messages.size();
        socket.deliver(piece);
        loop.drain();
        const Bytes written = socket.takeSent();
        check(written.empty() || written == auth || written == connect);
        checkAfter(boxes);
    }

    // The proxy closes the connection.
    void peerClose() {
        const std::size_t boxes = shell.messages.size();
        socket.peerClose();
        loop.drain();
        check(socket.takeSent().empty());
        checkAfter(boxes);
        check(socket.state() == platform::kSockClosed);
    }

    void checkAfter(std::size_t boxesBefore) {
        check(shell.messages.size() - boxesAtStart <= 1);
        if (shell.messages.size() != boxesBefore) check(socket.state() == platform::kSockClosed);
        check(tunnels <= 1);
        if (tunnels == 1) check(!proxy.ProxyPhase());
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    try {
        Run run(data[0]);
        run.start();
        // Well-formed replies up to the step the input starts at.
        switch ((data[0] >> 1) & 3) {
            case 1:
                run.arrive({5, 2});
                break;
            case 2:
                run.arrive({5, 0});
                break;
            case 3:
                run.arrive({5, 2});
                run.arrive({1, 0});
                break;
            default:
                break;
        }
        std::size_t at = 1;
        while (at < size) {
            const std::uint8_t head = data[at++];
            const std::size_t n = std::min<std::size_t>(head & 0x3F, size - at);
            if (head & 0x80) run.start();
            run.arrive(Bytes(data + at, data + at + n));
            at += n;
            if (head & 0x40) run.peerClose();
        }
    } catch (const platform::ProcessEnd&) {
        // No reply from a connected proxy may end the client.
        check(false);
    }
    return 0;
}
