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
#include "sound/settings_window.h"
#include "sound/sound.h"
#include "table/picture_tables.h"
#include "table/pictures.h"
#include "table/resource_store.h"

namespace app {

class Client {
public:
    Client(platform::Platform pf, const table::ResourceStore& resources);
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // Shows the table window; its load handler runs the start-up with the command
    // line. Ends the process (platform::ProcessEnd) where the start-up says so.
    void start(const std::string& commandLine);

    platform::Platform pf;
    table::PictureCache pictures;
    table::PictureIdTables PictureIds;
    ui::Form& MainForm;
    ui::Control& Pic1;

    LaunchParameters launch;
    protocol::TableState state;
    HallWindow hall;
    sound::Sound sound{pf.sound, pf.shell.programFolder()};
    // The sound settings window VosSet (opened by the hall button 设置).
    sound::SettingsWindow soundSettings{pf.windows, sound, state, pictures, PictureIds};

    // Transport.
    net::TickSlots slots;
    net::SendQueue send;
    net::ByteRing ReceiveRing;
    net::GamePacket LoginPacket{};
    bool ProxyPhase = false;
    platform::Timer TimerBong;
    bool framePainted = false;

    // Presentation.
    int ButtonBaseX = 400;  // left end of the action-button row
    // Shows resource picture id on the control; a missing picture leaves it as it was.
    void showResourcePicture(ui::Control& target, int id);
    // The same for an entry of one of the picture-id tables.
    void showTablePicture(ui::Control& target, const std::string& entry) {
        showResourcePicture(target, table::PictureIdValue(entry));
    }

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
    void resetDisplay(bool keepDealt);
    void seatRecordReset();

    // The hand on screen and card selection.
    void SortAndShowCards(int slot, int count);
    void LayOutHand(int pos, bool atHandTop);
    bool IsHandImage(int item) const;
    void ShowCardPicture(int slot, int item, int pictureIndex);
    ui::Control& cardImage(int slot, int item);
    void onCardMouseDown(ui::Control& card, const ui::Event& e);
    void onTableMouseDown(const ui::Event& e);
    void onTableKeyDown(const ui::Event& e);
    void onTableKeyPress(const ui::Event& e);
    void BossKey();
    bool altSeen = false, altCSeen = false;
    // Hooks of the play flow and the action buttons that the hand's mouse calls.
    void ValidateAndPlay();
    std::function<void()> onPlayRequested;  // until the play flow takes over
    void clickOperation(int item);

    // Deal and round start.
    void HandleDeal(const net::GamePacket& p);
    void HandleDeclaration(const net::GamePacket& p);
    void HandleWork(const net::GamePacket& p);
    void ShowDecisionPrompt(int seconds, int leftPicture, int rightPicture, bool& pendingFlag);
    void StartOwnCountdown(int seconds);
    void sendWorkAnswer(int cardId, int count);
    bool hallWindowKnown = false;

    // Sound effects by file, relative to the program folder ("/../common/pk/x.wav").
    void PlaySoundEffect(const std::string& path);
    void showActionPicture(ui::Control& target, int entry);
    void showIndicatorPicture(ui::Control& target, int entry);
    void setHallButtonPressed(int item);
    void clearHallButtonHover();

    // Work of other subsystems that the start-up and the pump call by name.
    void startSound();
    void loadPictures();
    void firstLayout();
    void secondLayout();
    void setUpPeerVideo();
    void startProxy();
    void proxyBytes(const platform::Bytes& bytes);
    void showContinuePressed();
    void showHallButtonPictures();
    void showRestoreButtonPicture();
    void startLocalCapture();
    void stopKeepAlive();
    void wireTableEvents();
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
