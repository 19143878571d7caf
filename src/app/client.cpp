#include "app/client.h"

#include <filesystem>

#include "platform/ini_file.h"

namespace app {

Client::Client(platform::Platform platform, const pictures::ResourceStore& resources)
    : pf(platform),
      MainForm(pf.windows.form("MainForm")),
      hall(pf.hall),
      pictures(resources, pf.pictures, MainForm, hall),
      Pic1(MainForm.add("Pic1", ui::ControlKind::kPictureBox)) {
    MainForm.caption = kDefaultTableCaption;
    shell.createControls();
    scores.create();
    wireParts();
    wireChat();
    registerHandlers();
    MainForm.onForm(ui::EventKind::kLoad,
                    [this](ui::Control*, ui::Event&) { shell.startUp(commandLine_); });
    MainForm.onForm(ui::EventKind::kUnload,
                    [this](ui::Control*, ui::Event&) { shell.onTableUnload(); });
}

void Client::start(const std::string& commandLine) {
    commandLine_ = commandLine;
    MainForm.show();
}

// Who calls whom across the parts.
void Client::wireParts() {
    connection.setHooks({
        [this](wire::GamePacket& p) {
            recorder.inbound(p);
            dispatcher.DispatchPacket(p);
        },
        [this] { shell.returnToHall(); },
        [this] { hallButtons.blinkStep(); },
        [this](bool connected) {
            if (connected) buttons.turnCountdowns();
            buttons.independentCountdown();
            hallButtons.continueCountdownStep();
        },
        [this] { shell.returnToHallAfterLostLink(); },
    });
    connection.send.written = [this](const wire::GamePacket& p) { recorder.outbound(p); };
    // The hall's messages to the table window (its endpoint opens at start-up).
    pf.hall.onMessage = [this](std::uint32_t m, std::uint32_t w, std::uint32_t l) {
        shell.onHallMessage(m, w, l);
    };
    hand.onPlayRequest = [this] { buttons.ValidateAndPlay(); };
    buttons.setHooks({
        [this](std::span<const int> items, rules::PlayClass c) {
            playedHand.ownPlayShown(items, c);
        },
        [this] { return playedHand.selfBurning(); },
    });
    reset.resetRoundPlay = [this] { playedHand.reset(); };
    hallButtons.toggleExitDialog = [this](bool fromExitButton) {
        shell.toggleExitDialog(fromExitButton);
    };
    departure.setHooks({
        [this](const std::string& text) { shell.showDepartureNotice(text); },
        [this] { shell.leaveTable(); },
        [this] { shell.returnToHallAfterLostLink(); },
    });
    shell.setHooks({
        [this](const LaunchParameters& launch) {
            video.setUpPeerVideo(launch.serverHost, launch.userName);
        },
        [this] {
            if (!video.captureRunning()) video.startLocalCapture();
        },
    });
    seating.setHooks({
        [this] {
            if (!video.captureRunning()) video.startLocalCapture();
        },
        [this](int slot, const std::string& account) { video.registerVideoPeer(slot, account); },
        {},
    });
    video.stopSound = [this] { sound.StopSound(); };
}

// The handlers of the inbound catalogue that the table acts on, each taking its
// command's decoded message.
void Client::registerHandlers() {
    using wire::Command;
    auto& d = dispatcher;
    d.on<wire::Deal>(Command::kDeal, [this](const auto& m) { roundStart.HandleDeal(m); });
    d.on<wire::Declaration>(Command::kDeclaration,
                            [this](const auto& m) { roundStart.HandleDeclaration(m); });
    d.on<wire::Work>(Command::kWork, [this](const auto& m) { roundStart.HandleWork(m); });
    d.on<wire::Exchange>(Command::kExchange,
                         [this](const auto& m) { revolution.HandleExchange(m); });
    d.on<wire::Revolution>(Command::kRevolution,
                           [this](const auto& m) { revolution.HandleRevolution(m); });
    d.on<wire::PlayedHand>(Command::kPlayedHand,
                           [this](const auto& m) { playedHand.HandlePlayedHand(m); });
    d.on<wire::Tribute>(Command::kTribute, [this](const auto& m) { tribute.HandleTribute(m); });
    d.on<wire::RoundResult>(Command::kResult,
                            [this](const auto& m) { roundResult.HandleResult(m); });
    d.on<wire::GameOver>(Command::kGameOver,
                         [this](const auto& m) { departure.HandleGameOver(m); });
    d.on<wire::LoginResult>(Command::kLogin,
                            [this](const auto& m) { seating.HandleLoginResult(m); });
    d.on<wire::Seat>(Command::kSeat, [this](const auto& m) { seating.HandleSeat(m); });
    d.on<wire::PlayerLeft>(Command::kPlayerLeft,
                           [this](const auto& m) { departure.HandlePlayerLeft(m); });
    d.on<wire::TableClosed>(Command::kTableClosed,
                            [this](const auto& m) { departure.HandleTableClosed(m); });
    d.on<wire::ReadyNotice>(Command::kReady, [this](const auto& m) { seating.HandleReady(m); });
    d.on<wire::ResumeResult>(Command::kResume,
                             [this](const auto& m) { departure.HandleResume(m); });
    d.on<wire::Chat>(Command::kChat, [this](const auto& m) { chat.HandleChat(m); });
}

// The chat part's hooks into the table, and the bubbles' share of the table
// window being minimised and restored.
void Client::wireChat() {
    auto phraseFile = [this] {
        platform::classIniFile ini;
        ini.setPath(pf.shell.programFolder(), "chat.ini");
        return ini;
    };
    chat.setHooks({
        [this] { hallButtons.startChatBlink(); },
        [this] { return hallButtons.flow().selectedSeat; },
        [this] { hall.minimise(); },
        [this] { shell.toggleExitDialog(false); },
        [phraseFile] { return std::filesystem::exists(phraseFile().INIFileName); },
        [phraseFile](const std::string& key) { return phraseFile().GetIniKey("chat", key); },
    });
    hallButtons.sendChatLine = [this] { chat.sendFromButton(); };
    hallButtons.toggleTalk = [this] { chat.toggleTalk(); };
    shell.showPhraseButtons = [this] { chat.showPhraseButtons(); };
    MainForm.onForm(ui::EventKind::kResize, [this](ui::Control*, ui::Event&) {
        if (MainForm.windowState == ui::WindowState::kMinimized) {
            video.unloadZoomWindows();
            bubbles.hideAll();
        } else {
            bubbles.resetAll();
        }
        shell.onTableWindowState();
    });
}

}  // namespace app
