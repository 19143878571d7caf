// The tribute command at the table: the offer and its answers, the cards moving
// between the hands on the receiver's and the giver's side with their two-second
// pauses, the return prompt with its refusals and the return itself, a tribute
// between two other seats, and packets whose counts or seats are out of range.
#include <functional>
#include <memory>
#include <set>

#include "play_fixture.h"

namespace {

constexpr const char* kAcceptPic = "609";  // ActionButtonPictureIds entries 8, 9, 28
constexpr const char* kDeclinePic = "610";
constexpr const char* kReturnPic = "629";
constexpr const char* kTributeBubble = "643";  // PlayBubblePictureIds entry 2

struct Tribute : PlayTable {
    std::vector<std::unique_ptr<platform::Timer>> probes;

    void SetUp() override {
        PlayTable::SetUp();
        const char* names[6] = {"me", "小明", "阿强", "翠花", "春燕", "老王"};
        for (int s = 0; s < 6; ++s)
            client->state.PlayerInfo[static_cast<std::size_t>(s)].nickname = names[s];
    }

    static wire::GamePacket offer(int receiver, int giver, int seconds) {
        wire::Tribute t;
        t.receiver = bit(receiver);
        t.seconds = static_cast<std::uint8_t>(seconds);
        t.stage = wire::TributeStage::kOffer;
        t.giver = bit(giver);
        return t.encode();
    }
    // The cards as CardCodes from byte 17. A list longer than the packet's card
    // table keeps its count, as a hostile server would send it.
    static wire::GamePacket withCards(wire::Tribute t, const std::vector<rules::CardCode>& list) {
        t.count = static_cast<std::uint8_t>(std::min(list.size(), t.cards.size()));
        std::copy_n(list.begin(), t.count, t.cards.begin());
        wire::GamePacket p = t.encode();
        p[wire::Tribute::kCountByte] = static_cast<std::uint8_t>(list.size());
        return p;
    }
    // A tribute made: the cards get the receiver's new ids from firstId on.
    static wire::GamePacket made(int receiver, int giver, int kind, int seconds,
                                 const std::string& given, int firstId,
                                 const std::vector<int>& giverIds = {},
                                 const std::vector<int>& noReturn = {}) {
        wire::Tribute t;
        t.receiver = bit(receiver);
        t.kind = static_cast<std::uint8_t>(kind);
        t.seconds = static_cast<std::uint8_t>(seconds);
        t.stage = wire::TributeStage::kMade;
        t.giver = bit(giver);
        for (std::size_t k = 0; k < giverIds.size(); ++k)
            t.giverIds[k] = static_cast<std::uint8_t>(giverIds[k]);
        for (std::size_t k = 0; k < noReturn.size(); ++k)
            t.noReturnRanks[k] = static_cast<std::uint8_t>(noReturn[k]);
        return withCards(t, rules::parseCards(given, firstId).cards);
    }
    static wire::GamePacket returned(int to, const std::string& cards, int firstId) {
        wire::Tribute t;
        t.receiver = bit(to);
        t.stage = wire::TributeStage::kReturned;
        return withCards(t, rules::parseCards(cards, firstId).cards);
    }

    // Runs f once, ms from now, from the event loop (also inside a handler's pause).
    void at(int ms, std::function<void()> f) {
        auto t = std::make_unique<platform::Timer>(fp.loop, ms);
        platform::Timer* raw = t.get();
        t->onTick = [raw, f] {
            raw->setEnabled(false);
            f();
        };
        t->setEnabled(true);
        probes.push_back(std::move(t));
    }

