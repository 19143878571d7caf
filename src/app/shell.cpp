#include "app/shell.h"

namespace app {

Shell::Shell(platform::Platform& pf, state::TableState& state, ui::Form& tableWindow,
             ui::Control& surface, platform::HallWindow& hall, pictures::Pictures& pictures,
             sound::Sound& sound, net::Connection& connection, record::Recorder& recorder,
             Parts parts)
    : pf_(pf),
      state_(state),
      table_(tableWindow),
      Pic1(surface),
      hall_(hall),
      pictures_(pictures),
      sound_(sound),
      connection_(connection),
      recorder_(recorder),
      parts_(parts) {}

void Shell::createControls() {
    using ui::ControlKind;
    table_.backColor = 0x0B3D1E;
    Pic1.backColor = 0x0B3D1E;
    Pic1.picture = pictures_.design("Pic1");
    ui::Control& pic2 = table_.add("Pic2", ControlKind::kPictureBox);
    pic2.visible = false;
    pic2.picture = pictures_.design("Pic2");
    for (const char* name : {"imgDinglan", "imgDilan", "ImageML", "ImageMR"})
        table_.add(name, ControlKind::kImage, -1, &Pic1).setPicture(pictures_.design(name));
    table_.at("ImageML").stretch = true;
    table_.at("ImageMR").stretch = true;
    ui::Control& location = table_.add("Location", ControlKind::kLabel, -1, &Pic1);
    location.transparent = true;
    location.foreColor = 0xF2D27A;
    location.font.size = 12;
    location.move(20, 8, 300, 24);
    for (int i = 0; i < 2; ++i) {
        ui::Control& sys = table_.add("Sysmsg", ControlKind::kListBox, i, &Pic1);
        sys.move(312, 696 + 13 * i, 281, 13);
        sys.backColor = 0x08301A;
        sys.foreColor = 0xE8E0C0;
        sys.font.size = 9;
    }
    ui::Control& chat = table_.add("Chat", ControlKind::kTextBox, -1, &Pic1);
    chat.move(312, 732, 250, 33);
    chat.font.size = 14;
    ui::Control& number = table_.add("Number", ControlKind::kLabel, -1, &Pic1);
    number.transparent = true;
    number.visible = false;
    number.font.size = 14;
    number.font.bold = true;
    number.alignment = ui::Align::kCenter;
    ui::Control& timeImg = table_.add("Time_Img", ControlKind::kImage, -1, &Pic1);
    timeImg.setPicture(pictures_.design("Time_Img"));
    timeImg.visible = false;
    // Item 0 of each seat's card pictures is part of the design.
    for (int slot = 0; slot < 6; ++slot) {
        ui::Control& card =
            table_.add("cardImage" + std::to_string(slot), ControlKind::kImage, 0, &Pic1);
        card.width = slot == 0 ? 90 : 80;
        card.height = slot == 0 ? 120 : 108;
        card.visible = false;
    }
    for (const char* name : {"LabJS", "LabHS"}) {
        ui::Control& l = table_.add(name, ControlKind::kLabel, -1, &Pic1);
        l.transparent = true;
        l.foreColor = 0xF2D27A;
    }
}

void Shell::returnToHall() {
    recorder_.end();
    if (!hall_.find()) pf_.shell.end(0);
    table_.windowState = ui::WindowState::kMinimized;
    hall_.restore();
    for (const char* name : {"Talk", "Score", "Hero", "VosSet"})
        if (ui::Form* f = pf_.windows.find(name)) f->hide();
}

// The table is torn down as by leaving it, without a leave packet: the link is gone.
void Shell::returnToHallAfterLostLink() {
    returnToHall();  // ends the process without a hall window
    state_.GameResetDone = false;
    disconnectReset();
    state::handReset(state_);
    parts_.reset.displayReset();
}

}  // namespace app
