#pragma once
// The table client: the table window MainForm owns everything — the socket, the
// pump timer, the rings, the table state and the controls of all six seats. One
// object per process; every subsystem works on it.
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "app/launch.h"
#include "app/operator.h"
#include "gif/ani_gif.h"
#include "net/connection.h"
#include "pictures/pictures.h"
#include "platform/hall_window.h"
#include "platform/platform.h"
#include "protocol/dispatcher.h"
#include "sound/settings_window.h"
#include "sound/sound.h"
#include "state/table_state.h"
#include "table/play_state.h"
#include "table/round_flow.h"
#include "video/video.h"
#include "wire/commands.h"
#include "wire/frame.h"

namespace app {

class Client {
  public:
    Client(platform::Platform pf, const pictures::ResourceStore& resources);
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // Shows the table window; its load handler runs the start-up with the command
    // line. Ends the process (platform::ProcessEnd) where the start-up says so.
    void start(const std::string& commandLine);

    platform::Platform pf;
    ui::Form& MainForm;
    platform::HallWindow hall;
    pictures::Pictures pictures;
    ui::Control& Pic1;

    LaunchParameters launch;
    state::TableState state;
    sound::Sound sound{pf.sound, pf.shell.programFolder()};
    // The sound settings window VosSet (opened by the hall button 设置).
    sound::SettingsWindow soundSettings{pf.windows, sound, state, pictures};

    // The game connection with its pump, keep-alive, watches and reconnect.
    net::Connection connection;
    bool framePainted = false;
    // Camera pictures between the seats and the video windows.
    video::Video video{pf.video, pf.loop, pf.shell, pf.hall,  pf.windows,
                       MainForm, Pic1,    state,    pictures, kOperatorSite};

    // Presentation.
    int ButtonBaseX = 400;  // left end of the action-button row
    // The table window comes to the front (maximised, then back to normal).
    void bringTableToFront();
    // The score (Score) and result-history (Hero) windows with their controls.
    void createScoreWindows();

    // A lost link the connection gives up: the table is torn down as by leaving it.
    void returnToHallAfterLostLink();
    // The inbound dispatcher with the handlers the table registers.
    protocol::Dispatcher dispatcher{connection.send.token};

    // The continue countdown after a round (pump slot 7).
    void startContinueCountdown();
    void continueCountdownStep();
    void continueToNextRound(bool onlyOutsideGame);
    std::int64_t lastContinueStepMs = INT64_MIN / 2;

    // Returning to the hall: minimise the table, restore the hall, hide the side
    // windows; without a hall window the process ends.
    void returnToHall();
    // The leave routine: the leave packet straight to the socket (when it is up),
    // the other seats' video links dropped, the pump and keep-alive stopped, the
    // table marked broken; then a short wait so that the packet leaves.
    void leaveTable();
    // The departure notice frmOtherExit with its text; OK goes back to the hall,
    // cancel stays at the broken table.
    void showDepartureNotice(const std::string& text);
    void createDepartureNotice();
    void departureNoticeOk();
    void departureNoticeCancel();

    // The handlers of the inbound commands, one per code of the inbound catalogue
    // (src/protocol/dispatch.cpp). Each reads the packet and never writes into it.
    void HandleDeal(const wire::GamePacket& p);         // 1
    void HandleDeclaration(const wire::GamePacket& p);  // 2
    void HandleWork(const wire::GamePacket& p);         // 3
    void HandlePlayedHand(const wire::GamePacket& p);   // 6
    void HandleTribute(const wire::GamePacket& p);      // 8
    void HandleResult(const wire::GamePacket& p);       // 9
    void HandleGameOver(const wire::GamePacket& p);     // 16
    void HandleLoginResult(const wire::GamePacket& p);  // 18
    void HandleSeat(const wire::GamePacket& p);         // 20
    void HandlePlayerLeft(const wire::GamePacket& p);   // 21
    void HandleTableClosed(const wire::GamePacket& p);  // 22
    void HandleReady(const wire::GamePacket& p);        // 23
    void HandleResume(const wire::GamePacket& p);       // 29

    // Departures (codes 16, 21, 22): the two cases of the game-over command, the
    // steps they share, and the time of day the message area shows.
    void continueOutcome(const wire::GamePacket& p);
    void goldShortage(const wire::GamePacket& p);
    void departureBackToHall(int waitMs);
    void clearSlotPlayer(int slot);
    void clearSeatLabels(int slot);
    std::string clockText();

    // Seating (the seat packet and the ready notice).
    // The screen slot of a seat byte as seen from the own seat bit.
    int slotOf(std::uint8_t seatByte) const;
    // All five others marked ready before the first round: the table is reset for
    // the new game.
    void allReadyTest();
    // The display reset and the hand reset, then GameResetDone.
    void resetForNewGame();
    // Makes OK(slot) visible in front of the table.
    void showReadyMark(int slot);
    // The picture index of an avatar code: "m1".."m10" give 0..9, "w1".."w10" 10..19.
    static int avatarIndex(const std::string& avatarCode);

    // Resets of the table (the leaving routines complete them).
    void displayReset();
    void resetDisplay(bool keepDealt);
    void seatRecordReset();

    // The hand on screen and card selection.
    void SortAndShowCards(int slot, int count);
    void LayOutHand(int pos, bool atHandTop);
    bool IsHandImage(int item) const;
    ui::Control& cardImage(int slot, int item);
    void onCardMouseDown(ui::Control& card, const ui::Event& e);
    void onTableMouseDown(const ui::Event& e);
    void onTableKeyDown(const ui::Event& e);
    void onTableKeyPress(const ui::Event& e);
    void BossKey();
    bool altSeen = false, altCSeen = false;
    void onTableMouseMove(const ui::Event& e);

