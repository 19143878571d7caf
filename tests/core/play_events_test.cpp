// The played-hand command: the other seats' rows, passes, Dravik plays and their
// sounds, the echo of the own play, pacing, burns, falls, finishing places, the
// round's end, the clock at every seat and the turn handed to the local player.
#include "play_fixture.h"

namespace {

struct Events : PlayTable {
    void SetUp() override {
        PlayTable::SetUp();
        holdOnly("AS KD 9S 9C 7H 4D 4C");
    }
    bool rowVisible(int slot) {
        const int n = client->playedHand.play().PlayedPictures[40][static_cast<std::size_t>(slot)];
        if (n <= 0) return false;
        for (int r = 0; r < n; ++r)
            if (!client->hand
                     .cardImage(slot,
                                client->playedHand.play().PlayedPictures[static_cast<std::size_t>(
                                    r)][static_cast<std::size_t>(slot)])
                     .visible)
                return false;
        return true;
    }
    // An ordinary play of the slot, the next seat being `next`.
    void plays(int slot, const std::string& cards, int next, int mode = 2) {
        Played d;
        d.actor = slot;
        d.cards = cards;
        d.next = next;
        d.mode = mode;
        ASSERT_TRUE(handle(d));
    }
    void ownPlays(int pos) {
        myTurn(1);
        raise(pos);
        ASSERT_TRUE(press(0));
    }