    std::string notice() {
        ui::Form* f = fp.windows.find("frmTishi");
        return f && f->visible ? f->at("LbTishi", 0).caption : "";
    }
    int posOfId(int id) {
        for (int i = 0; i < hand().count(); ++i)
            if (rules::cardIdOf(hand().code(i)) == id) return i;
        return -1;
    }
    bool handLaidOutDown() {
        for (int i = 0; i < hand().count(); ++i) {
            const ui::Control& c = cardAt(i);
            if (c.top != client->state.HandTop || !c.visible || !c.enabled) return false;
            if (i > 0 && !(c.left > cardAt(i - 1).left)) return false;
        }
        return true;
    }
    // Receives a returning tribute of the given cards at the own seat from slot 3.
    void returnDue(const std::string& given, const std::vector<int>& noReturn, int seconds = 10) {
        ASSERT_TRUE(dispatch(made(0, 3, 4, seconds, given, 40, {7}, noReturn)));
        sentPackets();
        sounds.clear();
    }
};

TEST_F(Tribute, TheOfferAsksTheReceiverAndEachAnswerIsSent) {
    holdOnly("9S 5D");
    enum How { kAccept, kDecline, kExpire };
    struct Case {
        How how;
        std::uint8_t choice;  // byte 8 of the answer
        int giver, seconds;
        const char* notice;
    } cases[] = {
        {kAccept, 1, 3, 5, "翠花 向您进贡,请选择是否吃贡"},
        {kDecline, 2, 3, 5, "翠花 向您进贡,请选择是否吃贡"},
        {kExpire, 2, 3, 5, "翠花 向您进贡,请选择是否吃贡"},
        {kAccept, 1, 5, 10, "老王 向您进贡,请选择是否吃贡"},
        {kDecline, 2, 5, 10, "老王 向您进贡,请选择是否吃贡"},
        {kExpire, 2, 5, 10, "老王 向您进贡,请选择是否吃贡"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(dispatch(offer(0, c.giver, c.seconds)));
        EXPECT_EQ(notice(), c.notice);
        EXPECT_EQ(tagOf("OperationNotP", 0), kAcceptPic);
        EXPECT_EQ(tagOf("OperationNotP", 1), kDeclinePic);
        EXPECT_TRUE(ctl("OperationNotP", 0).visible && ctl("OperationNotP", 1).enabled);
        EXPECT_EQ(ctl("OperationNotP", 1).left,
                  ctl("OperationNotP", 0).left + 2 * ctl("OperationNotP", 1).width);
        EXPECT_TRUE(ctl("Time_Img").visible);
        EXPECT_EQ(ctl("Number").caption, std::to_string(c.seconds));
        EXPECT_TRUE(client->buttons.prompt().AcceptTributePending() && client->state.PromptActive);

        std::vector<wire::GamePacket> sent;
        if (c.how == kExpire) {
            ASSERT_TRUE(advance(c.seconds * 1000 + 2000));
            sent = sentPackets();
        } else {
            ASSERT_TRUE(fire("OperationNotP", c.how == kAccept ? 0 : 1, ui::EventKind::kClick));
            sent = sentPackets();
        }
        ASSERT_EQ(sent.size(), 1u) << c.how;
        EXPECT_EQ(sent[0][3], 8);
        EXPECT_EQ(sent[0][6], 1);
        EXPECT_EQ(sent[0][8], c.choice);
        for (std::size_t i = 9; i < 260; ++i) ASSERT_EQ(sent[0][i], 0) << "byte " << i;
        EXPECT_FALSE(client->buttons.prompt().AcceptTributePending() || client->state.PromptActive);
        EXPECT_FALSE(ctl("OperationNotP", 0).visible || ctl("OperationNotP", 1).visible);
        EXPECT_FALSE(ctl("Time_Img").visible || ctl("Number").visible);
        EXPECT_EQ(notice(), "") << "the offer's notice goes with the answer (" << c.how << ")";
    }
}

TEST_F(Tribute, AnOfferToAnotherSeatAsksNothing) {
    holdOnly("9S 5D");
    struct Case {
        int receiver, giver;
    } cases[] = {{2, 3}, {3, 2}};
    for (const Case& c : cases) {
        ASSERT_TRUE(dispatch(offer(c.receiver, c.giver, 5)));
        EXPECT_EQ(notice(), "") << c.receiver;
        EXPECT_FALSE(ctl("OperationNotP", 0).visible);
        EXPECT_FALSE(client->buttons.prompt().AcceptTributePending() || client->state.PromptActive);
        ASSERT_TRUE(advance(8000));
        EXPECT_TRUE(sentPackets().empty());
    }
}

TEST_F(Tribute, TheReceiverSeesTheCardsAboveTheHandThenTheyJoinItSorted) {
    holdOnly("KS 9S 5D 4C");
    raise(1);  // a selection made before the tribute is lowered with the new layout
    const auto& st = client->state;
    const double s = st.Scale.x;
    const double w = cardAt(0).width, h = cardAt(0).height;
    const std::int64_t before = fp.loop.nowMs();
    struct Seen {
        bool visible, enabled;
        double left, top;
    };
    std::vector<Seen> preview;
    std::string handDuringPause;
    at(1900, [&] {
        for (int item : {36, 37}) {
            const ui::Control& c = client->hand.cardImage(0, item);
            preview.push_back({c.visible, c.enabled, c.left, c.top});
        }
        handDuringPause = handText();
    });
    ASSERT_TRUE(dispatch(made(0, 3, 1, 10, "AH 7D", 40)));
    EXPECT_EQ(fp.loop.nowMs() - before, 2000);

    ASSERT_EQ(preview.size(), 2u);
    const double start = st.PlayerRecord[0].handLeft - (2 * 0.11 + 0.39) * 90 * s;
    const double step = (s == 1.0 ? 0.26 : 0.23) * w;
    for (int k = 0; k < 2; ++k) {
        EXPECT_TRUE(preview[k].visible);
        EXPECT_FALSE(preview[k].enabled);
        EXPECT_DOUBLE_EQ(preview[k].left, start + k * step);
        EXPECT_DOUBLE_EQ(preview[k].top, st.HandTop - h - 10 * s);
    }
    EXPECT_EQ(handDuringPause, "KS 9S 5D 4C AH 7D") << "appended, not sorted yet";

    EXPECT_EQ(handText(), "AH KS 9S 7D 5D 4C");
    EXPECT_TRUE(handLaidOutDown());
    EXPECT_EQ(st.CardsDealt, 38);
    EXPECT_EQ(rules::cardIdOf(hand().code(0)), 40);
    EXPECT_TRUE(client->hand.IsHandImage(36) && client->hand.IsHandImage(37))
        << "the next free items";
    EXPECT_EQ(notice(), "翠花 向 me进贡");
    EXPECT_FALSE(ctl("ImgQQ", 0).visible) << "no bubble at the own seat";
    EXPECT_FALSE(client->buttons.prompt().ReturnPending())
        << "a kind without return asks nothing back";
    EXPECT_FALSE(ctl("OperationNotP", 0).visible);
    EXPECT_TRUE(sentPackets().empty());
}

TEST_F(Tribute, AReturningTributeRaisesTheReturnPrompt) {
    holdOnly("KS 9S 5D 4C");
    client->state.Away = false;
    const double top = client->state.HandTop;
    // The handler waits two seconds with the card in the preview row.
    bool previewSeen = false;
    fp.loop.onWait = [&](int ms) {
        ui::Control& card = client->hand.cardImage(0, 36);
        previewSeen =
            ms == 2000 && card.visible && !card.enabled && card.top < top - card.height + 1;
    };
    ASSERT_TRUE(dispatch(made(0, 3, 4, 12, "2H", 40, {7}, {15, 16, 17})));
    fp.loop.onWait = nullptr;
    EXPECT_TRUE(previewSeen);
    EXPECT_EQ(handText(), "2H KS 9S 5D 4C");
    EXPECT_EQ(client->state.CardsDealt, 37);
    EXPECT_TRUE(cardAt(0).enabled);
    EXPECT_EQ(cardAt(0).top, top);
    EXPECT_EQ(notice(), "me回落贡1张");
    EXPECT_TRUE(client->buttons.prompt().ReturnPending() && client->state.PromptActive);
    EXPECT_EQ(client->buttons.decisions().ReturnCount, 1);
    EXPECT_EQ(client->buttons.decisions().NoReturnRanks[0], 15);
    EXPECT_EQ(client->buttons.decisions().NoReturnRanks[2], 17);
    EXPECT_EQ(client->buttons.decisions().NoReturnRanks[3], 0);
    ui::Control& button = ctl("OperationNotP", 0);
    EXPECT_EQ(tagOf("OperationNotP", 0), kReturnPic);
    EXPECT_TRUE(button.visible && button.enabled);
    EXPECT_DOUBLE_EQ(button.left, client->buttons.ButtonBaseX() + 1.3 * button.width);
    EXPECT_FALSE(ctl("OperationNotP", 1).visible);
    EXPECT_EQ(ctl("Number").caption, "12");
    EXPECT_EQ(client->state.CountdownSeconds, 12);

    // Away from the table the countdown chooses after a second.
    holdOnly("KS 9S 5D 4C");
    client->buttons.clearDecisionFlags();
    client->state.Away = true;
    ASSERT_TRUE(dispatch(made(0, 3, 4, 12, "2H", 40, {7}, {15})));
    EXPECT_EQ(client->state.CountdownSeconds, 1);
}

TEST_F(Tribute, AManualReturnIsSentAndTheCardLeavesAfterThePause) {
    holdOnly("KS 9S 5D 4C");
    returnDue("2H", {15, 16, 17});
    // Held: 2H KS 9S 5D 4C with ids 40, 1, 2, 3, 4.
    raise(posOfId(3));
    const int item = hand().imageIndex(posOfId(3));  // the sort moved 5D to another picture
    const double h = cardAt(0).height;
    double topDuringPause = 0;
    bool enabledDuringPause = true;
    std::string handDuringPause;
    at(1900, [&] {
        const ui::Control& c = client->hand.cardImage(0, item);
        topDuringPause = c.top;
        enabledDuringPause = c.enabled;
        handDuringPause = handText();
    });
    ASSERT_TRUE(fire("OperationNotP", 0, ui::EventKind::kClick));
    EXPECT_DOUBLE_EQ(topDuringPause, client->state.HandTop - h / 5);
    EXPECT_FALSE(enabledDuringPause);
    EXPECT_EQ(handDuringPause, "2H KS 9S 5D 4C");
    // The decision is over at once, not only after the pause.
    EXPECT_FALSE(client->buttons.prompt().ReturnPending() || client->state.PromptActive ||
                 client->state.PlayToken);

    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][3], 8);
    EXPECT_EQ(sent[0][6], 1);
    EXPECT_EQ(sent[0][8], 0);
    EXPECT_EQ(sent[0][16], 1);
    EXPECT_EQ(sent[0][17], 3);
    EXPECT_EQ(sent[0][18], 0);
    EXPECT_EQ(handText(), "2H KS 9S 4C");
    EXPECT_FALSE(client->hand.cardImage(0, item).visible);
    EXPECT_TRUE(handLaidOutDown());
    ui::Control& button = ctl("OperationNotP", 0);
    EXPECT_FALSE(button.visible);
    EXPECT_EQ(button.left, ctl("Operation", 0).left);
    EXPECT_FALSE(ctl("Time_Img").visible || ctl("Number").visible);
    ASSERT_TRUE(advance(15000));
    EXPECT_TRUE(sentPackets().empty()) << "the countdown does not answer again";
}

