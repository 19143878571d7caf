#pragma once
// What the bots say now and then: a quick reply (a voice phrase of the client's
// first list, by its index in the shipped "chat.ini") after a burn, after going out
// and at the end of a round, so a player alone with bots hears the table talk.
#include <cstdint>
#include <optional>

#include "server/deck.h"
#include "wire/frame.h"

namespace server {

enum class TalkMoment { Burn, WentOut, RoundOver };

class BotTalk {
  public:
    // Its own random sequence, so talking never changes the deals of a seed.
    explicit BotTalk(std::uint64_t seed) : rng_(seed) {}
    // The index of the phrase a bot says at that moment, or nullopt when it keeps
    // quiet this time.
    std::optional<int> phraseFor(TalkMoment moment);
    // Which of the bots speaks at the round's end (0..count-1).
    int pick(int count) { return int(rng_.below(std::uint64_t(count))); }

  private:
    Rng rng_;
};

// The voice phrase packet a bot's seat sends: list 1, item `index`, the partners'
// variant (each client turns it into the opponents' own), the seat's sex digit.
wire::GamePacket botPhrase(int seat, std::uint8_t sex, int index);

}  // namespace server
