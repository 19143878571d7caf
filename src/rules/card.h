#pragma once

#include <cstdint>
#include <string_view>

// One card as the server writes it: a 32-bit value whose byte 0 is the rank (3..17),
// byte 1 the suit bit in its low nibble (1, 2, 4, 8; the high nibble is noise and is
// masked off), byte 2 unused and byte 3 the CardId that names the card in our own hand.
namespace rules {

using CardCode = std::int32_t;

inline constexpr int kRankThree = 3;
inline constexpr int kRankTen = 10;
inline constexpr int kRankJack = 11;
inline constexpr int kRankQueen = 12;
inline constexpr int kRankKing = 13;
inline constexpr int kRankAce = 14;
inline constexpr int kRankTwo = 15;
inline constexpr int kRankSmallJoker = 16;
inline constexpr int kRankBigJoker = 17;
inline constexpr int kLowestRank = kRankThree;
inline constexpr int kHighestRank = kRankBigJoker;

// Suit bits; jokers carry the diamond bit.
inline constexpr int kSuitDiamonds = 1;
inline constexpr int kSuitClubs = 2;
inline constexpr int kSuitHearts = 4;
inline constexpr int kSuitSpades = 8;

constexpr int rankOf(CardCode code) { return code & 0xFF; }
constexpr int suitBitOf(CardCode code) { return (code >> 8) & 0x0F; }
constexpr int cardIdOf(CardCode code) { return (code >> 24) & 0xFF; }

// The number of times the suit bit can be halved while above 1: 1->0, 2->1, 4->2, 8->3.
constexpr int suitIndexOf(CardCode code) {
    int index = 0;
    for (int bit = suitBitOf(code); bit > 1; bit /= 2) ++index;
    return index;
}

// The picture of a card: rank + 16 x suit index (3..63; 16 and 17 for the jokers).
constexpr int PictureIndex(CardCode code) { return rankOf(code) + 16 * suitIndexOf(code); }

constexpr CardCode composeCard(std::uint8_t rank, std::uint8_t suitByte, std::uint8_t byte2,
                               std::uint8_t cardId) {
    return static_cast<CardCode>(rank | (suitByte << 8) | (byte2 << 16) |
                                 (static_cast<std::uint32_t>(cardId) << 24));
}

// A card as the table play keeps it: rank + 256 x suit bit, without the CardId.
constexpr CardCode tableCodeOf(CardCode code) { return rankOf(code) + 256 * suitBitOf(code); }

constexpr bool isKnownRank(int rank) { return rank >= kLowestRank && rank <= kHighestRank; }
constexpr bool isNatural(int rank) { return rank >= kRankThree && rank <= kRankAce; }
constexpr bool isJoker(int rank) { return rank == kRankSmallJoker || rank == kRankBigJoker; }

// "3".."10", "J", "Q", "K", "A", "2", "小王", "大王" (UTF-8); empty for an unknown rank.
std::string_view rankName(int rank);

}  // namespace rules
