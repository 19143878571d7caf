// Login and seating: the login result (18), the seat packet (20) and the ready
// notice (23) take the client from a fresh connection to a full table.
#include "protocol/seating.h"

#include "protocol/operator.h"
#include "protocol/profile.h"
#include "wire/gbk.h"
#include "wire/packet_fields.h"

namespace protocol {

namespace {

using ui::ControlKind;

void setLines(ui::Control& list, std::initializer_list<std::string> lines) {
    list.items.assign(lines.begin(), lines.end());
    list.topIndex = 0;
    list.listIndex = -1;
}

// The ready mark's colour by the player's gold.
int goldTier(double gold) {
    if (gold < 20000) return 0;
    if (gold < 60000) return 1;
    return 2;
}

int digitValue(const std::string& ch) {
    return ch.size() == 1 && ch[0] >= '0' && ch[0] <= '9' ? ch[0] - '0' : 0;
}

}  // namespace

Seating::Seating(state::TableState& state, platform::Platform& pf, ui::Form& tableWindow,
                 ui::Control& surface, platform::HallWindow& hall, pictures::Pictures& pictures,
                 net::Connection& connection, table::HallButtons& hallButtons,
                 table::DisplayReset& reset)
    : state_(state),
      pf_(pf),
      table_(tableWindow),
      Pic1(surface),
      hall_(hall),
      pictures_(pictures),
      connection_(connection),
      hallButtons_(hallButtons),
      reset_(reset) {}

ui::Control& Seating::onTable(const char* name, ui::ControlKind kind, int index) {
    return table_.add(name, kind, index, &Pic1);
}

void Seating::HandleLoginResult(const wire::LoginResult& r) {
    connection_.startKeepAlive();
    state_.LoginSent = false;
    ui::Control& sys0 = onTable("Sysmsg", ControlKind::kListBox, 0);
    ui::Control& sys1 = onTable("Sysmsg", ControlKind::kListBox, 1);
    if (r.result != wire::LoginOutcome::kAccepted) {
        hall_.post(platform::kHallConnecting);  // message 22: the table did not start
        setLines(sys0, {r.result == wire::LoginOutcome::kStartFailed
                            ? "启动游戏失败，请重新在大厅就座后进入游戏！"
                            : "验证错误，请重新在大厅就座后进入游戏！"});
        hall_.restore();
        pf_.shell.end(0);
    }
    state_.LoginAccepted = true;
    state_.ExitConfirmed = false;
    hall_.post(platform::kHallLoggedIn);
    setLines(sys0, {std::string("欢迎进入Brenmoor，更多精彩尽在") + protocol::kOperatorSite});
    setLines(sys1, {"打完一局(3回合为一局)才能退，否则按逃跑扣分！"});
    state_.TurnSeconds = r.turnSeconds;
    state_.TimeoutLimit = r.timeoutLimit;
    if (state_.AutoPlay) state_.TurnSeconds = 1;
    state_.AdUrl = r.adUrl;
    if (!state_.AdUrl.empty() && hooks_.showAdvertisement) hooks_.showAdvertisement(state_.AdUrl);
}

int Seating::slotOf(std::uint8_t seatBit) const {
    return state::screenSlot(seatBit, state_.PlayerRecord[0].seatBit);
}

int Seating::avatarIndex(const std::string& avatarCode) {
    std::vector<std::string> ch = wire::utf8Chars(avatarCode);
    int index = -1;
    if (ch.size() == 2) index = digitValue(ch[1]) - 1;
    if (ch.size() == 3) index = 10 * digitValue(ch[1]) + digitValue(ch[2]) - 1;
    // Codes without a number of 1..10 (other lengths, "m0", letters) show the first
    // picture of their row rather than reading outside the picture table.
    if (index >= 10 || index < 0) index = 0;
    if (!ch.empty() && ch[0] == "w") index += 10;
    return index;
}

void Seating::showReadyMark(int slot) {
    ui::Control& ok = onTable("OK", ControlKind::kImage, slot);
    ok.visible = true;
    table_.bringToFront(ok);
}

void Seating::resetForNewGame() {
    reset_.displayReset();
    state::handReset(state_);
    state_.GameResetDone = true;
}

void Seating::allReadyTest() {
    if (state_.HandInGame != 0) return;
    for (int k = 1; k < state::kSeats; ++k)
        if (!onTable("OK", ControlKind::kImage, k).visible) return;
    resetForNewGame();
}

void Seating::HandleSeat(const wire::Seat& seat) {
    state_.TableBroken = false;
    const std::string& account = seat.account;
    ++state_.SeatPacketsSeen;
    state::PlayerRecordEntry& own = state_.PlayerRecord[0];
    if (own.seatBit == 0) own.seatBit = seat.ownSeat;
    const int slot = slotOf(seat.playerSeat());
    if (slot == 0)
        hallButtons_.clearHallButtonPressed(
            table::kBtnContinue);  // the continue button takes a press again

    // The same account twice at one table: tell the user and keep the table as it is.
    for (int k = 0; k < state::kSeats; ++k) {
        if (state_.PlayerRecord[k].seatId == account &&
            !onTable("Nid", ControlKind::kLabel, k).caption.empty()) {
            pf_.shell.messageBox("出现相同的seatid", "Dravik", platform::MB_OK);
            return;
        }
    }

    if (++state_.SeatedCount == state::kSeats) {
        // The table window comes to the front (maximised, then back to normal).
        table_.windowState = ui::WindowState::kMaximized;
        table_.windowState = ui::WindowState::kNormal;
        hall_.minimise();
    }
    state_.PlayerRecord[slot].seatId = account;
    if (slot == 0 && hooks_.startLocalCapture) hooks_.startLocalCapture();
    if (slot != 0) state_.PlayerRecord[slot].seatBit = seat.playerSeat();
    state::PlayerInfoEntry& info = state_.PlayerInfo[slot];
    decodeProfile(seat, info);

    pictures_.showOkPicture(onTable("OK", ControlKind::kImage, slot), goldTier(info.gold));
    if (seat.ready) showReadyMark(slot);
    allReadyTest();

    const int avatar = avatarIndex(info.avatarCode);
    pictures_.showAvatarPicture(onTable("Tou", ControlKind::kImage, slot), avatar);

    if (slot == 1) onTable("name1", ControlKind::kLabel).caption = info.nickname;
    if (slot == 5) onTable("name2", ControlKind::kLabel).caption = info.nickname;
    ui::Control& nid = onTable("Nid", ControlKind::kLabel, slot);
    ui::Control& cash = onTable("Cash", ControlKind::kLabel, slot);
    ui::Control& level = onTable("Level", ControlKind::kLabel, slot);
    nid.caption = "[" + info.title + "] " + info.nickname;
    cash.caption = wire::decimalText(info.gold) + "金币";
    level.caption = info.levelText;
    for (ui::Control* l : {&nid, &cash, &level}) table_.bringToFront(*l);

    for (const char* window : {"Score", "Hero"}) {
        ui::Form& f = pf_.windows.form(window);
        ui::Control& id = f.add("ID", ControlKind::kLabel, slot);
        id.caption = info.nickname;
        id.toolTipText = info.nickname;
        pictures_.showAvatarPicture(f.add("Tou", ControlKind::kImage, slot), avatar);
    }

    if (slot != 0 && hooks_.registerVideoPeer) hooks_.registerVideoPeer(slot, account);

    if (state_.SeatedCount == state::kSeats && !state_.GameResetDone) {
        resetForNewGame();
        setLines(onTable("Sysmsg", ControlKind::kListBox, 0), {"游戏将在15秒内开始"});
    }
    if (state_.SeatPacketsSeen == 5) state_.SeatPacketsSeen = 6;
}

void Seating::HandleReady(const wire::ReadyNotice& notice) {
    const std::string& account = notice.account;
    if (notice.ready) {
        for (int k = 0; k < state::kSeats; ++k)
            if (state_.PlayerRecord[k].seatId == account &&
                !onTable("Nid", ControlKind::kLabel, k).caption.empty())
                showReadyMark(k);
    }
    allReadyTest();
}

}  // namespace protocol
