#pragma once
// The round result (9): three packets per round, two result records each. Both
// records use the same column numbers; the first record's column c is packet byte c
// (16..115), the second record's is byte c + 100 (116..271). The header (bytes
// 0..15) is shared by both.
#include <array>
#include <cstdint>

#include "wire/commands.h"

namespace wire {

// The revealed hand holds at most 54 cards (columns 43..96); a larger count is read
// as 54.
constexpr std::uint8_t kMaxRevealedCards = 54;

// A card of the revealed hand is one byte: low four bits the rank code, high four
// bits the suit bit; rank codes 0 and 1 are the jokers (ranks 16 and 17, no suit).
std::uint8_t resultCardByte(std::uint32_t card);
// The card code (rank + 256 x suit bit) of such a byte.
std::uint32_t revealedCard(std::uint8_t byte);

struct ResultRecord {
    // Columns.
    static constexpr std::size_t kSeatCol = 16, kPlaceCol = 17, kOutcomeCol = 18;
    static constexpr std::size_t kFirstAmountCol = 19, kSecondAmountCol = 27;
    static constexpr std::size_t kStuffyPaysCol = 35, kStuffyReceiverCol = 36;
    static constexpr std::size_t kBurnReceivesCol = 37, kBurnPayerCol = 38;
    static constexpr std::size_t kPointCardsCol = 39, kFallCardsCol = 40, kFallPayerCol = 41;
    static constexpr std::size_t kCardCountCol = 42, kCardsCol = 43;
    static constexpr std::size_t kLevelCol = 97, kSweepCol = 98;

    std::uint8_t seat = 0;  // seat bytes are masked
    std::uint8_t place = 0;
    Outcome outcome = Outcome::kDrawn;
    std::uint64_t firstAmount = 0;
    std::uint64_t secondAmount = 0;  // the gold won or lost
    std::uint8_t stuffyPays = 0;     // 1: pays one stuffy tribute
    std::uint8_t stuffyReceiver = 0;
    std::uint8_t burnReceives = 0;  // 1: receives one burn tribute
    std::uint8_t burnPayer = 0;
    std::uint8_t pointCards = 0;  // point-tribute cards from the seat opposite
    std::uint8_t fallCards = 0;
    std::uint8_t fallPayer = 0;
    std::uint8_t cardCount = 0;                           // at most kMaxRevealedCards
    std::array<std::uint8_t, kMaxRevealedCards> cards{};  // resultCardByte of each
    std::uint8_t level = 0;                               // 1..40 after the round
    std::uint8_t sweep = 0;                               // 1: the side took the first three places

    friend bool operator==(const ResultRecord&, const ResultRecord&) = default;
};

struct RoundResult {
    static constexpr std::size_t kStakeByte = 8;  // big-endian 8..11
    static constexpr std::size_t kCurrencyByte = 15;
    static constexpr std::size_t kSecondRecordShift = 100;

    std::uint32_t stake = 0;    // the room's stake (read from the third packet)
    std::uint8_t currency = 0;  // 1 coins (金币), anything else bars (金条)
    std::array<ResultRecord, 2> records{};

    GamePacket encode() const;
    static RoundResult decode(const GamePacket& p);
    friend bool operator==(const RoundResult&, const RoundResult&) = default;
};

}  // namespace wire
