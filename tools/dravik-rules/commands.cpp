#include "commands.h"

#include <algorithm>
#include <cstdint>

#include "arguments.h"
#include "rules/rules.h"

namespace rules_tool {
namespace {

using rules::CardCode;

std::vector<CardCode> cardsOf(const std::string& text, const std::string& what) {
    rules::ParsedCards parsed = rules::parseCards(text);
    if (!parsed.ok()) throw UsageError(what + ": " + parsed.error);
    if (parsed.cards.size() > std::size_t(rules::kHandCapacity))
        throw UsageError(what + ": more than 57 cards");
    return parsed.cards;
}

// A hand in the order the client holds it.
std::vector<CardCode> handOf(const Arguments& args) {
    std::vector<CardCode> hand = cardsOf(args.required("hand"), "--hand");
    rules::sortCards(hand);
    return hand;
}

void noPositional(const Arguments& args) {
    if (!args.positional().empty())
        throw UsageError("unexpected argument '" + args.positional() + "'");
}

bool sameCard(CardCode a, CardCode b) { return rules::tableCodeOf(a) == rules::tableCodeOf(b); }

// Each selected card is the first hand entry of that rank and suit not already chosen.
std::vector<int> selectInHand(const std::vector<CardCode>& hand, const std::string& text) {
    std::vector<int> positions;
    std::vector<bool> used(hand.size(), false);
    for (CardCode card : cardsOf(text, "--select")) {
        std::size_t pos = 0;
        while (pos < hand.size() && (used[pos] || !sameCard(hand[pos], card))) ++pos;
        if (pos == hand.size())
            throw UsageError("--select: " + rules::formatCard(card) + " is not in the hand");
        used[pos] = true;
        positions.push_back(int(pos));
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}

std::vector<CardCode> cardsAt(const std::vector<CardCode>& hand, std::span<const int> positions) {
    std::vector<CardCode> out;
    for (int pos : positions) out.push_back(hand[pos]);
    return out;
}

std::vector<CardCode> tableOf(const std::string& text) {
    std::vector<CardCode> table = cardsOf(text, "--table");
    for (CardCode& c : table) c = rules::tableCodeOf(c);
    return table;
}

void sortCommand(const Arguments& args, std::ostream& out) {
    std::string text = args.positional();
    if (text.empty()) text = args.required("hand");
    std::vector<CardCode> hand = cardsOf(text, "hand");
    rules::sortCards(hand);
    out << rules::formatCards(hand) << '\n';
}

void classifyCommand(const Arguments& args, std::ostream& out) {
    if (args.positional().empty()) throw UsageError("classify needs the cards");
    out << int(rules::ClassifyPlay(cardsOf(args.positional(), "cards"))) << '\n';
}

void beatsCommand(const Arguments& args, std::ostream& out) {
    noPositional(args);
    const auto mine = cardsOf(args.required("mine"), "--mine");
    const auto table = tableOf(args.required("table"));
    out << (rules::BeatsTablePlay(mine, table) ? "true" : "false") << '\n';
}

void validateCommand(const Arguments& args, std::ostream& out) {
    noPositional(args);
    const auto hand = handOf(args);
    const auto selected = cardsAt(hand, selectInHand(hand, args.required("select")));
    rules::PlayClass tableClass = rules::PlayClass::kNone;
    std::vector<CardCode> table;
    if (auto text = args.value("table")) {
        table = tableOf(*text);
        tableClass = rules::ClassifyPlay(table);
        if (auto c = args.value("table-class"))
            tableClass = rules::PlayClass(parseNumber(*c, 0, 2, "--table-class"));
    } else if (args.has("table-class")) {
        throw UsageError("--table-class needs --table");
    }
    const rules::PlayVerdict v =
        rules::validateSelection(selected, int(hand.size()), tableClass, table);
    if (v.play)
        out << "play " << int(v.playClass) << '\n';
    else
        out << "refuse\n";
}

void hintCommand(const Arguments& args, std::ostream& out) {
    noPositional(args);
    const auto hand = handOf(args);
    if (auto text = args.value("table")) {
        for (const rules::HintCandidate& c : rules::FollowHint(hand, tableOf(*text)))
            out << rules::formatCards(cardsAt(hand, c)) << '\n';
        return;
    }
    const rules::HandPositions raise = rules::LeadHint(hand, args.flag("burning"));
    if (!raise.empty()) out << rules::formatCards(cardsAt(hand, raise)) << '\n';
}

void returnCommand(const Arguments& args, std::ostream& out) {
    noPositional(args);
    const auto hand = handOf(args);
    const int count = parseNumber(args.required("count"), 0, rules::kHandCapacity, "--count");
    std::vector<std::uint8_t> noReturn;
    if (auto text = args.value("no-return")) {
        rules::ParsedRanks ranks = rules::parseRanks(*text);
        if (!ranks.ok()) throw UsageError("--no-return: " + ranks.error);
        for (int r : ranks.ranks) noReturn.push_back(std::uint8_t(r));
    }
    if (auto text = args.value("select")) {
        const auto selected = selectInHand(hand, *text);
        const rules::ReturnDecision d = rules::checkManualReturn(hand, selected, count, noReturn);
        out << (d.ok ? rules::formatCards(cardsAt(hand, d.chosen)) : d.notice) << '\n';
        return;
    }
    const rules::ReturnDecision d = rules::chooseAutomaticReturn(hand, count, noReturn);
    out << (d.ok && !d.chosen.empty() ? rules::formatCards(cardsAt(hand, d.chosen)) : "none")
        << '\n';
}

void workCommand(const Arguments& args, std::ostream& out) {
    noPositional(args);
    const auto hand = handOf(args);
    const rules::WorkEligibility w = rules::CheckWorkEligibility(hand);
    out << "best " << w.bestSameSuitCount << '\n';
    out << (w.eligible ? rules::formatCards(cardsAt(hand, w.raise)) : "not eligible") << '\n';
}

}  // namespace

void runCommand(const std::string& command, const std::vector<std::string>& words,
                std::ostream& out) {
    if (command == "sort") return sortCommand(Arguments(words, {"hand"}, {}), out);
    if (command == "classify") return classifyCommand(Arguments(words, {}, {}), out);
    if (command == "beats") return beatsCommand(Arguments(words, {"mine", "table"}, {}), out);
    if (command == "validate")
        return validateCommand(Arguments(words, {"hand", "select", "table", "table-class"}, {}),
                               out);
    if (command == "hint")
        return hintCommand(Arguments(words, {"hand", "table"}, {"burning"}), out);
    if (command == "return")
        return returnCommand(Arguments(words, {"hand", "count", "no-return", "select"}, {}), out);
    if (command == "work") return workCommand(Arguments(words, {"hand"}, {}), out);
    throw UsageError("unknown command '" + command + "'");
}

}  // namespace rules_tool
