#pragma once
// The game connection: the socket, the send queue and the receive ring, the 50 ms
// pump TimerBong with its tick slots, the keep-alive, the silence and link
// watches and the reconnect controller. What the pump hands on (a whole packet,
// the leave packet gone out, the countdowns and the blink of the other parts) and
// what a lost link means for the table go out through its hooks.
#include <cstdint>
#include <functional>
#include <string>

#include "net/proxy_handshake.h"
#include "net/reconnect.h"
#include "net/rings.h"
#include "net/send_queue.h"
#include "net/tick_slot.h"
#include "platform/hall_window.h"
#include "platform/platform.h"
#include "state/table_state.h"
#include "ui/form.h"
#include "wire/frame.h"

namespace net {

// Where the table's server is and how to reach it (connection mode 0 direct,
// 5 through the proxy).
struct ServerTarget {
    std::string host;
    std::int16_t port = 0;
    std::int16_t mode = 0;
    ProxySettings proxy;  // mode 5
};

class Connection {
  public:
    struct Hooks {
        std::function<void(wire::GamePacket&)> packet;  // one whole packet for the dispatcher
        std::function<void()> leaveSent;                // the leave packet left the socket
        std::function<void()> blinkStep;                // slot 3: the chat button's blink
        // Slots 6 and 7: the turn and prompt countdowns (while connected) and the
        // continue countdown.
        std::function<void(bool connected)> countdowns;
        std::function<void()> linkLost;  // the table is given up for a lost link
    };

    Connection(platform::Platform& pf, state::TableState& state, ui::Form& tableWindow,
               platform::HallWindow& hall);
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }
    void setTarget(ServerTarget target) { target_ = std::move(target); }
    const ServerTarget& target() const { return target_; }

    bool connected() const { return pf_.socket.state() == platform::kSockConnected; }
    // The socket reaches the game server: connected, and through the proxy only
    // once the tunnel is open (during the handshake it leads to the proxy).
    bool gameLinkUp() const { return connected() && !ProxyPhase(); }
    bool QueuePacket(wire::GamePacket& packet) { return send.QueuePacket(packet); }
    void connectDirect();
    // Connection mode 5: the handshake with the proxy, which sends the login once
    // the tunnel is open.
    void connectThroughProxy();
    // Connects as the target's mode says (start-up).
    void connect();
    // The hall's connect-again: out of the proxy phase, a socket still open closed
    // first, then connected as at start-up.
    void connectAgain();
    void onDataArrival(const platform::Bytes& bytes);
    void onPeerClosed();
    void pumpTick();

    void startKeepAlive() { TimerKeepAlive.setEnabled(true); }
    void stopKeepAlive() { TimerKeepAlive.setEnabled(false); }
    void keepAliveTick();
    // One reconnect attempt (the reconnect controller's tick): the login marked as
    // a reconnect with the last token, the socket closed and connected again.
    void reconnectAttempt();

    // Stops every watch and the pump, closes the socket (waiting for it to report
    // closed) and empties both rings: the transport's share of the disconnect reset.
    void disconnect();
    // The seat-record reset's share: the send ring emptied, the receive ring keeping
    // only the bytes of a packet that has partly arrived.
    void keepPartialPacket();

    // State the pump's other work shares: the tick slots (each part owns its
    // slot's flag), the queue with the server token, the login packet.
    TickSlots slots;
    SendQueue send;
    ByteRing ReceiveRing;
    wire::GamePacket LoginPacket{};
    bool ProxyPhase() const { return proxy_.ProxyPhase(); }
    platform::Timer TimerBong;
    platform::Timer TimerKeepAlive;  // 5000 ms; runs from the login result on
    ReconnectController reconnect;   // frmReconnect

  private:
    void silenceWatch();
    void linkWatch();
    void reconnectFailed();
    void tunnelOpened(const platform::Bytes& following);

    platform::Platform& pf_;
    state::TableState& state;
    ui::Form& MainForm;
    platform::HallWindow& hall;
    ServerTarget target_;
    Hooks hooks_;
    ProxyHandshake proxy_;
};

}  // namespace net