// The server opens the play as soon as it has the return; the lead it offers during
// the returned cards' pause is still up after it.
TEST_F(Tribute, ATurnOfferedDuringTheReturnPauseOutlivesIt) {
    holdOnly("KS 9S 5D 4C");
    returnDue("2H", {15, 16, 17});
    raise(posOfId(3));
    Played lead;
    lead.actor = 0;
    lead.action = 7;
    lead.next = 0;
    lead.mode = 1;
    const wire::GamePacket opening = played(lead);
    bool dispatchedInPause = false;
    at(500, [&] { fp.socket.deliver(platform::Bytes(opening.begin(), opening.end())); });
    at(1900, [&] { dispatchedInPause = client->buttons.prompt().LeadMode(); });
    ASSERT_TRUE(fire("OperationNotP", 0, ui::EventKind::kClick));
    ASSERT_TRUE(dispatchedInPause);
    EXPECT_EQ(handText(), "2H KS 9S 4C");
    EXPECT_TRUE(client->buttons.prompt().LeadMode() && client->state.PlayToken &&
                client->state.MyTurn && client->state.PromptActive);
    EXPECT_TRUE(client->connection.slots[net::kSlotTurnCountdown].flag);
    EXPECT_TRUE(ctl("Operation", 0).visible && ctl("Time_Img").visible);
}

