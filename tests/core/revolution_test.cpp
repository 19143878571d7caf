// The three exchange (4) and the revolution and head stage (5): the notices, the
// exchanged card on show for its pause, the prompts with their answers by button and
// by countdown, and the announcements with their sounds, bubbles, places and lamps.
#include "play_fixture.h"

namespace {

constexpr const char* kRevolutionBubble = "647";  // PlayBubblePictureIds 6, 5, 4
constexpr const char* kHeadBubble = "646";
constexpr const char* kNoHeadBubble = "645";
constexpr const char* kFourthPlace = "664";  // FinishPictureIds 3
constexpr const char* kLitLamp = "632";      // IndicatorPictureIds 1

struct Revolutions : PlayTable {
    void SetUp() override {
        PlayTable::SetUp();
        const char* names[6] = {"me", "小明", "阿强", "翠花", "春燕", "老王"};
        for (int s = 0; s < 6; ++s)
            client->state.PlayerInfo[static_cast<std::size_t>(s)].nickname = names[s];
    }
    std::string notice() {
        ui::Form* f = fp.windows.find("frmTishi");
        return f && f->visible ? f->at("LbTishi", 0).caption : "";
    }
    // An exchange about the seat byte; the new card in notation with its CardId.
    static wire::GamePacket exchange(std::uint8_t seatByte, int kind, const std::string& card,
                                     int id) {
        wire::Exchange e;
        e.actor = seatByte;
        e.kind = static_cast<wire::ExchangeKind>(kind);
        const auto code = static_cast<std::uint32_t>(*rules::parseCard(card, id));
        if (kind == 2)
            e.sellCard = code;
        else
            e.buyCard = code;
        wire::GamePacket p = e.encode();
        p[6] = seatByte;
        return p;
    }
    static wire::GamePacket stage(int sub, std::uint8_t seatByte, int seconds = 10,
                                  std::vector<std::uint8_t> offered = {}) {
        wire::Revolution r;
        r.actor = seatByte;
        r.seconds = static_cast<std::uint8_t>(seconds);
        r.stage = static_cast<wire::RevolutionStage>(sub);
        for (std::size_t i = 0; i < offered.size() && i < 6; ++i) r.offered.seats[i] = offered[i];
        wire::GamePacket p = r.encode();
        p[6] = seatByte;
        return p;
    }
    bool click(int item) { return fire("OperationNotP", item, ui::EventKind::kClick); }
    int posOfId(int id) {
        for (int i = 0; i < hand().count(); ++i)
            if (rules::cardIdOf(hand().code(i)) == id) return i;
        return -1;
    }
};

// The exchange's cases: who is named, buy or sell, and whether the own hand holds
// the card named.
struct ExchangeCase {
    const char* name;
    std::uint8_t seatByte;
    int kind;
    int id;  // the CardId named (the hand's 9S has 1, 7H 2, 3C 3)
    const char* notice;
    const char* handAfter;  // "" = unchanged
    bool pause;
};
const ExchangeCase kExchanges[] = {
    {"a buy about another player", PlayTable::bit(2), 1, 3, "阿强买三", "", false},
    {"a sell about another player", PlayTable::bit(2), 2, 3, "", "", false},
    {"the own buy", PlayTable::bit(0), 1, 3, "me买三", "9S 7H 6D", true},
    {"the own sell shows no notice", PlayTable::bit(0), 2, 3, "", "9S 7H 6D", true},
    {"the own seat with upper bits set", static_cast<std::uint8_t>(0xC0 | PlayTable::bit(0)), 2, 3,
     "", "9S 7H 6D", true},
    {"a card the hand does not hold", PlayTable::bit(0), 1, 30, "me买三", "", false},
    {"another kind", PlayTable::bit(0), 3, 3, "", "", false},
    {"a seat byte naming nobody", 0, 2, 3, "", "", false},
};
struct Exchanges : Revolutions, ::testing::WithParamInterface<ExchangeCase> {};

TEST_P(Exchanges, ChangeOnlyTheNamedOwnCardAfterItsPause) {
    const ExchangeCase& c = GetParam();
    SCOPED_TRACE(c.name);
    holdOnly("9S 7H 3C");
    const std::string before = handText();
    const std::int64_t t0 = fp.loop.nowMs();
    double topDuringPause = 0;
    platform::Timer probe(fp.loop, 1000);
    probe.onTick = [&] {
        probe.setEnabled(false);
        const int pos = posOfId(c.id);
        if (pos >= 0) topDuringPause = cardAt(pos).top;
    };
    probe.setEnabled(true);
    // The new card keeps the CardId of the one it replaces.
    ASSERT_TRUE(dispatch(exchange(c.seatByte, c.kind, "6D", c.id)));
    probe.setEnabled(false);
    EXPECT_EQ(notice(), c.notice);
    EXPECT_EQ(fp.loop.nowMs() - t0, c.pause ? 2000 : 0);
    EXPECT_EQ(handText(), *c.handAfter ? c.handAfter : before);
    if (!c.pause) return;
    EXPECT_DOUBLE_EQ(topDuringPause, client->state.HandTop - cardAt(0).height / 2)
        << "raised by half its height for the pause";
    // The hand is drawn again: every card shows its own face, none stays raised.
    for (int i = 0; i < hand().count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(tagOf("cardImage0", hand().imageIndex(i)),
                  std::to_string(rules::PictureIndex(hand().code(i))));
        EXPECT_FALSE(raised(i));
        EXPECT_TRUE(cardAt(i).visible);
    }
}
INSTANTIATE_TEST_SUITE_P(Cases, Exchanges, ::testing::ValuesIn(kExchanges));

TEST_F(Revolutions, ARevolutionAboutTheLocalPlayerSoundsSetsPlaceFourAndLightsTheOppositeLamp) {
    holdOnly("9S 7H");
    ASSERT_TRUE(dispatch(stage(4, bit(0))));
    EXPECT_EQ(soundCount("/dravik/geming.wav"), 1);
    EXPECT_EQ(soundCount("/dravik/kaidian.wav"), 1);
    EXPECT_FALSE(ctl("ImgQQ", 0).visible) << "no bubble beside the own seat";
    EXPECT_EQ(client->state.PlayerRecord[0].finishPlace, 4);
    ui::Control& place = ctl("ImgResult", 0);
    EXPECT_TRUE(place.visible);
    EXPECT_EQ(tagOf("ImgResult", 0), kFourthPlace);
    EXPECT_DOUBLE_EQ(place.top + place.height,
                     client->state.HandTop - client->hand.cardImage(0, 0).height / 5);
    EXPECT_TRUE(ctl("ImgKaiD", 3).visible);
    EXPECT_EQ(tagOf("ImgKaiD", 3), kLitLamp);
    EXPECT_EQ(client->state.RevolutionSlots[0], 0);
}

TEST_F(Revolutions, AnnouncementsFillBothRevolutionSlotsInOrderAndShowTheirBubbles) {
    const ui::Control& place0 = ctl("ImgResult", 0);
    const double restingTop = ctl("ImgResult", 2).top;
    ASSERT_TRUE(dispatch(stage(4, bit(2))));
    EXPECT_EQ(tagOf("ImgQQ", 2), kRevolutionBubble);
    EXPECT_TRUE(ctl("ImgQQ", 2).visible);
    EXPECT_EQ(tagOf("ImgResult", 2), kFourthPlace);
    EXPECT_EQ(ctl("ImgResult", 2).top, restingTop) << "only the own place moves";
    EXPECT_EQ(tagOf("ImgKaiD", 5), kLitLamp);
    ASSERT_TRUE(dispatch(stage(4, bit(4))));
    EXPECT_EQ(client->state.RevolutionSlots, (std::array<int, 2>{2, 4}));
    EXPECT_EQ(tagOf("ImgKaiD", 1), kLitLamp);
    // A third in the same round takes the second entry.
    ASSERT_TRUE(dispatch(stage(4, bit(5))));
    EXPECT_EQ(client->state.RevolutionSlots, (std::array<int, 2>{2, 5}));
    EXPECT_FALSE(place0.visible);
    ASSERT_TRUE(advance(2100));
    EXPECT_FALSE(ctl("ImgQQ", 2).visible) << "the bubbles go with the bubble timer";
    // The next game's reset forgets them.
    client->reset.displayReset();
    EXPECT_EQ(client->state.RevolutionSlots, (std::array<int, 2>{-1, -1}));
}

struct AnnouncementCase {
    int sub;
    const char* sound;
    const char* bubble;
};
const AnnouncementCase kAnnouncements[] = {
    {5, "/dravik/yaotou.wav", kHeadBubble},
    {6, "/dravik/wutou.wav", kNoHeadBubble},
    {4, "/dravik/geming.wav", kRevolutionBubble},
};
struct Announcements : Revolutions, ::testing::WithParamInterface<AnnouncementCase> {};

TEST_P(Announcements, SoundAndBubbleAtTheActorButNotOnAMinimisedTable) {
    const AnnouncementCase& c = GetParam();
    ASSERT_TRUE(dispatch(stage(c.sub, bit(3))));
    EXPECT_EQ(soundCount(c.sound), 1);
    EXPECT_TRUE(ctl("ImgQQ", 3).visible);
    EXPECT_EQ(tagOf("ImgQQ", 3), c.bubble);
    ASSERT_TRUE(advance(2100));
    EXPECT_FALSE(ctl("ImgQQ", 3).visible);
    client->MainForm.windowState = ui::WindowState::kMinimized;
    sounds.clear();
    ASSERT_TRUE(dispatch(stage(c.sub, bit(1))));
    EXPECT_EQ(soundCount(c.sound), 1) << "the sound still plays";
    EXPECT_FALSE(ctl("ImgQQ", 1).visible);
    // Beside the own seat there is never a bubble.
    client->MainForm.windowState = ui::WindowState::kNormal;
    ASSERT_TRUE(dispatch(stage(c.sub, bit(0))));
    EXPECT_FALSE(ctl("ImgQQ", 0).visible);
}
INSTANTIATE_TEST_SUITE_P(Cases, Announcements, ::testing::ValuesIn(kAnnouncements));

// The two prompts, answered by each button and by the countdown.
struct PromptCase {
    const char* name;
    int sub;
    std::uint8_t seatByte;
    std::vector<std::uint8_t> offered;
    bool shown;
    const char* left;
    const char* right;
    int leftAnswer, rightAnswer, expiryAnswer;  // byte 8 of the answer
};
const PromptCase kPrompts[] = {
    {"revolution offered", 1, 0, {0x40, 4, PlayTable::bit(0)}, true, "604", "613", 0, 1, 1},
    {"revolution for others", 1, 0, {4, 8}, false, "", "", 0, 0, 0},
    {"head", 2, PlayTable::bit(0), {}, true, "605", "606", 2, 3, 3},
    {"head with an upper bit set",
     2,
     static_cast<std::uint8_t>(0x40 | PlayTable::bit(0)),
     {},
     false,
     "",
     "",
     0,
     0,
     0},
    {"head for another seat", 2, PlayTable::bit(3), {}, false, "", "", 0, 0, 0},
};
struct Prompts : Revolutions, ::testing::WithParamInterface<PromptCase> {};

TEST_P(Prompts, AreShownToTheirSeatAndAnswered) {
    const PromptCase& c = GetParam();
    SCOPED_TRACE(c.name);
    for (int how = 0; how < 3; ++how) {  // left button, right button, countdown
        SCOPED_TRACE(how);
        ASSERT_TRUE(dispatch(stage(c.sub, c.seatByte, 5, c.offered)));
        if (!c.shown) {
            EXPECT_FALSE(client->buttons.prompt().up());
            EXPECT_FALSE(ctl("OperationNotP", 0).visible);
            EXPECT_TRUE(sentPackets().empty());
            return;
        }
        EXPECT_TRUE(c.sub == 1 ? client->buttons.prompt().RevolutionPending()
                               : client->buttons.prompt().HeadPending());
        EXPECT_TRUE(client->state.PromptActive);
        EXPECT_EQ(client->state.CountdownSeconds, 5);
        EXPECT_EQ(tagOf("OperationNotP", 0), c.left);
        EXPECT_EQ(tagOf("OperationNotP", 1), c.right);
        if (how < 2) {
            ASSERT_TRUE(click(how));
        } else {
            ASSERT_TRUE(advance(6100));
        }
        auto sent = sentPackets();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0][3], 5);
        EXPECT_EQ(sent[0][6], 1);
        EXPECT_EQ(sent[0][8], how == 0 ? c.leftAnswer : how == 1 ? c.rightAnswer : c.expiryAnswer);
        EXPECT_FALSE(client->buttons.prompt().up());
        EXPECT_FALSE(ctl("OperationNotP", 0).visible);
    }
}
INSTANTIATE_TEST_SUITE_P(Cases, Prompts, ::testing::ValuesIn(kPrompts));

