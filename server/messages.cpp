#include "server/messages.h"

#include <algorithm>

#include "wire/gbk.h"

namespace server {
namespace {

void putCard(Packet& p, std::size_t at, CardCode c) { putU32LE(p, at, std::uint32_t(c)); }

// ASCII in its full-width form, so a field read two bytes at a time stays aligned.
std::string fullWidth(std::string_view utf8) {
    std::string out;
    for (unsigned char ch : utf8) {
        if (ch == ' ') {
            out += "\xE3\x80\x80";  // U+3000
        } else if (ch > 0x20 && ch < 0x7F) {
            char32_t cp = 0xFF01 + (ch - 0x21);
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(ch);
        }
    }
    return out;
}

}  // namespace

void putGbkText(Packet& p, std::size_t at, std::size_t size, std::string_view utf8,
                bool pairsOnly) {
    std::string gbk = wire::utf8ToGbk(pairsOnly ? fullWidth(utf8) : std::string(utf8));
    // Cut at a character boundary.
    std::size_t n = 0;
    while (n < gbk.size()) {
        std::size_t w = (static_cast<unsigned char>(gbk[n]) >= 0x80) ? 2 : 1;
        if (pairsOnly && w == 1) break;  // cannot happen after fullWidth, kept as a guard
        if (n + w > size) break;
        n += w;
    }
    putBytes(p, at, std::string_view(gbk).substr(0, n), size);
}

Packet dealPacket(std::span<const CardCode> hand) {
    Packet p = makePacket(CmdDeal);
    for (std::size_t i = 0; i < hand.size() && i < std::size_t(kHandSize); ++i)
        putCard(p, 16 + 4 * i, hand[i]);
    return p;
}

Packet declarePrompt(int kind, int seconds, std::span<const int> offered) {
    Packet p = makePacket(CmdDeclare);
    p[8] = std::uint8_t(kind);
    p[11] = 0;
    p[15] = std::uint8_t(seconds);
    // Unused entries hold 0x40, which matches no seat bit.
    for (int i = 0; i < 6; ++i) p[16 + i] = 0x40;
    for (std::size_t i = 0; i < offered.size() && i < 6; ++i) p[16 + i] = seatBit(offered[i]);
    return p;
}

Packet declareAnnouncement(int actor, int kind) {
    Packet p = makePacket(CmdDeclare);
    p[kSeatByte] = seatBit(actor);
    p[8] = std::uint8_t(kind);
    p[11] = 1;
    return p;
}

Packet playedHandPacket(const PlayedHand& h) {
    Packet p = makePacket(CmdPlayed);
    p[kSeatByte] = seatBit(h.actor);
    p[8] = h.next >= 0 ? seatBit(h.next) : 0;
    p[10] = std::uint8_t(h.seconds);
    p[11] = std::uint8_t(h.mode);
    p[15] = std::uint8_t(h.action);
    p[16] = std::uint8_t(h.event);
    std::size_t n = std::min<std::size_t>(h.cards.size(), rules::kMaxPlayCards);
    p[17] = std::uint8_t(n);
    p[18] = std::uint8_t(h.playClass);
    for (std::size_t i = 0; i < n; ++i) putCard(p, 20 + 4 * i, h.cards[i]);
    return p;
}

Packet tributeOffer(int receiver, int giver, int seconds) {
    Packet p = makePacket(CmdTribute);
    p[kSeatByte] = seatBit(receiver);
    p[9] = std::uint8_t(seconds);
    p[11] = 1;
    p[12] = seatBit(giver);
    return p;
}

Packet tributeMade(int receiver, int giver, int kind, int seconds, std::span<const CardCode> cards,
                   std::span<const std::uint8_t> giverIds,
                   std::span<const std::uint8_t> noReturnRanks) {
    Packet p = makePacket(CmdTribute);
    p[kSeatByte] = seatBit(receiver);
    p[8] = std::uint8_t(kind);
    p[9] = std::uint8_t(seconds);
    p[11] = 2;
    p[12] = seatBit(giver);
    std::size_t n = std::min<std::size_t>(cards.size(), 12);
    p[16] = std::uint8_t(n);
    for (std::size_t k = 0; k < n; ++k) putCard(p, 17 + 4 * k, cards[k]);
    for (std::size_t k = 0; k < noReturnRanks.size() && k < 12; ++k) p[76 + k] = noReturnRanks[k];
    for (std::size_t k = 0; k < giverIds.size() && k < 12; ++k) p[96 + k] = giverIds[k];
    return p;
}

Packet returnMade(int toSeat, std::span<const CardCode> cards) {
    Packet p = makePacket(CmdTribute);
    p[kSeatByte] = seatBit(toSeat);
    p[11] = 3;
    std::size_t n = std::min<std::size_t>(cards.size(), 12);
    p[16] = std::uint8_t(n);
    for (std::size_t k = 0; k < n; ++k) putCard(p, 17 + 4 * k, cards[k]);
    return p;
}

namespace {

// One result record at column base (the first record of a packet: byte = column; the
// second: byte = column + 100).
void putResultRecord(Packet& p, int shift, int seat, const SeatResult& s, bool sweep) {
    auto col = [&](int c) -> std::uint8_t& { return p[c + shift]; };
    col(16) = seatBit(seat);
    col(17) = std::uint8_t(s.place);
    col(18) = std::uint8_t(s.outcome);
    putU64LE(p, 19 + shift, s.amount);
    putU64LE(p, 27 + shift, s.amount);
    col(39) = 0;
    col(40) = std::uint8_t(s.fallTributeCards);
    col(41) = s.fallTributePayer >= 0 ? seatBit(s.fallTributePayer) : 0;
    std::size_t n = std::min<std::size_t>(s.held.size(), 54);
    col(42) = std::uint8_t(n);
    for (std::size_t k = 0; k < n; ++k) {
        int rank = rules::rankOf(s.held[k]);
        int suit = rules::suitBitOf(s.held[k]);
        // The jokers travel as rank codes 0 and 1 without a suit.
        if (rank == 16 || rank == 17) {
            rank -= 16;
            suit = 0;
        }
        col(43 + int(k)) = std::uint8_t((suit << 4) | (rank & 0x0F));
    }
    col(97) = std::uint8_t(s.levelAfter);
    col(98) = sweep ? 1 : 0;
}

}  // namespace

std::array<Packet, 3> resultPackets(const RoundResult& r) {
    std::array<Packet, 3> out;
    for (int i = 0; i < 3; ++i) {
        Packet p = makePacket(CmdResult);
        putU32BE(p, 8, r.stake);
        p[15] = 1;  // amounts in coins (金币)
        putResultRecord(p, 0, 2 * i, r.seats[2 * i], r.sweep);
        putResultRecord(p, 100, 2 * i + 1, r.seats[2 * i + 1], r.sweep);
        out[i] = p;
    }
    return out;
}

Packet continueOutcome(std::uint8_t continuing) {
    Packet p = makePacket(CmdGameOver);
    p[kSeatByte] = std::uint8_t(0x40 | (continuing & 0x3F));
    p[15] = 1;
    return p;
}

Packet goldShortage(std::uint8_t staying) {
    Packet p = makePacket(CmdGameOver);
    p[kSeatByte] = staying & 0x3F;
    p[15] = 3;
    return p;
}

Packet loginResult(int result, int timeoutLimit, int turnSeconds) {
    Packet p = makePacket(CmdLogin);
    p[10] = std::uint8_t(timeoutLimit);
    p[11] = std::uint8_t(turnSeconds);
    p[15] = std::uint8_t(result);
    return p;
}

Packet chatRelay(const Packet& in, int sender) {
    Packet p = makePacket(CmdChat);
    p[5] = in[5] == 1 ? 1 : 0;
    p[kSeatByte] = seatBit(sender);
    p[7] = in[7] & 0x3F;
    p[8] = in[8] & 0x3F;
    p[11] = in[11] == 1 ? 1 : 0;
    if (p[11] == 1) {
        for (int i = 16; i <= 22; ++i) p[i] = in[i] <= 9 ? in[i] : 0;
    } else {
        std::string_view text = getZeroEnded(in, 16, 200);
        // A lead byte left alone at the end of the area would swallow the terminator.
        std::size_t n = 0;
        while (n < text.size()) {
            std::size_t w = static_cast<unsigned char>(text[n]) >= 0x80 ? 2 : 1;
            if (n + w > text.size()) break;
            n += w;
        }
        putBytes(p, 16, text.substr(0, n), 200);
    }
    return p;
}

Packet seatPacket(const Profile& pl, int playerSeat, int receiverSeat, bool ready) {
    Packet p = makePacket(CmdSeat);
    p[kSeatByte] = seatBit(receiverSeat);
    putGbkText(p, 16, 32, pl.nickname);
    putBytes(p, 48, pl.avatar, 16);
    p[64] = pl.sex;
    putGbkText(p, 72, 8, pl.location, true);
    putU64LE(p, 80, pl.points);
    putU64LE(p, 88, pl.credit);
    putU64LE(p, 96, pl.gold);
    putU64LE(p, 104, 0);
    putGbkText(p, 112, 16, levelName(pl.level), true);
    putU32LE(p, 152, pl.loginCount);
    putU32LE(p, 156, pl.dropCount);
    putU32LE(p, 160, pl.winCount);
    putU32LE(p, 164, pl.lossCount);
    putBytes(p, 168, pl.account, 16);
    putGbkText(p, 184, 24, pl.title, true);
    p[208] = ready ? 1 : 0;
    putBytes(p, 210, "01", 8);
    p[226] = seatBit(playerSeat);
    return p;
}

Packet playerLeft(std::string_view account) {
    Packet p = makePacket(CmdPlayerLeft);
    putBytes(p, 16, account, 16);
    return p;
}

Packet tableClosed(std::string_view message) {
    Packet p = makePacket(CmdTableClosed);
    putGbkText(p, 16, 199, message);  // byte 215 stays 0 as the terminator
    return p;
}

Packet readyNotice(std::string_view account) {
    Packet p = makePacket(CmdReady);
    p[15] = 1;
    putBytes(p, 16, account, 16);
    return p;
}

Packet resumeResult(bool resumed) {
    Packet p = makePacket(CmdResume);
    p[15] = resumed ? 1 : 0;
    return p;
}

std::string levelName(int level) {
    static const char* digits[] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
    if (level < 1 || level > kMaxLevel) return {};
    std::string n;
    int tens = level / 10, units = level % 10;
    if (tens > 1) n += digits[tens];
    if (tens >= 1) n += "十";
    if (units) n += digits[units];
    return "第" + n + "级";
}

}  // namespace server
