#include "rules/notation.h"

#include <cctype>
#include <charconv>

namespace rules {
namespace {

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& ch : out) ch = char(std::toupper(static_cast<unsigned char>(ch)));
    return out;
}

int suitBitOfLetter(char letter) {
    switch (letter) {
        case 'D':
            return kSuitDiamonds;
        case 'C':
            return kSuitClubs;
        case 'H':
            return kSuitHearts;
        case 'S':
            return kSuitSpades;
        default:
            return 0;
    }
}

char letterOfSuitBit(int bit) {
    switch (bit) {
        case kSuitClubs:
            return 'C';
        case kSuitHearts:
            return 'H';
        case kSuitSpades:
            return 'S';
        default:
            return 'D';
    }
}

// Natural ranks and the two; jokers are handled apart.
int rankOfToken(std::string_view t) {
    if (t == "J") return kRankJack;
    if (t == "Q") return kRankQueen;
    if (t == "K") return kRankKing;
    if (t == "A") return kRankAce;
    if (t == "2") return kRankTwo;
    int n = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (ec != std::errc() || end != t.data() + t.size() || t.front() == '0') return 0;
    return n >= 3 && n <= 10 ? n : 0;
}

template <class F>
void forEachToken(std::string_view text, F f) {
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == ',' || text[i] == '\t')) ++i;
        std::size_t j = i;
        while (j < text.size() && text[j] != ' ' && text[j] != ',' && text[j] != '\t') ++j;
        if (j > i && !f(text.substr(i, j - i))) return;
        i = j;
    }
}

}  // namespace

std::optional<CardCode> parseCard(std::string_view token, int cardId) {
    const std::string t = upper(token);
    if (t.empty()) return std::nullopt;
    const auto id = std::uint8_t(cardId & 0x7F);
    if (t == "SJ") return composeCard(kRankSmallJoker, kSuitDiamonds, 0, id);
    if (t == "BJ") return composeCard(kRankBigJoker, kSuitDiamonds, 0, id);
    int suit = kSuitDiamonds;
    std::string_view rankPart = t;
    if (t.size() >= 2 && suitBitOfLetter(t.back()) != 0) {
        suit = suitBitOfLetter(t.back());
        rankPart.remove_suffix(1);
    }
    const int rank = rankOfToken(rankPart);
    if (rank == 0) return std::nullopt;
    return composeCard(std::uint8_t(rank), std::uint8_t(suit), 0, id);
}

ParsedCards parseCards(std::string_view text, int firstCardId) {
    ParsedCards out;
    forEachToken(text, [&](std::string_view token) {
        const auto card = parseCard(token, firstCardId + int(out.cards.size()));
        if (!card) {
            out.error = "unknown card '" + std::string(token) + "'";
            return false;
        }
        out.cards.push_back(*card);
        return true;
    });
    if (!out.ok()) out.cards.clear();
    return out;
}

ParsedRanks parseRanks(std::string_view text) {
    ParsedRanks out;
    forEachToken(text, [&](std::string_view token) {
        int n = 0;
        auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), n);
        if (ec != std::errc() || end != token.data() + token.size() || !isKnownRank(n)) {
            out.error = "unknown rank '" + std::string(token) + "' (expected 3..17)";
            return false;
        }
        out.ranks.push_back(n);
        return true;
    });
    if (!out.ok()) out.ranks.clear();
    return out;
}

std::string formatCard(CardCode code) {
    const int rank = rankOf(code);
    if (rank == kRankSmallJoker) return "SJ";
    if (rank == kRankBigJoker) return "BJ";
    std::string out;
    switch (rank) {
        case kRankJack:
            out = "J";
            break;
        case kRankQueen:
            out = "Q";
            break;
        case kRankKing:
            out = "K";
            break;
        case kRankAce:
            out = "A";
            break;
        case kRankTwo:
            out = "2";
            break;
        default:
            out = std::to_string(rank);
            break;
    }
    return out + letterOfSuitBit(suitBitOf(code));
}

std::string formatCards(std::span<const CardCode> codes) {
    std::string out;
    for (CardCode c : codes) {
        if (!out.empty()) out += ' ';
        out += formatCard(c);
    }
    return out;
}

}  // namespace rules
