// Departures and the reconnect answer: the continue outcome and the players short
// of gold (16), a player who left (21), the server closing the table (22) and the
// answer to a reconnect (29). A table that cannot go on shows the departure notice
// and goes back to the hall_.
#include "protocol/departure.h"

#include <string>
#include <vector>

namespace protocol {

namespace {

constexpr int kAfterLeaverMs = 5000, kAfterGoldMs = 2000;

std::string join(const std::vector<std::string>& parts, const std::string& separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? separator : "") + parts[i];
    return out;
}

}  // namespace

int Departure::slotOf(std::uint8_t seatByte) const {
    return state::screenSlot(state::seatBitOf(seatByte), state_.PlayerRecord[0].seatBit);
}

std::string Departure::clockText() {
    platform::TimeOfDay t = pf_.shell.timeOfDay();
    return std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" + std::to_string(t.second);
}

// The seat is free again; the seat key, title and the fields after it stay.
void Departure::clearSlotPlayer(int slot) {
    state_.PlayerRecord[static_cast<std::size_t>(slot)].seatId.clear();
    state::clearProfile(state_.PlayerInfo[static_cast<std::size_t>(slot)]);
}

// The avatar and the labels of a seat that has been left; slots 1 and 5 show the
// name in name1 and name2 as well.
void Departure::clearSeatLabels(int slot) {
    if (ui::Control* tou = table_.find("Tou", slot)) tou->picture = nullptr;
    for (const char* label : {"Nid", "Cash", "Level"})
        if (ui::Control* l = table_.find(label, slot)) l->caption.clear();
    const char* name = slot == 1 ? "name1" : slot == 5 ? "name2" : nullptr;
    if (name)
        if (ui::Control* l = table_.find(name)) l->caption.clear();
}

// The common end of the game-over cases: the notice stays up for a while, then the
// table is torn down as after a lost link and the leave routine drops the video
// links (the socket is closed already, so no leave packet goes out).
void Departure::departureBackToHall(int waitMs) {
    connection_.slots[net::kSlotLinkWatch].flag = false;
    pf_.loop.wait(waitMs);
    if (hooks_.returnToHallAfterLostLink) hooks_.returnToHallAfterLostLink();
    if (hooks_.leaveTable) hooks_.leaveTable();
    if (state_.SpectatorMode) {
        pf_.shell.messageBox("有用户退出，旁观结束！", "", platform::MB_OK);
        pf_.shell.end(0);
    }
}

void Departure::HandleGameOver(const wire::GameOver& g) {
    using wire::GameOverCase;
    if (g.which == GameOverCase::kLeave || g.which == GameOverCase::kNothing) return;
    if (g.which == GameOverCase::kContinue)
        continueOutcome(g);
    else
        goldShortage(g);
}

void Departure::continueOutcome(const wire::GameOver& g) {
    if (g.seats >= wire::GameOver::kAllContinue) return;
    const int continuing = (g.seats - wire::GameOver::kContinueBase) & 0x3F;
    bool left[6] = {};
    for (int seat = 0; seat < 6; ++seat)
        if (!(continuing & (1 << seat))) left[slotOf(static_cast<std::uint8_t>(1 << seat))] = true;
    connection_.slots[net::kSlotContinue].flag = false;
    state_.InGame = false;
    if (left[0]) {
        // The server saw the local player leave; the table window goes with him.
        pf_.socket.close();
        table_.unload();
        pf_.shell.end(0);
    }
    std::vector<std::string> names;
    ui::Control& sys0 = table_.at("Sysmsg", 0);
    for (int k = 1; k <= 5; ++k) {
        if (!left[k]) continue;
        names.push_back(state_.PlayerInfo[static_cast<std::size_t>(k)].nickname);
        --state_.SeatedCount;
        state_.GameResetDone = false;
        if (ui::Control* ok = table_.find("OK", k)) ok->visible = false;
        sys0.items.clear();
        clearSlotPlayer(k);
    }
    const std::string list = join(names, ",");
    sys0.items.push_back(list + "退出了游戏！ " + clockText());
    if (!state_.Away) pf_.windows.form("Hero").show();
    if (hooks_.showDepartureNotice)
        hooks_.showDepartureNotice("玩家" + list + "退出了游戏！游戏结束！");
    departureBackToHall(kAfterLeaverMs);
}

