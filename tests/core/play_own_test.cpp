// The own play: one packet a turn, the own played row, the table play, the sounds of
// a run, the refusal with its notice.
#include "play_fixture.h"

namespace {

using Own = PlayTable;

TEST_F(Own, PressingPlayTwiceSendsOnePacketAndAppliesThePlayOnce) {
    holdOnly("9S 7H 7C 5D 3C");
    myTurn(1);
    ASSERT_TRUE(client->buttons.prompt().LeadMode());
    raise(1);
    raise(2);
    const int item1 = hand().imageIndex(1), item2 = hand().imageIndex(2);
    ASSERT_TRUE(press(0));
    ASSERT_TRUE(press(0));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    const wire::GamePacket& p = sent[0];
    EXPECT_EQ(p[3], 7);
    EXPECT_EQ(p[6], 1);
    EXPECT_EQ(p[15], 2);
    EXPECT_EQ(p[17], 2);
    EXPECT_EQ(p[18], 2);  // ordinary
    // CardIds: the deal gave 7H id 2 and 7C id 3.
    EXPECT_EQ(p[20], 2);
    EXPECT_EQ(p[21], 3);
    EXPECT_EQ(p[22], 0);

    EXPECT_EQ(handText(), "9S 5D 3C");
    EXPECT_EQ(client->state.TablePlay.playClass, rules::PlayClass::kOrdinary);
    ASSERT_EQ(client->state.TablePlay.count, 2);
    EXPECT_EQ(client->state.TablePlay.cards[0], rules::tableCodeOf(cards("7H")[0]));
    EXPECT_FALSE(client->state.PlayToken || client->state.MyTurn || client->state.PromptActive);
    EXPECT_FALSE(client->buttons.prompt().LeadMode());
    EXPECT_FALSE(ctl("Operation", 0).visible);
    EXPECT_FALSE(ctl("Time_Img").visible);
    EXPECT_EQ(soundCount("/pk/sys070.wav"), 1);

    // The own row: centred on the slot's card area at its top, stepping right.
    const auto& rec = client->state.PlayerRecord[0];
    ui::Control& c1 = client->hand.cardImage(0, item1);
    ui::Control& c2 = client->hand.cardImage(0, item2);
    EXPECT_DOUBLE_EQ(c1.top, rec.handTop);
    EXPECT_DOUBLE_EQ(c1.left, rec.handLeft - (2 * 0.11 + 0.39) * 90);
    EXPECT_NEAR(c2.left - c1.left, 0.26 * c1.width, 1e-9);
    EXPECT_TRUE(c1.visible && c2.visible);
    EXPECT_EQ(client->playedHand.play().PlayedPictures[40][0], 2);
    // The rest of the hand is laid out again from the left, without gaps.
    EXPECT_NEAR(cardAt(1).left - cardAt(0).left, 0.26 * cardAt(0).width, 1e-9);
}

TEST_F(Own, ARefusedPlayShowsTheNoticeAndKeepsEverything) {
    holdOnly("9S 7H 5D 3C");
    myTurn(2, "8D");
    raise(1);  // a 7 does not beat an 8
    ASSERT_TRUE(press(0));
    EXPECT_EQ(soundCount("/dravik/chupaifeifa.wav"), 1);
    ui::Form* notice = fp.windows.find("ChuPai");
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->visible && notice->topmost);
    EXPECT_EQ(notice->caption, "出牌非法");
    EXPECT_TRUE(sentPackets().empty());
    EXPECT_TRUE(client->state.PlayToken);
    EXPECT_TRUE(raised(1));
    EXPECT_EQ(hand().count(), 4);
    EXPECT_TRUE(ctl("Operation", 0).visible) << "the buttons stay";

    // A new choice plays, and the notice goes.
    cardAt(1).top = client->state.HandTop;
    raise(0);
    ASSERT_TRUE(press(0));
    EXPECT_FALSE(notice->loaded());
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][20], 1);  // 9S
}

TEST_F(Own, DravikRunSoundsAndTheRunEndingOrdinaryPlay) {
    holdOnly("BJ SJ KS KH 9D 9C 5D");
    // Another seat's Dravik play opens the run.
    Played other;
    other.actor = 5;
    other.next = 0;
    other.mode = 2;
    other.cards = "QS QH QD";
    ASSERT_TRUE(handle(other));
    EXPECT_EQ(soundCount("/dravik/dravikpai.wav"), 1);
    sounds.clear();
    raise(2);
    raise(3);  // K K is a Dravik play, but not of three cards
    ASSERT_TRUE(press(0));
    EXPECT_EQ(soundCount("/dravik/chupaifeifa.wav"), 1);
    raise(0);  // BJ K K: three cards above the queens
    ASSERT_TRUE(press(0));
    EXPECT_EQ(soundCount("/pk/sys070.wav"), 1) << "a Dravik play after a Dravik play";
    EXPECT_TRUE(client->playedHand.play().DravikRun);

    // After a free lead an ordinary play ends the run; the next Dravik play opens one.
    myTurn(1);
    raise(hand().count() - 1);
    ASSERT_TRUE(press(0));
    EXPECT_FALSE(client->playedHand.play().DravikRun);
    myTurn(1);
    raise(0);
    ASSERT_TRUE(press(0));
    EXPECT_EQ(soundCount("/dravik/dravikpai.wav"), 1);
}

TEST_F(Own, PlayingAllButTheThreesLeavesOnlyThrees) {
    holdOnly("9S 9D 3C 3H");
    myTurn(1);
    raise(0);
    raise(1);
    ASSERT_TRUE(press(0));
    EXPECT_TRUE(client->state.OnlyThreesLeft);
    myTurn(1);
    raise(0);
    raise(1);
    ASSERT_TRUE(press(0));
    EXPECT_EQ(hand().count(), 0);
    EXPECT_TRUE(client->state.OnlyThreesLeft) << "an empty hand counts as only threes";
}

TEST_F(Own, NothingIsCheckedOrSentWithoutTheConnection) {
    holdOnly("9S");
    myTurn(1);
    raise(0);
    fp.socket.close();
    ASSERT_TRUE(press(0));
    EXPECT_EQ(hand().count(), 1);
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(fp.windows.find("ChuPai"), nullptr);
}

}  // namespace
