#include "server/table.h"

#include <algorithm>

#include "rules/tribute_return.h"
#include "server/messages.h"
#include "wire/chat.h"
#include "wire/departure.h"
#include "wire/play.h"
#include "wire/round_start.h"
#include "wire/tribute.h"

namespace server {
namespace {

constexpr std::uint32_t kStake = 100;
constexpr std::uint64_t kMinGold = kStake * 10;  // below this a player cannot go on
constexpr std::uint64_t kBotGold = 100000;
constexpr int kHoldMs = 90000;
constexpr int kTributeKindReturn = 4;     // the receiver returns as many cards
constexpr int kClientCardPauseMs = 2000;  // a client's pause over moving cards

const char* kBotNames[] = {"小明", "阿强", "老王", "翠花", "大刘",
                           "小芳", "阿杰", "晓雯", "铁柱", "春燕"};
const char* kPlaces[] = {"北京", "上海", "广州", "深圳", "杭州", "成都", "武汉", "南京"};

std::string seatsText(const std::array<int, kSeats>& v) {
    std::string s;
    for (int i = 0; i < kSeats; ++i) s += (i ? "," : "") + std::to_string(v[i]);
    return s;
}

}  // namespace

Table::Table(int id, TableContext ctx, std::uint64_t seed)
    : id_(id), ctx_(ctx), rng_(seed), talk_(seed ^ 0x7A1C5EEDu), step_(ctx.loop) {
    noReturn_ = {15, 16, 17};  // twos and jokers are never given back
    int firstBot = kSeats - ctx_.options.bots;
    for (int s = 0; s < kSeats; ++s) {
        seats_[s].brain = makeBot(rng_.next());
        seats_[s].holdAlarm = std::make_unique<Alarm>(ctx_.loop);
        if (s >= firstBot) {
            seats_[s].taken = true;
            seats_[s].botSeat = true;
            seats_[s].ready = true;
            seats_[s].profile = botProfile(s);
        }
    }
    say("open bots " + std::to_string(ctx_.options.bots));
}

Table::~Table() = default;

std::string Table::tag() const { return "table " + std::to_string(id_); }
void Table::say(const std::string& what) { ctx_.log.line(tag() + " " + what); }

// The seat's hand as the table holds it now, written before the packet that tells
// the seat of the change goes out.
void Table::sayHand(int seat) {
    say("seat " + std::to_string(seat) + " hand " + cardsText(hand(seat)));
}

Profile Table::botProfile(int seat) {
    Profile p;
    p.bot = true;
    p.account = "bot" + std::to_string(id_) + "s" + std::to_string(seat);
    if (p.account.size() > 16)
        p.account = "bot" + std::to_string(rng_.below(1000000)) + "s" + std::to_string(seat);
    p.nickname = std::string(kBotNames[rng_.below(10)]) + std::to_string(seat);
    p.sex = rng_.below(2) ? 1 : 0;
    p.avatar = (p.sex ? "m" : "w") + std::to_string(1 + rng_.below(10));
    p.location = kPlaces[rng_.below(8)];
    p.points = rng_.below(5000);
    p.credit = 100;
    p.gold = 20000 + rng_.below(180000);
    p.level = 1 + int(rng_.below(10));
    p.loginCount = 1 + std::uint32_t(rng_.below(500));
    p.title = "机器人";
    return p;
}

Profile Table::humanProfile(const Session& s) {
    Profile p;
    p.account = s.account;
    p.nickname = s.account;
    p.sex = 1;
    p.avatar = "m1";
    p.location = "本地";
    p.gold = 50000;
    p.title = "新手";
    return p;
}

bool Table::hasFreeHumanSeat() const {
    if (phase_ != Phase::kSeating) return false;
    for (const Seat& s : seats_)
        if (!s.taken) return true;
    return false;
}

bool Table::isHuman(int seat) const { return seats_[seat].taken && !seats_[seat].botSeat; }

int Table::humansPresent() const {
    int n = 0;
    for (const Seat& s : seats_)
        if (s.taken && !s.botSeat && !s.departed && (s.session || s.held)) ++n;
    return n;
}

const Cards& Table::hand(int seat) const { return playStarted_ ? play_.hand(seat) : hands_[seat]; }

void Table::sendTo(int seat, const wire::GamePacket& p) {
    if (seat >= 0 && seat < kSeats && seats_[seat].session) seats_[seat].session->send(p);
}

void Table::broadcast(const wire::GamePacket& p) {
    for (int s = 0; s < kSeats; ++s) sendTo(s, p);
}

// ---------------------------------------------------------------- seating

void Table::seatHuman(Session& s) {
    int k = 0;
    while (k < kSeats && seats_[k].taken) ++k;
    if (k == kSeats) return;
    Seat& seat = seats_[k];
    seat = Seat{};
    seat.brain = makeBot(rng_.next());
    seat.holdAlarm = std::make_unique<Alarm>(ctx_.loop);
    seat.taken = true;
    seat.session = &s;
    seat.profile = humanProfile(s);
    s.table = this;
    s.seat = k;
    say("seat " + std::to_string(k) + " human " + s.account);
    // The newcomer learns every seated player, himself included; the others learn him.
    for (int j = 0; j < kSeats; ++j)
        if (seats_[j].taken) s.send(seatPacket(seats_[j].profile, j, k, seats_[j].ready));
    for (int j = 0; j < kSeats; ++j)
        if (j != k && seats_[j].session)
            seats_[j].session->send(seatPacket(seat.profile, k, j, false));
    checkStart();
}

void Table::checkStart() {
    if (phase_ != Phase::kSeating) return;
    for (const Seat& s : seats_)
        if (!s.taken || !s.ready) return;
    if (script_) {
        phase_ = Phase::kScripted;
        say("scenario starts");
        script_->tableReady();
        return;
    }
    beginRound();
}

// A bot says a quick reply now and then; every human at the table hears it. A
// scenario's table keeps to its script.
void Table::botSays(int seat, TalkMoment moment) {
    if (script_) return;
    std::optional<int> phrase = talk_.phraseFor(moment);
    if (!phrase) return;
    broadcast(botPhrase(seat, seats_[seat].profile.sex, *phrase));
    say("seat " + std::to_string(seat) + " voice");
}

// ---------------------------------------------------------------- packets in

void Table::receive(Session& sess, const wire::GamePacket& p) {
    int seat = sess.seat;
    if (seat < 0 || seat >= kSeats || seats_[seat].session != &sess || phase_ == Phase::kEnded)
        return;
    const wire::Command cmd = wire::commandOf(p);
    if (cmd == wire::Command::kChat) {
        wire::GamePacket relay = chatRelay(p, seat);
        broadcast(relay);
        const bool voice = wire::Chat::decode(relay).kind == wire::ChatKind::kVoice;
        say("seat " + std::to_string(seat) + (voice ? " voice" : " chat"));
        return;
    }
    if (cmd == wire::Command::kGameOver &&
        wire::LeaveOrContinue::decode(p).which == wire::GameOverCase::kLeave) {
        say("seat " + std::to_string(seat) + " leaves");
        depart(seat, true);
        return;
    }
    if (script_ && phase_ == Phase::kScripted && script_->intercept(seat, p)) return;
    switch (cmd) {
        case wire::Command::kGameOver:
            if (wire::LeaveOrContinue::decode(p).which != wire::GameOverCase::kContinue) return;
            if (phase_ == Phase::kSeating && !seats_[seat].ready) {
                seats_[seat].ready = true;
                say("seat " + std::to_string(seat) + " ready");
                broadcast(readyNotice(seats_[seat].profile.account));
                checkStart();
            } else if (phase_ == Phase::kContinue) {
                continueAnswer(seat);
            }
            return;
        case wire::Command::kDeclaration:
            if (phase_ == Phase::kDeclaring)
                declarationAnswer(
                    seat, wire::DeclarationAnswer::decode(p).kind == wire::DeclareKind::kPreDeclare
                              ? 1
                              : 0);
            return;
        case wire::Command::kTribute: {
            if (phase_ != Phase::kTribute) return;
            const wire::TributeAnswer a = wire::TributeAnswer::decode(p);
            const bool acceptOrDecline = a.choice == wire::TributeChoice::kAccept ||
                                         a.choice == wire::TributeChoice::kDecline;
            if (!tributeAccepted_ && seat == tributeReceiver_ && acceptOrDecline)
                tributeAnswer(seat, a.choice == wire::TributeChoice::kAccept);
            else if (tributeAccepted_ && seat == tributeReceiver_ &&
                     a.choice == wire::TributeChoice::kReturn)
                tributeReturn(seat, &a);
            return;
        }
        case wire::Command::kPlay:
            if (phase_ == Phase::kPlaying) play(seat, wire::Play::decode(p));
            return;
        default:
            return;  // keep-alive and anything unknown: nothing to do
    }
}

// ---------------------------------------------------------------- the round

int Table::botDelay() {
    return rng_.between(ctx_.options.botDelayMinMs(), ctx_.options.botDelayMaxMs());
}

void Table::deal(const std::array<Cards, kSeats>* fixed) {
    hands_ = fixed ? *fixed : dealHands(rng_);
    for (int s = 0; s < kSeats; ++s) {
        sortHand(hands_[s]);
        seats_[s].nextCardId = kHandSize;
        seats_[s].pauseOwedMs = 0;
    }
    play_ = RoundPlay{};
    playStarted_ = false;
    for (int s = 0; s < kSeats; ++s) {
        sayHand(s);
        sendTo(s, dealPacket(hands_[s]));
    }
    say("round " + std::to_string(roundsPlayed_ + 1) + " deal");
}

void Table::beginRound() {
    if (gameRound_ >= 3) gameRound_ = 0;
    if (gameRound_ == 0) tributeGiver_ = tributeReceiver_ = -1;  // a new game owes nothing
    ++gameRound_;
    for (Seat& s : seats_) s.ready = false;
    deal();
    runRoundFromDeclarations();
}

void Table::runRoundFromDeclarations() {
    phase_ = Phase::kDeclaring;
    declarations_ = 0;
    int seconds = ctx_.options.turnSeconds;
    for (int s = 0; s < kSeats; ++s) {
        seats_[s].answered = false;
        if (!decidedHere(s)) sendTo(s, declarePrompt(1, seconds));
    }
    for (int s = 0; s < kSeats; ++s)
        if (decidedHere(s))
            declarationAnswer(s, seats_[s].brain->wantsToPreDeclare(hands_[s]) ? 1 : 0);
    if (phase_ == Phase::kDeclaring)
        step_.set(seconds * 1000 + ctx_.options.graceMs(), [this] {
            // Whoever has not answered by now declines.
            for (int s = 0; s < kSeats; ++s)
                if (!seats_[s].answered) {
                    say("seat " + std::to_string(s) + " timed out");
                    declarationAnswer(s, 0);
                }
        });
}

void Table::declarationAnswer(int seat, int kind) {
    if (seats_[seat].answered) return;
    seats_[seat].answered = true;
    if (kind == 1) {
        ++declarations_;
        say("seat " + std::to_string(seat) + " pre-declares");
        broadcast(declareAnnouncement(seat, 1));
    }
    for (const Seat& s : seats_)
        if (!s.answered) return;
    finishDeclarations();
}

void Table::finishDeclarations() {
    step_.cancel();
    if (tributeGiver_ >= 0 && tributeReceiver_ >= 0)
        beginTribute();
    else
        startPlayPhase(leader_);
}

// Fall tribute: the last place of the previous round pays his best card to the first
// place, who may decline; accepted, he returns one card under the return rules.
void Table::beginTribute() {
    phase_ = Phase::kTribute;
    tributeAccepted_ = false;
    int seconds = ctx_.options.turnSeconds;
    say("tribute offer seat " + std::to_string(tributeGiver_) + " to seat " +
        std::to_string(tributeReceiver_));
    broadcast(tributeOffer(tributeReceiver_, tributeGiver_, seconds));
    int r = tributeReceiver_;
    if (decidedHere(r))
        step_.set(botDelay(), [this, r] { tributeAnswer(r, seats_[r].brain->acceptsTribute()); });
    else
        step_.set(seconds * 1000 + ctx_.options.graceMs(), [this, r] {
            say("seat " + std::to_string(r) + " timed out");
            tributeAnswer(r, false);
        });
}

void Table::runTribute(int giver, int receiver) {
    tributeGiver_ = giver;
    tributeReceiver_ = receiver;
    beginTribute();
}

void Table::tributeAnswer(int seat, bool accept) {
    step_.cancel();
    int g = tributeGiver_, r = tributeReceiver_;
    if (!accept) {
        say("seat " + std::to_string(seat) + " declines the tribute");
        tributeGiver_ = tributeReceiver_ = -1;
        startPlayPhase(leader_);
        return;
    }
    tributeAccepted_ = true;
    // The giver's best card (hands are sorted high to low).
    Cards& gh = hands_[g];
    CardCode card = gh.front();
    gh.erase(gh.begin());
    std::uint8_t oldId = std::uint8_t(rules::cardIdOf(card));
    CardCode given = withCardId(card, seats_[r].nextCardId++);
    hands_[r].push_back(given);
    sortHand(hands_[r]);
    int seconds = ctx_.options.turnSeconds;
    say("tribute seat " + std::to_string(g) + " pays " + cardText(card) + " to seat " +
        std::to_string(r));
    Cards cards{given};
    std::uint8_t ids[1] = {oldId};
    sayHand(g);
    sayHand(r);
    seats_[g].pauseOwedMs += kClientCardPauseMs;
    seats_[r].pauseOwedMs += kClientCardPauseMs;
    broadcast(tributeMade(r, g, kTributeKindReturn, seconds, cards, ids, noReturn_));
    if (decidedHere(r))
        step_.set(botDelay(), [this, r] { tributeReturn(r, nullptr); });
    else
        step_.set(seconds * 1000 + ctx_.options.graceMs() + seats_[r].pauseOwedMs,
                  [this, r] { tributeReturn(r, nullptr); });
}

void Table::tributeReturn(int seat, const wire::TributeAnswer* answer) {
    step_.cancel();
    int g = tributeGiver_;
    Cards& rh = hands_[seat];
    Cards chosen;
    if (answer) {
        // Accepted when the client's own checks allow it: a valid manual choice, or
        // what its countdown would choose.
        auto it = std::find_if(rh.begin(), rh.end(),
                               [&](CardCode c) { return rules::cardIdOf(c) == answer->ids[0]; });
        if (answer->count == 1 && it != rh.end()) {
            int pos = int(it - rh.begin());
            bool manual =
                rules::checkManualReturn(rh, std::span<const int>(&pos, 1), 1, noReturn_).ok;
            Cards automatic = automaticReturn(rh, 1, noReturn_);
            if (manual || (!automatic.empty() && automatic[0] == *it)) chosen.push_back(*it);
        }
        if (chosen.empty())
            say("seat " + std::to_string(seat) + " return refused, chosen automatically");
    }
    if (chosen.empty()) chosen = automaticReturn(rh, 1, noReturn_);
    Cards moved;
    for (CardCode c : chosen) {
        auto it = std::find(rh.begin(), rh.end(), c);
        if (it == rh.end()) continue;
        rh.erase(it);
        CardCode back = withCardId(c, seats_[g].nextCardId++);
        hands_[g].push_back(back);
        moved.push_back(back);
    }
    sortHand(hands_[g]);
    say("tribute seat " + std::to_string(seat) + " returns " + cardsText(moved) + " to seat " +
        std::to_string(g));
    sayHand(seat);
    sayHand(g);
    seats_[seat].pauseOwedMs = 0;  // its return came (or its wait for it is over)
    seats_[g].pauseOwedMs += kClientCardPauseMs;
    broadcast(returnMade(g, moved));
    tributeGiver_ = tributeReceiver_ = -1;
    startPlayPhase(leader_);
}

void Table::startPlayPhase(int leader) {
    phase_ = Phase::kPlaying;
    play_.start(hands_, leader);
    playStarted_ = true;
    say("play leader seat " + std::to_string(leader));
    PlayedHand h;
    h.actor = leader;
    h.next = leader;
    h.seconds = ctx_.options.turnSeconds;
    h.mode = wire::TurnMode::kLead;
    h.action = wire::PlayedAction::kBegin;
    broadcast(playedHandPacket(h));
    armTurn();
}

SeatView Table::viewFor(int seat) const {
    SeatView v;
    v.seat = seat;
    v.hand = play_.hand(seat);
    v.leading = play_.mode() == wire::TurnMode::kLead;
    v.tableClass = play_.tableClass();
    v.tableCards = play_.tableCards();
    v.tableOwner = play_.tableOwner();
    for (int s = 0; s < kSeats; ++s) v.cardCounts[s] = int(play_.hand(s).size());
    return v;
}

void Table::armTurn() {
    if (play_.over()) return;
    int s = play_.current();
    int ms = decidedHere(s)
                 ? botDelay()
                 : ctx_.options.turnSeconds * 1000 + ctx_.options.graceMs() + seats_[s].pauseOwedMs;
    step_.set(ms, [this] { actForCurrent(); });
}

// The seat's policy decides: a bot's move, or the answer for a human whose countdown
// ran out without a word from his client.
void Table::actForCurrent() {
    if (phase_ != Phase::kPlaying || play_.over()) return;
    int s = play_.current();
    if (!decidedHere(s)) say("seat " + std::to_string(s) + " timed out");
    std::optional<Cards> choice = seats_[s].brain->choosePlay(viewFor(s));
    std::optional<PlayStep> step;
    if (choice) step = play_.playCards(s, *choice);
    if (!step && play_.mode() != wire::TurnMode::kLead) step = play_.pass(s);
    if (!step && play_.mode() == wire::TurnMode::kLead)
        step = play_.playCards(s, leadProposal(play_.hand(s)));
    if (step) apply(*step);
}

void Table::play(int seat, const wire::Play& a) {
    if (seat != play_.current()) return;
    std::optional<PlayStep> step;
    if (a.action == wire::PlayAction::kPlayCards) {
        step = play_.play(seat, std::span<const std::uint8_t>(a.ids.data(), a.count));
    } else if (a.action == wire::PlayAction::kPass) {
        step = play_.pass(seat);
    }
    if (!step) {
        say("seat " + std::to_string(seat) + " refused play");
        sendTurnAgain(seat);
        return;
    }
    apply(*step);
}

void Table::apply(const PlayStep& st) {
    step_.cancel();
    seats_[st.actor].pauseOwedMs = 0;  // the seat's client has caught up
    std::string who = "seat " + std::to_string(st.actor);
    if (st.action == wire::PlayedAction::kPass)
        say(who + " passes");
    else
        say(who + " plays " + cardsText(st.cards) + " class " + std::to_string(int(st.playClass)));
    if (st.action == wire::PlayedAction::kWentOut)
        say(who + " out place " + std::to_string(st.place));
    if (!st.cards.empty()) sayHand(st.actor);
    PlayedHand h;
    h.actor = st.actor;
    h.next = st.roundOver ? st.actor : st.next;
    h.seconds = st.roundOver ? 0 : ctx_.options.turnSeconds;
    h.mode = st.mode;
    h.action = st.action;
    h.playClass = st.playClass;
    h.cards = st.cards;
    broadcast(playedHandPacket(h));
    if (seats_[st.actor].botSeat && st.action == wire::PlayedAction::kBurn)
        botSays(st.actor, TalkMoment::Burn);
    if (seats_[st.actor].botSeat && st.action == wire::PlayedAction::kWentOut)
        botSays(st.actor, TalkMoment::WentOut);
    if (st.roundOver) {
        PlayedHand end;
        end.actor = st.actor;
        end.next = st.actor;
        end.action = wire::PlayedAction::kRoundOver;
        broadcast(playedHandPacket(end));
        scoreRound();
        return;
    }
    armTurn();
}

// The table as it stands, for a client that must see it again: the play to beat and
// whose turn it is, under an action the client shows nothing special for.
wire::GamePacket Table::statePacket() const {
    PlayedHand h;
    h.actor = play_.tableOwner() >= 0 ? play_.tableOwner() : play_.current();
    h.next = play_.current();
    h.seconds = ctx_.options.turnSeconds;
    h.mode = play_.mode();
    h.action = wire::PlayedAction::kBegin;
    if (play_.mode() != wire::TurnMode::kLead) {
        h.playClass = play_.tableClass();
        h.cards = play_.tableCards();
    }
    return playedHandPacket(h);
}

// A refused play: the seat is offered the same turn again. Naming the seat itself as
// the actor shows nothing new at its client.
void Table::sendTurnAgain(int seat) {
    PlayedHand h;
    h.actor = seat;
    h.next = seat;
    h.seconds = ctx_.options.turnSeconds;
    h.mode = play_.mode();
    h.action = wire::PlayedAction::kBegin;
    sendTo(seat, playedHandPacket(h));
}

void Table::scoreRound() {
    RoundFacts f;
    f.places = play_.finalPlaces();
    for (int s = 0; s < kSeats; ++s) {
        f.held[s] = play_.hand(s);
        f.levelsBefore[s] = seats_[s].profile.level;
    }
    f.declarations = declarations_;
    f.stake = kStake;
    f.tributeFollows = gameRound_ < 3;
    RoundResult r = server::scoreRound(f);
    lastPlaces_ = f.places;
    tributeGiver_ = tributeReceiver_ = -1;
    for (int s = 0; s < kSeats; ++s) {
        Profile& p = seats_[s].profile;
        const SeatResult& sr = r.seats[s];
        if (sr.outcome == 1) {
            p.gold += sr.amount;
            ++p.winCount;
        } else if (sr.outcome == 2) {
            p.gold -= std::min(p.gold, sr.amount);
            if (sr.amount) ++p.lossCount;
        }
        p.level = sr.levelAfter;
        if (sr.place == 1) leader_ = s;
        if (sr.fallTributeCards > 0) {
            tributeReceiver_ = s;
            tributeGiver_ = sr.fallTributePayer;
        }
    }
    if (r.sweep) gameRound_ = 3;  // 串三户 ends the game
    ++roundsPlayed_;
    for (const wire::GamePacket& p : resultPackets(r)) broadcast(p);
    std::vector<int> bots;
    for (int s = 0; s < kSeats; ++s)
        if (seats_[s].botSeat) bots.push_back(s);
    if (!bots.empty())
        botSays(bots[std::size_t(talk_.pick(int(bots.size())))], TalkMoment::RoundOver);
    say("round " + std::to_string(roundsPlayed_) + " over places " + seatsText(f.places) +
        " winners " + (r.winningTeam == 0 ? "even" : "odd") + " amount " +
        std::to_string(r.seats[0].amount) + (r.sweep ? " sweep" : ""));
    for (int s = 0; s < kSeats; ++s)
        if (decidedHere(s) && seats_[s].profile.gold < kMinGold) {
            seats_[s].profile.gold = kBotGold;  // the house tops its bots up
            say("seat " + std::to_string(s) + " bot gold topped up");
        }
    if (script_ && phase_ != Phase::kEnded) {
        phase_ = Phase::kScripted;
        script_->roundScored();
        return;
    }
    phase_ = Phase::kContinue;
    for (int s = 0; s < kSeats; ++s) {
        seats_[s].continues = decidedHere(s) && !seats_[s].departed;
        seats_[s].answered = decidedHere(s);
    }
    step_.set(ctx_.options.continueSeconds() * 1000 + ctx_.options.graceMs(),
              [this] { resolveContinue(); });
    for (const Seat& s : seats_)
        if (!s.answered) return;
    step_.set(0, [this] { resolveContinue(); });
}

void Table::continueAnswer(int seat) {
    if (seats_[seat].answered) return;
    seats_[seat].answered = seats_[seat].continues = true;
    say("seat " + std::to_string(seat) + " continues");
    for (const Seat& s : seats_)
        if (!s.answered) return;
    resolveContinue();
}

void Table::resolveContinue() {
    if (phase_ != Phase::kContinue) return;
    step_.cancel();
    if (ctx_.options.rounds > 0 && roundsPlayed_ >= ctx_.options.rounds) {
        close("本桌已打完" + std::to_string(roundsPlayed_) + "回合，谢谢！");
        return;
    }
    std::uint8_t staying = 0, continuing = 0;
    bool shortage = false;
    for (int s = 0; s < kSeats; ++s) {
        if (seats_[s].profile.gold >= kMinGold)
            staying |= wire::seatBit(s);
        else
            shortage = true;
        if (seats_[s].continues) continuing |= wire::seatBit(s);
    }
    if (shortage) {
        say("gold shortage stay " + std::to_string(staying));
        broadcast(goldShortage(staying));
        endTable();
        return;
    }
    broadcast(continueOutcome(continuing));
    if (continuing != 0x3F) {
        say("not all continue " + std::to_string(continuing));
        endTable();
        return;
    }
    say("all continue");
    step_.set(ctx_.options.fast ? 0 : 1000, [this] { beginRound(); });
}

// ---------------------------------------------------------------- departures

void Table::depart(int seat, bool announce) {
    Seat& s = seats_[seat];
    if (!s.taken || s.botSeat || s.departed) return;
    std::string account = s.profile.account;
    if (Session* sess = s.session) {
        s.session = nullptr;
        sess->table = nullptr;
        sess->seat = -1;
        ctx_.host.unseated(*sess, false);
    }
    s.held = false;
    s.holdAlarm->cancel();
    if (announce) broadcast(playerLeft(account));
    if (phase_ == Phase::kSeating) {
        s.taken = false;
        s.ready = false;
        if (humansPresent() == 0) endTable();
        return;
    }
    s.departed = true;  // the policy plays the seat to the end of the round
    if (humansPresent() == 0) {
        endTable();
        return;
    }
    takeOverDecision(seat);
}

// A seat that has just become the server's to decide: whatever it still owes is
// answered now rather than at the end of a countdown nobody watches.
void Table::takeOverDecision(int seat) {
    Seat& s = seats_[seat];
    switch (phase_) {
        case Phase::kDeclaring:
            declarationAnswer(seat, 0);
            break;
        case Phase::kTribute:
            if (seat == tributeReceiver_) {
                if (!tributeAccepted_)
                    step_.set(botDelay(), [this, seat] {
                        tributeAnswer(seat, seats_[seat].brain->acceptsTribute());
                    });
                else
                    step_.set(botDelay(), [this, seat] { tributeReturn(seat, nullptr); });
            }
            break;
        case Phase::kPlaying:
            if (play_.current() == seat) armTurn();
            break;
        case Phase::kContinue:
            s.answered = true;
            s.continues = false;
            resolveContinue();
            break;
        default:
            break;
    }
}

void Table::connectionLost(Session& sess) {
    int seat = sess.seat;
    if (seat < 0 || seat >= kSeats || seats_[seat].session != &sess) return;
    bool inRound = phase_ == Phase::kDeclaring || phase_ == Phase::kTribute ||
                   phase_ == Phase::kPlaying || phase_ == Phase::kScripted;
    if (!inRound) {
        say("seat " + std::to_string(seat) + " gone");
        depart(seat, true);
        return;
    }
    Seat& s = seats_[seat];
    s.session = nullptr;
    s.held = true;
    s.heldToken = sess.token;
    sess.table = nullptr;
    sess.seat = -1;
    ctx_.host.unseated(sess, false);
    say("seat " + std::to_string(seat) + " held");
    s.holdAlarm->set(kHoldMs, [this, seat] {
        Seat& h = seats_[seat];
        if (!h.held) return;
        say("seat " + std::to_string(seat) + " hold expired");
        std::uint16_t token = h.heldToken;
        depart(seat, true);
        ctx_.host.holdExpired(token);
    });
}

bool Table::holds(std::uint16_t token, const std::string& account) const {
    for (const Seat& s : seats_)
        if (s.held && s.heldToken == token && s.profile.account == account) return true;
    return false;
}

bool Table::holdsToken(std::uint16_t token) const {
    for (const Seat& s : seats_)
        if (s.held && s.heldToken == token) return true;
    return false;
}

void Table::resume(Session& sess, std::uint16_t token) {
    for (int k = 0; k < kSeats; ++k) {
        Seat& s = seats_[k];
        if (!s.held || s.heldToken != token) continue;
        s.held = false;
        s.holdAlarm->cancel();
        s.session = &sess;
        sess.token = token;
        sess.table = this;
        sess.seat = k;
        ++s.profile.dropCount;
        say("seat " + std::to_string(k) + " resumed");
        sess.send(resumeResult(true));
        // The client stops its keep-alive on 29; the login result starts it again.
        sess.send(loginResult(1, 3, ctx_.options.turnSeconds));
        if (phase_ == Phase::kPlaying) {
            sess.send(statePacket());
        } else if (phase_ == Phase::kDeclaring && !s.answered) {
            sess.send(declarePrompt(1, ctx_.options.turnSeconds));
        } else if (phase_ == Phase::kTribute && k == tributeReceiver_ && !tributeAccepted_) {
            sess.send(tributeOffer(tributeReceiver_, tributeGiver_, ctx_.options.turnSeconds));
        }
        return;
    }
}

void Table::dropLink(int seat, bool refuse) {
    if (seat < 0 || seat >= kSeats || !seats_[seat].session) return;
    Session* sess = seats_[seat].session;
    std::uint16_t token = sess->token;
    ctx_.host.disconnect(*sess);
    if (refuse && seats_[seat].held) {
        seats_[seat].held = false;
        seats_[seat].holdAlarm->cancel();
        ctx_.host.holdExpired(token);
        say("seat " + std::to_string(seat) + " will be refused");
    }
}

void Table::close(const std::string& message) {
    if (phase_ == Phase::kEnded) return;
    say("closed: " + message);
    broadcast(tableClosed(message));
    endTable();
}

void Table::endTable() {
    if (phase_ == Phase::kEnded) return;
    phase_ = Phase::kEnded;
    step_.cancel();
    for (int k = 0; k < kSeats; ++k) {
        Seat& s = seats_[k];
        s.holdAlarm->cancel();
        if (Session* sess = s.session) {
            s.session = nullptr;
            sess->table = nullptr;
            sess->seat = -1;
            ctx_.host.unseated(*sess, true);
        }
    }
    say("ended after " + std::to_string(roundsPlayed_) + " rounds");
    ctx_.host.tableEnded(*this);
}

}  // namespace server
