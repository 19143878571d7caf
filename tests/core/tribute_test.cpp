// The tribute command: the offer and its answers, the cards moving between the
// giver's and the receiver's hands, the return and its prompt, in virtual time.
#include "play_fixture.h"

namespace {

struct Tribute : PlayTable {
    void SetUp() override {
        PlayTable::SetUp();
        const char* names[6] = {"me", "小明", "阿强", "翠花", "春燕", "老王"};
        for (int s = 0; s < 6; ++s) client->state.PlayerInfo[static_cast<std::size_t>(s)].nickname = names[s];
    }
    // A tribute packet; cards are given in notation and take CardIds from firstId on.
    static net::GamePacket tribute(int sub, int receiver, int giver, const std::string& list = "",
                                   int kind = 4, int firstId = 36) {
        net::GamePacket p = net::makePacket(8, bit(receiver));
        p[8] = static_cast<std::uint8_t>(kind);
        p[9] = 10;
        p[11] = static_cast<std::uint8_t>(sub);
        p[12] = bit(giver);
        std::vector<rules::CardCode> c = list.empty() ? std::vector<rules::CardCode>{} : cards(list);
        p[16] = static_cast<std::uint8_t>(c.size());
        for (std::size_t k = 0; k < c.size(); ++k) {
            std::uint32_t code = (static_cast<std::uint32_t>(c[k]) & 0x00FFFFFF) |
                                 static_cast<std::uint32_t>(firstId + static_cast<int>(k)) << 24;
            for (int b = 0; b < 4; ++b) p[17 + 4 * k + static_cast<std::size_t>(b)] = (code >> (8 * b)) & 0xFF;
        }
        return p;
    }
    bool deliverTribute(const net::GamePacket& p) {
        return guarded([&] { client->HandleTribute(p); });
    }
    std::string notice() { return fp.windows.form("frmTishi").at("LbTishi", 0).caption; }
    bool click(int item) { return fire("OperationNotP", item, ui::EventKind::Click); }
};

TEST_F(Tribute, TheOfferAsksTheReceiverAndIsAnsweredByButtonOrCountdown) {
    holdOnly("KS 9S 4C");
    // To another seat: nothing to answer.
    ASSERT_TRUE(deliverTribute(tribute(1, 3, 2)));
    EXPECT_FALSE(ctl("OperationNotP", 0).visible);
    EXPECT_FALSE(client->play.AcceptTributePending);

    struct Case {
        int item;           // button clicked; -1: the countdown runs out
        std::uint8_t sent;  // byte 8 of the answer
    } cases[] = {{0, 1}, {1, 2}, {-1, 2}};
    for (const Case& c : cases) {
        ASSERT_TRUE(deliverTribute(tribute(1, 0, 5)));
        EXPECT_EQ(notice(), "老王 向您进贡,请选择是否吃贡");
        ASSERT_TRUE(client->play.AcceptTributePending);
        EXPECT_TRUE(ctl("OperationNotP", 0).visible && ctl("OperationNotP", 1).visible);
        EXPECT_EQ(tagOf("OperationNotP", 0), "609");
        EXPECT_EQ(tagOf("OperationNotP", 1), "610");
        if (c.item >= 0) ASSERT_TRUE(click(c.item));
        auto sent = c.item >= 0 ? sentPackets() : (advance(12000), sentPackets());
        ASSERT_EQ(sent.size(), 1u) << c.item;
        EXPECT_EQ(sent[0][3], 8);
        EXPECT_EQ(sent[0][6], 1);
        EXPECT_EQ(sent[0][8], c.sent) << c.item;
        EXPECT_FALSE(client->play.AcceptTributePending);
        EXPECT_FALSE(ctl("OperationNotP", 0).visible || ctl("OperationNotP", 1).visible);
    }
}

TEST_F(Tribute, TheReceiverSeesTheCardsAboveTheHandThenSortedInAndOwesAReturn) {
    holdOnly("KS 9S 5D 4C 3C");
    net::GamePacket made = tribute(2, 0, 3, "BJ");
    made[76] = 16;  // jokers and twos may not go back
    made[77] = 17;
    made[78] = 15;
    const int top = client->state.HandTop;
    // The handler waits two seconds with the card in the preview row.
    bool previewSeen = false;
    fp.loop.onWait = [&](int ms) {
        ui::Control& card = client->cardImage(0, 36);
        previewSeen = ms == 2000 && card.visible && !card.enabled && card.top < top - card.height + 1;
    };
    ASSERT_TRUE(deliverTribute(made));
    fp.loop.onWait = nullptr;
    EXPECT_TRUE(previewSeen);
    EXPECT_EQ(notice(), "me回落贡1张");
    EXPECT_EQ(handText(), "BJ KS 9S 5D 4C 3C");
    EXPECT_EQ(client->state.CardsDealt, 37);
    EXPECT_TRUE(cardAt(0).enabled);
    EXPECT_EQ(cardAt(0).top, top);
    EXPECT_TRUE(client->play.ReturnPending);
    EXPECT_EQ(tagOf("OperationNotP", 0), "629");
    EXPECT_FALSE(ctl("OperationNotP", 1).visible);

    // A manual choice of the joker is refused by its rank; the prompt stays.
    raise(0);
    ASSERT_TRUE(click(0));
    EXPECT_EQ(notice(), "大王 不能还");
    EXPECT_TRUE(sentPackets().empty());
    EXPECT_TRUE(client->play.ReturnPending);
    // The 5 goes back: one packet with its CardId, and after two seconds it has left.
    cardAt(0).top = top;
    raise(3);
    ASSERT_TRUE(click(0));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][8], 0);
    EXPECT_EQ(sent[0][16], 1);
    EXPECT_EQ(sent[0][17], 3);  // 5D was dealt third
    EXPECT_EQ(handText(), "BJ KS 9S 4C 3C");
    EXPECT_FALSE(client->play.ReturnPending);
    EXPECT_FALSE(ctl("OperationNotP", 0).visible);
}