TEST_F(Tribute, ARefusedReturnLeavesThePromptAsItWas) {
    struct Case {
        const char* hand;
        const char* given;  // the tribute, ids 40 on
        std::vector<int> noReturn;
        int count;  // cards asked back
        std::vector<int> raiseIds;
        const char* notice;
    } cases[] = {
        {"KS 9S 5D 3C", "2H", {15, 16, 17}, 1, {4}, "3 不能还"},
        {"KS 9S 5D 4C", "2H", {13, 14}, 1, {1}, "K 不能还"},
        {"KS 7S 5D 4C", "2H", {7}, 1, {2}, "7 不能还"},
        {"KS 9S 5D 4C 3C", "BJ", {16, 17, 15}, 1, {40}, "大王 不能还"},
        {"KS 9S 5D 4C", "2H 2D", {15}, 2, {3}, "还贡的张数不够"},
        {"KS 9S 5D 4C", "2H 2D", {15}, 2, {2, 3, 4}, "还贡的张数多了"},
    };
    for (const Case& c : cases) {
        holdOnly(c.hand);
        client->buttons.clearDecisionFlags();
        returnDue(c.given, c.noReturn);
        ASSERT_EQ(client->buttons.decisions().ReturnCount, c.count);
        for (int id : c.raiseIds) raise(posOfId(id));
        const std::vector<int> selection = raisedPositions();
        const std::string held = handText();
        ASSERT_TRUE(fire("OperationNotP", 0, ui::EventKind::kClick));
        EXPECT_EQ(notice(), c.notice);
        EXPECT_TRUE(sentPackets().empty()) << c.notice;
        EXPECT_TRUE(client->buttons.prompt().ReturnPending() && client->state.PromptActive)
            << c.notice;
        EXPECT_TRUE(ctl("OperationNotP", 0).visible) << c.notice;
        EXPECT_TRUE(client->connection.slots[net::kSlotTurnCountdown].flag) << c.notice;
        EXPECT_EQ(raisedPositions(), selection) << c.notice;
        EXPECT_EQ(handText(), held) << c.notice;
    }
}