TEST_F(Revolutions, AwayTheRevolutionPromptAnswersAtOnceAndOthersOffersCutTheCountdown) {
    client->state.Away = true;
    ASSERT_TRUE(dispatch(stage(1, 0, 9, {bit(0)})));
    EXPECT_EQ(client->state.CountdownSeconds, 1);
    // An offer to other seats shows nothing but keeps the away rule.
    client->state.CountdownSeconds = 6;
    ASSERT_TRUE(dispatch(stage(1, 0, 9, {bit(3)})));
    EXPECT_EQ(client->state.CountdownSeconds, 1);
    client->state.Away = false;
    client->state.CountdownSeconds = 6;
    ASSERT_TRUE(dispatch(stage(1, 0, 9, {bit(3)})));
    EXPECT_EQ(client->state.CountdownSeconds, 6);
}

TEST_F(Revolutions, ADoubleRevolutionAnnouncesANewDeal) {
    ASSERT_TRUE(dispatch(stage(3, bit(2))));
    EXPECT_EQ(notice(), "两家革命重新开牌");
    // Unknown sub-codes do nothing.
    const state::TableState before = client->state;
    for (int sub : {0, 7, 200}) ASSERT_TRUE(dispatch(stage(sub, bit(2))));
    EXPECT_TRUE(client->state == before);
}

}  // namespace
