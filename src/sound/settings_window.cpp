#include "sound/settings_window.h"

namespace sound {

namespace {

// Entries of `DialogButtonPictureIds` the window shows, and their picture ids
// (entry i is picture 170 + i).
enum Entry { OkNormal = 0, CancelNormal = 2, TurnOff = 4, TurnOn = 5, Blue = 6, Green = 7 };
constexpr int pictureId(int entry) { return 170 + entry; }

constexpr const char* kRowCaptions[SettingsWindow::kRows] = {"背景音乐", "系统声音", "功能声音",
                                                             "牌桌颜色"};
constexpr int kLabelLeft = 24, kLabelTop = 36, kLabelWidth = 92, kLabelHeight = 40;
constexpr int kRowGap = 3, kSwitchGap = 20, kSwitchWidth = 64, kSwitchHeight = 26;
constexpr int kButtonWidth = 65, kButtonHeight = 30, kOkLeft = 28, kButtonTop = 264;

}  // namespace

SettingsWindow::SettingsWindow(ui::WindowSystem& windows, Sound& sound,
                               const protocol::TableState& state, PictureLoader pictures)
    : VosSet(windows.form("VosSet")), sound_(sound), state_(state), pictures_(std::move(pictures)) {
    createControls();
    VosSet.onForm(ui::EventKind::Load, [this](ui::Control*, ui::Event&) { onLoad(); });
    VosSet.on("Command2", ui::EventKind::Click,
              [this](ui::Control* c, ui::Event&) { clickRow(c->index); });
    VosSet.on("Command1", ui::EventKind::Click, [this](ui::Control* c, ui::Event&) {
        if (c->index == 0)
            ok();
        else
            cancel();
    });
}

void SettingsWindow::createControls() {
    VosSet.caption = "音效设置";
    VosSet.framed = true;
    VosSet.width = 220 * ui::kTwipsPerPixel;
    VosSet.height = 330 * ui::kTwipsPerPixel;
    VosSet.backColor = 0x0B3D1E;
    for (int row = 0; row < kRows; ++row) {
        int top = kLabelTop + row * (kLabelHeight + kRowGap);
        ui::Control& label = VosSet.add("RowLabel", ui::ControlKind::Label, row);
        label.move(kLabelLeft, top, kLabelWidth, kLabelHeight);
        label.caption = kRowCaptions[row];
        label.transparent = true;
        label.foreColor = 0xF2D27A;
        label.font.size = 12;
        label.alignment = ui::Align::Center;
        ui::Control& sw = VosSet.add("Command2", ui::ControlKind::Image, row);
        sw.move(kLabelLeft + kLabelWidth + kSwitchGap, top + (kLabelHeight - kSwitchHeight) / 2,
                kSwitchWidth, kSwitchHeight);
    }
    for (int i = 0; i < 2; ++i) {
        ui::Control& button = VosSet.add("Command1", ui::ControlKind::Image, i);
        button.stretch = true;
        button.move(kOkLeft + i * 1.4 * kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight);
    }
}

void SettingsWindow::show(ui::Control& c, int entry) {
    if (!pictures_) return;
    ui::PicturePtr p = pictures_(pictureId(entry));
    // A picture that cannot be loaded leaves the control as it was.
    if (p && (!c.picture || c.picture->key != p->key)) c.setPicture(p);
}

void SettingsWindow::showSwitch(int row, bool on) {
    show(VosSet.at("Command2", row), on ? TurnOff : TurnOn);
}

void SettingsWindow::onLoad() {
    pending.fill(false);
    show(VosSet.at("Command1", 0), OkNormal);
    show(VosSet.at("Command1", 1), CancelNormal);
    // Each switch shows what a click would do with it now. (A window first opened
    // after a failed sound output shows 开启 on 功能声音, since that switch is off.)
    showSwitch(MusicRow, sound_.MusicOn);
    showSwitch(SoundRow, sound_.SoundOn);
    showSwitch(FunctionSoundRow, sound_.FunctionSoundOn);
    show(VosSet.at("Command2", TableColourRow), state_.PlayerInfo[0].textB == "00" ? Blue : Green);
}

void SettingsWindow::clickRow(int row) {
    if (row < 0 || row >= kRows) return;
    pending[row] = !pending[row];
    flipRow(row);
}

void SettingsWindow::flipRow(int row) {
    switch (row) {
        case MusicRow:
            sound_.flipMusic();
            showSwitch(row, sound_.MusicOn);
            break;
        case SoundRow:
            sound_.flipSoundOn();
            showSwitch(row, sound_.SoundOn);
            break;
        case FunctionSoundRow:
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
    for (int row = MusicRow; row <= FunctionSoundRow; ++row)
        if (pending[row]) flipRow(row);
    pending.fill(false);
}

}  // namespace sound
