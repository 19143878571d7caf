#pragma once
// The table client: the table window MainForm owns everything — the socket, the
// pump timer, the rings, the table state and the controls of all six seats. One
// object per process; every subsystem works on it.
#include <cstdint>
#include <functional>
#include <string>

#include "app/hall_window.h"
#include "app/launch.h"
#include "net/packet.h"
#include "net/rings.h"
#include "net/send_queue.h"
#include "net/tick_slot.h"
#include "platform/platform.h"
#include "protocol/table_state.h"
#include "sound/sound.h"

namespace app {

class Client {
public:
    explicit Client(platform::Platform pf);
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // Shows the table window; its load handler runs the start-up with the command
    // line. Ends the process (platform::ProcessEnd) where the start-up says so.
    void start(const std::string& commandLine);

    platform::Platform pf;
    ui::Form& MainForm;
    ui::Control& Pic1;

    LaunchParameters launch;
    protocol::TableState state;
    HallWindow hall;
    sound::Sound sound{pf.sound, pf.shell.programFolder()};

    // Transport.
    net::TickSlots slots;
    net::SendQueue send;
    net::ByteRing ReceiveRing;
    net::GamePacket LoginPacket{};
    bool ProxyPhase = false;
    platform::Timer TimerBong;
    bool framePainted = false;

    // Sending and receiving.
    bool QueuePacket(net::GamePacket& packet) { return send.QueuePacket(packet); }
    void onDataArrival(const platform::Bytes& bytes);
    void onPeerClosed();
    void pumpTick();
    void connectDirect();
    // The inbound dispatcher: takes the server token and runs the command's handler.
    void DispatchPacket(net::GamePacket& packet);

    // The continue countdown after a round (pump slot 7).
    void startContinueCountdown();
    void continueCountdownStep();
    std::int64_t lastContinueStepMs = INT64_MIN / 2;

    // Returning to the hall: minimise the table, restore the hall, hide the side
    // windows; without a hall window the process ends.
    void returnToHall();

    // The handlers of the inbound commands; the dispatcher calls it after taking
    // the token.
    std::function<void(net::GamePacket&)> onPacket;

    // Resets of the table (the leaving routines complete them).
    void displayReset();
    void seatRecordReset();

    // Work of other subsystems that the start-up and the pump call by name.
    void startSound();
    void loadPictures();
    void firstLayout();
    void secondLayout();
    void setUpPeerVideo();
    void startProxy();
    void proxyBytes(const platform::Bytes& bytes);
    void showContinuePressed();
    void subclassWindow();
    void blinkStep();
    void linkWatch();
    void silenceWatch();
    void turnCountdowns();
    void independentCountdown();

    // Start-up, split into the steps the load handler runs.
    void startUp(const std::string& commandLine);

private:
    void createControls();
    void sizeWindow();
    void applyDisplayScale();
    void buildLoginPacket();
    std::string commandLine_;
};

}  // namespace app