TEST_F(Tribute, TheCountdownReturnsTheLowestCardsThatMayGoBack) {
    struct Case {
        const char* hand;
        std::vector<int> noReturn;
        const char* given;
        std::vector<int> raiseIds;  // a selection the countdown ignores
        std::vector<int> expectIds;
        const char* left;  // the hand afterwards
    } cases[] = {
        // Ids: the hand's cards 1.. in the order written, the tribute's 40, 41.
        {"KS 9S 5D 4C 3C", {15, 16, 17}, "2H", {1}, {4}, "2H KS 9S 5D 3C"},
        {"KS 9S 5D 4C 3C", {15, 16, 17}, "2H 2D", {1}, {4, 3}, "2H 2D KS 9S 3C"},
        {"2S 3C 3D", {15, 16, 17}, "2H", {}, {40}, "2S 3C 3D"},
        // Fours may not go back, nor threes ever: the nine goes.
        {"KS 9S 4C 3C", {4}, "2H", {}, {2}, "2H KS 4C 3C"},
    };
    for (const Case& c : cases) {
        holdOnly(c.hand);
        client->buttons.clearDecisionFlags();
        returnDue(c.given, c.noReturn, 2);
        for (int id : c.raiseIds) raise(posOfId(id));
        ASSERT_TRUE(advance(6000));
        auto sent = sentPackets();
        ASSERT_EQ(sent.size(), 1u) << c.hand;
        EXPECT_EQ(sent[0][16], c.expectIds.size());
        for (std::size_t k = 0; k < c.expectIds.size(); ++k)
            EXPECT_EQ(sent[0][17 + k], c.expectIds[k]) << c.hand;
        if (c.expectIds.size() == 2) {
            EXPECT_NE(sent[0][17], sent[0][18]);
        }
        EXPECT_EQ(handText(), c.left);
        EXPECT_TRUE(handLaidOutDown()) << "the selection was lowered before choosing";
        EXPECT_FALSE(client->buttons.prompt().ReturnPending() || client->state.PromptActive);
    }
}

