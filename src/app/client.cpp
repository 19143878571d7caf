#include "app/client.h"

namespace app {

Client::Client(platform::Platform platform, const pictures::ResourceStore& resources)
    : pf(platform),
      MainForm(pf.windows.form("MainForm")),
      hall(pf.hall),
      pictures(resources, pf.pictures, MainForm, hall),
      Pic1(MainForm.add("Pic1", ui::ControlKind::PictureBox)) {
    MainForm.caption = kDefaultTableCaption;
    shell.createControls();
    scores.create();
    wireParts();
    registerHandlers();
    MainForm.onForm(ui::EventKind::Load,
                    [this](ui::Control*, ui::Event&) { shell.startUp(commandLine_); });
    MainForm.onForm(ui::EventKind::Unload,
                    [this](ui::Control*, ui::Event&) { shell.onTableUnload(); });
}

void Client::start(const std::string& commandLine) {
    commandLine_ = commandLine;
    MainForm.show();
}

// Who calls whom across the parts.
void Client::wireParts() {
    connection.setHooks({
        [this](wire::GamePacket& p) { dispatcher.DispatchPacket(p); },
        [this] { shell.returnToHall(); },
        [this] { hallButtons.blinkStep(); },
        [this](bool connected) {
            if (connected) buttons.turnCountdowns();
            buttons.independentCountdown();
            hallButtons.continueCountdownStep();
        },
        [this] { shell.returnToHallAfterLostLink(); },
    });
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
            pf.video.setServer(launch.serverHost, 8888);
            pf.video.setPeerCount(5);
            pf.video.login(launch.userName);
        },
        {},
    });
}

// The handlers of the inbound catalogue that the table acts on. The three exchange
// (4), the revolution (5) and chat (19) have no handler yet: the dispatcher takes
// their token and nothing else.
void Client::registerHandlers() {
    using wire::Command;
    using Handler = protocol::Dispatcher::Handler;
    const std::pair<Command, Handler> handlers[] = {
        {Command::kDeal, [this](const wire::GamePacket& p) { roundStart.HandleDeal(p); }},
        {Command::kDeclaration,
         [this](const wire::GamePacket& p) { roundStart.HandleDeclaration(p); }},
        {Command::kWork, [this](const wire::GamePacket& p) { roundStart.HandleWork(p); }},
        {Command::kPlayedHand,
         [this](const wire::GamePacket& p) { playedHand.HandlePlayedHand(p); }},
        {Command::kTribute, [this](const wire::GamePacket& p) { tribute.HandleTribute(p); }},
        {Command::kResult, [this](const wire::GamePacket& p) { roundResult.HandleResult(p); }},
        {Command::kGameOver, [this](const wire::GamePacket& p) { departure.HandleGameOver(p); }},
        {Command::kLogin, [this](const wire::GamePacket& p) { seating.HandleLoginResult(p); }},
        {Command::kSeat, [this](const wire::GamePacket& p) { seating.HandleSeat(p); }},
        {Command::kPlayerLeft,
         [this](const wire::GamePacket& p) { departure.HandlePlayerLeft(p); }},
        {Command::kTableClosed,
         [this](const wire::GamePacket& p) { departure.HandleTableClosed(p); }},
        {Command::kReady, [this](const wire::GamePacket& p) { seating.HandleReady(p); }},
        {Command::kResume, [this](const wire::GamePacket& p) { departure.HandleResume(p); }},
    };
    for (const auto& entry : handlers) dispatcher.on(entry.first, entry.second);
}

}  // namespace app
