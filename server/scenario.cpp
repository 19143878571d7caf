#include "server/scenario.h"

#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>

#include "rules/notation.h"
#include "rules/validation.h"
#include "server/messages.h"
#include "wire/chat.h"
#include "wire/departure.h"
#include "wire/gbk.h"
#include "wire/packet_fields.h"
#include "wire/play.h"
#include "wire/round_start.h"
#include "wire/seating.h"
#include "wire/tribute.h"

namespace server {
namespace {

enum class FieldType { kU8, kLE32, kBE32, kText, kCards, kHand };

struct Field {
    int offset = 0;
    FieldType type = FieldType::kU8;
};

struct Alias {
    int command;  // 0: any command
    const char* name;
    Field field;
};

using wire::Chat, wire::Declaration, wire::DeclarationAnswer, wire::Deal, wire::Exchange,
    wire::GameOver, wire::LeaveOrContinue, wire::LoginResult, wire::OfferedSeats, wire::Play,
    wire::PlayerLeft, wire::ReadyNotice, wire::ResumeResult, wire::Revolution,
    wire::RevolutionAnswer, wire::TableClosed, wire::Tribute, wire::TributeAnswer, wire::Work,
    wire::WorkAnswer;
constexpr int off(std::size_t byte) { return int(byte); }
constexpr int code(wire::Command c) { return int(c); }
using C = wire::Command;

// Names of the fields of packets the server sends.
const Alias kSendAliases[] = {
    {0, "seat", {off(wire::kSeatByte), FieldType::kU8}},
    {code(C::kDeal), "hand", {off(Deal::kCardsByte), FieldType::kHand}},
    {code(C::kDeclaration), "kind", {off(Declaration::kKindByte), FieldType::kU8}},
    {code(C::kDeclaration), "announce", {off(Declaration::kStageByte), FieldType::kU8}},
    {code(C::kDeclaration), "seconds", {off(Declaration::kSecondsByte), FieldType::kU8}},
    {code(C::kDeclaration), "offered", {off(OfferedSeats::kFirstByte), FieldType::kU8}},
    {code(C::kDeclaration), "actor", {off(wire::kSeatByte), FieldType::kU8}},
    {code(C::kWork), "actor", {off(wire::kSeatByte), FieldType::kU8}},
    {code(C::kWork), "card", {off(Work::kCardByte), FieldType::kBE32}},
    {code(C::kWork), "count", {off(Work::kCountByte), FieldType::kU8}},
    {code(C::kWork), "prompt", {off(Work::kStageByte), FieldType::kU8}},
    {code(C::kExchange), "actor", {off(wire::kSeatByte), FieldType::kU8}},
    {code(C::kExchange), "kind", {off(Exchange::kKindByte), FieldType::kU8}},
    {code(C::kExchange), "sell", {off(Exchange::kSellByte), FieldType::kBE32}},
    {code(C::kExchange), "buy", {off(Exchange::kBuyByte), FieldType::kBE32}},
    {code(C::kRevolution), "actor", {off(wire::kSeatByte), FieldType::kU8}},
    {code(C::kRevolution), "seconds", {off(Revolution::kSecondsByte), FieldType::kU8}},
    {code(C::kRevolution), "sub", {off(Revolution::kStageByte), FieldType::kU8}},
    {code(C::kRevolution), "offered", {off(OfferedSeats::kFirstByte), FieldType::kU8}},
    {code(C::kPlayedHand), "actor", {off(wire::kSeatByte), FieldType::kU8}},
    {code(C::kPlayedHand), "next", {off(wire::PlayedHand::kNextByte), FieldType::kU8}},
    {code(C::kPlayedHand), "seconds", {off(wire::PlayedHand::kSecondsByte), FieldType::kU8}},
    {code(C::kPlayedHand), "mode", {off(wire::PlayedHand::kModeByte), FieldType::kU8}},
    {code(C::kPlayedHand), "action", {off(wire::PlayedHand::kActionByte), FieldType::kU8}},
    {code(C::kPlayedHand), "event", {off(wire::PlayedHand::kEventByte), FieldType::kU8}},
    {code(C::kPlayedHand), "count", {off(wire::PlayedHand::kCountByte), FieldType::kU8}},
    {code(C::kPlayedHand), "class", {off(wire::PlayedHand::kClassByte), FieldType::kU8}},
    {code(C::kPlayedHand), "cards", {off(wire::PlayedHand::kCardsByte), FieldType::kCards}},
    {code(C::kTribute), "receiver", {off(wire::kSeatByte), FieldType::kU8}},
    {code(C::kTribute), "kind", {off(Tribute::kKindByte), FieldType::kU8}},
    {code(C::kTribute), "seconds", {off(Tribute::kSecondsByte), FieldType::kU8}},
    {code(C::kTribute), "sub", {off(Tribute::kStageByte), FieldType::kU8}},
    {code(C::kTribute), "giver", {off(Tribute::kGiverByte), FieldType::kU8}},
    {code(C::kTribute), "count", {off(Tribute::kCountByte), FieldType::kU8}},
    {code(C::kTribute), "cards", {off(Tribute::kCardsByte), FieldType::kCards}},
    {code(C::kTribute), "noreturn", {off(Tribute::kNoReturnByte), FieldType::kU8}},
    {code(C::kTribute), "giverids", {off(Tribute::kGiverIdsByte), FieldType::kU8}},
    {code(C::kGameOver), "seats", {off(wire::kSeatByte), FieldType::kU8}},
    {code(C::kGameOver), "case", {off(GameOver::kCaseByte), FieldType::kU8}},
    {code(C::kLogin), "limit", {off(LoginResult::kTimeoutLimitByte), FieldType::kU8}},
    {code(C::kLogin), "turn", {off(LoginResult::kTurnSecondsByte), FieldType::kU8}},
    {code(C::kLogin), "result", {off(LoginResult::kResultByte), FieldType::kU8}},
    {code(C::kChat), "from", {off(wire::kSeatByte), FieldType::kU8}},
    {code(C::kChat), "private", {off(Chat::kPrivateByte), FieldType::kU8}},
    {code(C::kChat), "to", {off(Chat::kAddresseeByte), FieldType::kU8}},
    {code(C::kChat), "voice", {off(Chat::kKindByte), FieldType::kU8}},
    {code(C::kChat), "text", {off(Chat::kTextFirst), FieldType::kText}},
    {code(C::kPlayerLeft), "account", {off(PlayerLeft::kAccountFirst), FieldType::kText}},
    {code(C::kTableClosed), "text", {off(TableClosed::kTextFirst), FieldType::kText}},
    {code(C::kReady), "ready", {off(ReadyNotice::kReadyByte), FieldType::kU8}},
    {code(C::kReady), "account", {off(ReadyNotice::kAccountFirst), FieldType::kText}},
    {code(C::kResume), "result", {off(ResumeResult::kResultByte), FieldType::kU8}},
};

// Names of the fields of packets a client sends.
const Alias kExpectAliases[] = {
    {0, "seat", {off(wire::kSeatByte), FieldType::kU8}},
    {code(C::kDeclaration), "kind", {off(DeclarationAnswer::kKindByte), FieldType::kU8}},
    {code(C::kWork), "id", {off(WorkAnswer::kCardIdByte), FieldType::kU8}},
    {code(C::kWork), "best", {off(WorkAnswer::kCountByte), FieldType::kU8}},
    {code(C::kRevolution), "choice", {off(RevolutionAnswer::kChoiceByte), FieldType::kU8}},
    {code(C::kPlay), "action", {off(Play::kActionByte), FieldType::kU8}},
    {code(C::kPlay), "count", {off(Play::kCountByte), FieldType::kU8}},
    {code(C::kPlay), "class", {off(Play::kClassByte), FieldType::kU8}},
    {code(C::kPlay), "ids", {off(Play::kIdsByte), FieldType::kU8}},
    {code(C::kTribute), "answer", {off(TributeAnswer::kChoiceByte), FieldType::kU8}},
    {code(C::kTribute), "count", {off(TributeAnswer::kCountByte), FieldType::kU8}},
    {code(C::kTribute), "ids", {off(TributeAnswer::kIdsByte), FieldType::kU8}},
    {code(C::kGameOver), "case", {off(LeaveOrContinue::kCaseByte), FieldType::kU8}},
    {code(C::kChat), "private", {off(Chat::kPrivateByte), FieldType::kU8}},
    {code(C::kChat), "voice", {off(Chat::kKindByte), FieldType::kU8}},
    {code(C::kChat), "to", {off(Chat::kAddresseeByte), FieldType::kU8}},
    {code(C::kChat), "text", {off(Chat::kTextFirst), FieldType::kText}},
};

std::optional<int> number(std::string_view s) {
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        s.remove_prefix(2);
        base = 16;
    }
    int v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
    if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    return v;
}

std::optional<Field> resolve(bool outbound, int cmd, const std::string& name) {
    if (!name.empty() && name[0] == '@') {
        std::string off = name.substr(1), type;
        if (auto c = off.find(':'); c != std::string::npos) {
            type = off.substr(c + 1);
            off = off.substr(0, c);
        }
        auto o = number(off);
        if (!o || *o < 0 || *o >= int(wire::kPacketSize)) return std::nullopt;
        Field f{*o, FieldType::kU8};
        if (type == "le32")
            f.type = FieldType::kLE32;
        else if (type == "be32")
            f.type = FieldType::kBE32;
        else if (type == "text")
            f.type = FieldType::kText;
        else if (type == "cards")
            f.type = FieldType::kCards;
        else if (!type.empty())
            return std::nullopt;
        return f;
    }
    auto scan = [&](const auto& table) -> std::optional<Field> {
        for (const Alias& a : table)
            if ((a.command == cmd || a.command == 0) && name == a.name) return a.field;
        return std::nullopt;
    };
    return outbound ? scan(kSendAliases) : scan(kExpectAliases);
}

std::vector<std::string> splitList(const std::string& v) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : v) {
        if (c == ',') {
            out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    out.push_back(cur);
    return out;
}

// Splits a line into words; "quoted text" stays one word (without its quotes).
std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::string cur;
    bool quoted = false, any = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (any) out.push_back(cur);
            cur.clear();
            any = false;
        } else {
            cur += c;
            any = true;
        }
    }
    if (any) out.push_back(cur);
    return out;
}

}  // namespace