TEST_F(Tribute, AtZeroTheReturnTakesTheLowestCardThatMayGoBack) {
    holdOnly("KS 9S 4C 3C");
    net::GamePacket made = tribute(2, 0, 3, "2H");
    made[76] = 4;  // fours may not go back, nor threes ever
    ASSERT_TRUE(deliverTribute(made));
    ASSERT_TRUE(advance(12000));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][16], 1);
    EXPECT_EQ(sent[0][17], 2);  // 9S
    EXPECT_EQ(handText(), "2H KS 4C 3C");
}

TEST_F(Tribute, TheGiversCardsStandRaisedThenLeave) {
    holdOnly("BJ KS 9S 4C");
    net::GamePacket made = tribute(2, 4, 0, "BJ", 4, 36);
    made[96] = 1;  // the giver's CardId of the joker
    bool raisedSeen = false, bubbleSeen = false;
    fp.loop.onWait = [&](int) {
        ui::Control& card = cardAt(0);
        raisedSeen = !card.enabled && card.top < client->state.HandTop;
        bubbleSeen = ctl("ImgQQ", 4).visible;  // 吃贡 at the receiver
    };
    ASSERT_TRUE(deliverTribute(made));
    fp.loop.onWait = nullptr;
    EXPECT_TRUE(raisedSeen);
    EXPECT_TRUE(bubbleSeen);
    EXPECT_EQ(handText(), "KS 9S 4C");
    EXPECT_FALSE(client->cardImage(0, 0).visible);
    EXPECT_EQ(notice(), "me 向 春燕进贡");
    EXPECT_FALSE(client->play.ReturnPending);
}

TEST_F(Tribute, BetweenTwoOtherSeatsOnlyTheNoticeAndTheBubble) {
    holdOnly("KS 9S 4C");
    ASSERT_TRUE(deliverTribute(tribute(2, 2, 5, "BJ")));
    EXPECT_EQ(notice(), "老王 向 阿强进贡");
    EXPECT_TRUE(ctl("ImgQQ", 2).visible);
    EXPECT_EQ(handText(), "KS 9S 4C");
    EXPECT_FALSE(client->play.ReturnPending);
}

TEST_F(Tribute, TheReturnMadeJoinsTheGiversHand) {
    holdOnly("KS 9S 4C");
    ASSERT_TRUE(deliverTribute(tribute(3, 0, 0, "6D", 0, 40)));
    EXPECT_EQ(handText(), "KS 9S 6D 4C");
    EXPECT_TRUE(cardAt(2).enabled && cardAt(2).visible);
    // Returned to someone else: nothing here.
    ASSERT_TRUE(deliverTribute(tribute(3, 2, 0, "7D", 0, 41)));
    EXPECT_EQ(handText(), "KS 9S 6D 4C");
}

TEST_F(Tribute, AnOversizedCountIsCutToTheCardsATributeCarriesAndTheFreePictures) {
    holdOnly("KS 9S 4C");
    net::GamePacket made = tribute(2, 0, 3, "", 0);
    for (int k = 0; k < 60; ++k) {
        std::size_t at = 17 + 4 * static_cast<std::size_t>(k);
        if (at + 3 >= 272) break;
        made[at] = 6;
        made[at + 1] = 1;
        made[at + 3] = static_cast<std::uint8_t>(36 + k);
    }
    made[16] = 250;
    ASSERT_TRUE(deliverTribute(made));
    EXPECT_EQ(client->state.PlayerRecord[0].cards.count(), 3 + 12);
    // With the pictures nearly used up the hand takes only what fits.
    client->state.CardsDealt = table::kCardItems - 1;
    ASSERT_TRUE(deliverTribute(made));
    EXPECT_EQ(client->state.PlayerRecord[0].cards.count(), 3 + 12 + 1);
    EXPECT_EQ(client->state.CardsDealt, table::kCardItems);
}

}  // namespace
