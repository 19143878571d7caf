// The hall buttons AnNiu 0..8 — send, chat, start/continue, settings, hide,
// record, history, rules, exit — with their normal and hover pictures and the chat
// button's blink, and the avatar click that addresses the next chat line to a
// player.
#include "app/client.h"
#include "pictures/picture_tables.h"
#include "wire/chat.h"
#include "wire/departure.h"
#include "wire/gbk.h"

namespace app {

namespace {

using namespace table;
using namespace pictures;

constexpr const char* kRulesPage = "http://127.0.0.1/gameinfo/dravik/index.php";
constexpr const char* kFullWidthColon = "：";

bool blank(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

std::size_t charCount(const std::string& s) { return wire::utf8Chars(s).size(); }

// The text after the first full-width colon; the whole text when it has none.
std::string afterColon(const std::string& s) {
    std::size_t at = s.find(kFullWidthColon);
    return at == std::string::npos ? s : s.substr(at + std::string(kFullWidthColon).size());
}

}  // namespace

// Entry of HallButtonPictureIds for the item's normal picture; hover is the next.
static int normalEntry(const Client& c, int item) {
    if (item < 2) return 2 * item;
    if (item == BtnContinue) return c.state.RoundNumber < 1 && c.roundFlow.firstStart ? 4 : 6;
    return 2 * item + 2;
}

void Client::showHallButtonNormal(int item) {
    pictures.showResourcePicture(MainForm.at("AnNiu", item),
                                 pictures.hallButtonPictureId(normalEntry(*this, item)));
}

void Client::showHallButtonPictures() {
    for (int i = 0; i < kHallButtons; ++i) showHallButtonNormal(i);
}

void Client::AnNiu_MouseMove(int item) {
    if (item < 0 || item >= kHallButtons || roundFlow.hover[static_cast<std::size_t>(item)]) return;
    roundFlow.hover[static_cast<std::size_t>(item)] = true;
    pictures.showResourcePicture(MainForm.at("AnNiu", item),
                                 pictures.hallButtonPictureId(normalEntry(*this, item) + 1));
}

void Client::clearHallButtonHover() {
    for (int i = 0; i < kHallButtons; ++i) {
        if (!roundFlow.hover[static_cast<std::size_t>(i)]) continue;
        roundFlow.hover[static_cast<std::size_t>(i)] = false;
        showHallButtonNormal(i);
    }
}

void Client::setHallButtonPressed(int item) {
    if (item >= 0 && item < kHallButtons) roundFlow.pressed[static_cast<std::size_t>(item)] = true;
}

void Client::clearHallButtonPressed(int item) {
    if (item >= 0 && item < kHallButtons) roundFlow.pressed[static_cast<std::size_t>(item)] = false;
}

void Client::showSettings() { soundSettings.VosSet.show(); }

void Client::clearFirstStart() { roundFlow.firstStart = false; }

// The continue countdown ran out: the button shows 继续 and counts as pressed.
void Client::showContinuePressed() {
    pictures.showResourcePicture(MainForm.at("AnNiu", BtnContinue),
                                 pictures.hallButtonPictureId(6));
    setHallButtonPressed(BtnContinue);
}

void Client::startChatBlink() {
    roundFlow.blinkCount = 8;
    connection.slots[net::SlotBlink].flag = true;
    connection.slots[net::SlotBlink].counter = 0;
}

// Every eighth pump tick (400 ms) while the blink runs.
void Client::blinkStep() {
    net::TickSlot& slot = connection.slots[net::SlotBlink];
    if (!slot.flag || slot.counter < 8) return;
    ui::Control& chat = MainForm.at("AnNiu", BtnChat);
    if (roundFlow.blinkCount < 1) {
        pictures.showResourcePicture(chat, pictures.hallButtonPictureId(2));
        slot.flag = false;
        return;
    }
    pictures.showResourcePicture(chat,
                                 pictures.hallButtonPictureId(roundFlow.blinkCount % 2 ? 2 : 3));
    --roundFlow.blinkCount;
}

void Client::centreOnTable(ui::Form& f) {
    f.left = MainForm.left + (MainForm.width - f.width) / 2;
    f.top = MainForm.top + (MainForm.height - f.height) / 2;
}

void Client::AnNiu_Click(int item) {
    auto hideForms = [this](std::initializer_list<const char*> names) {
        for (const char* name : names)
            if (ui::Form* f = pf.windows.find(name)) f->hide();
    };
    constexpr int tw = ui::kTwipsPerPixel;
    switch (item) {
        case BtnSend:
            chat.sendFromButton();
            return;
        case BtnChat:
            chat.toggleTalk();
            return;
        case BtnContinue: {
            if (state.TableBroken) {
                // The table is over: hand it back to the hall. The hall link stays open
                // so the hall can bring this client to a table again.
                state.GameResetDone = false;
                displayReset();
                seatRecordReset();
                roundFlow.firstStart = true;
                if (!hall.find()) pf.shell.end(0);
                MainForm.windowState = ui::WindowState::Minimized;
                hall.restore();
                return;
            }
            hideForms({"Hero", "Score"});
            roundFlow.firstStart = false;
            if (!roundFlow.pressed[BtnContinue]) {
                showContinuePressed();
                ui::Control& ok = MainForm.at("OK", 0);
                ok.visible = true;
                MainForm.bringToFront(ok);
                // During a game a ready request means nothing; nothing is queued then.
                continueToNextRound(true);
            }
            if (state.ExitConfirmed && hall.find()) {
                MainForm.windowState = ui::WindowState::Minimized;
                hall.restore();
                hideForms({"Score", "Talk", "Hero", "VosSet"});
            }
            return;
        }
        case BtnSettings: {
            ui::Form& vos = pf.windows.form("VosSet");
            if (vos.visible) {
                vos.hide();
                return;
            }
            const bool small = state.Scale.x < 1.0;
            vos.top = static_cast<int>(MainForm.top + Pic1.top * tw + Pic1.height * tw -
                                       (small ? 1.259 : 1.35) * vos.height);
            vos.left = static_cast<int>(MainForm.left + Pic1.left * tw + Pic1.width * tw -
                                        (small ? 1.39 : 1.38) * vos.width);
            showSettings();
            return;
        }
        case BtnHide:
            MainForm.windowState = ui::WindowState::Minimized;
            hideForms({"huifu", "Hero", "Score", "Talk", "VosSet"});
            return;
        case BtnRecord: {
            ui::Form& score = pf.windows.form("Score");
            if (score.visible) {
                score.hide();
                return;
            }
            LoadRoundRecord(static_cast<std::int16_t>(state.RoundNumber));
            score.load();
            centreOnTable(score);
            score.show();
            return;
        }
        case BtnHistory: {
            ui::Form& hero = pf.windows.form("Hero");
            if (hero.visible) {
                hero.hide();
                return;
            }
            hero.load();
            centreOnTable(hero);
            hero.show();
            return;
        }
        case BtnRules:
            pf.shell.openDocument(kRulesPage);
            return;
        case BtnExit:
            toggleExitDialog(true);
            return;
        default:
            return;
    }
}

void Client::Tou_Click(int slot) {
    if (slot < 0 || slot > 5) return;
    const auto& rec = state.PlayerRecord[static_cast<std::size_t>(slot)];
    roundFlow.selectedSeat = rec.seatBit;
    if (slot == 0) return;
    const std::string& nickname = state.PlayerInfo[static_cast<std::size_t>(slot)].nickname;
    if (state.PrivateChatArmed ? nickname.empty() : blank(nickname)) return;
    ui::Control& input = MainForm.at("Chat");
    state.PrivateChatTarget = rec.seatBit;
    state.PrivateChatPrefix = "你对" + nickname + "说 ：";
    const std::string typed = state.PrivateChatArmed ? afterColon(input.caption) : input.caption;
    input.caption = state.PrivateChatPrefix + typed;
    state.PrivateChatArmed = true;
    input.selStart = static_cast<int>(charCount(input.caption));
    input.selLength = 0;
    MainForm.setFocus(&input);
}

// The continue countdown after a round (pump slot 7).
void Client::startContinueCountdown() {
    connection.slots[net::SlotContinue].flag = true;
    state.CountdownSeconds = 15;
    ui::Control& number = MainForm.at("Number");
    number.caption = "15";
    number.foreColor = 0x00C000;
    number.visible = true;
}

void Client::continueCountdownStep() {
    if (!connection.slots[net::SlotContinue].flag || !state.LoginAccepted) return;
    // One step a second on the monotonic clock, so nothing stalls at midnight.
    std::int64_t now = pf.loop.nowMs();
    if (now - lastContinueStepMs < 1000) return;
    lastContinueStepMs = now;
    ui::Control& number = MainForm.at("Number");
    if (state.CountdownSeconds > 0) {
        --state.CountdownSeconds;
        number.caption = std::to_string(state.CountdownSeconds);
        number.foreColor = state.CountdownSeconds > 5 ? 0x00C000 : 0xE00000;
        return;
    }
    continueToNextRound(false);
    if (ui::Form* exitDialog = pf.windows.find("frmExit")) exitDialog->hide();
}

// The continue sequence of the button and of the countdown's end: the countdown
// stops, the table is reset once for the coming round, and the server hears that
// the player is ready (the button sends nothing during a game).
void Client::continueToNextRound(bool onlyOutsideGame) {
    connection.slots[net::SlotContinue].flag = false;
    MainForm.at("Time_Img").visible = false;
    MainForm.at("Number").visible = false;
    if (!state.GameResetDone) {
        showContinuePressed();
        displayReset();
        seatRecordReset();
        state.GameResetDone = true;
    }
    if (onlyOutsideGame && state.InGame) return;
    wire::GamePacket ready =
        wire::LeaveOrContinue{state.PlayerRecord[0].seatBit, wire::GameOverCase::kContinue}
            .encode();
    connection.QueuePacket(ready);
}

}  // namespace app