std::unique_ptr<Scenario> Scenario::load(const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return nullptr;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    return parse(ss.str(), error);
}

std::unique_ptr<Scenario> Scenario::parse(const std::string& text, std::string& error) {
    auto s = std::make_unique<Scenario>();
    std::istringstream in(text);
    std::string raw;
    int n = 0;
    static const char* verbs[] = {"name",  "hand", "deal",    "send",  "expect", "wait",
                                  "round", "play", "tribute", "close", "drop",   "login"};
    while (std::getline(in, raw)) {
        ++n;
        // A '#' at the start of a line or after a blank, outside quotes, starts a comment
        // ("7S#40" is a card with its CardId).
        bool quoted = false;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '"') quoted = !quoted;
            if (!quoted && raw[i] == '#' && (i == 0 || raw[i - 1] == ' ' || raw[i - 1] == '\t')) {
                raw.erase(i);
                break;
            }
        }
        Line l{n, words(raw)};
        if (l.words.empty()) continue;
        bool known = false;
        for (const char* v : verbs) known = known || l.words[0] == v;
        if (!known) {
            error = "line " + std::to_string(n) + ": unknown verb " + l.words[0];
            return nullptr;
        }
        const std::string& v = l.words[0];
        bool ok = true;
        if (v == "send" || v == "expect") ok = l.words.size() >= 3 && number(l.words[2]);
        if (v == "wait") ok = l.words.size() == 2 && number(l.words[1]);
        if (v == "play") ok = l.words.size() == 2 && number(l.words[1]);
        if (v == "tribute") ok = l.words.size() == 3 && number(l.words[1]) && number(l.words[2]);
        if (v == "drop")
            ok = l.words.size() >= 2 && (l.words.size() == 2 || l.words[2] == "refuse");
        if (v == "login") ok = l.words.size() == 2 && number(l.words[1]);
        if (v == "hand") ok = l.words.size() >= 3 && l.words[1].rfind("seat", 0) == 0;
        if (!ok) {
            error = "line " + std::to_string(n) + ": malformed " + v;
            return nullptr;
        }
        if (v == "hand") {
            std::string cards;
            for (std::size_t i = 2; i < l.words.size(); ++i) cards += l.words[i] + " ";
            if (!rules::parseCards(cards).ok()) {
                error = "line " + std::to_string(n) + ": " + rules::parseCards(cards).error;
                return nullptr;
            }
        }
        if (v == "login") {
            s->loginResult_ = *number(l.words[1]);
            continue;  // not a step of the table: it applies to every login
        }
        s->lines_.push_back(std::move(l));
    }
    return s;
}

