#pragma once
// The command codes of both directions (byte 3) and the sub-codes that tell the
// variants of a command apart. Every enum has a fixed byte as its type, so a value
// read from a packet keeps its byte even when it is none of the listed ones (a
// handler that ignores unknown values sees exactly what came).
#include <cstdint>

#include "wire/frame.h"

namespace wire {

enum class Command : std::uint8_t {
    kDeal = 1,          // in: 36 cards for the local player
    kDeclaration = 2,   // in: prompt or announcement; out: the answer
    kWork = 3,          // in: prompt or announcement; out: the answer
    kExchange = 4,      // in: buy or sell a three
    kRevolution = 5,    // in: prompts and announcements; out: the answer
    kPlayedHand = 6,    // in: a play and what follows it
    kPlay = 7,          // out: pass, play cards, yield, take over the lead
    kTribute = 8,       // in: offer, tribute made, return made; out: the answers
    kResult = 9,        // in: a third of the round result
    kGameOver = 16,     // in: continue outcome or gold shortage; out: leave or continue
    kLogin = 18,        // in: the login result; out: the login
    kChat = 19,         // both: a chat line or a voice phrase
    kSeat = 20,         // in: one player's seat and profile
    kPlayerLeft = 21,   // in: a player left the table
    kTableClosed = 22,  // in: the server closes the table with a message
    kReady = 23,        // in: a player is ready for the next game
    kKeepAlive = 24,    // out: every five seconds
    kResume = 29,       // in: the reconnect result
};

inline Command commandOf(const GamePacket& p) { return static_cast<Command>(p[kCommandByte]); }
inline GamePacket makePacket(Command command, std::uint8_t seat = 0) {
    return makePacket(static_cast<std::uint8_t>(command), seat);
}

// Command 2, byte 8: which declaration. The answer's decline is 0.
enum class DeclareKind : std::uint8_t { kDecline = 0, kPreDeclare = 1, kOpen = 2 };
// Command 2, byte 11 (inbound).
enum class DeclarationStage : std::uint8_t { kPrompt = 0, kAnnouncement = 1 };
// Command 3, byte 15 (inbound): 1 the prompt, anything else the announcement.
enum class WorkStage : std::uint8_t { kAnnouncement = 0, kPrompt = 1 };
// Command 4, byte 8.
enum class ExchangeKind : std::uint8_t { kBuy = 1, kSell = 2 };
// Command 5, byte 15 (inbound).
enum class RevolutionStage : std::uint8_t {
    kRevolutionPrompt = 1,
    kHeadPrompt = 2,
    kDoubleRevolution = 3,  // two revolted: the cards are dealt again
    kRevolted = 4,
    kHead = 5,
    kNoHead = 6,
};
// Command 5, byte 8 (outbound).
enum class RevolutionChoice : std::uint8_t { kRevolt = 0, kDecline = 1, kHead = 2, kNoHead = 3 };

// Command 6, byte 15: what the actor did.
enum class PlayedAction : std::uint8_t {
    kPass = 0,
    kOpening = 1,  // cards opening a trick
    kPlayed = 2,   // cards beating the table
    kBurn = 3,
    kYield = 4,
    kTakeLead = 5,
    // No action of its own: the server names it when the play phase starts or a
    // turn is offered again; the client shows nothing for it.
    kBegin = 7,
    kWentOut = 9,
    kRoundOver = 10,
};
// Command 6, byte 16.
enum class PlayEvent : std::uint8_t { kNone = 0, kLampLit = 1, kFall = 2, kPaced = 3 };
// Command 6, byte 11: the choices of the seat that acts next.
enum class TurnMode : std::uint8_t {
    kNone = 0,
    kLead = 1,  // the trick is over: the next seat leads freely
    kFollow = 2,
    kBurn = 3,
    kYield = 4,
    kTakeLead = 5,
};
// Command 7, byte 15.
enum class PlayAction : std::uint8_t { kPass = 1, kPlayCards = 2, kYield = 3, kTakeLead = 4 };

// Command 8, byte 11 (inbound).
enum class TributeStage : std::uint8_t { kOffer = 1, kMade = 2, kReturned = 3 };
// Command 8, byte 8 (outbound).
enum class TributeChoice : std::uint8_t { kReturn = 0, kAccept = 1, kDecline = 2 };
// Command 8, byte 8 of a tribute made: the kind after which the receiver gives
// cards back.
constexpr std::uint8_t kTributeKindWithReturn = 4;

// Command 9, result record column 18.
enum class Outcome : std::uint8_t { kDrawn = 0, kWon = 1, kLost = 2 };

// Command 16, byte 15. Inbound: 0 and 2 mean nothing, 1 the continue outcome, any
// other value the gold shortage. Outbound: 0 leave, 1 continue.
enum class GameOverCase : std::uint8_t { kLeave = 0, kContinue = 1, kNothing = 2, kGold = 3 };

// Command 18, byte 15 of the login result; any other value: verification failed.
enum class LoginOutcome : std::uint8_t { kAccepted = 1, kStartFailed = 2, kRefused = 3 };
// Command 18, byte 4 of the login: a login after a lost link.
constexpr std::uint8_t kReconnectMark = 28;

// Command 19, byte 11.
enum class ChatKind : std::uint8_t { kLine = 0, kVoice = 1 };

// Command 29, byte 15; any other value: the reconnect is refused.
constexpr std::uint8_t kResumed = 1;

}  // namespace wire
