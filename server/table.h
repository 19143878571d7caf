#pragma once
// One table: six seats, the humans' sessions and the bots, and the game it runs —
// seating, readiness, the deal, the declaration and tribute stages, the play, the
// results, the continue stage, departures and held seats. Everything it sends is built
// by messages.h; everything it decides about cards goes through RoundPlay and the rules.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "server/alarm.h"
#include "server/bot.h"
#include "server/bot_talk.h"
#include "server/event_log.h"
#include "server/options.h"
#include "server/profile.h"
#include "server/round_play.h"
#include "server/scoring.h"
#include "server/session.h"
#include "wire/play.h"
#include "wire/tribute.h"

namespace server {

class Table;

// What a table needs from the server that owns it.
class TableHost {
  public:
    virtual ~TableHost() = default;
    // The session no longer sits at the table (it left, or the table ended).
    virtual void unseated(Session& s, bool tableEnded) = 0;
    // A held seat's time ran out; a reconnect with this token is refused from now on.
    virtual void holdExpired(std::uint16_t token) = 0;
    virtual void tableEnded(Table& t) = 0;
    // Cuts a session's connection as if the link had failed.
    virtual void disconnect(Session& s) = 0;
};

// A scenario drives a table in place of the normal game (scenario.h).
class TableScript {
  public:
    virtual ~TableScript() = default;
    // All six are seated and ready.
    virtual void tableReady() = 0;
    // A packet from a human; true when the script consumed it.
    virtual bool intercept(int seat, const wire::GamePacket& p) = 0;
    // A round the script handed to the normal game has been scored.
    virtual void roundScored() {}
};

struct TableContext {
    platform::EventLoop& loop;
    const Options& options;
    EventLog& log;
    TableHost& host;
};

class Table {
  public:
    enum class Phase { kSeating, kDeclaring, kTribute, kPlaying, kContinue, kScripted, kEnded };

    Table(int id, TableContext ctx, std::uint64_t seed);
    ~Table();

    int id() const { return id_; }
    Phase phase() const { return phase_; }
    bool ended() const { return phase_ == Phase::kEnded; }
    int roundsPlayed() const { return roundsPlayed_; }
    bool hasFreeHumanSeat() const;
    void setScript(TableScript* s) { script_ = s; }

    // Seats a logged-in session on the first free human seat and sends the seat packets.
    void seatHuman(Session& s);
    void receive(Session& s, const wire::GamePacket& p);
    void connectionLost(Session& s);
    // A held seat with this token and account: the session takes it over.
    bool holds(std::uint16_t token, const std::string& account) const;
    bool holdsToken(std::uint16_t token) const;
    void resume(Session& s, std::uint16_t token);
    // Cuts a human's link (scenarios). The seat is held as after any lost link, unless
    // `refuse`: then its reconnect will be refused.
    void dropLink(int seat, bool refuse);
    // Closes the table with a message to every human (22).
    void close(const std::string& message);

    // --- used by scenarios and tests ---
    void sendTo(int seat, const wire::GamePacket& p);
    void broadcast(const wire::GamePacket& p);
    // Deals (or, with `fixed`, gives the listed hands) and sends the deal packets.
    void deal(const std::array<Cards, kSeats>* fixed = nullptr);
    // Runs the normal round from the declaration stage (after a deal).
    void runRoundFromDeclarations();
    // Runs the normal tribute stage (then the play) with these seats.
    void runTribute(int giver, int receiver);
    // Runs the normal play phase now with `leader` leading.
    void startPlayPhase(int leader);
    const Cards& hand(int seat) const;
    bool isHuman(int seat) const;
    const Profile& profile(int seat) const { return seats_[seat].profile; }
    Profile& profile(int seat) { return seats_[seat].profile; }
    const RoundPlay& play() const { return play_; }
    const std::array<int, kSeats>& lastPlaces() const { return lastPlaces_; }

  private:
    struct Seat {
        bool taken = false;
        bool botSeat = false;   // a bot's seat from the start
        bool departed = false;  // its human left during the game; the policy plays on
        bool held = false;      // its human's link dropped; waiting for a reconnect
        std::uint16_t heldToken = 0;
        Session* session = nullptr;
        Profile profile;
        bool ready = false;
        bool answered = false;  // the current stage's answer is in
        bool continues = false;
        int nextCardId = kHandSize;
        // The client shows the cards of a tribute paid or returned for two seconds
        // each and reads no packet meanwhile; its next turn waits that much longer.
        int pauseOwedMs = 0;
        std::unique_ptr<Bot> brain;
        std::unique_ptr<Alarm> holdAlarm;
    };

    std::string tag() const;
    void say(const std::string& what);
    void sayHand(int seat);
    bool connected(int seat) const { return seats_[seat].session != nullptr; }
    // A seat whose decisions the server makes (bot, departed human).
    bool decidedHere(int seat) const { return seats_[seat].botSeat || seats_[seat].departed; }
    int humansPresent() const;
    Profile botProfile(int seat);
    Profile humanProfile(const Session& s);

    void checkStart();
    void beginRound();
    void declarationAnswer(int seat, int kind);
    void finishDeclarations();
    void beginTribute();
    void tributeAnswer(int seat, bool accept);
    void tributeReturn(int seat, const wire::TributeAnswer* answer);
    void play(int seat, const wire::Play& a);
    void armTurn();
    void actForCurrent();
    void apply(const PlayStep& step);
    void sendTurnAgain(int seat);
    wire::GamePacket statePacket() const;
    void scoreRound();
    void continueAnswer(int seat);
    void resolveContinue();
    void depart(int seat, bool announce);
    void takeOverDecision(int seat);
    void endTable();
    int botDelay();
    SeatView viewFor(int seat) const;

    int id_;
    TableContext ctx_;
    Rng rng_;
    BotTalk talk_;  // the bots' quick replies
    void botSays(int seat, TalkMoment moment);
    Phase phase_ = Phase::kSeating;
    TableScript* script_ = nullptr;
    std::array<Seat, kSeats> seats_;
    std::array<Cards, kSeats> hands_;  // before the play phase
    RoundPlay play_;
    bool playStarted_ = false;
    std::array<int, kSeats> lastPlaces_{};
    Alarm step_;  // the one pending step of the table: a bot's move or a deadline
    int roundsPlayed_ = 0;
    int gameRound_ = 0;  // 1..3 within the current game; 0 before its first round
    int declarations_ = 0;
    int leader_ = 0;
    int tributeGiver_ = -1, tributeReceiver_ = -1;
    bool tributeAccepted_ = false;
    std::array<std::uint8_t, 12> noReturn_{};
};

}  // namespace server