void Scenario::attach(Table& t, platform::EventLoop& loop, EventLog& log) {
    table_ = &t;
    loop_ = &loop;
    log_ = &log;
    alarm_ = std::make_unique<Alarm>(loop);
    t.setScript(this);
}

void Scenario::say(const std::string& what) {
    if (log_) log_->line("scenario " + what);
}

int Scenario::firstHuman() const {
    for (int s = 0; s < kSeats; ++s)
        if (table_->isHuman(s)) return s;
    return 0;
}

// "seat3" → 3, "human" → the first human's seat, "all" → -2.
int Scenario::seatWord(const std::string& w) const {
    if (w == "all") return -2;
    if (w == "human") return firstHuman();
    if (w.rfind("seat", 0) == 0) {
        auto n = number(w.substr(4));
        if (n && *n >= 0 && *n < kSeats) return *n;
    }
    return -1;
}

void Scenario::tableReady() {
    say("starts");
    step();
}

void Scenario::finish(bool ok, const std::string& why) {
    if (done_) return;
    done_ = true;
    passed_ = ok;
    alarm_->cancel();
    waiting_ = Waiting::kNothing;
    say(ok ? "passed" : "FAILED " + why);
    if (onDone) onDone(ok);
}

void Scenario::step() {
    if (stepping_ || done_) return;
    stepping_ = true;
    while (!done_ && waiting_ == Waiting::kNothing && pc_ < lines_.size()) {
        const Line& l = lines_[pc_++];
        if (!run(l)) break;
    }
    stepping_ = false;
    if (!done_ && waiting_ == Waiting::kNothing && pc_ >= lines_.size()) finish(true, "");
}

