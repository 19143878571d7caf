// The action buttons, their hover looks, the hint cycle and the countdown that
// answers by itself, in virtual time.
#include "play_fixture.h"

namespace {

struct Buttons : PlayTable {
    // Lets the pump run until the client has written at least one packet or the
    // time is up; returns what it wrote.
    std::vector<wire::GamePacket> runFor(int ms) {
        EXPECT_TRUE(advance(ms));
        return sentPackets();
    }
    int posOfCardId(int id) {
        for (int i = 0; i < hand().count(); ++i)
            if (rules::cardIdOf(hand().code(i)) == id) return i;
        return -1;
    }
    std::vector<int> pressHintRaises() {
        EXPECT_TRUE(press(1));
        return raisedPositions();
    }
};

TEST_F(Buttons, HintCyclesThroughTwoCandidates) {
    holdOnly("AS AH 2S BJ");  // held as BJ 2S AS AH
    myTurn(2, "KS");
    EXPECT_EQ(pressHintRaises(), (std::vector<int>{3}));
    EXPECT_EQ(pressHintRaises(), (std::vector<int>{1}));
    EXPECT_EQ(pressHintRaises(), (std::vector<int>{3}));
    EXPECT_EQ(soundCount("/pk/sys110.wav"), 3);
    EXPECT_TRUE(sentPackets().empty());
    // The proposal plays like any selection.
    ASSERT_TRUE(press(0));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][20], 2);  // AH, dealt second
}

TEST_F(Buttons, HintWithoutACandidatePassesForThePlayer) {
    holdOnly("9S 9D 4C");
    myTurn(2, "2S 2H");
    raise(0);
    ASSERT_TRUE(press(1));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][3], 7);
    EXPECT_EQ(sent[0][15], 1);
    EXPECT_EQ(sent[0][17], 0);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(ctl("Operation", i).visible);
    EXPECT_TRUE(raisedPositions().empty());
    EXPECT_FALSE(client->state.MyTurn || client->state.PlayToken ||
                 client->buttons.prompt().FollowMode());
    EXPECT_FALSE(ctl("Time_Img").visible);
    ASSERT_TRUE(press(1));
    EXPECT_TRUE(sentPackets().empty()) << "one answer a turn";
}

TEST_F(Buttons, TheLeadHintRaisesTheLowestRankAndTheTimeoutLeadsIt) {
    holdOnly("KS 9S 9D 4C 3D 3C");
    myTurn(1, "", 3);
    EXPECT_FALSE(ctl("Operation", 2).visible) << "a lead has no pass";
    ASSERT_TRUE(press(1));
    EXPECT_EQ(raisedPositions(), (std::vector<int>{3}));
    // Let the clock run out instead.
    cardAt(3).top = client->state.HandTop;
    auto sent = runFor(2000);
    EXPECT_TRUE(sent.empty()) << "the clock shows 0 for a second first";
    sent = runFor(1000);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][15], 2);
    EXPECT_EQ(sent[0][17], 1);
    EXPECT_EQ(sent[0][20], 4);  // 4C, dealt fourth
    EXPECT_EQ(handText(), "KS 9S 9D 3C 3D");
    EXPECT_EQ(client->state.TimeoutCount, 1);
    EXPECT_EQ(client->state.CountdownSeconds, client->state.TurnSeconds);
    EXPECT_FALSE(ctl("Operation", 0).visible || ctl("Operation", 1).visible);
    EXPECT_DOUBLE_EQ(ctl("Operation", 0).left, client->buttons.ButtonBaseX());
    EXPECT_DOUBLE_EQ(ctl("Operation", 1).left,
                     client->buttons.ButtonBaseX() + 1.3 * ctl("Operation", 0).width);
}

TEST_F(Buttons, TheFollowTimeoutPasses) {
    holdOnly("9S 4C");
    myTurn(2, "5S", 1);
    auto sent = runFor(2100);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][15], 1);
    EXPECT_EQ(hand().count(), 2);
}

