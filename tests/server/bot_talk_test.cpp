// The bots' quick replies: now and then, at their moments, a voice phrase of the
// shipped list in the bot's own voice, relayed like any player's.
#include "server/bot_talk.h"

#include <gtest/gtest.h>

#include <set>

#include "loopback_fixture.h"
#include "wire/chat.h"

namespace {

TEST(BotTalk, EachMomentHasItsPhrasesAndIsSometimesQuiet) {
    struct Case {
        server::TalkMoment moment;
        std::set<int> phrases;
    };
    const Case cases[] = {{server::TalkMoment::Burn, {2, 9}},
                          {server::TalkMoment::WentOut, {9, 8}},
                          {server::TalkMoment::RoundOver, {4, 6, 11}}};
    for (const Case& c : cases) {
        server::BotTalk talk(5);
        std::set<int> said;
        int quiet = 0;
        for (int i = 0; i < 300; ++i) {
            std::optional<int> p = talk.phraseFor(c.moment);
            if (p)
                said.insert(*p);
            else
                ++quiet;
        }
        EXPECT_EQ(said, c.phrases);
        EXPECT_GT(quiet, 50);
        EXPECT_LT(quiet, 250);
    }
}

TEST(BotTalk, APlayerAloneWithBotsHearsThemInTheirVoices) {
    servertest::Loopback lb(servertest::fastOptions(5));
    std::vector<wire::GamePacket> voices;
    auto c = lb.client("listener");
    c->roundsWanted = 3;
    c->onPacket = [&](const wire::GamePacket& p) {
        if (wire::commandOf(p) == wire::Command::kChat) voices.push_back(p);
    };
    ASSERT_TRUE(lb.run([&] { return c->roundsSeen() >= 3 || c->closed(); }));
    ASSERT_FALSE(voices.empty());
    for (const wire::GamePacket& p : voices) {
        const wire::Chat v = wire::Chat::decode(p);
        EXPECT_EQ(v.kind, wire::ChatKind::kVoice);
        EXPECT_FALSE(v.isPrivate);
        const int seat = wire::seatOfBit(v.sender);
        EXPECT_GE(seat, 1);  // never the human's seat 0
        EXPECT_EQ(v.phrase[0], 1);
        EXPECT_LE(v.phrase[1], 1);
        EXPECT_EQ(v.phrase[2], 1);  // as the partners hear it; each client turns it
        EXPECT_EQ(v.phrase[3], 1);
        EXPECT_LT(v.phrase[4] * 100 + v.phrase[5] * 10 + v.phrase[6], 12);
    }
}

}  // namespace