bool Scenario::run(const Line& l) {
    const std::string& v = l.words[0];
    std::string where = "line " + std::to_string(l.number) + ": ";
    if (v == "name") {
        std::string title;
        for (std::size_t i = 1; i < l.words.size(); ++i) title += (i > 1 ? " " : "") + l.words[i];
        say("name " + title);
        return true;
    }
    if (v == "hand") {
        int s = seatWord(l.words[1]);
        if (s < 0) {
            finish(false, where + "bad seat");
            return false;
        }
        std::string cards;
        for (std::size_t i = 2; i < l.words.size(); ++i) cards += l.words[i] + " ";
        fixedHands_[s] = cards;
        return true;
    }
    if (v == "deal") {
        // Seeded hands, with a seat's listed cards put in place of its first cards.
        Rng rng(std::uint64_t(l.number) * 7919 + 17);
        std::array<Cards, kSeats> hands = dealHands(rng);
        for (int s = 0; s < kSeats; ++s) {
            if (fixedHands_[s].empty()) continue;
            Cards listed = rules::parseCards(fixedHands_[s]).cards;
            Cards& h = hands[s];
            for (std::size_t i = 0; i < listed.size() && i < h.size(); ++i) h[i] = listed[i];
            for (std::size_t i = 0; i < h.size(); ++i) h[i] = withCardId(h[i], int(i));
        }
        table_->deal(&hands);
        return true;
    }
    if (v == "wait") {
        waiting_ = Waiting::kTime;
        alarm_->set(*number(l.words[1]) * 1000, [this] {
            waiting_ = Waiting::kNothing;
            step();
        });
        return false;
    }
    if (v == "drop") {
        int s = seatWord(l.words[1]);
        if (s < 0) {
            finish(false, where + "bad seat");
            return false;
        }
        table_->dropLink(s, l.words.size() == 3);
        say("dropped " + l.words[1]);
        return true;
    }
    if (v == "close") {
        std::string text;
        for (std::size_t i = 1; i < l.words.size(); ++i) text += (i > 1 ? " " : "") + l.words[i];
        if (text.empty()) text = "本桌已关闭";
        finish(true, "");
        table_->close(text);
        return false;
    }
    if (v == "round" || v == "play" || v == "tribute") {
        waiting_ = Waiting::kRound;
        say(v);
        if (v == "round")
            table_->runRoundFromDeclarations();
        else if (v == "play")
            table_->startPlayPhase(*number(l.words[1]) % kSeats);
        else
            table_->runTribute(*number(l.words[1]) % kSeats, *number(l.words[2]) % kSeats);
        return false;
    }
    int who = seatWord(l.words[1]);
    int cmd = *number(l.words[2]);
    if (v == "send") {
        if (who == -1) {
            finish(false, where + "bad target " + l.words[1]);
            return false;
        }
        wire::GamePacket p;
        std::string err;
        int target = who == -2 ? firstHuman() : who;
        if (!buildPacket(l, 3, cmd, target, p, err)) {
            finish(false, where + err);
            return false;
        }
        if (who == -2)
            table_->broadcast(p);
        else
            table_->sendTo(who, p);
        say("sent " + std::to_string(cmd) + " to " + l.words[1]);
        return true;
    }
    // expect <from> <cmd> [fields] [within S]
    if (who < 0) {
        finish(false, where + "bad source " + l.words[1]);
        return false;
    }
    int seconds = 30;
    for (std::size_t i = 3; i + 1 < l.words.size(); ++i)
        if (l.words[i] == "within") seconds = number(l.words[i + 1]).value_or(30);
    waiting_ = Waiting::kPacket;
    expectFrom_ = who;
    expectCommand_ = cmd;
    int line = l.number;
    alarm_->set(seconds * 1000, [this, line, cmd] {
        finish(false,
               "line " + std::to_string(line) + ": no command " + std::to_string(cmd) + " in time");
    });
    return false;
}