TEST_F(Buttons, BelowSixTheNumberTurnsRedWithTheWarning) {
    holdOnly("9S");
    myTurn(2, "5S", 7);
    ASSERT_TRUE(advance(100));
    EXPECT_EQ(ctl("Number").caption, "6");
    EXPECT_EQ(ctl("Number").foreColor, 0x00FF00u);
    EXPECT_EQ(soundCount("/music/tishi.wav"), 0);
    ASSERT_TRUE(advance(1000));
    EXPECT_EQ(ctl("Number").caption, "5");
    EXPECT_EQ(ctl("Number").foreColor, 0xFF0000u);
    EXPECT_EQ(soundCount("/music/tishi.wav"), 1);
    ASSERT_TRUE(advance(1000));
    EXPECT_EQ(soundCount("/music/tishi.wav"), 2) << "every second below six";
}

TEST_F(Buttons, RepeatedTimeoutsTakeThePlayerAwayAndAPressRestartsTheCount) {
    holdOnly("9S 4C");
    client->state.TimeoutLimit = 2;
    myTurn(2, "5S", 0);
    runFor(1100);
    EXPECT_EQ(client->state.TimeoutCount, 1);
    myTurn(2, "5S", 0);
    ASSERT_TRUE(press(2));  // the player passes by hand
    EXPECT_EQ(client->state.TimeoutCount, 0);
    myTurn(2, "5S", 0);
    runFor(1100);
    EXPECT_EQ(client->state.TimeoutCount, 1);
    EXPECT_FALSE(client->state.Away);
    hallGot.clear();
    myTurn(2, "5S", 0);
    runFor(1100);
    EXPECT_TRUE(client->state.Away);
    EXPECT_EQ(client->state.TimeoutCount, 0);
    EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kMinimized);
    EXPECT_EQ(hallCount(platform::SC_MINIMIZE), 1);
}

TEST_F(Buttons, TheThirdButtonAndTheYieldSendTheirActionsOnce) {
    struct Case {
        int mode, item, action;
    } cases[] = {{2, 2, 1}, {3, 2, 1}, {4, 2, 1}, {5, 2, 4}, {4, 1, 3}};
    holdOnly("9S 4C");
    for (const Case& c : cases) {
        myTurn(c.mode, "5S");
        raise(0);
        ASSERT_TRUE(press(c.item));
        ASSERT_TRUE(press(c.item));
        auto sent = sentPackets();
        ASSERT_EQ(sent.size(), 1u) << c.mode;
        EXPECT_EQ(sent[0][3], 7);
        EXPECT_EQ(sent[0][6], 1);
        EXPECT_EQ(sent[0][15], c.action) << c.mode;
        EXPECT_FALSE(client->buttons.prompt().anyTurnMode());
        EXPECT_FALSE(client->state.MyTurn);
        for (int i = 0; i < 3; ++i) EXPECT_FALSE(ctl("Operation", i).visible);
        EXPECT_FALSE(ctl("Number").visible);
        if (c.item == 2) EXPECT_TRUE(raisedPositions().empty()) << c.mode;
    }
    // The restore button lowers the selection.
    raise(1);
    ASSERT_TRUE(press(5));
    EXPECT_TRUE(raisedPositions().empty());
}

TEST_F(Buttons, HoverFromOneButtonStraightToTheNext) {
    holdOnly("9S");
    myTurn(2, "5S");
    ASSERT_TRUE(fire("Operation", 0, ui::EventKind::kMouseMove));
    EXPECT_EQ(tagOf("Operation", 0), "626");
    ASSERT_TRUE(fire("Operation", 1, ui::EventKind::kMouseMove));
    EXPECT_EQ(tagOf("Operation", 1), "614") << "normal until the pointer crossed the table";
    ASSERT_TRUE(fire("Pic1", -1, ui::EventKind::kMouseMove));
    EXPECT_EQ(tagOf("Operation", 0), "612");
    ASSERT_TRUE(fire("Operation", 1, ui::EventKind::kMouseMove));
    EXPECT_EQ(tagOf("Operation", 1), "628");
    ASSERT_TRUE(fire("Operation", 5, ui::EventKind::kMouseMove));
    EXPECT_EQ(tagOf("Operation", 5), "191");
    ASSERT_TRUE(fire("imgDilan", -1, ui::EventKind::kMouseMove));
    EXPECT_EQ(tagOf("Operation", 5), "192");
    EXPECT_EQ(tagOf("Operation", 1), "614");
}

