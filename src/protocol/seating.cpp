// Login and seating: the login result (18), the seat packet (20) and the ready
// notice (23) take the client from a fresh connection to a full table.
#include "app/client.h"
#include "app/operator.h"
#include "protocol/profile.h"
#include "wire/gbk.h"
#include "wire/packet_fields.h"

namespace app {

namespace {

using ui::ControlKind;

// Controls of the table surface; the layout creates them, and a handler that runs
// before it (or without it) gets them created in place.
ui::Control& onTable(Client& c, const char* name, ControlKind kind, int index = -1) {
    return c.MainForm.add(name, kind, index, &c.Pic1);
}

void setLines(ui::Control& list, std::initializer_list<std::string> lines) {
    list.items.assign(lines.begin(), lines.end());
    list.topIndex = 0;
    list.listIndex = -1;
}

constexpr std::size_t kResultByte = 15;
constexpr std::uint8_t kLoginAccepted = 1;
constexpr std::uint8_t kStartFailed = 2;

constexpr std::size_t kOwnSeatByte = 6;
constexpr std::size_t kReadyByte = 208;
constexpr std::size_t kPlayerSeatByte = 226;

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

void Client::HandleLoginResult(const wire::GamePacket& p) {
    connection.startKeepAlive();
    state.LoginSent = false;
    ui::Control& sys0 = onTable(*this, "Sysmsg", ControlKind::ListBox, 0);
    ui::Control& sys1 = onTable(*this, "Sysmsg", ControlKind::ListBox, 1);
    if (p[kResultByte] != kLoginAccepted) {
        hall.post(platform::HallConnecting);  // message 22: the table did not start
        setLines(sys0,
                 {p[kResultByte] == kStartFailed ? "启动游戏失败，请重新在大厅就座后进入游戏！"
                                                 : "验证错误，请重新在大厅就座后进入游戏！"});
        hall.restore();
        pf.shell.end(0);
    }
    state.LoginAccepted = true;
    state.ExitConfirmed = false;
    hall.post(platform::HallLoggedIn);
    setLines(sys0, {std::string("欢迎进入Brenmoor，更多精彩尽在") + kOperatorSite});
    setLines(sys1, {"打完一局(3回合为一局)才能退，否则按逃跑扣分！"});
    state.TurnSeconds = p[11];
    state.TimeoutLimit = p[10];
    if (state.AutoPlay) state.TurnSeconds = 1;
    state.AdUrl = wire::singleByteText(p, 16, 115);
    if (!state.AdUrl.empty()) showAdvertisement(state.AdUrl);
}

int Client::slotOf(std::uint8_t seatByte) const {
    return state::screenSlot(state::seatBitOf(seatByte), state.PlayerRecord[0].seatBit);
}

int Client::avatarIndex(const std::string& avatarCode) {
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

void Client::showReadyMark(int slot) {
    ui::Control& ok = onTable(*this, "OK", ControlKind::Image, slot);
    ok.visible = true;
    MainForm.bringToFront(ok);
}

void Client::resetForNewGame() {
    displayReset();
    state::handReset(state);
    state.GameResetDone = true;
}

void Client::allReadyTest() {
    if (state.HandInGame != 0) return;
    for (int k = 1; k < state::kSeats; ++k)
        if (!onTable(*this, "OK", ControlKind::Image, k).visible) return;
    resetForNewGame();
}

void Client::HandleSeat(const wire::GamePacket& p) {
    state.TableBroken = false;
    const std::string account = wire::singleByteText(p, 168, 183);
    ++state.SeatPacketsSeen;
    state::PlayerRecordEntry& own = state.PlayerRecord[0];
    if (own.seatBit == 0) own.seatBit = state::seatBitOf(p[kOwnSeatByte]);
    const int slot = slotOf(p[kPlayerSeatByte]);
    if (slot == 0) clearHallButtonPressed(2);  // the continue button takes a press again

    // The same account twice at one table: tell the user and keep the table as it is.
    for (int k = 0; k < state::kSeats; ++k) {
        if (state.PlayerRecord[k].seatId == account &&
            !onTable(*this, "Nid", ControlKind::Label, k).caption.empty()) {
            pf.shell.messageBox("出现相同的seatid", "Dravik", platform::MB_OK);
            return;
        }
    }

    if (++state.SeatedCount == state::kSeats) {
        bringTableToFront();
        hall.minimise();
    }
    state.PlayerRecord[slot].seatId = account;
    if (slot == 0) startLocalCapture();
    if (slot != 0) state.PlayerRecord[slot].seatBit = state::seatBitOf(p[kPlayerSeatByte]);
    state::PlayerInfoEntry& info = state.PlayerInfo[slot];
    protocol::decodeProfile(p, info);

    pictures.showOkPicture(onTable(*this, "OK", ControlKind::Image, slot), goldTier(info.gold));
    if (p[kReadyByte] == 1) showReadyMark(slot);
    allReadyTest();

    const int avatar = avatarIndex(info.avatarCode);
    pictures.showAvatarPicture(onTable(*this, "Tou", ControlKind::Image, slot), avatar);

    if (slot == 1) onTable(*this, "name1", ControlKind::Label).caption = info.nickname;
    if (slot == 5) onTable(*this, "name2", ControlKind::Label).caption = info.nickname;
    ui::Control& nid = onTable(*this, "Nid", ControlKind::Label, slot);
    ui::Control& cash = onTable(*this, "Cash", ControlKind::Label, slot);
    ui::Control& level = onTable(*this, "Level", ControlKind::Label, slot);
    nid.caption = "[" + info.title + "] " + info.nickname;
    cash.caption = wire::decimalText(info.gold) + "金币";
    level.caption = info.levelText;
    for (ui::Control* l : {&nid, &cash, &level}) MainForm.bringToFront(*l);

    for (const char* window : {"Score", "Hero"}) {
        ui::Form& f = pf.windows.form(window);
        ui::Control& id = f.add("ID", ControlKind::Label, slot);
        id.caption = info.nickname;
        id.toolTipText = info.nickname;
        pictures.showAvatarPicture(f.add("Tou", ControlKind::Image, slot), avatar);
    }

    if (slot != 0) registerVideoPeer(slot, account);

    if (state.SeatedCount == state::kSeats && !state.GameResetDone) {
        resetForNewGame();
        setLines(onTable(*this, "Sysmsg", ControlKind::ListBox, 0), {"游戏将在15秒内开始"});
    }
    if (state.SeatPacketsSeen == 5) state.SeatPacketsSeen = 6;
}

void Client::HandleReady(const wire::GamePacket& p) {
    const std::string account = wire::singleByteText(p, 16, 31);
    if (p[15] == 1) {
        for (int k = 0; k < state::kSeats; ++k)
            if (state.PlayerRecord[k].seatId == account &&
                !onTable(*this, "Nid", ControlKind::Label, k).caption.empty())
                showReadyMark(k);
    }
    allReadyTest();
}

}  // namespace app
