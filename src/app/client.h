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
#include "table/round_flow.h"

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

    // From one round to the next: the round result and scoring, the game record
    // file, the hall buttons AnNiu, the avatar click, the Score and Hero windows and
    // the exit dialog's opening.
    table::RoundFlow roundFlow;
    void HandleResult(const net::GamePacket& p);  // code 9, one third of a result
    void SaveRoundRecord(std::int16_t round);
    void LoadRoundRecord(std::int16_t round);
    std::string roundRecordPath();
    void disconnectReset();
    void createScoreWindows();  // the windows' controls (from the seating work)
    void wireRoundFlowEvents();
    void AnNiu_Click(int item);
    void AnNiu_MouseMove(int item);
    void Tou_Click(int slot);
    void startChatBlink();  // an incoming chat line: the chat button blinks 4 times
    void clearFirstStart();
    void showHallButtonNormal(int item);
    int hallButtonPictureId(int entry) const;  // HallButtonPictureIds
    void centreOnTable(ui::Form& f);
    void historyToScore(const ui::Control& list);
    void toggleExitDialog(bool fromExitButton);
    void createExitDialog();
    void showSettings();        // VosSet, owned by the sound settings
    void stopOthersCountdown();  // the clock at another seat, owned by the turn countdown

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
