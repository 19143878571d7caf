// The card rules on the hot paths of the play flow and the server's bots.
#include <benchmark/benchmark.h>

#include <vector>

#include "rules/rules.h"

namespace {

using rules::CardCode;

std::vector<CardCode> cards(const char* text) { return rules::parseCards(text).cards; }

std::vector<CardCode> sorted(const char* text) {
    std::vector<CardCode> hand = cards(text);
    rules::sortCards(hand);
    return hand;
}

// A full 36-card hand with twos and both jokers, a spread of natural ranks and some threes.
const char* const kFullHand =
    "BJ SJ SJ 2 2S 2H A A K K K Q J J J 10 10 9 9 9 9 8 8 7 7 7 6 6 5 5 5 4 4 3 3 3";

void BM_ClassifyPlay(benchmark::State& state) {
    const std::vector<std::vector<CardCode>> plays = {
        cards("10 10 10 10 2"), cards("K K"),   cards("7 7 7"), cards("9 9 SJ"),
        cards("5 6"),           cards("2 2 2"), cards("A")};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rules::ClassifyPlay(plays[i]));
        i = (i + 1) % plays.size();
    }
}
BENCHMARK(BM_ClassifyPlay);

void BM_BeatsTablePlay_Jokers(benchmark::State& state) {
    const auto mine = cards("BJ BJ SJ SJ SJ 9 9 2");
    const auto table = cards("BJ SJ 8 8 2");
    for (auto _ : state) benchmark::DoNotOptimize(rules::BeatsTablePlay(mine, table));
}
BENCHMARK(BM_BeatsTablePlay_Jokers);

void BM_FollowHint_NoTableJokers(benchmark::State& state) {
    const auto hand = sorted(kFullHand);
    const auto table = cards("6 6");
    for (auto _ : state) {
        auto candidates = rules::FollowHint(hand, table);
        benchmark::DoNotOptimize(candidates);
    }
}
BENCHMARK(BM_FollowHint_NoTableJokers);

void BM_FollowHint_TableJokers(benchmark::State& state) {
    const auto hand = sorted(kFullHand);
    const auto table = cards("6 6 SJ 2");
    for (auto _ : state) {
        auto candidates = rules::FollowHint(hand, table);
        benchmark::DoNotOptimize(candidates);
    }
}
BENCHMARK(BM_FollowHint_TableJokers);

void BM_LeadHint(benchmark::State& state) {
    const auto hand = sorted(kFullHand);
    for (auto _ : state) {
        auto raise = rules::LeadHint(hand, true);
        benchmark::DoNotOptimize(raise);
    }
}
BENCHMARK(BM_LeadHint);

}  // namespace
