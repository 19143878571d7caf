#pragma once
// Every packet the server builds, one function per kind, in command order: each fills
// the command's wire struct from the game's terms and encodes it. The session token
// (bytes 260..261) is stamped by the sender.
#include <array>
#include <span>
#include <string_view>

#include "server/profile.h"
#include "server/round_play.h"
#include "server/scoring.h"
#include "wire/frame.h"

namespace server {

// 1: the deal, 36 cards little-endian from byte 16.
wire::GamePacket dealPacket(std::span<const CardCode> hand);
// 2: the pre-declaration prompt (8 = 1) or the open-declaration prompt (8 = 2) to the
// seats in `offered`; countdown seconds in 15.
wire::GamePacket declarePrompt(int kind, int seconds, std::span<const int> offered = {});
// 2: `actor` pre-declared (kind 1) or declared openly (kind 2).
wire::GamePacket declareAnnouncement(int actor, int kind);
// 6: one step of the play phase.
struct PlayedHand {
    int actor = 0;
    int next = 0;
    int seconds = 0;
    wire::TurnMode mode = wire::TurnMode::kNone;
    wire::PlayedAction action = wire::PlayedAction::kPass;
    wire::PlayEvent event = wire::PlayEvent::kNone;
    rules::PlayClass playClass = rules::PlayClass::kNone;
    std::span<const CardCode> cards;
};
wire::GamePacket playedHandPacket(const PlayedHand& h);
// 8: the tribute offer to `receiver` from `giver`.
wire::GamePacket tributeOffer(int receiver, int giver, int seconds);
// 8: the tribute made; `cards` carry the receiver's new CardIds, `giverIds` the ids they
// had in the giver's hand; kind 4 asks the receiver to return as many cards.
wire::GamePacket tributeMade(int receiver, int giver, int kind, int seconds,
                             std::span<const CardCode> cards,
                             std::span<const std::uint8_t> giverIds,
                             std::span<const std::uint8_t> noReturnRanks);
// 8: the return made to `toSeat`, cards with its new CardIds.
wire::GamePacket returnMade(int toSeat, std::span<const CardCode> cards);
// 9: the three result packets, seats (0,1), (2,3), (4,5).
std::array<wire::GamePacket, 3> resultPackets(const RoundResult& r);
// 16: the continue outcome: the seats that continue (all six: byte 6 = 0x7F).
wire::GamePacket continueOutcome(std::uint8_t continuingSeatBits);
// 16: gold shortage: the seats that may stay.
wire::GamePacket goldShortage(std::uint8_t stayingSeatBits);
// 18: the login result.
wire::GamePacket loginResult(int result, int timeoutLimit, int turnSeconds);
// 19: a chat packet relayed from `sender`: byte 6 is set by the server, the text area is
// cut at its first zero and the bytes after it cleared.
wire::GamePacket chatRelay(const wire::GamePacket& in, int sender);
// 20: the seat packet of `player` (at seat `playerSeat`) for the client at `receiverSeat`.
wire::GamePacket seatPacket(const Profile& player, int playerSeat, int receiverSeat, bool ready);
// 21: a player left.
wire::GamePacket playerLeft(std::string_view account);
// 22: the server closes the table with a message (UTF-8, sent as GBK).
wire::GamePacket tableClosed(std::string_view message);
// 23: the ready notice.
wire::GamePacket readyNotice(std::string_view account);
// 29: the reconnect answer.
wire::GamePacket resumeResult(bool resumed);

}  // namespace server
