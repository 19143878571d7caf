// Departures and the reconnect answer: the continue outcome and the players short
// of gold (16), a player who left (21), the server closing the table (22) and the
// answer to a reconnect (29). A table that cannot go on shows the departure notice
// and goes back to the hall.
#include <string>
#include <vector>

#include "app/client.h"
#include "wire/packet_fields.h"

namespace app {

namespace {

constexpr std::size_t kCaseByte = 15, kSeatsByte = 6;
constexpr std::uint8_t kContinueOutcome = 1;
// Byte 6 of the continue outcome: 0x40 plus the seat bits of those who continue.
constexpr std::uint8_t kContinueBase = 0x40, kAllContinue = 0x7F;
constexpr std::uint8_t kResumed = 1;
constexpr int kAfterLeaverMs = 5000, kAfterGoldMs = 2000;

std::string join(const std::vector<std::string>& parts, const std::string& separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? separator : "") + parts[i];
    return out;
}

}  // namespace

// The time of day as the message area shows it: "9:5:7".
std::string Client::clockText() {
    platform::TimeOfDay t = pf.shell.timeOfDay();
    return std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" + std::to_string(t.second);
}

// The seat is free again; the seat key, title and the fields after it stay.
void Client::clearSlotPlayer(int slot) {
    state.PlayerRecord[static_cast<std::size_t>(slot)].seatId.clear();
    state::clearProfile(state.PlayerInfo[static_cast<std::size_t>(slot)]);
}

// The avatar and the labels of a seat that has been left; connection.slots 1 and 5 show the
// name in name1 and name2 as well.
void Client::clearSeatLabels(int slot) {
    if (ui::Control* tou = MainForm.find("Tou", slot)) tou->picture = nullptr;
    for (const char* label : {"Nid", "Cash", "Level"})
        if (ui::Control* l = MainForm.find(label, slot)) l->caption.clear();
    const char* name = slot == 1 ? "name1" : slot == 5 ? "name2" : nullptr;
    if (name)
        if (ui::Control* l = MainForm.find(name)) l->caption.clear();
}

// The common end of the game-over cases: the notice stays up for a while, then the
// table is torn down as after a lost link and the leave routine drops the video
// links (the socket is closed already, so no leave packet goes out).
void Client::departureBackToHall(int waitMs) {
    connection.slots[net::SlotLinkWatch].flag = false;
    pf.loop.wait(waitMs);
    returnToHallAfterLostLink();
    leaveTable();
    if (state.SpectatorMode) {
        pf.shell.messageBox("有用户退出，旁观结束！", "", platform::MB_OK);
        pf.shell.end(0);
    }
}

void Client::HandleGameOver(const wire::GamePacket& p) {
    const std::uint8_t which = p[kCaseByte];
    if (which == 0 || which == 2) return;
    if (which == kContinueOutcome)
        continueOutcome(p);
    else
        goldShortage(p);
}

void Client::continueOutcome(const wire::GamePacket& p) {
    if (p[kSeatsByte] >= kAllContinue) return;
    const int continuing = (p[kSeatsByte] - kContinueBase) & 0x3F;
    bool left[6] = {};
    for (int seat = 0; seat < 6; ++seat)
        if (!(continuing & (1 << seat))) left[slotOf(static_cast<std::uint8_t>(1 << seat))] = true;
    connection.slots[net::SlotContinue].flag = false;
    state.InGame = false;
    if (left[0]) {
        // The server saw the local player leave; the table window goes with him.
        pf.socket.close();
        MainForm.unload();
        pf.shell.end(0);
    }
    std::vector<std::string> names;
    ui::Control& sys0 = MainForm.at("Sysmsg", 0);
    for (int k = 1; k <= 5; ++k) {
        if (!left[k]) continue;
        names.push_back(state.PlayerInfo[static_cast<std::size_t>(k)].nickname);
        --state.SeatedCount;
        state.GameResetDone = false;
        if (ui::Control* ok = MainForm.find("OK", k)) ok->visible = false;
        sys0.items.clear();
        clearSlotPlayer(k);
    }
    const std::string list = join(names, ",");
    sys0.items.push_back(list + "退出了游戏！ " + clockText());
    if (!state.Away) pf.windows.form("Hero").show();
    showDepartureNotice("玩家" + list + "退出了游戏！游戏结束！");
    departureBackToHall(kAfterLeaverMs);
}