TEST_F(Buttons, DecisionButtonsAndTheirTimeouts) {
    holdOnly("9S 4C");
    using table::PromptKind;
    struct Case {
        PromptKind prompt;
        int item;
        std::uint8_t command, choice;
        const char* hover;
    } cases[] = {
        {PromptKind::kDeclare, 0, 2, 1, "615"},       {PromptKind::kDeclare, 1, 2, 0, "627"},
        {PromptKind::kReveal, 0, 2, 2, "617"},        {PromptKind::kRevolution, 0, 5, 0, "618"},
        {PromptKind::kRevolution, 1, 5, 1, "627"},    {PromptKind::kHead, 0, 5, 2, "619"},
        {PromptKind::kHead, 1, 5, 3, "620"},          {PromptKind::kAcceptTribute, 0, 8, 1, "623"},
        {PromptKind::kAcceptTribute, 1, 8, 2, "624"},
    };
    for (const Case& c : cases) {
        client->buttons.ShowDecisionPrompt(10, c.prompt);
        ASSERT_TRUE(client->buttons.prompt().is(c.prompt));
        ASSERT_TRUE(fire("OperationNotP", c.item, ui::EventKind::kMouseMove));
        EXPECT_EQ(tagOf("OperationNotP", c.item), c.hover);
        ASSERT_TRUE(fire("Pic1", -1, ui::EventKind::kMouseMove));
        ASSERT_TRUE(fire("OperationNotP", c.item, ui::EventKind::kClick));
        auto sent = sentPackets();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0][3], c.command);
        EXPECT_EQ(sent[0][8], c.choice);
        EXPECT_FALSE(client->buttons.prompt().up());
        EXPECT_FALSE(client->state.PromptActive);
        EXPECT_FALSE(ctl("OperationNotP", 0).visible || ctl("OperationNotP", 1).visible);
    }
    EXPECT_EQ(tagOf("ImgYm", 0), "637") << "the last declaration shown was the open one";

    // At zero each prompt answers with its refusal.
    struct Timeout {
        PromptKind prompt;
        std::uint8_t command, choice;
    } timeouts[] = {
        {PromptKind::kDeclare, 2, 0},       {PromptKind::kReveal, 2, 0},
        {PromptKind::kRevolution, 5, 1},    {PromptKind::kHead, 5, 3},
        {PromptKind::kAcceptTribute, 8, 2},
    };
    for (const Timeout& t : timeouts) {
        client->buttons.ShowDecisionPrompt(1, t.prompt);
        auto sent = runFor(2100);
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0][3], t.command);
        EXPECT_EQ(sent[0][8], t.choice);
        EXPECT_FALSE(client->buttons.prompt().up());
        EXPECT_EQ(client->state.TimeoutCount, 0) << "decisions do not count as turns";
    }
}

TEST_F(Buttons, WorkIsAnsweredWithTheRaisedFourOrDeclined) {
    holdOnly("4S 4S 4S 9D");
    const wire::GamePacket prompt = wire::Work{0, 0, 0, wire::WorkStage::kPrompt}.encode();
    client->roundStart.HandleWork(wire::Work::decode(prompt));
    ASSERT_TRUE(client->buttons.prompt().WorkPending());
    ASSERT_TRUE(fire("OperationNotP", 0, ui::EventKind::kClick));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][3], 3);
    EXPECT_EQ(sent[0][12], 3);
    EXPECT_EQ(sent[0][11], rules::cardIdOf(hand().code(1))) << "the first raised four";
    EXPECT_EQ(soundCount("/dravik/shangban.wav"), 1);
    EXPECT_TRUE(raisedPositions().empty());
    for (int i = 0; i < hand().count(); ++i) EXPECT_TRUE(cardAt(i).enabled);

    client->roundStart.HandleWork(wire::Work::decode(prompt));
    sent = runFor(client->state.TurnSeconds * 1000 + 1100);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][12], 0);
    EXPECT_FALSE(client->buttons.prompt().WorkPending());
}

