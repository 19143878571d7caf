#pragma once
// The play phase of one round as pure state: whose turn it is, the play to beat, the
// passes of the trick, who has gone out and in which place. It checks every play with
// the rules exactly as the client does and knows nothing of packets or time.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "server/deck.h"
#include "wire/commands.h"

namespace server {

// The turn modes and actions are the played-hand command's (wire/commands.h).
using wire::PlayedAction;
using wire::TurnMode;

// What one accepted step did, in the terms of the played-hand command.
struct PlayStep {
    int actor = -1;
    PlayedAction action = PlayedAction::kPass;
    Cards cards;  // what was played (with the actor's CardIds)
    rules::PlayClass playClass = rules::PlayClass::kNone;
    int next = -1;  // the seat to act next; -1 when the round is over
    TurnMode mode = TurnMode::kNone;
    int place = 0;  // the actor's finishing place when he went out
    bool roundOver = false;
};

class RoundPlay {
  public:
    void start(std::array<Cards, kSeats> hands, int leader);

    bool over() const { return over_; }
    int current() const { return current_; }
    TurnMode mode() const { return mode_; }
    rules::PlayClass tableClass() const { return tableClass_; }
    const Cards& tableCards() const { return tableCards_; }
    int tableOwner() const { return owner_; }
    const Cards& hand(int seat) const { return hands_[seat]; }
    int place(int seat) const { return places_[seat]; }
    int outCount() const { return outCount_; }

    // A play by CardIds. Refused (nothing returned) when it is not the seat's turn, an
    // id is repeated or not in the hand, or the rules refuse the cards.
    std::optional<PlayStep> play(int seat, std::span<const std::uint8_t> ids);
    // The same by cards of the hand (bots).
    std::optional<PlayStep> playCards(int seat, std::span<const CardCode> cards);
    // A pass; refused while the seat leads.
    std::optional<PlayStep> pass(int seat);

    // After the round: every seat's place, the seats that did not go out ranked after
    // the others by fewer cards held, then by seat order from the last one out.
    std::array<int, kSeats> finalPlaces() const;

  private:
    int nextWithCards(int from) const;
    bool roundEnds() const;
    int seatsWithCards() const;

    std::array<Cards, kSeats> hands_{};
    std::array<int, kSeats> places_{};
    int outCount_ = 0;
    int lastOut_ = 0;
    int current_ = 0;
    TurnMode mode_ = TurnMode::kLead;
    rules::PlayClass tableClass_ = rules::PlayClass::kNone;
    Cards tableCards_;
    int owner_ = -1;
    int passes_ = 0;
    bool over_ = true;
};

}  // namespace server
