// The hall buttons AnNiu 0..8 — send, chat, start/continue, settings, hide,
// record, history, rules, exit — with their normal and hover pictures and the chat
// button's blink, and the avatar click that addresses the next chat line to a
// player.
#include "table/hall_buttons.h"

#include "pictures/picture_tables.h"
#include "wire/chat.h"
#include "wire/departure.h"
#include "wire/gbk.h"

namespace table {

namespace {

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

HallButtons::HallButtons(state::TableState& state, platform::Platform& pf, ui::Form& tableWindow,
                         ui::Control& surface, platform::HallWindow& hall,
                         pictures::Pictures& pictures, net::Connection& connection,
                         CountdownView& countdown, DisplayReset& reset, ScoreWindows& scores,
                         sound::SettingsWindow& soundSettings)
    : state_(state),
      pf_(pf),
      table_(tableWindow),
      Pic1(surface),
      hall_(hall),
      pictures_(pictures),
      connection_(connection),
      countdown_(countdown),
      reset_(reset),
      scores_(scores),
      soundSettings_(soundSettings) {}

void HallButtons::wireEvents() {
    table_.on("AnNiu", ui::EventKind::kClick,
              [this](ui::Control* c, ui::Event&) { AnNiu_Click(c->index); });
    table_.on("AnNiu", ui::EventKind::kMouseMove,
              [this](ui::Control* c, ui::Event&) { AnNiu_MouseMove(c->index); });
    table_.on("Tou", ui::EventKind::kClick,
              [this](ui::Control* c, ui::Event&) { Tou_Click(c->index); });
}

// Entry of HallButtonPictureIds for the item's normal picture; hover is the next.
int HallButtons::normalEntry(int item) const {
    if (item < 2) return 2 * item;
    if (item == kBtnContinue) return state_.RoundNumber < 1 && flow_.firstStart ? 4 : 6;
    return 2 * item + 2;
}

void HallButtons::showHallButtonNormal(int item) {
    pictures_.showResourcePicture(table_.at("AnNiu", item),
                                  pictures_.hallButtonPictureId(normalEntry(item)));
}

void HallButtons::showHallButtonPictures() {
    for (int i = 0; i < kHallButtons; ++i) showHallButtonNormal(i);
}

void HallButtons::AnNiu_MouseMove(int item) {
    if (item < 0 || item >= kHallButtons || flow_.hover[static_cast<std::size_t>(item)]) return;
    flow_.hover[static_cast<std::size_t>(item)] = true;
    pictures_.showResourcePicture(table_.at("AnNiu", item),
                                  pictures_.hallButtonPictureId(normalEntry(item) + 1));
}

void HallButtons::clearHallButtonHover() {
    for (int i = 0; i < kHallButtons; ++i) {
        if (!flow_.hover[static_cast<std::size_t>(i)]) continue;
        flow_.hover[static_cast<std::size_t>(i)] = false;
        showHallButtonNormal(i);
    }
}

void HallButtons::setHallButtonPressed(int item) {
    if (item >= 0 && item < kHallButtons) flow_.pressed[static_cast<std::size_t>(item)] = true;
}

void HallButtons::clearHallButtonPressed(int item) {
    if (item >= 0 && item < kHallButtons) flow_.pressed[static_cast<std::size_t>(item)] = false;
}

void HallButtons::rearmStart() {
    clearHallButtonPressed(kBtnContinue);
    flow_.firstStart = true;
    pictures_.showResourcePicture(table_.at("AnNiu", kBtnContinue),
                                  pictures_.hallButtonPictureId(4));
    countdown_.hide();
}

// The continue countdown ran out: the button shows 继续 and counts as pressed.
void HallButtons::showContinuePressed() {
    pictures_.showResourcePicture(table_.at("AnNiu", kBtnContinue),
                                  pictures_.hallButtonPictureId(6));
    setHallButtonPressed(kBtnContinue);
}

void HallButtons::startChatBlink() {
    flow_.blinkCount = 8;
    connection_.slots[net::kSlotBlink].flag = true;
    connection_.slots[net::kSlotBlink].counter = 0;
}

// Every eighth pump tick (400 ms) while the blink runs.
void HallButtons::blinkStep() {
    net::TickSlot& slot = connection_.slots[net::kSlotBlink];
    if (!slot.flag || slot.counter < 8) return;
    ui::Control& chat = table_.at("AnNiu", kBtnChat);
    if (flow_.blinkCount < 1) {
        pictures_.showResourcePicture(chat, pictures_.hallButtonPictureId(2));
        slot.flag = false;
        return;
    }
    pictures_.showResourcePicture(chat,
                                  pictures_.hallButtonPictureId(flow_.blinkCount % 2 ? 2 : 3));
    --flow_.blinkCount;
}

void HallButtons::AnNiu_Click(int item) {
    auto hideForms = [this](std::initializer_list<const char*> names) {
        for (const char* name : names)
            if (ui::Form* f = pf_.windows.find(name)) f->hide();
    };
    constexpr int tw = ui::kTwipsPerPixel;
    switch (item) {
        case kBtnSend:
            if (sendChatLine) sendChatLine();
            return;
        case kBtnChat:
            if (toggleTalk) toggleTalk();
            return;
        case kBtnContinue: {
            if (state_.TableBroken) {
                // The table is over: hand it back to the hall. The hall link stays open
                // so the hall can bring this client to a table again.
                state_.GameResetDone = false;
                reset_.displayReset();
                reset_.seatRecordReset();
                flow_.firstStart = true;
                if (!hall_.find()) pf_.shell.end(0);
                table_.windowState = ui::WindowState::kMinimized;
                hall_.restore();
                return;
            }
            hideForms({"Hero", "Score"});
            flow_.firstStart = false;
            if (!flow_.pressed[kBtnContinue]) {
                showContinuePressed();
                ui::Control& ok = table_.at("OK", 0);
                ok.visible = true;
                table_.bringToFront(ok);
                // During a game a ready request means nothing; nothing is queued then.
                continueToNextRound(true);
            }
            if (state_.ExitConfirmed && hall_.find()) {
                table_.windowState = ui::WindowState::kMinimized;
                hall_.restore();
                hideForms({"Score", "Talk", "Hero", "VosSet"});
            }
            return;
        }
        case kBtnSettings: {
            ui::Form& vos = pf_.windows.form("VosSet");
            if (vos.visible) {
                vos.hide();
                return;
            }
            const bool small = state_.Scale.x < 1.0;
            vos.top = static_cast<int>(table_.top + Pic1.top * tw + Pic1.height * tw -
                                       (small ? 1.259 : 1.35) * vos.height);
            vos.left = static_cast<int>(table_.left + Pic1.left * tw + Pic1.width * tw -
                                        (small ? 1.39 : 1.38) * vos.width);
            soundSettings_.VosSet.show();
            return;
        }
        case kBtnHide:
            table_.windowState = ui::WindowState::kMinimized;
            hideForms({"huifu", "Hero", "Score", "Talk", "VosSet"});
            return;
        case kBtnRecord: {
            ui::Form& score = pf_.windows.form("Score");
            if (score.visible) {
                score.hide();
                return;
            }
            scores_.LoadRoundRecord(static_cast<std::int16_t>(state_.RoundNumber));
            score.load();
            scores_.centreOnTable(score);
            score.show();
            return;
        }
        case kBtnHistory: {
            ui::Form& hero = pf_.windows.form("Hero");
            if (hero.visible) {
                hero.hide();
                return;
            }
            hero.load();
            scores_.centreOnTable(hero);
            hero.show();
            return;
        }
        case kBtnRules:
            pf_.shell.openDocument(kRulesPage);
            return;
        case kBtnExit:
            if (toggleExitDialog) toggleExitDialog(true);
            return;
        default:
            return;
    }
}

void HallButtons::Tou_Click(int slot) {
    if (slot < 0 || slot > 5) return;
    const auto& rec = state_.PlayerRecord[static_cast<std::size_t>(slot)];
    flow_.selectedSeat = rec.seatBit;
    if (slot == 0) return;
    const std::string& nickname = state_.PlayerInfo[static_cast<std::size_t>(slot)].nickname;
    if (state_.PrivateChatArmed ? nickname.empty() : blank(nickname)) return;
    ui::Control& input = table_.at("Chat");
    state_.PrivateChatTarget = rec.seatBit;
    state_.PrivateChatPrefix = "你对" + nickname + "说 ：";
    const std::string typed = state_.PrivateChatArmed ? afterColon(input.caption) : input.caption;
    input.caption = state_.PrivateChatPrefix + typed;
    state_.PrivateChatArmed = true;
    input.selStart = static_cast<int>(charCount(input.caption));
    input.selLength = 0;
    table_.setFocus(&input);
}

// The continue countdown after a round (pump slot 7).
void HallButtons::startContinueCountdown() {
    connection_.slots[net::kSlotContinue].flag = true;
    countdown_.startContinue();
}

void HallButtons::continueCountdownStep() {
    if (!connection_.slots[net::kSlotContinue].flag || !state_.LoginAccepted) return;
    // One step a second on the monotonic clock, so nothing stalls at midnight.
    std::int64_t now = pf_.loop.nowMs();
    if (now - lastContinueStepMs_ < 1000) return;
    lastContinueStepMs_ = now;
    if (state_.CountdownSeconds > 0) {
        countdown_.continueTick();
        return;
    }
    continueToNextRound(false);
    if (ui::Form* exitDialog = pf_.windows.find("frmExit")) exitDialog->hide();
}

// The continue sequence of the button and of the countdown's end: the countdown
// stops, the table is reset once for the coming round, and the server hears that
// the player is ready (the button sends nothing during a game).
void HallButtons::continueToNextRound(bool onlyOutsideGame) {
    connection_.slots[net::kSlotContinue].flag = false;
    countdown_.hide();
    if (!state_.GameResetDone) {
        showContinuePressed();
        reset_.displayReset();
        reset_.seatRecordReset();
        state_.GameResetDone = true;
    }
    if (onlyOutsideGame && state_.InGame) return;
    wire::GamePacket ready =
        wire::LeaveOrContinue{state_.PlayerRecord[0].seatBit, wire::GameOverCase::kContinue}
            .encode();
    connection_.QueuePacket(ready);
}

}  // namespace table
