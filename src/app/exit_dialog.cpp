// The exit dialog frmExit: the question, the warning that fits the moment, and
// its OK (leave the table) and cancel picture buttons. Opened and closed by the
// exit button, the window frame's close image and the Escape key in the chat input.
#include "app/shell.h"

namespace app {

namespace {

constexpr int kDialogWidth = 260, kDialogHeight = 130;  // pixels

// The speech bubbles: windows tagged "speak" and a slot digit.
bool isSpeechBubble(const ui::Form& f) {
    return f.tag.size() == 6 && f.tag.compare(0, 5, "speak") == 0 && f.tag[5] >= '0' &&
           f.tag[5] <= '5';
}

}  // namespace

void Shell::createExitDialog() {
    ui::Form& f = pf_.windows.form("frmExit");
    if (f.find("Label1")) return;
    f.width = kDialogWidth * ui::kTwipsPerPixel;
    f.height = kDialogHeight * ui::kTwipsPerPixel;
    f.backColor = 0xFFC080;
    ui::Control& question = f.add("Label1", ui::ControlKind::kLabel);
    question.caption = "您真的要退出吗？";
    question.transparent = true;
    question.font.size = 12;
    question.font.bold = true;
    question.move(20, 20, 220, 24);
    ui::Control& warning = f.add("Label2", ui::ControlKind::kLabel);
    warning.caption = "游戏正在进行，逃跑会扣分！";
    warning.transparent = true;
    warning.foreColor = 0xC00000;
    warning.move(20, 52, 220, 20);
    // DialogButtonPictureIds entries 0 (OK) and 2 (cancel).
    ui::Control& ok = f.add("pbCloseMe", ui::ControlKind::kImage);
    ok.stretch = true;
    ok.move(45, 86, 65, 30);
    pictures_.showResourcePicture(ok, 170);
    ui::Control& cancel = f.add("pbCancel", ui::ControlKind::kImage);
    cancel.stretch = true;
    cancel.move(150, 86, 65, 30);
    pictures_.showResourcePicture(cancel, 172);
    f.on("pbCloseMe", ui::EventKind::kClick, [this](ui::Control*, ui::Event&) { confirmExit(); });
    f.on("pbCancel", ui::EventKind::kClick, [&f](ui::Control*, ui::Event&) { f.unload(); });
}

// The player leaves: the server hears of it while the link is up, the table is
// torn down and the hall comes back.
void Shell::confirmExit() {
    state_.InGame = false;
    if (connection_.connected()) {
        connection_.slots[net::kSlotLinkWatch].flag = false;
        connection_.slots[net::kSlotLinkWatch].counter = 0;
        leaveTable();
    }
    state_.GameResetDone = false;
    disconnectReset();
    state::handReset(state_);
    parts_.reset.displayReset();
    returnToHall();  // ends the process without a hall window
    state_.ExitConfirmed = true;
    if (ui::Control* ok = table_.find("OK", 0)) ok->picture = nullptr;
    pf_.windows.form("frmExit").unload();
}

void Shell::toggleExitDialog(bool fromExitButton) {
    createExitDialog();
    ui::Form& f = pf_.windows.form("frmExit");
    if (f.visible) {
        f.hide();
        return;
    }
    f.top = (table_.height - f.height) / 2 + table_.top;
    f.left = (table_.width - f.width) / 2 + table_.left;
    ui::Control& warning = f.at("Label2");
    if (state_.InGame && !state_.SpectatorMode) {
        warning.caption = "游戏正在进行，逃跑会扣分！";
        warning.visible = true;
    } else if (state_.GameDecided || !state_.GameBegun) {
        warning.visible = false;
    } else {
        warning.caption = fromExitButton ? "本局未结束，退出会扣分！" : "本局未结束，逃跑会扣分";
        warning.visible = true;
    }
    f.show();
    if (fromExitButton)
        for (ui::Form* w : pf_.windows.forms())
            if (isSpeechBubble(*w)) w->unload();
}

}  // namespace app
