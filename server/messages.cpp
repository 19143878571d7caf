#include "server/messages.h"

#include <algorithm>

#include "wire/chat.h"
#include "wire/departure.h"
#include "wire/play.h"
#include "wire/result.h"
#include "wire/round_start.h"
#include "wire/seating.h"
#include "wire/tribute.h"

namespace server {
namespace {

// ASCII in its full-width form, so a field the client reads two bytes at a time
// (location, level, title) stays aligned.
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

// A seat index as its seat bit; a seat of -1 (none) as 0.
std::uint8_t bitOrZero(int seat) { return seat >= 0 ? wire::seatBit(seat) : 0; }

}  // namespace

wire::GamePacket dealPacket(std::span<const CardCode> hand) {
    wire::Deal d;
    for (std::size_t i = 0; i < hand.size() && i < d.cards.size(); ++i)
        d.cards[i] = std::uint32_t(hand[i]);
    return d.encode();
}

wire::GamePacket declarePrompt(int kind, int seconds, std::span<const int> offered) {
    wire::Declaration d;
    d.kind = wire::DeclareKind(kind);
    d.stage = wire::DeclarationStage::kPrompt;
    d.seconds = std::uint8_t(seconds);
    // Unused entries hold 0x40, which matches no seat bit.
    d.offered.seats.fill(0x40);
    for (std::size_t i = 0; i < offered.size() && i < d.offered.seats.size(); ++i)
        d.offered.seats[i] = wire::seatBit(offered[i]);
    return d.encode();
}

wire::GamePacket declareAnnouncement(int actor, int kind) {
    wire::Declaration d;
    d.actor = wire::seatBit(actor);
    d.kind = wire::DeclareKind(kind);
    d.stage = wire::DeclarationStage::kAnnouncement;
    return d.encode();
}

wire::GamePacket playedHandPacket(const PlayedHand& h) {
    wire::PlayedHand w;
    w.actor = wire::seatBit(h.actor);
    w.next = bitOrZero(h.next);
    w.seconds = std::uint8_t(h.seconds);
    w.mode = h.mode;
    w.action = h.action;
    w.event = h.event;
    w.count = std::uint8_t(std::min<std::size_t>(h.cards.size(), wire::kMaxPlayCards));
    w.playClass = std::uint8_t(h.playClass);
    std::copy_n(h.cards.begin(), w.count, w.cards.begin());
    return w.encode();
}

wire::GamePacket tributeOffer(int receiver, int giver, int seconds) {
    wire::Tribute t;
    t.receiver = wire::seatBit(receiver);
    t.seconds = std::uint8_t(seconds);
    t.stage = wire::TributeStage::kOffer;
    t.giver = wire::seatBit(giver);
    return t.encode();
}

namespace {

void putTributeCards(wire::Tribute& t, std::span<const CardCode> cards) {
    t.count = std::uint8_t(std::min<std::size_t>(cards.size(), wire::kMaxTributeCards));
    std::copy_n(cards.begin(), t.count, t.cards.begin());
}

}  // namespace

wire::GamePacket tributeMade(int receiver, int giver, int kind, int seconds,
                             std::span<const CardCode> cards,
                             std::span<const std::uint8_t> giverIds,
                             std::span<const std::uint8_t> noReturnRanks) {
    wire::Tribute t;
    t.receiver = wire::seatBit(receiver);
    t.kind = std::uint8_t(kind);
    t.seconds = std::uint8_t(seconds);
    t.stage = wire::TributeStage::kMade;
    t.giver = wire::seatBit(giver);
    putTributeCards(t, cards);
    std::copy_n(noReturnRanks.begin(), std::min(noReturnRanks.size(), t.noReturnRanks.size()),
                t.noReturnRanks.begin());
    std::copy_n(giverIds.begin(), std::min(giverIds.size(), t.giverIds.size()), t.giverIds.begin());
    return t.encode();
}

wire::GamePacket returnMade(int toSeat, std::span<const CardCode> cards) {
    wire::Tribute t;
    t.receiver = wire::seatBit(toSeat);
    t.stage = wire::TributeStage::kReturned;
    putTributeCards(t, cards);
    return t.encode();
}

namespace {

wire::ResultRecord resultRecord(int seat, const SeatResult& s, bool sweep) {
    wire::ResultRecord r;
    r.seat = wire::seatBit(seat);
    r.place = std::uint8_t(s.place);
    r.outcome = wire::Outcome(s.outcome);
    r.firstAmount = s.amount;
    r.secondAmount = s.amount;
    r.pointCards = 0;
    r.fallCards = std::uint8_t(s.fallTributeCards);
    r.fallPayer = bitOrZero(s.fallTributePayer);
    r.cardCount = std::uint8_t(std::min<std::size_t>(s.held.size(), wire::kMaxRevealedCards));
    for (std::size_t k = 0; k < r.cardCount; ++k)
        r.cards[k] = wire::resultCardByte(std::uint32_t(s.held[k]));
    r.level = std::uint8_t(s.levelAfter);
    r.sweep = sweep ? 1 : 0;
    return r;
}

}  // namespace

std::array<wire::GamePacket, 3> resultPackets(const RoundResult& r) {
    std::array<wire::GamePacket, 3> out;
    for (int i = 0; i < 3; ++i) {
        wire::RoundResult w;
        w.stake = r.stake;
        w.currency = 1;  // amounts in coins (金币)
        w.records = {resultRecord(2 * i, r.seats[2 * i], r.sweep),
                     resultRecord(2 * i + 1, r.seats[2 * i + 1], r.sweep)};
        out[i] = w.encode();
    }
    return out;
}

wire::GamePacket continueOutcome(std::uint8_t continuing) {
    return wire::GameOver{
        std::uint8_t(wire::GameOver::kContinueBase | (continuing & wire::kSeatMask)),
        wire::GameOverCase::kContinue}
        .encode();
}

wire::GamePacket goldShortage(std::uint8_t staying) {
    return wire::GameOver{std::uint8_t(staying & wire::kSeatMask), wire::GameOverCase::kGold}
        .encode();
}

wire::GamePacket loginResult(int result, int timeoutLimit, int turnSeconds) {
    wire::LoginResult r;
    r.result = wire::LoginOutcome(result);
    r.timeoutLimit = std::uint8_t(timeoutLimit);
    r.turnSeconds = std::uint8_t(turnSeconds);
    return r.encode();
}

wire::GamePacket chatRelay(const wire::GamePacket& in, int sender) {
    wire::Chat c = wire::Chat::decode(in);
    c.sender = wire::seatBit(sender);
    if (c.kind != wire::ChatKind::kVoice) c.kind = wire::ChatKind::kLine;
    // A phrase names its sound file by its digits: anything but a digit is cleared.
    for (std::uint8_t& d : c.phrase)
        if (d > 9) d = 0;
    return c.encode();
}

wire::GamePacket seatPacket(const Profile& pl, int playerSeat, int receiverSeat, bool ready) {
    wire::Seat s;
    s.ownSeat = wire::seatBit(receiverSeat);
    s.nickname = pl.nickname;
    s.avatarCode = pl.avatar;
    s.sex = pl.sex;
    s.location = fullWidth(pl.location);
    s.points = pl.points;
    s.credit = pl.credit;
    s.gold = pl.gold;
    s.levelText = fullWidth(levelName(pl.level));
    s.loginCount = std::int32_t(pl.loginCount);
    s.dropCount = std::int32_t(pl.dropCount);
    s.winCount = std::int32_t(pl.winCount);
    s.lossCount = std::int32_t(pl.lossCount);
    s.account = pl.account;
    s.title = fullWidth(pl.title);
    s.ready = ready;
    s.textB = "01";
    s.userNumber = wire::seatBit(playerSeat);
    return s.encode();
}

wire::GamePacket playerLeft(std::string_view account) {
    return wire::PlayerLeft{std::string(account)}.encode();
}

wire::GamePacket tableClosed(std::string_view message) {
    return wire::TableClosed{std::string(message)}.encode();
}

wire::GamePacket readyNotice(std::string_view account) {
    return wire::ReadyNotice{true, std::string(account)}.encode();
}

wire::GamePacket resumeResult(bool resumed) { return wire::ResumeResult{resumed}.encode(); }

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