    // Deal and round start (HandleDeal, HandleDeclaration, HandleWork above).
    void ShowDecisionPrompt(int seconds, int leftPicture, int rightPicture, bool& pendingFlag);
    void StartOwnCountdown(int seconds);
    void showDecisionButtons(int leftPicture, int rightPicture);
    void sendWorkAnswer(int cardId, int count);
    bool hallWindowKnown = false;

    void setHallButtonPressed(int item);
    void clearHallButtonPressed(int item);
    void clearHallButtonHover();

    // Work of other subsystems that the start-up and the pump call by name.
    void firstLayout();
    void secondLayout();
    void setUpPeerVideo();
    void showContinuePressed();
    void showHallButtonPictures();
    void showRestoreButtonPicture();
    void startLocalCapture();
    void registerVideoPeer(int slot, const std::string& account);
    void showAdvertisement(const std::string& url);
    void wireTableEvents();
    void subclassWindow();
    void blinkStep();
    void turnCountdowns();
    void independentCountdown();

    // Playing a round: the own play, the other seats' plays and events (command 6),
    // the action buttons and their hover looks, the turn countdown and the hints.
    table::PlayState play{pf.loop};
    // The animated picture on the table surface that plays the flames of burns,
    // catches and falls; the layout places it, the display reset empties it.
    gif::ucAniGIF ShaoPaiPlayer{MainForm.add("ShaoPaiPlayer", ui::ControlKind::Image, -1, &Pic1),
                                pf.loop, pf.pictures, pf.fetch};
    void ShowPlayedHand(const wire::GamePacket& p);
    void HidePlayedRow(int slot, bool visible);
    void PlaceCountdown(int slot);
    void MarkGoneOut(int slot);
    void offerTurn(int mode);
    void bubbleTimerTick();
    void ValidateAndPlay();
    void showIllegalPlayNotice();
    void unloadIllegalPlayNotice();
    // Operation_Click and OperationNotP_Click; the table's right click is item 0.
    void clickOperation(int item);
    void clickOperationNotP(int item);
    void hoverOperation(int item);
    void hoverOperationNotP(int item);
    void resetButtonHover();
    void pressHint();
    // Ends the decision that was answered (its flag, null for none) on the turn row
    // (Operation) or the decision row (OperationNotP).
    void FinishDecision(bool* answered, bool turnRow, bool resetTimeouts);
    void resetPlayState();
    void wirePlayEvents();
    // The picture roles of the play: finishing places, announcement and pass
    // bubbles, the restore button's two looks.
    // The tribute command's steps and the return that its buttons and countdown run.
    void ShowNotice(const std::string& text);
    void tributeOffered(const wire::GamePacket& p);
    void tributeMade(const wire::GamePacket& p);
    void receiveTributeCards(const wire::GamePacket& p);
    void raiseReturnPrompt(const wire::GamePacket& p);
    // Sends the return when the choice is acceptable (true); otherwise the prompt stays.
    bool answerReturn();
    void returnTributeSent(std::span<const std::uint8_t> ids);
    void cardsLeaveHand(std::span<const std::uint8_t> ids, double raiseFraction);
    struct Decision {
        bool* flag = nullptr;
        int picture[2] = {-1, -1};
    };
    Decision currentDecision();
    int currentTurnMode() const;
    bool* turnModeFlag(int mode);
    void clearDecisionFlags();
    int playSlot(std::uint8_t seatByte) const;
    void startBubbleTimer(int ms);
    void showBubble(int slot, int entry);
    // Loads the flames of an IndicatorPictureIds entry into ShaoPaiPlayer.
    void loadFlames(int entry);
    void showFlames();
    void lowerRaisedCards();
    void raiseCardItem(int item);
    void raiseLeadProposal();
    void enableHandCards();
    void hideTributeNotice();
    void sendPlayAction(wire::PlayAction action);
    void sendDeclaration(wire::DeclareKind kind);
    void sendRevolutionChoice(wire::RevolutionChoice choice);
    void sendTributeChoice(wire::TributeChoice choice);
    int activeCountdownGroup() const;
    bool countdownSecond(int group);
    void showCountdownNumber();
    void answerByItself(int group);
    // From one round to the next: the round result and scoring, the game record
    // file, the hall buttons AnNiu, the avatar click, the Score and Hero windows and
    // the exit dialog's opening.
    table::RoundFlow roundFlow;
    void SaveRoundRecord(std::int16_t round);
    void LoadRoundRecord(std::int16_t round);
    std::string roundRecordPath();
    void disconnectReset();
    void wireRoundFlowEvents();
    void AnNiu_Click(int item);
    void AnNiu_MouseMove(int item);
    void Tou_Click(int slot);
    void startChatBlink();  // an incoming chat line: the chat button blinks 4 times
    void clearFirstStart();
    void showHallButtonNormal(int item);
    void centreOnTable(ui::Form& f);
    void historyToScore(const ui::Control& list);
    void toggleExitDialog(bool fromExitButton);
    void createExitDialog();
    void confirmExit();          // the exit dialog's OK
    void showSettings();         // VosSet, owned by the sound settings
    void stopOthersCountdown();  // the clock at another seat, owned by the turn countdown

    // The table window's unload: ends the process.
    void onTableUnload();

    // Start-up, split into the steps the load handler runs.
    void startUp(const std::string& commandLine);

  private:
    void registerHandlers();
    void createControls();
    void sizeWindow();
    void applyDisplayScale();
    void buildLoginPacket();
    std::string commandLine_;
};

}  // namespace app
