#include "sound/settings_window.h"

namespace sound {

namespace {

// Entries of `DialogButtonPictureIds` the window shows.
enum Entry { kOkNormal = 0, kCancelNormal = 2, kTurnOff = 4, kTurnOn = 5, kBlue = 6, kGreen = 7 };

// The window design paints the row labels at (22, 60 + 29 k), 84 x 26: stacked 3
// pixels apart. Each switch sits 20 pixels to the right of its label.
constexpr int kLabelLeft = 22, kLabelTop = 60, kLabelWidth = 84, kLabelHeight = 26;
constexpr int kRowGap = 3, kSwitchGap = 20, kSwitchWidth = 64, kSwitchHeight = 26;
constexpr int kButtonWidth = 65, kButtonHeight = 30, kOkLeft = 28, kButtonTop = 264;

}  // namespace

SettingsWindow::SettingsWindow(ui::WindowSystem& windows, Sound& sound,
                               const state::TableState& state, pictures::Pictures& pictures)
    : VosSet(windows.form("VosSet")), sound_(sound), state_(state), pictures_(pictures) {
    createControls();
    VosSet.onForm(ui::EventKind::kLoad, [this](ui::Control*, ui::Event&) { onLoad(); });
    VosSet.on("Command2", ui::EventKind::kClick,
              [this](ui::Control* c, ui::Event&) { clickRow(c->index); });
    VosSet.on("Command1", ui::EventKind::kClick, [this](ui::Control* c, ui::Event&) {
        if (c->index == 0)
            ok();
        else
            cancel();
    });
}

void SettingsWindow::createControls() {
    // Its caption band is part of the design, so the window has no frame of its own.
    VosSet.caption = "音效设置";
    VosSet.framed = false;
    VosSet.width = 220 * ui::kTwipsPerPixel;
    VosSet.height = 330 * ui::kTwipsPerPixel;
    VosSet.backColor = 0x3A200E;
    for (int row = 0; row < kRows; ++row) {
        ui::Control& sw = VosSet.add("Command2", ui::ControlKind::kImage, row);
        sw.stretch = true;
        sw.move(kLabelLeft + kLabelWidth + kSwitchGap, kLabelTop + row * (kLabelHeight + kRowGap),
                kSwitchWidth, kSwitchHeight);
    }
    for (int i = 0; i < 2; ++i) {
        ui::Control& button = VosSet.add("Command1", ui::ControlKind::kImage, i);
        button.stretch = true;
        button.move(kOkLeft + i * 1.4 * kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight);
    }
}

void SettingsWindow::show(ui::Control& c, int entry) {
    pictures_.showTablePicture(c, pictures_.ids.DialogButtonPictureIds[entry]);
}

void SettingsWindow::showSwitch(int row, bool on) {
    show(VosSet.at("Command2", row), on ? kTurnOff : kTurnOn);
}

void SettingsWindow::onLoad() {
    pending.fill(false);
    if (!VosSet.picture) VosSet.picture = pictures_.design("VosSet");
    show(VosSet.at("Command1", 0), kOkNormal);
    show(VosSet.at("Command1", 1), kCancelNormal);
    // Each switch shows what a click would do with it now. (A window first opened
    // after a failed sound output shows 开启 on 功能声音, since that switch is off.)
    showSwitch(kMusicRow, sound_.MusicOn);
    showSwitch(kSoundRow, sound_.SoundOn);
    showSwitch(kFunctionSoundRow, sound_.FunctionSoundOn);
    show(VosSet.at("Command2", kTableColourRow),
         state_.PlayerInfo[0].textB == "00" ? kBlue : kGreen);
}

void SettingsWindow::clickRow(int row) {
    if (row < 0 || row >= kRows) return;
    pending[row] = !pending[row];
    flipRow(row);
}

void SettingsWindow::flipRow(int row) {
    switch (row) {
        case kMusicRow:
            sound_.flipMusic();
            showSwitch(row, sound_.MusicOn);
            break;
        case kSoundRow:
            sound_.flipSoundOn();
            showSwitch(row, sound_.SoundOn);
            break;
        case kFunctionSoundRow:
            sound_.flipFunctionSoundOn();
            showSwitch(row, sound_.FunctionSoundOn);
            break;
        default:
            break;  // the table colour only marks the row
    }
}

void SettingsWindow::ok() {
    VosSet.hide();
    pending.fill(false);
}

void SettingsWindow::cancel() {
    VosSet.hide();
    for (int row = kMusicRow; row <= kFunctionSoundRow; ++row)
        if (pending[row]) flipRow(row);
    pending.fill(false);
}

}  // namespace sound
