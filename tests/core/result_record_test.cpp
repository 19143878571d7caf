// The game record file: a round saved after its result comes back into the score
// window from the record button and the history window; nothing else changes it.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ini_file.h"
#include "result_support.h"

namespace {

using Lines = std::vector<std::string>;

struct Record : SeatedTable {
    std::vector<Lines> snapshot() {
        std::vector<Lines> all;
        for (int i = 0; i < 12; ++i) all.push_back(lines(i));
        return all;
    }
    void scribble() {
        for (int i = 0; i < 12; ++i) lines(i) = {"x", "y"};
    }
    static std::vector<Lines> emptyAsSpace(std::vector<Lines> all) {
        for (Lines& l : all)
            for (std::string& t : l)
                if (t.empty()) t = " ";
        return all;
    }
    void doubleClick(const char* list, int index, int line) {
        ui::Control& c = hero().at(list, index);
        c.listIndex = line;
        hero().fire(&c, ui::EventKind::kDblClick);
    }
};

TEST_F(Record, SavingAndLoadingARoundGivesTheSameListsWithEmptyLinesAsOneSpace) {
    playResult(plainRound());
    auto r = plainRound();
    r[1].fallCards = 1;
    r[1].fallFrom = 2;
    playResult(r);  // round 2
    const auto saved = snapshot();
    ASSERT_EQ(client->state.RoundNumber, 2);
    scribble();
    client->scores.LoadRoundRecord(2);
    EXPECT_EQ(snapshot(), emptyAsSpace(saved));
    // Round 1 is still there with its own lines.
    client->scores.LoadRoundRecord(1);
    EXPECT_EQ(lines(1)[11], " ");
}

TEST_F(Record, TheFileHoldsOneSectionPerRoundWithCountAndLineKeys) {
    playResult(plainRound());
    platform::classIniFile ini;
    ini.setPath(folder.string(), "info.qv");
    EXPECT_EQ(ini.GetIniKey("juNum:1", "count( 6 )"), "1");
    // Lines in quotes, so the blanks they begin with survive the reader's trim.
    EXPECT_EQ(ini.GetIniKey("juNum:1", "count( 6 )( 0 )"), "\"总分：20金币\"");
    EXPECT_EQ(ini.GetIniKey("juNum:1", "count( 0 )( 4 )"), "\"  本回合赢\"");
    EXPECT_EQ(ini.GetIniKey("juNum:1", "count( 0 )( 1 )"), "\"\"");
    EXPECT_EQ(ini.GetIniKey("juNum:1", "count( 0 )"), std::to_string(lines(0).size()));
}

TEST_F(Record, RoundZeroAndRoundsNeverSavedChangeNothing) {
    playResult(plainRound());
    scribble();
    const auto before = snapshot();
    client->scores.LoadRoundRecord(0);
    EXPECT_EQ(snapshot(), before);
    client->scores.LoadRoundRecord(5);
    EXPECT_EQ(snapshot(), before);
    client->scores.LoadRoundRecord(-1);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Record, ARecountLoadsOnlyTheNewLinesAndStopsAtAMissingList) {
    for (int i = 0; i < 12; ++i) lines(i) = {"a" + std::to_string(i), "b", "c"};
    client->scores.SaveRoundRecord(4);
    for (int i = 0; i < 12; ++i) lines(i) = {"n" + std::to_string(i)};
    client->scores.SaveRoundRecord(4);  // same number, fewer lines: the old ones stay unread
    scribble();
    client->scores.LoadRoundRecord(4);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(lines(i), Lines{"n" + std::to_string(i)});
    // A section that lost its count key for list 5 fills lists 0..4 only.
    platform::classIniFile ini;
    ini.setPath(folder.string(), "info.qv");
    ini.DelIniKey("juNum:4", "count( 5 )");
    scribble();
    client->scores.LoadRoundRecord(4);
    EXPECT_EQ(lines(4), Lines{"n4"});
    EXPECT_EQ(lines(5), (Lines{"x", "y"}));
}

TEST_F(Record, AfterADisconnectResetTheFileIsGoneAndLoadsChangeNothing) {
    playResult(plainRound());
    ASSERT_TRUE(std::filesystem::exists(folder / "info.qv"));
    ASSERT_TRUE(guarded([&] { client->shell.disconnectReset(); }));
    EXPECT_FALSE(std::filesystem::exists(folder / "info.qv"));
    EXPECT_EQ(client->state.RoundNumber, 0);
    EXPECT_TRUE(hero().at("Num").items.empty());
    EXPECT_TRUE(client->hallButtons.flow().firstStart);
    scribble();
    const auto before = snapshot();
    client->scores.LoadRoundRecord(1);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Record, TheRecordButtonShowsTheLastRound) {
    playResult(plainRound());
    const auto saved = emptyAsSpace(snapshot());
    score().hide();
    scribble();
    client->hallButtons.AnNiu_Click(table::kBtnRecord);
    EXPECT_TRUE(score().visible);
    EXPECT_EQ(snapshot(), saved);
    client->hallButtons.AnNiu_Click(table::kBtnRecord);
    EXPECT_FALSE(score().visible);
}

TEST_F(Record, ADoubleClickInTheHistoryShowsThatRound) {
    auto r = plainRound();
    playResult(r);
    const auto first = emptyAsSpace(snapshot());
    r[0].second = 99;
    playResult(r);
    doubleClick("Grade", 3, 0);  // the first line: round 1
    EXPECT_TRUE(score().visible);
    EXPECT_EQ(snapshot(), first);
    // With no line selected the lists stay, and the window is still shown.
    score().hide();
    scribble();
    const auto before = snapshot();
    doubleClick("Num", -1, -1);
    EXPECT_TRUE(score().visible);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Record, TheWindowsCloseByTheirClickAreasAndDragByTheirSurface) {
    playResult(plainRound());
    for (ui::Form* f : {&score(), &hero()}) {
        for (int i = 0; i < 2; ++i) {
            f->show();
            f->fire(&f->at("Image1", i), ui::EventKind::kClick);
            EXPECT_FALSE(f->visible) << f->name() << " " << i;
        }
    }
    ui::Event press;
    press.kind = ui::EventKind::kMouseDown;
    press.button = ui::kLeftButton;
    score().fire(nullptr, press);
    EXPECT_TRUE(score().systemMove);
    ui::Event move;
    move.kind = ui::EventKind::kMouseMove;
    hero().fire(nullptr, move);
    EXPECT_FALSE(hero().systemMove);  // no button held
    move.button = ui::kLeftButton;
    hero().fire(nullptr, move);
    EXPECT_TRUE(hero().systemMove);
}

TEST_F(Record, TheHistoryScrollsToItsLastLineWhenItLoads) {
    ui::Form& h = hero();
    for (int round = 0; round < 30; ++round) h.at("Grade", 2).items.push_back("     1");
    h.show();
    EXPECT_EQ(h.at("Grade", 2).topIndex, 29);
    EXPECT_EQ(h.at("Grade", 1).topIndex, 0);
}

}  // namespace