void Client::goldShortage(const wire::GamePacket& p) {
    state.InGame = false;
    const int mustLeave = 0x3F - (p[kSeatsByte] & 0x3F);
    const std::uint8_t ownBit = state.PlayerRecord[0].seatBit;
    const bool ownLeaves = (mustLeave & ownBit) != 0;
    std::vector<std::string> names;
    for (int b = 1; b <= 32; b <<= 1)
        if ((mustLeave & b) && b != ownBit)
            names.push_back(
                state.PlayerInfo[static_cast<std::size_t>(slotOf(static_cast<std::uint8_t>(b)))]
                    .nickname);
    const std::string list = join(names, "，");
    const std::string own = ownLeaves ? "，" + state.PlayerRecord[0].seatId : "";
    MainForm.at("Sysmsg", 0).items.assign(1, "玩家" + list + own + "金币不够，退出游戏！");
    connection.slots[net::SlotContinue].flag = false;
    for (int k = 1; k <= 5; ++k) {
        if (!(state.PlayerRecord[static_cast<std::size_t>(k)].seatBit & mustLeave)) continue;
        --state.SeatedCount;
        state.GameResetDone = false;
        if (ui::Control* ok = MainForm.find("OK", k)) ok->visible = false;
        clearSeatLabels(k);
        clearSlotPlayer(k);
    }
    if (MainForm.windowState != ui::WindowState::Minimized) pf.windows.form("Score").show();
    pf.socket.close();
    std::string text;
    if (!ownLeaves)
        text = list + "的金币不够，退出游戏！游戏结束！";
    else if (list.empty())
        text = "您的金币不够，退出游戏！游戏结束！";
    else
        text = list + "以及您的金币不够，退出游戏！游戏结束！";
    showDepartureNotice(text);
    departureBackToHall(kAfterGoldMs);
}

void Client::HandlePlayerLeft(const wire::GamePacket& p) {
    state.TableBroken = true;
    const std::string account = wire::singleByteText(p, 16, 31);
    // An empty name names nobody, not even a local player whose seat is not known yet.
    if (account.empty()) {
        connection.slots[net::SlotContinue].flag = false;
        return;
    }
    if (account == state.PlayerRecord[0].seatId) pf.shell.end(0);
    connection.slots[net::SlotContinue].flag = false;
    for (int j = 1; j <= 5; ++j) {
        if (state.PlayerRecord[static_cast<std::size_t>(j)].seatId != account) continue;
        --state.SeatedCount;
        if (ui::Control* ok = MainForm.find("OK", j)) ok->picture = nullptr;
        clearSeatLabels(j);
        MainForm.at("Sysmsg", 0)
            .items.assign(1, state.PlayerInfo[static_cast<std::size_t>(j)].nickname +
                                 "退出了游戏 " + clockText());
        clearSlotPlayer(j);
        video.clearSlot(j);
    }
    video.dropPeersNamed(account);
    if (state.SpectatorMode) {
        pf.shell.messageBox("有用户退出，旁观结束！", "", platform::MB_OK);
        pf.shell.end(0);
    }
}

void Client::HandleTableClosed(const wire::GamePacket& p) {
    state.InGame = false;
    if (!state.Away) pf.windows.form("Hero").show();
    showDepartureNotice(wire::gbkText(p, 16, 215));
    leaveTable();  // the socket is still up: the leave packet goes out
}

void Client::HandleResume(const wire::GamePacket& p) {
    if (p[kCaseByte] == kResumed) {
        state.LoginAccepted = true;
        state.ResumedGame = true;
        MainForm.at("Sysmsg", 1).items.clear();
        MainForm.at("Sysmsg", 0).items.assign(1, "正在重连服务器，请等待...！");
        // The login result of the new connection starts the keep-alive again.
        connection.stopKeepAlive();
        return;
    }
    pf.shell.messageBox("重连服务器失败，退出后请重新入座！", "", platform::MB_OK);
    hall.restore();
    pf.shell.end(0);
}

}  // namespace app
