// The round result: rows from three packets, the score window's lines, gold, win
// and loss counts, levels, the tribute list, and the end of the round.
#include <gtest/gtest.h>

#include <filesystem>

#include "result_support.h"
#include "rules/card.h"

namespace {

using Lines = std::vector<std::string>;

struct Result : SeatedTable {};

TEST_F(Result, OnlyTheThirdPacketShowsAnything) {
    auto r = plainRound();
    client->roundResult.HandleResult(wire::RoundResult::decode(resultPacket(r[0], r[1])));
    client->roundResult.HandleResult(wire::RoundResult::decode(resultPacket(r[2], r[3])));
    EXPECT_EQ(client->state.ResultPacketsSeen, 2);
    EXPECT_FALSE(score().visible);
    for (int i = 0; i < 12; ++i) EXPECT_TRUE(lines(i).empty());
    EXPECT_TRUE(hero().at("Num").items.empty());
    // The rows are stored by slot: the second record's place came from byte 117.
    EXPECT_EQ(client->roundResult.ResultTable()[3].place, 4);
    EXPECT_EQ(client->roundResult.ResultTable()[0].place, 1);
    client->roundResult.HandleResult(wire::RoundResult::decode(resultPacket(r[4], r[5])));
    EXPECT_EQ(client->state.ResultPacketsSeen, 0);
    EXPECT_TRUE(score().visible);
    EXPECT_TRUE(hero().visible);
    EXPECT_EQ(client->state.RoundNumber, 1);
}

TEST_F(Result, WonAndLostColumnsWithoutTribute) {
    playResult(plainRound());
    const Lines tail = {"", "", "", "", "", ""};  // fall (2) and point tribute (2 + 2)
    Lines won = {"房间条数：500金币",
                 "",
                 "玩家获第 1 名",
                 "",
                 "  本回合赢",
                 "总分：30金币",
                 "-----------",
                 "",
                 "总分：20金币",
                 "-----------",
                 ""};
    won.insert(won.end(), tail.begin(), tail.end());
    EXPECT_EQ(lines(0), won);
    Lines lost = {"房间条数：500金币",
                  "",
                  "玩家获第 2 名",
                  "",
                  "  本回合输",
                  "总分：- 30金币",
                  "-----------",
                  "",
                  "",
                  "总分：- 20金币",
                  "-----------",
                  ""};
    lost.insert(lost.end(), tail.begin(), tail.end());
    EXPECT_EQ(lines(1), lost);
    EXPECT_EQ(lines(6), Lines{"总分：20金币"});
    EXPECT_EQ(lines(7), Lines{"总分：- 20金币"});
    EXPECT_EQ(hero().at("Grade", 0).items, Lines{"     20"});
    EXPECT_EQ(hero().at("Grade", 1).items, Lines{"     -20"});
    EXPECT_EQ(hero().at("sunScore", 1).caption, "-20");
    EXPECT_TRUE(client->state.FreeToLeave);
}

// One slot's outcome against what it does to the lists, the profile and the labels.
TEST_F(Result, OutcomesAmountsGoldAndCounts) {
    struct Case {
        const char* name;
        int outcome;
        std::uint64_t first, second;
        double goldBefore;
        Lines column;  // lines 4.. of the column, up to the tribute lines
        Lines total, grade;
        double gold;
        int wins, losses;
        std::string cash;
    } cases[] = {
        {"won",
         1,
         30,
         20,
         100,
         {"  本回合赢", "总分：30金币", "-----------", "", "总分：20金币", "-----------", ""},
         {"总分：20金币"},
         {"     20"},
         120,
         1,
         0,
         "120金币"},
        {"lost, first amount 0",
         2,
         0,
         20,
         100,
         {"  本回合输", "总分： 0金币", "-----------", "", "", "总分：- 20金币", "-----------", ""},
         {"总分：- 20金币"},
         {"     -20"},
         80,
         0,
         1,
         "80金币"},
        {"lost 0",
         2,
         5,
         0,
         100,
         {"  本回合输", "总分：- 5金币", "-----------", "", "", "总分：- 0金币", "-----------", ""},
         {"总分：- 0金币"},
         {"     -0"},
         100,
         0,
         0,
         "100金币"},
        {"lost more than held",
         2,
         5,
         250,
         100,
         {"  本回合输", "总分：- 5金币", "-----------", "", "", "总分：- 250金币", "-----------",
          ""},
         {"总分：- 250金币"},
         {"     -250"},
         0,
         0,
         1,
         "0金币"},
        {"drawn",
         0,
         7,
         20,
         100,
         {"  本回合平", "", "-----------", "", "", "", "-----------", ""},
         {"     0"},
         {"      0"},
         100,
         0,
         0,
         "100金币"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto& info = client->state.PlayerInfo[3];
        info.gold = c.goldBefore;
        info.winCount = info.lossCount = 0;
        hero().at("Grade", 3).items.clear();
        auto r = plainRound();
        r[3].outcome = c.outcome;
        r[3].first = c.first;
        r[3].second = c.second;
        playResult(r);
        Lines column(lines(3).begin() + 4,
                     lines(3).begin() + 4 + static_cast<long>(c.column.size()));
        EXPECT_EQ(column, c.column);
        EXPECT_EQ(lines(9), c.total);
        EXPECT_EQ(hero().at("Grade", 3).items, c.grade);
        EXPECT_EQ(info.gold, c.gold);
        EXPECT_EQ(info.winCount, c.wins);
        EXPECT_EQ(info.lossCount, c.losses);
        EXPECT_EQ(client->MainForm.at("Cash", 3).caption, c.cash);
    }
}

TEST_F(Result, GameTotalsAddUpOverRoundsAndBarsAreNamed) {
    auto r = plainRound();
    r[5].outcome = 0;
    playResult(r, /*currency*/ 2);
    r[0].second = 35;
    playResult(r, 2);
    EXPECT_EQ(hero().at("sunScore", 0).caption, "55");
    EXPECT_EQ(hero().at("sunScore", 1).caption, "-40");
    EXPECT_EQ(hero().at("sunScore", 5).caption, "");  // drawn rounds show no total
    EXPECT_EQ(hero().at("Grade", 0).items, (Lines{"     20", "     35"}));
    EXPECT_EQ(client->MainForm.at("Cash", 0).caption, "55金条");
}

TEST_F(Result, LevelsOutsideOneToFortyLeaveTheLabel) {
    struct Case {
        int level;
        const char* shown;
    } cases[] = {{1, "第一级"}, {12, "第十二级"}, {40, "第四十级"},
                 {0, "before"}, {41, "before"},   {255, "before"}};
    for (const Case& c : cases) {
        client->MainForm.at("Level", 2).caption = "before";
        auto r = plainRound();
        r[2].level = c.level;
        playResult(r);
        EXPECT_EQ(client->MainForm.at("Level", 2).caption, c.shown) << c.level;
    }
}

TEST_F(Result, RoundNumbersArePaddedAndThreeRoundsMakeAGame) {
    for (int round = 1; round <= 7; ++round) playResult(plainRound());
    const auto& num = hero().at("Num").items;
    ASSERT_EQ(num.size(), 7u);
    EXPECT_EQ(num[0], "     1");
    EXPECT_EQ(num[6], "     7");
    EXPECT_EQ(client->state.RoundNumber, 7);
    EXPECT_EQ(client->state.GamesPlayed, 2);
    EXPECT_EQ(client->state.RoundInGame, 1);
}

TEST_F(Result, ASweepEndsTheGameAndListsNoTribute) {
    auto r = plainRound();
    r[0].sweep = r[2].sweep = r[4].sweep = 1;
    r[1].fallCards = 2;  // ignored: no tribute after a sweep
    r[1].fallFrom = 0;
    playResult(r);
    EXPECT_EQ(lines(0)[3], "  串三户");
    EXPECT_EQ(lines(1)[3], "");
    EXPECT_EQ(lines(0).size(), 11u);
    EXPECT_TRUE(client->state.FreeToLeave);
    EXPECT_EQ(client->state.RoundInGame, 0);
    EXPECT_EQ(client->state.GamesPlayed, 1);
}

TEST_F(Result, TributeEntriesAndTheirPadding) {
    auto r = plainRound();
    r[1].fallCards = 2;  // slot 1 receives two fall-tribute cards from slot 4
    r[1].fallFrom = 4;
    r[0].pointCards = 1;  // slot 0 receives one point-tribute card from slot 3
    r[2].burnGets = 1;    // slot 2 receives a burn tribute from slot 5
    r[2].burnFrom = 5;
    r[5].stuffyPays = 1;  // slot 5 pays a stuffy tribute to slot 0
    r[5].stuffyTo = 0;
    playResult(r);
    // Won columns have 11 lines before the tribute, lost ones 12.
    auto tribute = [&](int s) {
        return Lines(lines(s).begin() + (s % 2 ? 12 : 11), lines(s).end());
    };
    EXPECT_EQ(tribute(0),
              (Lines{"", "", "吃点贡1张", "  p3", "", "", "", "", "吃闷贡1张", "  p5"}));
    EXPECT_EQ(tribute(1), (Lines{"吃落贡2张", "  p4", "", "", "", "", "", ""}));
    EXPECT_EQ(tribute(2), (Lines{"", "", "", "", "", "", "吃烧贡1张", "  p5"}));
    EXPECT_EQ(tribute(3), (Lines{"", "", "进点贡1张", "  p0", "", "", "", ""}));
    EXPECT_EQ(tribute(4), (Lines{"进落贡2张", "  p1", "", "", "", "", "", ""}));
    EXPECT_EQ(tribute(5),
              (Lines{"", "", "", "", "", "", "进烧贡1张", "  p2", "进闷贡1张", "  p0"}));
    EXPECT_FALSE(client->state.FreeToLeave);
}

TEST_F(Result, TheOthersCardsAreShownFaceUpAndTheRecordsCleared) {
    auto r = plainRound();
    // A small joker (rank code 0), a big joker (1) and the 5 of suit bit 2.
    r[3].cards = {0x00, 0x01, 0x25};
    r[0].cards = {0x25};          // the own row is not redrawn
    r[4].cards.assign(60, 0x13);  // more than the row can hold: only 54 are read
    playResult(r);
    auto picture = [](int rank, int suit) { return rules::PictureIndex(rank | suit << 8); };
    std::vector<int> shown;
    for (int k = 0; k < 3; ++k) {
        const ui::Control& c = client->hand.cardImage(3, k);
        EXPECT_TRUE(c.visible);
        shown.push_back(shownId(c));
    }
    std::sort(shown.begin(), shown.end());
    std::vector<int> expected = {picture(16, 0), picture(17, 0), picture(5, 2)};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(client->hand.cardImage(3, 3).visible);
    EXPECT_TRUE(client->hand.cardImage(4, 53).visible);
    EXPECT_FALSE(client->hand.cardImage(4, 54).visible);
    for (const auto& rec : client->state.PlayerRecord) EXPECT_EQ(rec.cards.count(), 0);
}

TEST_F(Result, TheEndOfTheRoundStartsTheContinueCountdownAndSavesTheRound) {
    client->hallButtons.setHallButtonPressed(table::kBtnContinue);
    client->state.InGame = true;
    client->state.GameResetDone = true;
    playResult(plainRound());
    auto& sys0 = client->MainForm.at("Sysmsg", 0).items;
    auto& sys1 = client->MainForm.at("Sysmsg", 1).items;
    EXPECT_EQ(sys0, Lines{"请点击【继续】按钮继续游戏！"});
    EXPECT_EQ(sys1, Lines{"游戏将在15秒内开始"});
    EXPECT_FALSE(client->hallButtons.flow().pressed[table::kBtnContinue]);
    EXPECT_FALSE(client->state.InGame);
    EXPECT_FALSE(client->state.GameResetDone);
    EXPECT_TRUE(client->connection.slots[net::kSlotContinue].flag);
    EXPECT_EQ(client->MainForm.at("Number").caption, "15");
    EXPECT_TRUE(client->MainForm.at("Time_Img").visible);
    EXPECT_TRUE(std::filesystem::exists(folder / "info.qv"));
    // Left alone, the countdown announces readiness after 15 seconds.
    ASSERT_TRUE(advance(14000));
    EXPECT_TRUE(sentPackets().empty());
    ASSERT_TRUE(advance(1500));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][3], 16);
    EXPECT_EQ(sent[0][15], 1);
    EXPECT_TRUE(client->hallButtons.flow().pressed[table::kBtnContinue]);
}

TEST_F(Result, SpectatorsGetNoCountdownAndAnAbsentPlayerNoHistory) {
    client->state.SpectatorMode = true;
    client->state.Away = true;
    playResult(plainRound());
    EXPECT_FALSE(client->connection.slots[net::kSlotContinue].flag);
    EXPECT_TRUE(score().visible);
    EXPECT_FALSE(hero().visible);
}

TEST_F(Result, TheScoreWindowIsCentredOnTheTable) {
    client->MainForm.left = 1500;
    client->MainForm.top = 300;
    playResult(plainRound());
    EXPECT_EQ(score().left, 1500 + (client->MainForm.width - score().width) / 2);
    EXPECT_EQ(score().top, 300 + (client->MainForm.height - score().height) / 2);
}

}  // namespace