bool Scenario::intercept(int seat, const wire::GamePacket& p) {
    if (done_ || waiting_ != Waiting::kPacket || seat != expectFrom_) return false;
    if (int(wire::commandOf(p)) != expectCommand_)
        return false;  // keep-alives and the like pass by
    const Line& l = lines_[pc_ - 1];
    std::string err;
    if (!matches(l, 3, expectCommand_, seat, p, err)) {
        finish(false, "line " + std::to_string(l.number) + ": " + err);
        return true;
    }
    say("got " + std::to_string(expectCommand_) + " from seat " + std::to_string(seat));
    alarm_->cancel();
    waiting_ = Waiting::kNothing;
    step();
    return true;
}

void Scenario::roundScored() {
    if (waiting_ != Waiting::kRound) return;
    waiting_ = Waiting::kNothing;
    step();
}

namespace {

// The value items of one field for the packet sent to / received from `seat`.
bool valueBytes(const std::string& value, int seat, const Table& t, std::vector<std::uint8_t>& out,
                std::string& err) {
    for (const std::string& item : splitList(value)) {
        if (item == "me")
            out.push_back(wire::seatBit(seat));
        else if (item.rfind("seat", 0) == 0 && number(item.substr(4)) &&
                 *number(item.substr(4)) < kSeats)
            out.push_back(wire::seatBit(*number(item.substr(4))));
        else if (auto n = number(item); n && *n >= 0 && *n <= 255)
            out.push_back(std::uint8_t(*n));
        else {
            err = "bad value " + item;
            return false;
        }
    }
    (void)t;
    return true;
}

// A card: "7S" (with the CardId of the first such card in the seat's hand), "7S#40"
// (with CardId 40), or a plain number.
bool cardValue(const std::string& item, int seat, const Table& t, CardCode& out, std::string& err) {
    if (auto n = number(item)) {
        out = *n;
        return true;
    }
    std::string tok = item;
    int id = -1;
    if (auto h = tok.find('#'); h != std::string::npos) {
        id = number(tok.substr(h + 1)).value_or(-1);
        tok = tok.substr(0, h);
    }
    auto c = rules::parseCard(tok);
    if (!c) {
        err = "bad card " + item;
        return false;
    }
    if (id >= 0) {
        out = withCardId(*c, id);
        return true;
    }
    for (CardCode h : t.hand(seat))
        if (rules::tableCodeOf(h) == rules::tableCodeOf(*c)) {
            out = h;
            return true;
        }
    err = "seat " + std::to_string(seat) + " holds no " + tok;
    return false;
}

}  // namespace