TEST_F(Tribute, TheCountdownSendsNothingWhenTheHandHasNoCardToGiveBack) {
    holdOnly("3S 3C");
    // The tribute card's rank is listed too, and threes never go back: nothing to give.
    returnDue("3H", {15}, 1);
    ASSERT_TRUE(advance(5000));
    EXPECT_TRUE(sentPackets().empty());
    EXPECT_TRUE(client->buttons.prompt().ReturnPending());
    EXPECT_TRUE(ctl("OperationNotP", 0).visible);
    EXPECT_EQ(hand().count(), 3);
}

TEST_F(Tribute, TheGiversCardsStayRaisedForThePauseThenLeave) {
    holdOnly("KS 9S 5D 4C");  // ids 1..4
    const double h = cardAt(0).height;
    std::vector<double> tops;
    bool disabled = false, bubbleDuringPause = false;
    std::string handDuringPause;
    at(1900, [&] {
        tops = {client->hand.cardImage(0, 0).top, client->hand.cardImage(0, 1).top,
                client->hand.cardImage(0, 2).top};
        disabled = !client->hand.cardImage(0, 0).enabled && client->hand.cardImage(0, 1).enabled;
        handDuringPause = handText();
        bubbleDuringPause = ctl("ImgQQ", 2).visible;  // 吃贡 at the receiver
    });
    const std::int64_t before = fp.loop.nowMs();
    ASSERT_TRUE(dispatch(made(2, 0, 4, 10, "KS", 40, {1})));
    EXPECT_EQ(fp.loop.nowMs() - before, 2000);
    ASSERT_EQ(tops.size(), 3u);
    EXPECT_DOUBLE_EQ(tops[0], client->state.HandTop - h / 2);
    EXPECT_EQ(tops[1], client->state.HandTop);
    EXPECT_TRUE(disabled);
    EXPECT_EQ(handDuringPause, "KS 9S 5D 4C");
    EXPECT_TRUE(bubbleDuringPause);

    EXPECT_EQ(handText(), "9S 5D 4C");
    EXPECT_FALSE(client->hand.cardImage(0, 0).visible);
    EXPECT_TRUE(handLaidOutDown());
    EXPECT_EQ(client->state.CardsDealt, 36);
    EXPECT_EQ(notice(), "me 向 阿强进贡");
    EXPECT_EQ(tagOf("ImgQQ", 2), kTributeBubble);
    EXPECT_FALSE(client->buttons.prompt().ReturnPending()) << "the giver is asked nothing";

    // The return reaches the giver: shown above the hand, then sorted in.
    std::string handBeforeJoin;
    at(1000, [&] { handBeforeJoin = handText(); });
    ASSERT_TRUE(dispatch(returned(0, "6H", 50)));
    EXPECT_EQ(handBeforeJoin, "9S 5D 4C 6H");
    EXPECT_EQ(handText(), "9S 6H 5D 4C");
    EXPECT_TRUE(client->hand.IsHandImage(36));
    EXPECT_TRUE(handLaidOutDown());
    EXPECT_TRUE(sentPackets().empty());
}

