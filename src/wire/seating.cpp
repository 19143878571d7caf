#include "wire/seating.h"

#include "wire/gbk.h"
#include "wire/packet_fields.h"

namespace wire {

namespace {

// Each character as its one code-page byte from `at` on; false when one takes two
// bytes (written as '?') or would land past the packet (not written).
bool writeLoginText(GamePacket* p, const std::string& text, std::size_t at) {
    bool fits = true;
    for (const std::string& ch : utf8Chars(text)) {
        auto code = charToGbk(ch);
        const bool oneByte = code && code->size() == 1;
        if (!oneByte || at >= kPacketSize) fits = false;
        if (p) putByte(*p, at, oneByte ? static_cast<std::uint8_t>((*code)[0]) : '?');
        ++at;
    }
    return fits;
}

}  // namespace

bool Login::fits() const {
    return writeLoginText(nullptr, userName, kNameByte) &&
           writeLoginText(nullptr, loginKey, kKeyByte);
}

GamePacket Login::encode() const {
    GamePacket p = makePacket(Command::kLogin);
    if (reconnect) p[kMarkByte] = kReconnectMark;
    writeLoginText(&p, userName, kNameByte);
    writeLoginText(&p, loginKey, kKeyByte);
    if (reconnect) {
        p[kTokenByte] = static_cast<std::uint8_t>(token >> 8);
        p[kTokenByte + 1] = static_cast<std::uint8_t>(token);
    }
    return p;
}

Login Login::decode(const GamePacket& p) {
    Login l;
    l.userName = singleByteText(p, kNameByte, kNameLast);
    l.loginKey = singleByteText(p, kKeyByte, kKeyLast);
    l.reconnect = p[kMarkByte] == kReconnectMark;
    if (l.reconnect) l.token = static_cast<std::uint16_t>(p[kTokenByte] << 8 | p[kTokenByte + 1]);
    return l;
}

GamePacket LoginResult::encode() const {
    GamePacket p = makePacket(Command::kLogin);
    p[kTimeoutLimitByte] = timeoutLimit;
    p[kTurnSecondsByte] = turnSeconds;
    p[kResultByte] = static_cast<std::uint8_t>(result);
    putSingleByteText(p, kAdFirst, kAdLast, adUrl);
    return p;
}

LoginResult LoginResult::decode(const GamePacket& p) {
    LoginResult r;
    r.result = static_cast<LoginOutcome>(p[kResultByte]);
    r.timeoutLimit = p[kTimeoutLimitByte];
    r.turnSeconds = p[kTurnSecondsByte];
    r.adUrl = singleByteText(p, kAdFirst, kAdLast);
    return r;
}

GamePacket Seat::encode() const {
    GamePacket p = makePacket(Command::kSeat, ownSeat);
    putGbkText(p, 16, 47, nickname);
    putSingleByteText(p, 48, 63, avatarCode);
    p[64] = sex;
    putGbkText(p, 72, 79, location);
    putLe64(p, 80, points);
    putLe64(p, 88, credit);
    putLe64(p, 96, gold);
    putLe64(p, 104, statB);
    putGbkText(p, 112, 127, levelText);
    putLe64(p, 128, statC);
    putLe64(p, 136, statD);
    putLe64(p, 144, statE);
    putLe32(p, 152, static_cast<std::uint32_t>(loginCount));
    putLe32(p, 156, static_cast<std::uint32_t>(dropCount));
    putLe32(p, 160, static_cast<std::uint32_t>(winCount));
    putLe32(p, 164, static_cast<std::uint32_t>(lossCount));
    putSingleByteText(p, kAccountFirst, kAccountLast, account);
    putGbkText(p, 184, 207, title);
    p[kReadyByte] = ready ? 1 : 0;
    putSingleByteText(p, 210, 217, textB);
    putSingleByteText(p, 218, 225, textC);
    putLe64(p, kPlayerSeatByte, userNumber);
    return p;
}

Seat Seat::decode(const GamePacket& p) {
    Seat s;
    s.ownSeat = p[kSeatByte] & kSeatMask;
    s.nickname = gbkText(p, 16, 47);
    s.avatarCode = singleByteText(p, 48, 63);
    s.sex = p[64];
    s.location = gbkText(p, 72, 79);
    s.points = getLe64(p, 80);
    s.credit = getLe64(p, 88);
    s.gold = getLe64(p, 96);
    s.statB = getLe64(p, 104);
    s.levelText = gbkText(p, 112, 127);
    s.statC = getLe64(p, 128);
    s.statD = getLe64(p, 136);
    s.statE = getLe64(p, 144);
    s.loginCount = packetLong(p, 152);
    s.dropCount = packetLong(p, 156);
    s.winCount = packetLong(p, 160);
    s.lossCount = packetLong(p, 164);
    s.account = singleByteText(p, kAccountFirst, kAccountLast);
    s.title = gbkText(p, 184, 207);
    s.ready = p[kReadyByte] == 1;
    s.textB = singleByteText(p, 210, 217);
    s.textC = singleByteText(p, 218, 225);
    s.userNumber = getLe64(p, kPlayerSeatByte);
    return s;
}

GamePacket ReadyNotice::encode() const {
    GamePacket p = makePacket(Command::kReady);
    p[kReadyByte] = ready ? 1 : 0;
    putSingleByteText(p, kAccountFirst, kAccountLast, account);
    return p;
}

ReadyNotice ReadyNotice::decode(const GamePacket& p) {
    return {p[kReadyByte] == 1, singleByteText(p, kAccountFirst, kAccountLast)};
}

}  // namespace wire
