// What a round leaves behind for the next one: the hand of a second deal drawn like
// the first, the seat records emptied between games, a slot's card count after its
// plays, the restore button's look and the flag that says a set of rounds began.
#include "play_fixture.h"

namespace {

struct NextRound : PlayTable {
    // Every visible card of the own hand shows its picture at the picture's size and
    // stands where the hand layout puts it.
    void expectHandDrawnClean() {
        const auto& st = client->state;
        const double s = st.Scale.x;
        ASSERT_GT(hand().count(), 1);
        const ui::Control& first = cardAt(0);
        ASSERT_TRUE(first.picture);
        const double step = (s == 1.0 ? 0.26 : 0.23) * first.picture->width;
        for (int i = 0; i < hand().count(); ++i) {
            SCOPED_TRACE(i);
            const ui::Control& c = cardAt(i);
            ASSERT_TRUE(c.picture);
            EXPECT_TRUE(c.visible);
            EXPECT_EQ(c.width, c.picture->width);
            EXPECT_EQ(c.height, c.picture->height);
            EXPECT_DOUBLE_EQ(c.left, first.left + i * step);
        }
    }
};

// The continue countdown resets the table and the next deal brings the same cards
// on the same picture items: they must be drawn as in the first round.
TEST_F(NextRound, TheSecondDealOfTheSameCardsDrawsThemAtTheirPicturesSize) {
    const std::string cardsDealt = "AS KH QD JC 10S 9H 8D 7C 6S 5H 4D";
    dealHand(cardsDealt);
    expectHandDrawnClean();
    client->reset.seatRecordReset();
    client->reset.displayReset();
    dealHand(cardsDealt);
    expectHandDrawnClean();
}

TEST_F(NextRound, TheSeatRecordResetEmptiesAllFiftySixEntriesOfEverySlot) {
    for (int slot = 0; slot < 6; ++slot) {
        rules::Hand& h = client->state.PlayerRecord[static_cast<std::size_t>(slot)].cards;
        for (int k = 0; k < 56; ++k)
            h.append(rules::composeCard(9, 2, 0, static_cast<std::uint8_t>(k)),
                     static_cast<std::int16_t>(k), 5);
    }
    client->reset.seatRecordReset();
    for (int slot = 0; slot < 6; ++slot) {
        const rules::Hand& h = client->state.PlayerRecord[static_cast<std::size_t>(slot)].cards;
        EXPECT_EQ(h.count(), 0);
        for (int k = 0; k < 56; ++k) {
            SCOPED_TRACE(testing::Message() << "slot " << slot << " entry " << k);
            EXPECT_EQ(h.entry(k).code, 0u);
            EXPECT_EQ(h.entry(k).imageIndex, -1);
        }
    }
    EXPECT_FALSE(client->state.InGame);
}

// A slot's shown play takes its cards out of the slot's count: the row of fours
// shown at work holds three, two of them played leave one.
TEST_F(NextRound, AShownPlayLowersTheSlotsCardCount) {
    dealHand("");
    const wire::GamePacket work =
        wire::Work{bit(1), 0x0104, 3, wire::WorkStage::kAnnouncement}.encode();
    client->roundStart.HandleWork(wire::Work::decode(work));
    ASSERT_EQ(client->state.PlayerRecord[1].cards.count(), 3);
    Played play;
    play.actor = 1;
    play.cards = "4D 4D";
    ASSERT_TRUE(handle(play));
    EXPECT_EQ(client->state.PlayerRecord[1].cards.count(), 1);
    // More cards than the slot holds leave it empty, never below.
    play.cards = "9S 9S";
    ASSERT_TRUE(handle(play));
    EXPECT_EQ(client->state.PlayerRecord[1].cards.count(), 0);
}

// The restore button shows its normal look as soon as the table is laid out, not
// only once the pointer has been over it.
TEST_F(NextRound, TheRestoreButtonShowsItsNormalPictureFromTheStart) {
    EXPECT_EQ(tagOf("Operation", 5), "192");
    Played turn;
    ASSERT_TRUE(handle(turn));
    EXPECT_TRUE(ctl("Operation", 5).visible);
    EXPECT_EQ(tagOf("Operation", 5), "192");
    // The next game's reset while the pointer rests on it: the hover look goes with
    // the hover flag, or no later move would take it back.
    ASSERT_TRUE(fire("Operation", 5, ui::EventKind::kMouseMove));
    EXPECT_EQ(tagOf("Operation", 5), "191");
    client->reset.displayReset();
    EXPECT_EQ(tagOf("Operation", 5), "192");
    ASSERT_TRUE(handle(turn));
    ASSERT_TRUE(fire("Pic1", -1, ui::EventKind::kMouseMove));
    EXPECT_EQ(tagOf("Operation", 5), "192");
}

// The pre-declaration prompt begins the set of rounds; only the disconnect reset
// forgets it.
TEST_F(NextRound, TheFirstPromptBeginsTheGame) {
    dealHand("");
    wire::Declaration preDeclare;
    preDeclare.seconds = 10;
    ASSERT_TRUE(dispatch(preDeclare.encode()));
    EXPECT_TRUE(client->state.GameBegun);
    EXPECT_TRUE(client->state.InGame);
    client->reset.displayReset();
    EXPECT_TRUE(client->state.GameBegun) << "a new round of the same set";
}

}  // namespace