TEST_F(Tribute, BetweenTwoOtherSeatsNoPauseAndTheBubbleFades) {
    holdOnly("KS 9S 5D 4C");
    const std::string held = handText();
    const std::int64_t before = fp.loop.nowMs();
    ASSERT_TRUE(dispatch(made(4, 1, 4, 10, "AS", 1, {1}, {15})));
    EXPECT_EQ(fp.loop.nowMs(), before) << "no pause";
    EXPECT_EQ(notice(), "小明 向 春燕进贡");
    EXPECT_EQ(tagOf("ImgQQ", 4), kTributeBubble);
    EXPECT_TRUE(ctl("ImgQQ", 4).visible);
    for (int s : {0, 1, 2, 3, 5}) EXPECT_FALSE(ctl("ImgQQ", s).visible);
    EXPECT_EQ(handText(), held) << "the own card with the giver's id 1 stays";
    EXPECT_FALSE(client->buttons.prompt().ReturnPending() || client->state.PromptActive);
    ASSERT_TRUE(advance(2100));
    EXPECT_FALSE(ctl("ImgQQ", 4).visible) << "the bubble goes with TimerQQ";
    // The return between them is not the own business either.
    ASSERT_TRUE(dispatch(returned(1, "6H", 50)));
    EXPECT_EQ(handText(), held);
    EXPECT_TRUE(sentPackets().empty());

    // A minimised table shows no notice.
    client->MainForm.windowState = ui::WindowState::kMinimized;
    ASSERT_TRUE(dispatch(made(4, 1, 1, 10, "AS", 1)));
    EXPECT_EQ(notice(), "小明 向 春燕进贡") << "the earlier notice, not a new one";
    fp.windows.find("frmTishi")->hide();
    ASSERT_TRUE(dispatch(made(4, 1, 1, 10, "AS", 1)));
    EXPECT_EQ(notice(), "");

    // Any other two seats alike.
    client->MainForm.windowState = ui::WindowState::kNormal;
    ASSERT_TRUE(dispatch(made(2, 5, 4, 10, "BJ", 36)));
    EXPECT_EQ(notice(), "老王 向 阿强进贡");
    EXPECT_TRUE(ctl("ImgQQ", 2).visible);
    EXPECT_EQ(handText(), held);
    EXPECT_FALSE(client->buttons.prompt().ReturnPending());
}