void Departure::goldShortage(const wire::GameOver& g) {
    state_.InGame = false;
    const int mustLeave = 0x3F - (g.seats & 0x3F);
    const std::uint8_t ownBit = state_.PlayerRecord[0].seatBit;
    const bool ownLeaves = (mustLeave & ownBit) != 0;
    std::vector<std::string> names;
    for (int b = 1; b <= 32; b <<= 1)
        if ((mustLeave & b) && b != ownBit)
            names.push_back(
                state_.PlayerInfo[static_cast<std::size_t>(slotOf(static_cast<std::uint8_t>(b)))]
                    .nickname);
    const std::string list = join(names, "，");
    const std::string own = ownLeaves ? "，" + state_.PlayerRecord[0].seatId : "";
    table_.at("Sysmsg", 0).items.assign(1, "玩家" + list + own + "金币不够，退出游戏！");
    connection_.slots[net::kSlotContinue].flag = false;
    for (int k = 1; k <= 5; ++k) {
        if (!(state_.PlayerRecord[static_cast<std::size_t>(k)].seatBit & mustLeave)) continue;
        --state_.SeatedCount;
        state_.GameResetDone = false;
        if (ui::Control* ok = table_.find("OK", k)) ok->visible = false;
        clearSeatLabels(k);
        clearSlotPlayer(k);
    }
    if (table_.windowState != ui::WindowState::kMinimized) pf_.windows.form("Score").show();
    pf_.socket.close();
    std::string text;
    if (!ownLeaves)
        text = list + "的金币不够，退出游戏！游戏结束！";
    else if (list.empty())
        text = "您的金币不够，退出游戏！游戏结束！";
    else
        text = list + "以及您的金币不够，退出游戏！游戏结束！";
    if (hooks_.showDepartureNotice) hooks_.showDepartureNotice(text);
    departureBackToHall(kAfterGoldMs);
}

void Departure::HandlePlayerLeft(const wire::PlayerLeft& left) {
    state_.TableBroken = true;
    const std::string& account = left.account;
    // An empty name names nobody, not even a local player whose seat is not known
    // yet: no seat is cleared, but a spectator's watch still ends.
    if (!account.empty() && account == state_.PlayerRecord[0].seatId) pf_.shell.end(0);
    connection_.slots[net::kSlotContinue].flag = false;
    for (int j = 1; j <= 5 && !account.empty(); ++j) {
        if (state_.PlayerRecord[static_cast<std::size_t>(j)].seatId != account) continue;
        --state_.SeatedCount;
        if (ui::Control* ok = table_.find("OK", j)) ok->picture = nullptr;
        clearSeatLabels(j);
        table_.at("Sysmsg", 0)
            .items.assign(1, state_.PlayerInfo[static_cast<std::size_t>(j)].nickname +
                                 "退出了游戏 " + clockText());
        clearSlotPlayer(j);
        video_.clearSlot(j);
    }
    video_.dropPeersNamed(account);
    if (state_.SpectatorMode) {
        pf_.shell.messageBox("有用户退出，旁观结束！", "", platform::MB_OK);
        pf_.shell.end(0);
    }
}

void Departure::HandleTableClosed(const wire::TableClosed& closed) {
    state_.InGame = false;
    if (!state_.Away) pf_.windows.form("Hero").show();
    if (hooks_.showDepartureNotice) hooks_.showDepartureNotice(closed.message);
    if (hooks_.leaveTable)
        hooks_.leaveTable();  // the socket is still up: the leave packet goes out
}

void Departure::HandleResume(const wire::ResumeResult& r) {
    if (r.resumed) {
        state_.LoginAccepted = true;
        state_.ResumedGame = true;
        table_.at("Sysmsg", 1).items.clear();
        table_.at("Sysmsg", 0).items.assign(1, "正在重连服务器，请等待...！");
        // The login result of the new connection starts the keep-alive again.
        connection_.stopKeepAlive();
        return;
    }
    pf_.shell.messageBox("重连服务器失败，退出后请重新入座！", "", platform::MB_OK);
    hall_.restore();
    pf_.shell.end(0);
}

}  // namespace protocol
