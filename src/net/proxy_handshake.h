#pragma once
// The proxy handshake (Mod_Proxy). In connection mode 5 the game socket first
// reaches a SOCKS version 5 proxy, greets it, gives it the user name and password
// when it asks for them, and asks it for a tunnel to the game server; from then on
// the same socket carries game packets as in direct mode. The connection drives
// it: start() connects to the proxy, and while ProxyPhase() is set the connection's
// data arrival hands every arrived byte to onBytes() instead of the ReceiveRing.
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "net/proxy_buffer.h"
#include "platform/event_loop.h"
#include "platform/shell.h"
#include "platform/tcp_socket.h"

namespace net {

// What the launch line says about the proxy and the game server behind it.
struct ProxySettings {
    std::string proxyHost;
    std::int16_t proxyPort = 0;
    std::string proxyUser;
    std::string proxyPassword;
    std::string serverHost;  // a dotted IPv4 address; a name goes to the proxy to resolve
    std::int16_t serverPort = 0;
};

// ProxyStep. The odd steps last only while their request is written.
enum ProxyStepNumber : int {
    kProxyNoReply = 0,  // no reply awaited: connecting to the proxy, or a step was refused
    kGreetingToSend = 1,
    kGreetingSent = 2,
    kAuthenticationToSend = 3,
    kAuthenticationSent = 4,
    kConnectToSend = 5,
    kConnectSent = 6,
};

class ProxyHandshake {
  public:
    // What belongs to the connection and the hall link.
    struct Hooks {
        // The socket has reached the proxy and the greeting is out: the connection
        // sets LoginSent and starts the link watch (pump slot 5, counter 0).
        std::function<void()> proxyConnected;
        // The tunnel is open and ProxyPhase is already clear: the connection posts
        // 771 to the hall, clears system-message list 0 and adds "连接代理服务器成功！",
        // writes the LoginPacket to the socket directly and starts the pump.
        // `following` holds the bytes that came after the connect reply in the same
        // arrival: they are the game server's, for the ReceiveRing.
        std::function<void(const platform::Bytes& following)> tunnelOpened;
        // The ProxyBuffer overflowed: the hall window comes back before the process
        // ends.
        std::function<void()> restoreHall;
    };

    // How long start() waits for the proxy to accept the connection. A proxy that
    // neither accepts nor refuses within this time is reported as unreachable and
    // the table stays open; a reconnect attempt then has its next turn.
    static constexpr int kConnectTimeoutMs = 10000;
    // How often the wait looks at the socket while it lets other events run.
    static constexpr int kConnectPollMs = 50;

    ProxyHandshake(platform::TcpSocket& socket, platform::Shell& shell, platform::EventLoop& loop,
                   Hooks hooks);
    ProxyHandshake(const ProxyHandshake&) = delete;
    ProxyHandshake& operator=(const ProxyHandshake&) = delete;

    // Sets ProxyPhase, connects the socket to the proxy and waits for it, letting
    // other events run, then sends the greeting. Returns when the greeting is out
    // or the proxy could not be reached (message box, socket closed). The
    // connection clears pump slot 2 (the connect watch) before calling it.
    void start(const ProxySettings& settings);
    // The bytes of one data arrival while ProxyPhase() is set. A reply is judged
    // once all of it has arrived; the bytes after it in the same arrival go with
    // the open tunnel or are ignored.
    void onBytes(const platform::Bytes& bytes);
    // The proxy closed the connection: a reply still awaited counts as that step
    // refused. The connection calls it from its peer-closed handler while
    // ProxyPhase() is set.
    void onPeerClosed();
    // Leaves ProxyPhase (every connect and reconnect does, and the disconnect
    // reset): inbound bytes go to the ReceiveRing again, a start() still waiting for
    // the proxy gives up without a word, and a refusal whose box is still open does
    // not close the socket when the box goes.
    void leave();

    bool ProxyPhase() const { return phase_; }
    int ProxyStep() const { return step_; }
    const ProxyRing& ProxyBuffer() const { return buffer_; }

  private:
    bool waitForProxy(std::uint64_t attempt);
    void sendRequest(ProxyStepNumber step);
    bool replyComplete() const;
    void judge(std::span<const std::uint8_t> following);
    void openTunnel(std::span<const std::uint8_t> following);
    void refuse(const char* text);

    platform::TcpSocket& socket_;
    platform::Shell& shell_;
    platform::EventLoop& loop_;
    Hooks hooks_;
    ProxySettings settings_;
    bool phase_ = false;
    int step_ = kProxyNoReply;
    ProxyRing buffer_;
    // Counts starts and leaves, so that a wait or a message box can tell that the
    // handshake it belonged to is no longer the current one.
    std::uint64_t attempt_ = 0;
};

}  // namespace net
