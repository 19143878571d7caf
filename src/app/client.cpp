#include "app/client.h"

#include "state/table_state.h"

namespace app {

Client::Client(platform::Platform platform, const pictures::ResourceStore& resources)
    : pf(platform),
      MainForm(pf.windows.form("MainForm")),
      hall(pf.hall),
      pictures(resources, pf.pictures, MainForm, hall),
      Pic1(MainForm.add("Pic1", ui::ControlKind::PictureBox)),
      connection(pf, state, MainForm, hall) {
    MainForm.caption = kDefaultTableCaption;
    createControls();
    createScoreWindows();
    connection.setHooks({
        [this](wire::GamePacket& p) { dispatcher.DispatchPacket(p); },
        [this] { returnToHall(); },
        [this] { blinkStep(); },
        [this](bool connected) {
            if (connected) turnCountdowns();
            independentCountdown();
            continueCountdownStep();
        },
        [this] { returnToHallAfterLostLink(); },
    });
    registerHandlers();
    video.stopSound = [this] { sound.StopSound(); };
    MainForm.onForm(ui::EventKind::Load,
                    [this](ui::Control*, ui::Event&) { startUp(commandLine_); });
    MainForm.onForm(ui::EventKind::Unload, [this](ui::Control*, ui::Event&) { onTableUnload(); });
}

// The controls of the table window's design that the start-up and the transport
// touch; the table layout places them and adds the seats' controls.
void Client::createControls() {
    using ui::ControlKind;
    MainForm.backColor = 0x0B3D1E;
    Pic1.backColor = 0x0B3D1E;
    Pic1.picture = pictures.design("Pic1");
    ui::Control& pic2 = MainForm.add("Pic2", ControlKind::PictureBox);
    pic2.visible = false;
    pic2.picture = pictures.design("Pic2");
    for (const char* name : {"imgDinglan", "imgDilan", "ImageML", "ImageMR"})
        MainForm.add(name, ControlKind::Image, -1, &Pic1).setPicture(pictures.design(name));
    MainForm.at("ImageML").stretch = true;
    MainForm.at("ImageMR").stretch = true;
    ui::Control& location = MainForm.add("Location", ControlKind::Label, -1, &Pic1);
    location.transparent = true;
    location.foreColor = 0xF2D27A;
    location.font.size = 12;
    location.move(20, 8, 300, 24);
    for (int i = 0; i < 2; ++i) {
        ui::Control& sys = MainForm.add("Sysmsg", ControlKind::ListBox, i, &Pic1);
        sys.move(312, 696 + 13 * i, 281, 13);
        sys.backColor = 0x08301A;
        sys.foreColor = 0xE8E0C0;
        sys.font.size = 9;
    }
    ui::Control& chat = MainForm.add("Chat", ControlKind::TextBox, -1, &Pic1);
    chat.move(312, 732, 250, 33);
    chat.font.size = 14;
    ui::Control& number = MainForm.add("Number", ControlKind::Label, -1, &Pic1);
    number.transparent = true;
    number.visible = false;
    number.font.size = 14;
    number.font.bold = true;
    number.alignment = ui::Align::Center;
    ui::Control& timeImg = MainForm.add("Time_Img", ControlKind::Image, -1, &Pic1);
    timeImg.setPicture(pictures.design("Time_Img"));
    timeImg.visible = false;
    // Item 0 of each seat's card pictures is part of the design.
    for (int slot = 0; slot < 6; ++slot) {
        ui::Control& card =
            MainForm.add("cardImage" + std::to_string(slot), ControlKind::Image, 0, &Pic1);
        card.width = slot == 0 ? 90 : 80;
        card.height = slot == 0 ? 120 : 108;
        card.visible = false;
    }
    for (const char* name : {"LabJS", "LabHS"}) {
        ui::Control& l = MainForm.add(name, ControlKind::Label, -1, &Pic1);
        l.transparent = true;
        l.foreColor = 0xF2D27A;
    }
}

void Client::start(const std::string& commandLine) {
    commandLine_ = commandLine;
    MainForm.show();
}

void Client::returnToHall() {
    if (!hall.find()) pf.shell.end(0);
    MainForm.windowState = ui::WindowState::Minimized;
    hall.restore();
    for (const char* name : {"Talk", "Score", "Hero", "VosSet"})
        if (ui::Form* f = pf.windows.find(name)) f->hide();
}

// The table is torn down as by leaving it, without a leave packet: the link is gone.
void Client::returnToHallAfterLostLink() {
    returnToHall();  // ends the process without a hall window
    state.GameResetDone = false;
    disconnectReset();
    state::handReset(state);
    displayReset();
}

// The handlers of the inbound catalogue that the table acts on. The three exchange
// (4), the revolution (5) and chat (19) have no handler yet: the dispatcher takes
// their token and nothing else.
void Client::registerHandlers() {
    using wire::Command;
    using Handle = void (Client::*)(const wire::GamePacket&);
    const std::pair<Command, Handle> handlers[] = {
        {Command::kDeal, &Client::HandleDeal},
        {Command::kDeclaration, &Client::HandleDeclaration},
        {Command::kWork, &Client::HandleWork},
        {Command::kPlayedHand, &Client::HandlePlayedHand},
        {Command::kTribute, &Client::HandleTribute},
        {Command::kResult, &Client::HandleResult},
        {Command::kGameOver, &Client::HandleGameOver},
        {Command::kLogin, &Client::HandleLoginResult},
        {Command::kSeat, &Client::HandleSeat},
        {Command::kPlayerLeft, &Client::HandlePlayerLeft},
        {Command::kTableClosed, &Client::HandleTableClosed},
        {Command::kReady, &Client::HandleReady},
        {Command::kResume, &Client::HandleResume},
    };
    for (const auto& entry : handlers) {
        const Handle handle = entry.second;
        dispatcher.on(entry.first,
                      [this, handle](const wire::GamePacket& p) { (this->*handle)(p); });
    }
}

}  // namespace app