bool Scenario::buildPacket(const Line& l, std::size_t from, int cmd, int target,
                           wire::GamePacket& p, std::string& err) const {
    p = wire::makePacket(std::uint8_t(cmd));
    bool countSet = false, classSet = false;
    Cards played;
    for (std::size_t i = from; i < l.words.size(); ++i) {
        const std::string& w = l.words[i];
        auto eq = w.find('=');
        if (eq == std::string::npos) {
            err = "expected name=value, got " + w;
            return false;
        }
        std::string name = w.substr(0, eq), value = w.substr(eq + 1);
        auto f = resolve(true, cmd, name);
        if (!f) {
            err = "unknown field " + name + " of command " + std::to_string(cmd);
            return false;
        }
        if (name == "count") countSet = true;
        if (name == "class") classSet = true;
        switch (f->type) {
            case FieldType::kU8: {
                std::vector<std::uint8_t> bytes;
                if (!valueBytes(value, target, *table_, bytes, err)) return false;
                for (std::size_t k = 0; k < bytes.size() && f->offset + k < wire::kPacketSize; ++k)
                    p[f->offset + k] = bytes[k];
                break;
            }
            case FieldType::kLE32:
            case FieldType::kBE32: {
                CardCode c;
                if (!cardValue(value, target, *table_, c, err)) return false;
                if (f->type == FieldType::kLE32)
                    wire::putLe32(p, f->offset, std::uint32_t(c));
                else
                    wire::putBe32(p, f->offset, std::uint32_t(c));
                break;
            }
            case FieldType::kText:
                wire::putGbkText(
                    p, f->offset,
                    f->offset + std::min<std::size_t>(200, wire::kPacketSize - 12 - f->offset) - 1,
                    value);
                break;
            case FieldType::kCards: {
                int k = 0;
                for (const std::string& item : splitList(value)) {
                    CardCode c;
                    if (!cardValue(item, target, *table_, c, err)) return false;
                    wire::putLe32(p, f->offset + 4 * k++, std::uint32_t(c));
                    played.push_back(c);
                }
                break;
            }
            case FieldType::kHand: {
                int s = seatWord(value);
                if (s < 0) {
                    err = "bad seat " + value;
                    return false;
                }
                const Cards& h = table_->hand(s);
                for (std::size_t k = 0; k < h.size() && k < std::size_t(kHandSize); ++k)
                    wire::putLe32(p, f->offset + 4 * k, std::uint32_t(h[k]));
                break;
            }
        }
    }
    // A played hand or a tribute gets its count (and a played hand its class) from its cards.
    if (!played.empty() && !countSet)
        p[cmd == code(C::kPlayedHand) ? wire::PlayedHand::kCountByte : wire::Tribute::kCountByte] =
            std::uint8_t(played.size());
    if (!played.empty() && !classSet && cmd == code(C::kPlayedHand)) {
        Cards codes;
        for (CardCode c : played) codes.push_back(rules::tableCodeOf(c));
        p[wire::PlayedHand::kClassByte] = std::uint8_t(rules::ClassifyPlay(codes));
    }
    return true;
}

bool Scenario::matches(const Line& l, std::size_t from, int cmd, int source,
                       const wire::GamePacket& p, std::string& err) const {
    for (std::size_t i = from; i < l.words.size(); ++i) {
        const std::string& w = l.words[i];
        if (w == "within") {
            ++i;
            continue;
        }
        auto eq = w.find('=');
        if (eq == std::string::npos) {
            err = "expected name=value, got " + w;
            return false;
        }
        std::string name = w.substr(0, eq), value = w.substr(eq + 1);
        auto f = resolve(false, cmd, name);
        if (!f) {
            err = "unknown field " + name + " of command " + std::to_string(cmd);
            return false;
        }
        if (f->type == FieldType::kText) {
            std::string got = wire::gbkToUtf8(wire::getZeroEnded(p, f->offset, 200));
            if (got != value) {
                err = name + " is \"" + got + "\", not \"" + value + "\"";
                return false;
            }
            continue;
        }
        std::vector<std::uint8_t> want;
        if (!valueBytes(value, source, *table_, want, err)) return false;
        for (std::size_t k = 0; k < want.size(); ++k) {
            std::size_t at = f->offset + k;
            if (at >= wire::kPacketSize || p[at] != want[k]) {
                err = name + " byte " + std::to_string(at) + " is " +
                      std::to_string(at < wire::kPacketSize ? p[at] : -1) + ", not " +
                      std::to_string(want[k]);
                return false;
            }
        }
    }
    return true;
}

}  // namespace server
