// The dealt hand, the round-start prompts and card selection.
#include <gtest/gtest.h>

#include "client_fixture.h"
#include "rules/notation.h"
#include "wire/round_start.h"

namespace {

struct Table : ClientFixture {
    void SetUp() override {
        startConnected();
        client->state.LoginAccepted = true;
        client->state.PlayerRecord[0].seatBit = 1;  // seat 0
    }
    // A deal packet of the given cards (notation), padded with 3s to 36 cards.
    wire::GamePacket deal(const std::string& cards) {
        auto parsed = rules::parseCards(cards);
        EXPECT_TRUE(parsed.ok()) << parsed.error;
        std::vector<rules::CardCode> list = parsed.cards;
        while (list.size() < 36) list.push_back(rules::composeCard(3, 1, 0, 0));
        wire::Deal d;
        for (std::size_t i = 0; i < 36; ++i)
            d.cards[i] = (static_cast<std::uint32_t>(list[i]) & 0x00FFFFFF) |
                         static_cast<std::uint32_t>(i + 1) << 24;  // unique CardIds
        return d.encode();
    }
    rules::Hand& hand() { return client->state.PlayerRecord[0].cards; }
    ui::Control& cardAt(int pos) { return client->hand.cardImage(0, hand().imageIndex(pos)); }
    void click(int pos, int button = ui::kLeftButton) {
        ui::Event e;
        e.kind = ui::EventKind::kMouseDown;
        e.button = button;
        client->MainForm.fire(&cardAt(pos), e);
    }
    bool raised(int pos) { return cardAt(pos).top < client->state.HandTop; }
};

TEST_F(Table, DealLoadsASortedHandOf36AndEmptiesTheOtherSeats) {
    client->state.PlayerRecord[3].cards.append(rules::composeCard(5, 1, 0, 9));
    client->roundStart.HandleDeal(wire::Deal::decode(deal("3D 2C BJ 7H SJ 2S 2D")));
    EXPECT_EQ(hand().count(), 36);
    for (int slot = 1; slot < 6; ++slot)
        EXPECT_EQ(client->state.PlayerRecord[static_cast<std::size_t>(slot)].cards.count(), 0);
    EXPECT_EQ(rules::formatCard(hand().code(0)), "BJ");
    EXPECT_EQ(rules::formatCard(hand().code(1)), "SJ");
    EXPECT_EQ(rules::formatCard(hand().code(2)), "2S");
    EXPECT_EQ(rules::formatCard(hand().code(3)), "2C");
    EXPECT_EQ(rules::formatCard(hand().code(4)), "2D");
    EXPECT_EQ(rules::rankOf(hand().code(35)), 3);
    EXPECT_EQ(client->state.CardsDealt, 36);
    EXPECT_EQ(client->state.HandInGame, 1);
    // Each card is drawn over the one to its left and lies at the resting line.
    for (int i = 0; i < 36; ++i) {
        EXPECT_TRUE(cardAt(i).visible);
        EXPECT_EQ(cardAt(i).top, client->state.HandTop);
        if (i > 0) EXPECT_GT(cardAt(i).left, cardAt(i - 1).left);
    }
    EXPECT_TRUE(client->MainForm.at("ImgKaiD", 4).visible);
    EXPECT_EQ(fp.hallNet.log.back().msg, platform::kHallDealt);
}

TEST_F(Table, TheFullHandFansFromItsAnchorWithOurCardPictures) {
    client->roundStart.HandleDeal(wire::Deal::decode(deal("BJ SJ 2S")));
    // At 36 cards and full scale: 391.5 px left of the anchor, a step of 15.86 px.
    EXPECT_EQ(cardAt(0).width, 61);
    EXPECT_EQ(cardAt(0).height, 81);
    EXPECT_NEAR(cardAt(0).left, 540 - 391.5, 1e-9);
    EXPECT_NEAR(cardAt(1).left - cardAt(0).left, 15.86, 1e-9);
    EXPECT_NEAR(cardAt(35).left + 61 - cardAt(0).left, 616, 0.5);
    ASSERT_TRUE(cardAt(0).picture);
    EXPECT_EQ(cardAt(0).picture->key, "res:17");                           // the big joker
    EXPECT_EQ(client->MainForm.at("ImgKaiD", 0).picture->key, "res:631");  // unlit lamp
}

TEST_F(Table, TheRoundNumberWrapsAfterTheThirdDeal) {
    client->state.HandInGame = 3;
    client->state.RevealsCleared = true;
    client->roundStart.HandleDeal(wire::Deal::decode(deal("")));
    EXPECT_EQ(client->state.HandInGame, 1);
    EXPECT_FALSE(client->state.RevealsCleared);
}

TEST_F(Table, ClickRaisesAndLowersAndGroupSelectTakesTheRank) {
    client->roundStart.HandleDeal(wire::Deal::decode(deal("7H 7C 7D 9S 3C")));
    // Hand order: 9S 7H 7C 7D 3C ... (and the padding 3s).
    click(1);
    EXPECT_TRUE(raised(1));
    EXPECT_FALSE(raised(2));
    EXPECT_DOUBLE_EQ(cardAt(1).top, client->state.HandTop - cardAt(1).height / 5);
    click(1);
    EXPECT_FALSE(raised(1));

    client->state.GroupSelect = true;
    click(2);
    EXPECT_TRUE(raised(1) && raised(2) && raised(3));
    EXPECT_FALSE(raised(0));
    click(3);  // a raised 7 lowers only itself
    EXPECT_TRUE(raised(1) && raised(2));
    EXPECT_FALSE(raised(3));
    // A 3 while other ranks are left: nothing at all.
    click(10);
    EXPECT_FALSE(raised(10));
    client->state.OnlyThreesLeft = true;
    click(10);
    EXPECT_TRUE(raised(10) && raised(35));
}

TEST_F(Table, ARaisedCardStaysRaisedWhenTheSortMovesIt) {
    client->roundStart.HandleDeal(wire::Deal::decode(deal("5D 9S")));
    // 9S is at position 0, 5D at 1. Raise 5D, then make it the highest card.
    click(1);
    int item = hand().imageIndex(1);
    hand().setEntry(1, {rules::composeCard(17, 1, 0, 50), static_cast<std::int16_t>(item), 0});
    client->hand.SortAndShowCards(0, hand().count());
    EXPECT_EQ(rules::rankOf(hand().code(0)), 17);
    EXPECT_TRUE(raised(0));
    EXPECT_FALSE(raised(1));
}

TEST_F(Table, RightClickPlaysOnlyWithTheTurnAndTheToken) {
    client->roundStart.HandleDeal(wire::Deal::decode(deal("5D")));
    client->state.TablePlay.playClass = rules::PlayClass::kNone;
    fp.socket.takeSent();
    click(0);  // the 5D, ahead of the padding 3s
    client->state.MyTurn = true;
    client->state.PlayToken = false;
    click(0, ui::kRightButton);
    EXPECT_EQ(client->state.PlayerRecord[0].cards.count(), 36) << "no token, no play";
    client->state.PlayToken = true;
    click(0, ui::kRightButton);
    EXPECT_EQ(client->state.PlayerRecord[0].cards.count(), 35);
    ASSERT_TRUE(advance(200));
    ASSERT_EQ(fp.socket.sent.size(), 272u);
    EXPECT_EQ(fp.socket.sent[3], 7);
}

TEST_F(Table, FifteenCardsKeepTheRoomLineOnTop) {
    client->roundStart.HandleDeal(wire::Deal::decode(deal("")));
    auto& top = client->Pic1.children;
    auto pos = [&](const char* name) {
        return std::find(top.begin(), top.end(), &client->MainForm.at(name)) - top.begin();
    };
    for (const char* name : {"imgLocation", "Location", "word1", "word2"})
        EXPECT_GT(pos(name), std::find(top.begin(), top.end(), &cardAt(35)) - top.begin()) << name;
}

TEST_F(Table, DeclarationPrompts) {
    client->roundStart.HandleDeal(wire::Deal::decode(deal("")));
    wire::Declaration preDeclare;  // the pre-declaration prompt
    preDeclare.seconds = 12;
    const wire::GamePacket pre = preDeclare.encode();
    client->roundStart.HandleDeclaration(wire::Declaration::decode(pre));
    EXPECT_TRUE(client->state.InGame);
    EXPECT_TRUE(client->buttons.prompt().DeclarePending());
    EXPECT_TRUE(client->state.PromptActive);
    EXPECT_EQ(client->state.CountdownSeconds, 12);
    EXPECT_TRUE(client->MainForm.at("OperationNotP", 0).visible);
    EXPECT_TRUE(client->MainForm.at("Time_Img").visible);
    EXPECT_TRUE(cardAt(0).visible) << "the dealt hand stays on the table";

    // An open declaration offered to other seats only shows nothing new.
    wire::Declaration openPrompt{
        0, wire::DeclareKind::kOpen, wire::DeclarationStage::kPrompt, 9, {}};
    openPrompt.offered.seats.fill(0x40);
    wire::GamePacket open = openPrompt.encode();
    client->state.CountdownSeconds = 5;
    client->roundStart.HandleDeclaration(wire::Declaration::decode(open));
    EXPECT_FALSE(client->buttons.prompt().RevealPending());
    EXPECT_EQ(client->state.CountdownSeconds, 5);
    openPrompt.offered.seats[2] = 1;  // the own seat bit
    open = openPrompt.encode();
    client->roundStart.HandleDeclaration(wire::Declaration::decode(open));
    EXPECT_TRUE(client->buttons.prompt().RevealPending());
    EXPECT_EQ(client->state.CountdownSeconds, 9);

    // Away: every prompt's countdown shows one second.
    client->state.Away = true;
    client->roundStart.HandleDeclaration(wire::Declaration::decode(pre));
    EXPECT_EQ(client->state.CountdownSeconds, 1);

    // The announcement labels the actor's slot.
    const wire::GamePacket ann =  // seat 3: slot 3
        wire::Declaration{8, wire::DeclareKind::kOpen, wire::DeclarationStage::kAnnouncement, 0, {}}
            .encode();
    client->roundStart.HandleDeclaration(wire::Declaration::decode(ann));
    EXPECT_TRUE(client->MainForm.at("ImgYm", 3).visible);
}

TEST_F(Table, WorkOfferAndItsWithdrawal) {
    client->roundStart.HandleDeal(wire::Deal::decode(deal("4S 4S 4S 4H 9D")));
    fp.socket.takeSent();
    const wire::GamePacket prompt = wire::Work{0, 0, 0, wire::WorkStage::kPrompt}.encode();
    client->roundStart.HandleWork(wire::Work::decode(prompt));
    EXPECT_EQ(client->state.BestSameSuitCount, 3);
    EXPECT_TRUE(client->buttons.prompt().WorkPending());
    int raisedFours = 0;
    for (int i = 0; i < hand().count(); ++i) {
        if (raised(i)) {
            ++raisedFours;
            EXPECT_EQ(rules::formatCard(hand().code(i)), "4S");
        }
        EXPECT_FALSE(cardAt(i).enabled);
    }
    EXPECT_EQ(raisedFours, 3);

    // Fewer fours shown by another seat: the offer stands.
    // Slot 2 shows two fours of suit bit 2 (card bytes 10 and 11).
    wire::Work shown{4, 0x0204, 2, wire::WorkStage::kAnnouncement};
    wire::GamePacket ann = shown.encode();
    client->roundStart.HandleWork(wire::Work::decode(ann));
    EXPECT_TRUE(client->buttons.prompt().WorkPending());
    EXPECT_TRUE(client->hand.cardImage(2, 1).visible);
    ASSERT_TRUE(advance(200));
    EXPECT_TRUE(fp.socket.sent.empty());
    // As many: the own offer lapses with one decline.
    shown.count = 3;
    ann = shown.encode();
    client->roundStart.HandleWork(wire::Work::decode(ann));
    EXPECT_FALSE(client->buttons.prompt().WorkPending());
    client->roundStart.HandleWork(wire::Work::decode(ann));
    ASSERT_TRUE(advance(200));
    ASSERT_EQ(fp.socket.sent.size(), 272u);
    EXPECT_EQ(fp.socket.sent[3], 3);
    EXPECT_EQ(fp.socket.sent[12], 0);
    for (int i = 0; i < hand().count(); ++i) {
        EXPECT_FALSE(raised(i));
        EXPECT_TRUE(cardAt(i).enabled);
    }
}

TEST_F(Table, WorkAnnouncementAboutTheOwnSeatShowsNoCards) {
    client->roundStart.HandleDeal(wire::Deal::decode(deal("")));
    const wire::GamePacket ann = wire::Work{1, 0x0804, 4, wire::WorkStage::kAnnouncement}.encode();
    client->roundStart.HandleWork(wire::Work::decode(ann));
    for (int slot = 1; slot < 6; ++slot) EXPECT_FALSE(client->hand.cardImage(slot, 0).visible);
}

TEST_F(Table, AHostileWorkAnnouncementStaysInsideTheRow) {
    client->roundStart.HandleDeal(wire::Deal::decode(deal("")));
    // Upper bits set: seat 1, slot 1; a count beyond the row's 56 pictures.
    const wire::GamePacket ann =
        wire::Work{0xC2, 0xFF04, 255, wire::WorkStage::kAnnouncement}.encode();
    client->roundStart.HandleWork(wire::Work::decode(ann));
    EXPECT_TRUE(client->hand.cardImage(1, 55).visible);
}

}  // namespace