TEST_F(Buttons, TheReturnChecksTheChoiceAndSendsIt) {
    holdOnly("9S 5D 3C");
    const std::array<std::uint8_t, 12> noRankBarred{};
    client->buttons.raiseReturnPrompt(1, noRankBarred, 9);
    ASSERT_TRUE(client->state.PromptActive && ctl("OperationNotP", 0).visible);
    raise(2);  // a three
    ASSERT_TRUE(fire("OperationNotP", 0, ui::EventKind::kClick));
    EXPECT_TRUE(sentPackets().empty());
    EXPECT_TRUE(client->buttons.prompt().ReturnPending());
    ASSERT_NE(fp.windows.find("frmTishi"), nullptr);
    EXPECT_EQ(fp.windows.find("frmTishi")->at("LbTishi", 0).caption, "3 不能还");
    cardAt(2).top = client->state.HandTop;
    raise(1);
    ASSERT_TRUE(fire("OperationNotP", 0, ui::EventKind::kClick));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][3], 8);
    EXPECT_EQ(sent[0][8], 0);
    EXPECT_EQ(sent[0][16], 1);
    EXPECT_EQ(sent[0][17], 2);  // 5D, dealt second
    EXPECT_FALSE(client->buttons.prompt().ReturnPending() || client->state.PromptActive);
}

TEST_F(Buttons, TheClockAtAnotherSeatOnlyHidesItselfAtZero) {
    holdOnly("9S");
    Played d;
    d.actor = 2;
    d.action = 0;
    d.next = 3;
    d.seconds = 2;
    ASSERT_TRUE(handle(d));
    client->state.InGame = true;  // so the lost link is being recovered, not given up
    fp.socket.close();            // it runs whatever the connection
    ASSERT_TRUE(advance(1100));
    EXPECT_EQ(ctl("Number").caption, "0");
    EXPECT_TRUE(ctl("Time_Img").visible);
    ASSERT_TRUE(advance(1000));
    EXPECT_FALSE(ctl("Time_Img").visible || ctl("Number").visible);
    EXPECT_FALSE(client->buttons.decisions().OthersCountdown);
    EXPECT_EQ(client->state.CountdownSeconds, client->state.TurnSeconds);
    EXPECT_TRUE(fp.socket.sent.empty());
}

TEST_F(Buttons, NoTurnCountdownWithoutTheConnection) {
    holdOnly("9S");
    myTurn(2, "5S", 3);
    client->state.InGame = true;  // so the lost link is being recovered, not given up
    fp.socket.close();
    ASSERT_TRUE(advance(5000));
    EXPECT_EQ(client->state.CountdownSeconds, 3);
    EXPECT_TRUE(client->buttons.prompt().FollowMode());
}

// A selection made before the work prompt is lowered first, so the fours are the
// only raised cards and the 上班 answer names one of them; each four is raised with
// its click sound.
TEST_F(Buttons, TheWorkPromptLowersAnEarlierSelectionBeforeRaisingTheFours) {
    holdOnly("9S 4D 4D 7C");
    raise(0);  // the 9 is chosen before the prompt comes
    const wire::GamePacket prompt = wire::Work{0, 0, 0, wire::WorkStage::kPrompt}.encode();
    client->roundStart.HandleWork(wire::Work::decode(prompt));
    EXPECT_EQ(raisedPositions(), (std::vector<int>{2, 3})) << "9S 7C 4D 4D: the fours only";
    EXPECT_EQ(soundCount("/pk/sys020.wav"), 2);
    ASSERT_TRUE(fire("OperationNotP", 0, ui::EventKind::kClick));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    const int named = posOfCardId(sent[0][11]);
    ASSERT_GE(named, 0);
    EXPECT_EQ(rules::formatCard(hand().code(named)), "4D") << "a four, not the 9";
    EXPECT_EQ(sent[0][12], 2);
}

// An away player's prompts answer at once; the work prompt is one of them.
TEST_F(Buttons, TheWorkPromptOfAnAwayPlayerCountsOneSecond) {
    holdOnly("4H 4H 9D");
    client->state.Away = true;
    const wire::GamePacket prompt = wire::Work{0, 0, 0, wire::WorkStage::kPrompt}.encode();
    client->roundStart.HandleWork(wire::Work::decode(prompt));
    ASSERT_TRUE(client->buttons.prompt().WorkPending());
    EXPECT_EQ(client->state.CountdownSeconds, 1);
    auto sent = runFor(2100);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][3], 3);
    EXPECT_EQ(sent[0][12], 0) << "the countdown declines";
}

}  // namespace