TEST_F(Tribute, OutOfRangeCountsAndSeatsAreHandledSafely) {
    // A count above twelve is read as twelve: the card table ends there.
    holdOnly("KS");
    wire::GamePacket many = made(0, 3, 1, 10, "4D 4D 4D 4D 4D 4D 4D 4D 4D 4D 4D 4D", 40);
    many[wire::Tribute::kCountByte] = 250;
    ASSERT_TRUE(dispatch(many));
    EXPECT_EQ(hand().count(), 13);
    EXPECT_EQ(client->state.CardsDealt, 48);

    // No more cards than picture items are left.
    holdOnly("KS");
    client->state.CardsDealt = 54;
    ASSERT_TRUE(dispatch(made(0, 3, 1, 10, "4D 5D 6D 7D 8D", 40)));
    EXPECT_EQ(handText(), "KS 5D 4D");
    EXPECT_EQ(client->state.CardsDealt, 56);
    ASSERT_TRUE(dispatch(returned(0, "9D", 60)));
    EXPECT_EQ(hand().count(), 3) << "every item is taken: nothing more is shown";

    // The giver's ids are read from the twelve places only.
    holdOnly("KS 9S 5D");
    wire::GamePacket give = made(2, 0, 1, 10, "KS", 40, {1});
    give[wire::Tribute::kCountByte] = 200;
    give[wire::Tribute::kGiverIdsByte + wire::kMaxTributeCards] = 2;  // behind the id table
    ASSERT_TRUE(dispatch(give));
    EXPECT_EQ(handText(), "9S 5D");

    // More than two cards asked back: the answer can name two.
    holdOnly("KS 9S 5D 4C");
    client->buttons.clearDecisionFlags();
    ASSERT_TRUE(dispatch(made(0, 3, 4, 10, "2H 2D 2C", 40, {}, {15})));
    EXPECT_EQ(client->buttons.decisions().ReturnCount, 2);
    EXPECT_EQ(notice(), "me回落贡2张");
    raise(posOfId(3));
    raise(posOfId(4));
    ASSERT_TRUE(fire("OperationNotP", 0, ui::EventKind::kClick));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][16], 2);
    EXPECT_EQ(sent[0][17], 3);
    EXPECT_EQ(sent[0][18], 4);
    EXPECT_EQ(sent[0][19], 0);

    // Seat bytes that name no seat: the packet is ignored.
    holdOnly("KS 9S");
    client->buttons.clearDecisionFlags();
    if (ui::Form* f = fp.windows.find("frmTishi")) f->hide();
    const std::string held = handText();
    wire::GamePacket noReceiver = offer(0, 3, 5);
    noReceiver[wire::kSeatByte] = 0xC0;
    wire::GamePacket noGiver = made(0, 3, 4, 10, "2H", 40, {}, {15});
    noGiver[wire::Tribute::kGiverByte] = 0;
    wire::GamePacket giverUnnamed = made(2, 0, 1, 10, "KS", 40, {1});
    giverUnnamed[wire::Tribute::kGiverByte] = 0x80;
    wire::GamePacket returnToNobody = returned(0, "6H", 50);
    returnToNobody[wire::kSeatByte] = 0;
    for (const wire::GamePacket& p : {noReceiver, noGiver, giverUnnamed, returnToNobody}) {
        ASSERT_TRUE(dispatch(p));
        EXPECT_EQ(handText(), held) << "sub-code " << int(p[11]);
        EXPECT_EQ(notice(), "");
        EXPECT_FALSE(client->buttons.prompt().AcceptTributePending() ||
                     client->buttons.prompt().ReturnPending());
        for (int s = 0; s < 6; ++s) EXPECT_FALSE(ctl("ImgQQ", s).visible);
    }
    EXPECT_EQ(client->state.CardsDealt, 36);
}

// The pre-declaration prompt resets the table but keeps the dealt hand, so the
// pictures the deal took stay taken: a tribute received after it shows on a free
// item and every card of the hand keeps a picture of its own.
TEST_F(Tribute, ATributeAfterThePreDeclarationShowsOnAFreePicture) {
    dealHand("2S AS KS QS JS 10S 9S 8S 7S 6S 5S 4S");
    wire::Declaration preDeclare;
    preDeclare.seconds = 10;
    ASSERT_TRUE(dispatch(preDeclare.encode()));
    EXPECT_EQ(client->state.CardsDealt, 36);
    ASSERT_TRUE(dispatch(made(0, 3, 1, 10, "BJ", 40)));
    ASSERT_EQ(hand().count(), 37);
    std::set<int> items;
    for (int i = 0; i < hand().count(); ++i) {
        items.insert(hand().imageIndex(i));
        EXPECT_TRUE(cardAt(i).visible) << i;
    }
    EXPECT_EQ(items.size(), 37u) << "no two cards share a picture";
    EXPECT_TRUE(client->hand.IsHandImage(36)) << "the next free item joined the hand";
    EXPECT_EQ(client->state.CardsDealt, 37);
}

// Bubbles, like notices, wait for the table window to be shown again.
TEST_F(Tribute, AMinimisedTableShowsNoTributeBubble) {
    holdOnly("KS 9S");
    client->MainForm.windowState = ui::WindowState::kMinimized;
    ASSERT_TRUE(dispatch(made(4, 1, 1, 10, "AS", 1)));
    EXPECT_FALSE(ctl("ImgQQ", 4).visible);
}

}  // namespace