    gif::ucAniGIF& flames() { return client->ShaoPaiPlayer; }
    // The file the flames player holds, and the picture resource it should be.
    std::vector<std::uint8_t> flamesFile() {
        gif::PropertyBag bag;
        flames().WriteProperties(bag);
        return bag.read("GIF", std::vector<std::uint8_t>());
    }
    static std::vector<std::uint8_t> resource(int id) {
        auto bytes = resources::embeddedStore().bytes(id);
        return {bytes.begin(), bytes.end()};
    }
    // The frames the player shows over `ms` of virtual time, each change once
    // (0: nothing shown). No frame of the flames stays less than 50 ms.
    std::vector<int> framesOver(int ms) {
        std::vector<int> seen{flames().currentFrame()};
        for (int t = 0; t < ms; t += 10) {
            EXPECT_TRUE(advance(10));
            if (flames().currentFrame() != seen.back()) seen.push_back(flames().currentFrame());
        }
        return seen;
    }
};

TEST_F(Events, AnotherSeatsPlayIsShownAndBecomesTheTablePlay) {
    plays(3, "8S 8H", 4);
    EXPECT_EQ(soundCount("/pk/sys070.wav"), 1);
    const auto& t = client->state.TablePlay;
    EXPECT_EQ(t.playClass, rules::PlayClass::kOrdinary);
    ASSERT_EQ(t.count, 2);
    EXPECT_EQ(t.cards[0], 8 + 256 * 8);
    EXPECT_EQ(t.seatSlot, 3);
    // Slot 3's row is centred on its anchor and takes its pictures in order.
    const auto& rec = client->state.PlayerRecord[3];
    ui::Control& first = client->hand.cardImage(3, 0);
    EXPECT_TRUE(rowVisible(3));
    EXPECT_DOUBLE_EQ(first.left, rec.handLeft - (2 * 0.11 + 0.39) * 90);
    EXPECT_DOUBLE_EQ(first.top, rec.handTop);
    EXPECT_EQ(tagOf("cardImage3", 0), std::to_string(rules::PictureIndex(cards("8S")[0])));
    plays(3, "9D", 4);
    EXPECT_EQ(client->playedHand.play().PlayedPictures[0][3], 2)
        << "the next play takes the next picture";
    EXPECT_FALSE(client->hand.cardImage(3, 0).visible) << "the slot's old row goes";
}

TEST_F(Events, RowPlacementBySlot) {
    const double w = client->hand.cardImage(1, 0).width;
    struct Case {
        int slot;
        double offset;  // left of card 0 relative to the anchor, for a play of two
    } cases[] = {{1, 0},
                 {2, 0},
                 {3, -(2 * 0.11 + 0.39) * 90},
                 {4, -(2 * 0.11 + 0.39) * 1.5 * 90},
                 {5, -(2 * 0.11 + 0.39) * 1.5 * 90 - 20}};
    for (const Case& c : cases) {
        plays(c.slot, "6S 6H", 0, 0);
        const auto& rec = client->state.PlayerRecord[static_cast<std::size_t>(c.slot)];
        ui::Control& c0 = client->hand.cardImage(c.slot, 0);
        ui::Control& c1 = client->hand.cardImage(c.slot, 1);
        EXPECT_DOUBLE_EQ(c0.left, rec.handLeft + c.offset) << c.slot;
        EXPECT_NEAR(c1.left - c0.left, 0.26 * w, 1e-9) << c.slot;
    }
}

TEST_F(Events, PassesAndTheirBubbles) {
    struct Case {
        int actor;
        std::string cards;
        bool away;
        bool bubble;
    } cases[] = {{0, "", false, false},
                 {3, "", false, true},
                 {3, "7S", false, false},
                 {3, "", true, false},
                 {1, "", false, true}};
    for (const Case& c : cases) {
        sounds.clear();
        client->state.Away = c.away;
        Played d;
        d.actor = c.actor;
        d.action = 0;
        d.cards = c.cards;
        d.next = 4;
        ASSERT_TRUE(handle(d));
        EXPECT_EQ(soundCount("/pk/sys080.wav"), 1);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(ctl("imgGuo", i).visible, c.bubble && i == c.actor) << c.actor << " " << i;
        if (c.bubble) {
            const int ids[6] = {0, 232, 235, 235, 238, 238};
            EXPECT_EQ(tagOf("imgGuo", c.actor), std::to_string(ids[c.actor]));
        }
    }
}

TEST_F(Events, ADravikPlayClearsEveryRowButTheActorsAndTheOppositeOne) {
    ownPlays(6);
    for (int slot : {1, 3, 4, 5}) plays(slot, "5S", 2);
    for (int slot : {0, 1, 3, 4, 5}) ASSERT_TRUE(rowVisible(slot)) << slot;
    plays(2, "2S 2H", 3);
    EXPECT_TRUE(rowVisible(2));
    EXPECT_TRUE(rowVisible(5));
    for (int slot : {0, 1, 3, 4}) EXPECT_FALSE(rowVisible(slot)) << slot;
    EXPECT_TRUE(ctl("ImgQQ", 2).visible);
    EXPECT_EQ(tagOf("ImgQQ", 2), "653");
}

TEST_F(Events, ConsecutiveDravikPlaysAndARestartedRun) {
    plays(1, "KS KH", 2);
    plays(2, "AS AH", 3);
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_EQ(soundCount("/dravik/dravikpai.wav"), 1);
    EXPECT_EQ(sounds[1], "/../common/pk/sys070.wav");
    Played opening;
    opening.actor = 3;
    opening.action = 1;
    opening.cards = "2S 2D";
    opening.next = 4;
    sounds.clear();
    ASSERT_TRUE(handle(opening));
    EXPECT_EQ(soundCount("/dravik/dravikpai.wav"), 1) << "a new trick restarts the run";
    plays(4, "5S", 5);
    sounds.clear();
    plays(5, "2S 2H", 0, 0);
    EXPECT_EQ(soundCount("/dravik/dravikpai.wav"), 1) << "an ordinary play ended the run";
}

TEST_F(Events, TheEchoOfTheOwnPlayChangesNeitherTableNorRows) {
    plays(5, "8S", 0);
    raise(3);  // a 9 beats the 8
    ASSERT_TRUE(press(0));
    const rules::TablePlay before = client->state.TablePlay;
    const auto pictures = client->playedHand.play().PlayedPictures;
    const auto used = client->playedHand.play().UsedCardPictures;
    Played echo;
    echo.actor = 0;
    echo.cards = "9S";
    echo.next = 1;
    sounds.clear();
    ASSERT_TRUE(handle(echo));
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(client->state.TablePlay.count, before.count);
    EXPECT_EQ(client->state.TablePlay.cards, before.cards);
    EXPECT_EQ(client->state.TablePlay.seatSlot, before.seatSlot);
    EXPECT_EQ(client->playedHand.play().PlayedPictures, pictures);
    EXPECT_EQ(client->playedHand.play().UsedCardPictures, used);
    EXPECT_TRUE(rowVisible(0));
}

TEST_F(Events, PacingHoldsTheNextThreePlaysOfThePacedSeatTwoSeconds) {
    std::vector<std::int64_t> waited;
    for (int i = 0; i < 5; ++i) {
        Played d;
        d.actor = 4;
        d.event = 3;
        d.cards = "7S";
        d.next = 5;
        const std::int64_t before = fp.loop.nowMs();
        ASSERT_TRUE(handle(d));
        waited.push_back(fp.loop.nowMs() - before);
    }
    EXPECT_EQ(waited, (std::vector<std::int64_t>{0, 2000, 2000, 2000, 0}));
    EXPECT_EQ(client->playedHand.play().PacedCount, 5);

    // Another seat's play is never held; an unpaced play ends the pacing.
    auto timed = [&](int actor) {
        Played d;
        d.actor = actor;
        d.cards = "7S";
        d.next = 5;
        const std::int64_t before = fp.loop.nowMs();
        EXPECT_TRUE(handle(d));
        return fp.loop.nowMs() - before;
    };
    // A new pacing by seat 4, interrupted by seat 3 and taken up again.
    client->reset.displayReset();
    auto paced = [&] {
        Played d;
        d.actor = 4;
        d.event = 3;
        d.cards = "7S";
        d.next = 5;
        EXPECT_TRUE(handle(d));
    };
    paced();
    EXPECT_EQ(timed(3), 0);
    EXPECT_FALSE(client->playedHand.play().PacedRun);
    paced();
    EXPECT_EQ(client->playedHand.play().PacedCount, 2);
    EXPECT_EQ(timed(4), 2000);
    EXPECT_EQ(timed(4), 0);
}

TEST_F(Events, FinishingPlacesAndTheFourthSeatWithAndWithoutARevolution) {
    for (bool revolution : {false, true}) {
        client->reset.displayReset();
        client->state.RevolutionSlots = {revolution ? 2 : -1, -1};
        sounds.clear();
        for (int slot : {1, 2, 3, 4}) {
            Played d;
            d.actor = slot;
            d.action = 9;
            d.next = 5;
            ASSERT_TRUE(handle(d));
        }
        EXPECT_EQ(client->state.PlayerRecord[3].finishPlace, 3);
        EXPECT_EQ(client->state.PlayerRecord[4].finishPlace, revolution ? 5 : 4);
        EXPECT_EQ(tagOf("ImgResult", 4), revolution ? "665" : "664");
        EXPECT_TRUE(ctl("ImgResult", 4).visible);
        EXPECT_EQ(soundCount("/dravik/zouke.wav"), 4);
    }
}

TEST_F(Events, AGoneOutSeatsRowGoesWithTheNextShownPlay) {
    plays(2, "5S", 3);
    Played out;
    out.actor = 2;
    out.action = 9;
    out.next = 3;
    ASSERT_TRUE(handle(out));
    EXPECT_TRUE(rowVisible(2));
    plays(3, "6S", 4);
    EXPECT_FALSE(rowVisible(2));
    EXPECT_FALSE(client->playedHand.play().GoneOutPending);
}

TEST_F(Events, BurnsAndTheirCatches) {
    Played burn = burnBy1();
    ASSERT_TRUE(handle(burn));
    EXPECT_EQ(soundCount("/dravik/shaopai.wav"), 1);
    EXPECT_TRUE(client->playedHand.play().BurnActive);
    EXPECT_EQ(client->playedHand.play().BurnSlot, 1);
    EXPECT_TRUE(ctl("ShaoPaiPlayer").visible);
    EXPECT_EQ(flamesFile(), resource(633));

    // A pass catches nothing; cards of another seat do.
    Played pass;
    pass.actor = 2;
    pass.action = 0;
    pass.next = 3;
    ASSERT_TRUE(handle(pass));
    EXPECT_TRUE(client->playedHand.play().BurnActive);
    plays(3, "2S 2H", 4);
    EXPECT_EQ(soundCount("/dravik/jieshao.wav"), 1);
    EXPECT_FALSE(client->playedHand.play().BurnActive);
    EXPECT_EQ(client->playedHand.play().BurnSlot, -1);
    EXPECT_EQ(flamesFile(), resource(634));

    // The own burn, caught by a burn of another seat after a two-second pause.
    burn.actor = 0;
    ASSERT_TRUE(handle(burn));
    EXPECT_TRUE(client->playedHand.play().SelfBurning);
    burn.actor = 4;
    const std::int64_t before = fp.loop.nowMs();
    sounds.clear();
    ASSERT_TRUE(handle(burn));
    EXPECT_EQ(fp.loop.nowMs() - before, 2000);
    EXPECT_EQ(sounds,
              (std::vector<std::string>{"/../common/pk/sys070.wav", "/../common/dravik/jieshao.wav",
                                        "/../common/dravik/shaopai.wav"}));
    EXPECT_FALSE(client->playedHand.play().SelfBurning);
    EXPECT_EQ(client->playedHand.play().BurnSlot, 4);
    EXPECT_EQ(flamesFile(), resource(633)) << "the catch played in the pause, then the burn";
    EXPECT_EQ(flames().loops(), 0);

    // The burner going out ends the burn.
    Played out;
    out.actor = 4;
    out.action = 9;
    out.next = 5;
    ASSERT_TRUE(handle(out));
    EXPECT_FALSE(client->playedHand.play().BurnActive);
    EXPECT_FALSE(ctl("ShaoPaiPlayer").visible);
    // Hidden, the flames stand still.
    EXPECT_EQ(flames().Action(), gif::kPaused);
    const int frame = flames().currentFrame();
    EXPECT_EQ(framesOver(1000), std::vector<int>{frame});
}

// Burns keep burning (their picture loops for ever); catches and falls play their
// picture once, after which the player shows nothing.
TEST_F(Events, TheFlamesPlayTheirPictureWithItsLoopCount) {
    Played burn = burnBy1();
    Played fall;
    fall.actor = 3;
    fall.event = 2;
    fall.cards = "6S";
    fall.next = 4;
    struct Case {
        const char* what;
        std::vector<Played> packets;
        int resource;
        int loops;  // 0: for ever
    };
    Played catchByPlay{};
    catchByPlay.actor = 2;
    catchByPlay.cards = "2S 2H";
    catchByPlay.next = 3;
    Played ownFall = fall;
    ownFall.actor = 0;
    ownFall.cards = "";
    const std::vector<Case> cases = {
        {"burn", {burn}, 633, 0},        {"catch by cards", {burn, catchByPlay}, 634, 1},
        {"fall", {fall}, 635, 1},        {"fall during a burn", {burn, fall}, 635, 1},
        {"own fall", {ownFall}, 635, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        client->reset.displayReset();
        for (const Played& d : c.packets) ASSERT_TRUE(handle(d));
        EXPECT_EQ(flamesFile(), resource(c.resource));
        EXPECT_TRUE(ctl("ShaoPaiPlayer").visible);
        EXPECT_EQ(flames().loops(), c.loops);
        EXPECT_EQ(flames().currentFrame(), 1);
        EXPECT_TRUE(ctl("ShaoPaiPlayer").picture) << "the first frame at once";
        const int n = flames().FrameCount();
        ASSERT_GT(n, 1);
        // 10 seconds is several passes of every flame picture.
        const std::vector<int> seen = framesOver(10000);
        std::vector<int> expected;
        if (c.loops == 1) {
            for (int k = 1; k <= n; ++k) expected.push_back(k);
            expected.push_back(0);
            EXPECT_EQ(seen, expected);
            EXPECT_EQ(flames().Action(), gif::kStopped);
            EXPECT_FALSE(ctl("ShaoPaiPlayer").picture) << "nothing shown after the pass";
            EXPECT_FALSE(flames().AnimatedGIF());
        } else {
            for (std::size_t i = 0; i < seen.size(); ++i)
                expected.push_back(static_cast<int>(i) % n + 1);
            EXPECT_EQ(seen, expected);
            EXPECT_GT(seen.size(), 3u * static_cast<std::size_t>(n)) << "still burning";
            EXPECT_EQ(flames().Action(), gif::kPlaying);
            EXPECT_TRUE(ctl("ShaoPaiPlayer").picture);
        }
    }
}

TEST_F(Events, TheDisplayResetEmptiesTheFlames) {
    Played burn = burnBy1();
    ASSERT_TRUE(handle(burn));
    ASSERT_TRUE(advance(250));
    ASSERT_TRUE(flames().AnimatedGIF());
    client->reset.displayReset();
    EXPECT_EQ(flames().FrameCount(), 0);
    EXPECT_FALSE(flames().AnimatedGIF());
    EXPECT_FALSE(ctl("ShaoPaiPlayer").picture);
    EXPECT_TRUE(flamesFile().empty());
    EXPECT_EQ(framesOver(1000), std::vector<int>{0}) << "no frame comes back";
    // The next burn plays again.
    ASSERT_TRUE(handle(burn));
    EXPECT_TRUE(ctl("ShaoPaiPlayer").visible);
    EXPECT_GT(framesOver(1000).size(), 3u);
}

// A mouse-down on the flames is one on the table surface: it closes the illegal-play
// notice, gives the chat input the focus, and a right click plays in turn.
TEST_F(Events, AMouseDownOnTheFlamesActsAsOnTheTable) {
    Played burn = burnBy1("2S 2H");
    ASSERT_TRUE(handle(burn));
    // The flames are what a click at their middle reaches.
    ui::Control& shao = ctl("ShaoPaiPlayer");
    double x = 0, y = 0;
    client->MainForm.absolutePosition(shao, x, y);
    EXPECT_EQ(client->MainForm.hitTest(x + shao.width / 2, y + shao.height / 2), &shao);

    struct Case {
        const char* surface;
        int button;
        bool plays;
    };
    const Case cases[] = {
        {"ShaoPaiPlayer", ui::kLeftButton, false},
        {"ShaoPaiPlayer", ui::kRightButton, true},
        {"Pic1", ui::kLeftButton, false},
        {"Pic1", ui::kRightButton, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.surface) + (c.button == ui::kRightButton ? " right" : " left"));
        myTurn(1);
        raise(hand().count() - 1);
        client->buttons.showIllegalPlayNotice();
        client->MainForm.setFocus(nullptr);
        const int before = hand().count();
        ui::Event e;
        e.kind = ui::EventKind::kMouseDown;
        e.button = c.button;
        ASSERT_TRUE(guarded([&] { EXPECT_TRUE(client->MainForm.fire(&ctl(c.surface), e)); }));
        EXPECT_FALSE(fp.windows.find("ChuPai")->loaded());
        EXPECT_EQ(client->MainForm.focus, &ctl("Chat"));
        EXPECT_EQ(hand().count(), c.plays ? before - 1 : before);
        EXPECT_EQ(sentPackets().size(), c.plays ? 1u : 0u);
        if (!c.plays) cardAt(hand().count() - 1).top = client->state.HandTop;
    }
}

TEST_F(Events, AFallKeepsTheFallenRowUntilTheBubbleTimer) {
    client->state.RevealsCleared = true;  // late in the round
    plays(1, "5S", 2);
    Played fall;
    fall.actor = 3;
    fall.event = 2;
    fall.cards = "6S";
    fall.next = 4;
    fall.mode = 1;  // the trick ends with it
    ASSERT_TRUE(handle(fall));
    EXPECT_EQ(soundCount("/dravik/daluo.wav"), 1);
    EXPECT_EQ(tagOf("ImgResult", 3), "666");
    EXPECT_TRUE(ctl("ImgResult", 3).visible);
    EXPECT_TRUE(rowVisible(3)) << "the fallen seat's cards stay up";
    EXPECT_FALSE(rowVisible(1));
    ASSERT_TRUE(advance(2900));
    EXPECT_TRUE(rowVisible(3));
    ASSERT_TRUE(advance(200));
    EXPECT_FALSE(rowVisible(3));
    EXPECT_FALSE(client->playedHand.play().FallPending);
    EXPECT_EQ(client->playedHand.play().FallSlot, -1);

    // The own fall puts the place picture above the hand.
    fall.actor = 0;
    fall.cards = "";
    ASSERT_TRUE(handle(fall));
    EXPECT_DOUBLE_EQ(ctl("ImgResult", 0).top,
                     client->state.HandTop - 0.75 * client->hand.cardImage(0, 0).height);
}

TEST_F(Events, YieldAndTakeTheLeadBubblesLastTwoSecondsAndNotWhenMinimised) {
    Played yield;
    yield.actor = 2;
    yield.action = 4;
    yield.next = 3;
    ASSERT_TRUE(handle(yield));
    EXPECT_EQ(soundCount("/dravik/rangpai.wav"), 1);
    EXPECT_TRUE(ctl("ImgQQ", 2).visible);
    EXPECT_EQ(tagOf("ImgQQ", 2), "644");
    ASSERT_TRUE(advance(2050));
    EXPECT_FALSE(ctl("ImgQQ", 2).visible);

    Played lead;
    lead.actor = 4;
    lead.action = 5;
    lead.next = 5;
    client->MainForm.windowState = ui::WindowState::kMinimized;
    ASSERT_TRUE(handle(lead));
    EXPECT_EQ(soundCount("/dravik/jiefeng.wav"), 1);
    EXPECT_FALSE(ctl("ImgQQ", 4).visible);
    client->MainForm.windowState = ui::WindowState::kNormal;
    ASSERT_TRUE(handle(lead));
    EXPECT_EQ(tagOf("ImgQQ", 4), "652");
}

TEST_F(Events, ModeOneWithTheLocalPlayerNextFreesTheTable) {
    ownPlays(6);
    plays(4, "QS QH QD", 5);
    plays(5, "KS KH KD", 0, 1);
    EXPECT_EQ(client->state.TablePlay.playClass, rules::PlayClass::kNone);
    for (int slot = 0; slot < 6; ++slot) EXPECT_FALSE(rowVisible(slot)) << slot;
    EXPECT_TRUE(client->buttons.prompt().LeadMode());
    raise(hand().count() - 1);  // a single 4 after the kings
    ASSERT_TRUE(press(0));
    EXPECT_EQ(client->state.TablePlay.playClass, rules::PlayClass::kOrdinary);
    EXPECT_EQ(client->state.TablePlay.count, 1);
}

TEST_F(Events, TheFirstFreeLeadClearsTheRoundStartRowsOnce) {
    for (int slot = 1; slot < 6; ++slot)
        for (int i = 0; i < 5; ++i) client->hand.cardImage(slot, i).visible = true;
    plays(1, "5S", 2, 1);
    EXPECT_TRUE(client->state.RevealsCleared);
    for (int slot = 2; slot < 6; ++slot) {
        for (int i = 0; i < 4; ++i) EXPECT_FALSE(client->hand.cardImage(slot, i).visible);
        EXPECT_TRUE(client->hand.cardImage(slot, 4).visible);
    }
}

TEST_F(Events, TheRoundOverClearsTheTableAfterOneSecondAndOffersNothing) {
    plays(2, "5S", 3);
    Played over;
    over.actor = 3;
    over.action = 10;
    over.next = 0;
    over.mode = 2;
    const std::int64_t before = fp.loop.nowMs();
    ASSERT_TRUE(handle(over));
    EXPECT_EQ(fp.loop.nowMs() - before, 1000);
    for (int slot = 0; slot < 6; ++slot)
        for (int i = 0; i < 56; ++i) ASSERT_FALSE(client->hand.cardImage(slot, i).visible);
    EXPECT_FALSE(ctl("Operation", 0).visible);
    EXPECT_FALSE(ctl("Time_Img").visible);
    EXPECT_FALSE(client->state.MyTurn || client->state.PlayToken ||
                 client->buttons.prompt().FollowMode());
    EXPECT_FALSE(client->state.InGame);
}

TEST_F(Events, TheClockGoesToTheNextSeat) {
    const double w = ctl("Time_Img").width;
    auto bottom = [&](const char* n) { return ctl(n).top + ctl(n).height; };
    struct Case {
        int slot;
        double left, top;
    } cases[] = {{1, 6, bottom("name1")},
                 {2, 160, 108},
                 {3, 500, 108},
                 {4, 845, 108},
                 {5, 1024 - w - 4, bottom("name2")},
                 {0, 10, 578}};
    for (const Case& c : cases) {
        Played d;
        d.actor = c.slot == 1 ? 2 : 1;
        d.action = 0;
        d.next = c.slot;
        d.seconds = 15;
        ASSERT_TRUE(handle(d));
        EXPECT_DOUBLE_EQ(ctl("Time_Img").left, c.left) << c.slot;
        EXPECT_DOUBLE_EQ(ctl("Time_Img").top, c.top) << c.slot;
        EXPECT_DOUBLE_EQ(ctl("Number").left, c.left + 48) << c.slot;
        EXPECT_EQ(ctl("Number").caption, "15");
        EXPECT_EQ(ctl("Number").foreColor, 0x00FF00u);
        EXPECT_TRUE(ctl("Time_Img").visible && ctl("Number").visible);
        EXPECT_EQ(client->buttons.decisions().OthersCountdown, c.slot != 0);
    }
}

TEST_F(Events, TheTurnModesOfferTheirButtons) {
    struct Case {
        int mode;
        const char* pictures[3];
        table::PromptKind prompt;
    } cases[] = {
        {1, {"612", "614", nullptr}, table::PromptKind::kLead},
        {2, {"612", "614", "613"}, table::PromptKind::kFollow},
        {3, {"607", "614", "613"}, table::PromptKind::kBurn},
        {4, {"612", "608", "613"}, table::PromptKind::kYield},
        {5, {"612", "614", "611"}, table::PromptKind::kTakeLead},
    };
    const double x0 = client->buttons.ButtonBaseX(), w = ctl("Operation", 0).width;
    for (const Case& c : cases) {
        client->buttons.clearDecisionFlags();
        myTurn(c.mode, c.mode == 1 ? "" : "5S");
        for (int i = 0; i < 3; ++i) {
            ui::Control& b = ctl("Operation", i);
            EXPECT_EQ(b.visible, c.pictures[i] != nullptr) << c.mode << " " << i;
            if (c.pictures[i])
                EXPECT_EQ(tagOf("Operation", i), c.pictures[i]) << c.mode << " " << i;
        }
        if (c.mode == 1) {
            EXPECT_DOUBLE_EQ(ctl("Operation", 0).left, x0 + 0.3 * w);
            EXPECT_DOUBLE_EQ(ctl("Operation", 1).left, x0 + 0.3 * w + 2 * w);
        } else {
            EXPECT_DOUBLE_EQ(ctl("Operation", 2).left, x0 + 2.6 * w);
        }
        EXPECT_TRUE(client->buttons.prompt().is(c.prompt));
        EXPECT_TRUE(client->state.MyTurn && client->state.PlayToken && client->state.PromptActive);
        EXPECT_TRUE(client->connection.slots[net::kSlotTurnCountdown].flag);
        EXPECT_TRUE(ctl("Operation", 5).visible) << "the restore button";
    }
    // Mode 0: the clock, but no buttons.
    client->buttons.clearDecisionFlags();
    for (int i = 0; i < 3; ++i) ctl("Operation", i).visible = false;
    myTurn(0, "5S");
    EXPECT_FALSE(ctl("Operation", 0).visible);
    EXPECT_FALSE(client->buttons.prompt().anyTurnMode());
}

TEST_F(Events, TheLampOfTheNextSeat) {
    Played d;
    d.actor = 1;
    d.action = 0;
    d.next = 2;
    d.event = 1;
    ASSERT_TRUE(handle(d));
    EXPECT_EQ(tagOf("ImgKaiD", 2), "632");
    EXPECT_EQ(soundCount("/dravik/kaidian.wav"), 1);
}

TEST_F(Events, AHostileCardCountStaysInsideThePacketAndTheRow) {
    wire::GamePacket p = played({.actor = 1, .next = 2, .cards = "5S"});
    p[wire::PlayedHand::kCountByte] = 255;
    ASSERT_TRUE(guarded([&] { client->playedHand.HandlePlayedHand(wire::PlayedHand::decode(p)); }));
    EXPECT_EQ(client->state.TablePlay.count, 40);
    EXPECT_EQ(client->playedHand.play().PlayedPictures[40][1], 40);
    // The slot's pictures run out after 56 cards: the rest are not shown.
    ASSERT_TRUE(guarded([&] { client->playedHand.HandlePlayedHand(wire::PlayedHand::decode(p)); }));
    EXPECT_EQ(client->playedHand.play().UsedCardPictures[1], 80);
    ASSERT_TRUE(guarded([&] { client->playedHand.HidePlayedRow(1, true); }));
}

}  // namespace
