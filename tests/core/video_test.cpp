// Camera pictures between the seats on the fake video component, in virtual time:
// capture and its placement, the relay login and the two peer-entry rules, the
// frames sent to each peer and drawn into each slot, the command icons, the
// enlarged windows, photos, the album, the music box and the leave.
#include <filesystem>
#include <fstream>

#include "client_fixture.h"
#include "table_packets.h"

namespace {

using platform::Frame;
using Sent = platform::FakeVideoComponent::Sent;

Frame frameNo(int n) { return {'B', 'M', static_cast<std::uint8_t>(n)}; }

struct VideoTest : ClientFixture {
    std::string folder;

    VideoTest() {
        folder = ::testing::TempDir() + "dravik-video-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        fp.shell.folder = folder;
    }
    platform::FakeVideoComponent& vc() { return fp.video; }
    video::Video& video() { return client->video; }
    ui::Form& table() { return client->MainForm; }
    ui::Control& control(const char* name, int index = -1) { return table().at(name, index); }

    // Seats the local player (slot 0) and the given others by account name.
    void seat(int slot, const std::string& account) {
        testpk::Seat s;
        s.ownSeatByte = 1;
        s.seatByte = static_cast<std::uint8_t>(1 << slot);
        s.account = account;
        s.nickname = account;
        ASSERT_TRUE(dispatch(s.build()));
    }
    void seatAll() {
        seat(0, "me");
        for (int k = 1; k <= 5; ++k) seat(k, "p" + std::to_string(k));
    }
    // The relay logged in, player pk bound to entry k in state `state`.
    void connectAll(int state) {
        vc().raiseLogin(2);
        for (int k = 1; k <= 5; ++k) {
            vc().peerNames[k] = "p" + std::to_string(k);
            vc().peerStates[k] = state;
        }
    }
    int drawsOf(const std::string& control) const {
        int n = 0;
        for (const auto& d : fp.video.drawn) n += d.control == control;
        return n;
    }
    std::vector<std::string> sysmsg() {
        std::vector<std::string> out;
        for (int i = 0; i < 2; ++i) {
            const auto& items = control("Sysmsg", i).items;
            out.push_back(items.empty() ? "" : items[0]);
        }
        return out;
    }
};

TEST_F(VideoTest, StartUpLogsTheRelayInAtTheServersHostOnPort8888) {
    startConnected("me$key$10.1.2.3$2000$home$");
    EXPECT_EQ(vc().host, "10.1.2.3");
    EXPECT_EQ(vc().port, 8888);
    EXPECT_EQ(vc().peerCount, 5);
    EXPECT_EQ(vc().loggedInAs, std::vector<std::string>{"me"});
    EXPECT_FALSE(video().relayLoggedIn());
}

TEST_F(VideoTest, CaptureCoversTheOwnAvatarAndShowsTheLocalStrip) {
    vc().startResult = 0;
    startConnected();
    ASSERT_TRUE(video().captureRunning());
    EXPECT_EQ(vc().prepared, 1);
    EXPECT_EQ(vc().switches, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(vc().mode, 2);
    const ui::Control& cap = control("vcap1");
    const ui::Control& tou = control("Tou", 0);
    EXPECT_EQ(cap.left, tou.left);
    EXPECT_EQ(cap.top, tou.top);
    EXPECT_EQ(cap.width, tou.width);
    EXPECT_DOUBLE_EQ(cap.height, tou.height - 7);
    EXPECT_TRUE(cap.visible);
    EXPECT_TRUE(control("PicLocal", 0).visible);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(control("ImCmd", i).visible) << i;
    // Started once: the own seat packet does not start it again.
    seat(0, "me");
    EXPECT_EQ(vc().starts, 1);
}

// Said by the start-up's attempt, which the login result's lines replace, and
// again by the own seat packet's: on the table once.
TEST_F(VideoTest, WithoutACameraTheTableWorksAndSaysSoOnce) {
    vc().startResult = 1;
    startConnected();
    EXPECT_EQ(sysmsg(), (std::vector<std::string>{"正在连接服务器...", video::kNoDevice}));
    ASSERT_TRUE(dispatch(testpk::loginResult(1)));
    seat(0, "me");
    EXPECT_FALSE(video().captureRunning());
    EXPECT_EQ(vc().starts, 2);
    EXPECT_FALSE(control("vcap1").visible);
    EXPECT_FALSE(control("PicLocal", 0).visible);
    int said = 0;
    for (const auto& line : sysmsg()) said += line == video::kNoDevice;
    EXPECT_EQ(said, 1);
}

TEST_F(VideoTest, TheFirstLoginRegistersEverySeatedPlayerByTheLoginRule) {
    startConnected();
    seatAll();
    EXPECT_TRUE(vc().connected.empty());  // no registration before the relay logs in
    vc().raiseLogin(1);
    EXPECT_FALSE(video().relayLoggedIn());
    EXPECT_TRUE(vc().connected.empty());
    vc().raiseLogin(2);
    EXPECT_TRUE(video().relayLoggedIn());
    // The login rule takes the last free entry: p1 gets 5, p2 gets 4, ...
    const std::vector<std::pair<int, std::string>> expected = {
        {5, "p1"}, {4, "p2"}, {3, "p3"}, {2, "p4"}, {1, "p5"}};
    EXPECT_EQ(vc().connected, expected);
    // A later login (after a failed one) registers nobody again.
    vc().raiseLogin(0);
    vc().raiseLogin(2);
    EXPECT_EQ(vc().connected.size(), 5u);
    EXPECT_TRUE(video().relayLoggedIn());
}

TEST_F(VideoTest, TheSeatPacketRuleChoosesTheEntry) {
    struct Case {
        const char* what;
        std::map<int, std::string> names;
        std::map<int, int> states;
        int slot;
        int expectedEntry;  // 0: no connect
    };
    const std::map<int, std::string> full = {{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}, {5, "e"}};
    const Case cases[] = {
        {"all free: the last free entry", {}, {}, 2, 5},
        {"bound to entry 4 while 1..3 are free", {{4, "ACC"}}, {{4, 3}}, 1, 4},
        {"bound to entry 2 and connected: left alone", {{2, "ACC"}}, {{2, 12}}, 3, 0},
        {"no free entry: the slot's own", full, {{1, 12}, {2, 12}, {3, 5}, {4, 12}, {5, 12}}, 3, 3},
        {"no free entry, the slot's own connected",
         full,
         {{1, 12}, {2, 12}, {3, 12}, {4, 12}, {5, 12}},
         3,
         0},
        {"a free entry after taken ones", {{1, "a"}}, {{1, 12}, {3, 12}, {4, 12}, {5, 12}}, 4, 2},
    };
    startConnected();
    vc().raiseLogin(2);  // nobody seated yet
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // A new account each time; "ACC" in a case's names stands for it.
        const std::string account = "acc" + std::to_string(++n);
        vc().connected.clear();
        vc().peerNames = c.names;
        for (auto& [e, name] : vc().peerNames)
            if (name == "ACC") name = account;
        vc().peerStates = c.states;
        seat(c.slot, account);
        if (c.expectedEntry == 0) {
            EXPECT_TRUE(vc().connected.empty());
        } else {
            ASSERT_EQ(vc().connected.size(), 1u);
            EXPECT_EQ(vc().connected[0], (std::pair<int, std::string>{c.expectedEntry, account}));
        }
    }
}

TEST_F(VideoTest, APeerBelowState15GetsFrames1_2_3_24_45AndEveryFrameOnceAt15) {
    vc().startResult = 0;
    startConnected();
    seatAll();
    connectAll(9);
    vc().peerStates[1] = 12;  // connected, not taking every frame
    vc().peerStates[2] = 12;  // moves to 15 after frame 30
    std::vector<Frame> to1, to2;
    for (int n = 1; n <= 50; ++n) {
        if (n == 31) vc().raisePeerState(2, 15);
        vc().raiseFrameCaptured(frameNo(n));
        if (n == 30) {
            EXPECT_EQ(video().sendSkip(2), 9);
        }
    }
    auto numbers = [](const std::vector<Frame>& fs) {
        std::vector<int> out;
        for (const Frame& f : fs)
            if (f.size() == 3) out.push_back(f[2]);
        return out;
    };
    EXPECT_EQ(numbers(vc().framesTo(1)), (std::vector<int>{1, 2, 3, 24, 45}));
    // Entry 2: the thinned frames up to 30, then (after the latest frame sent on
    // reaching 15) every frame; its counter keeps its value.
    std::vector<int> expected2 = {1, 2, 3, 24, 30};
    for (int n = 31; n <= 50; ++n) expected2.push_back(n);
    EXPECT_EQ(numbers(vc().framesTo(2)), expected2);
    EXPECT_EQ(video().sendSkip(2), 9);
    EXPECT_TRUE(vc().framesTo(3).empty());  // state 9: not connected
    EXPECT_EQ(video().latestFrame(0), frameNo(50));
}

TEST_F(VideoTest, APeerAskingForVideoGetsFormatModeAndTheLatestFrame) {
    vc().startResult = 0;
    startConnected();
    vc().raiseFrameCaptured(frameNo(7));
    for (int state : {10, 12, 13, 16}) vc().raisePeerState(3, state);
    vc().raisePeerState(9, 14);  // no such entry
    EXPECT_TRUE(vc().sent.empty());
    vc().raisePeerState(3, 14);
    const std::vector<Sent> expected = {
        {Sent::Format, 3, vc().format}, {Sent::Mode, 3, {2}}, {Sent::Frame, 3, frameNo(7)}};
    EXPECT_EQ(vc().sent, expected);
}

TEST_F(VideoTest, ReceivedFramesGoToTheSlotOfTheSendersName) {
    struct Case {
        const char* what;
        int entry;
        std::string name;
        int state;
        int slotStored;  // 0: dropped
        bool drawn;
    };
    const Case cases[] = {
        {"a connected peer", 2, "p3", 12, 3, true},
        {"entry 0", 0, "p3", 12, 0, false},
        {"entry 6", 6, "p3", 12, 0, false},
        {"a name nobody at the table has", 2, "stranger", 12, 0, false},
        {"an entry without a name", 2, "", 12, 0, false},
        {"not connected yet: stored, not drawn", 2, "p4", 9, 4, false},
    };
    startConnected();
    seatAll();
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Frame f = frameNo(++n);
        vc().drawn.clear();
        vc().peerNames = {{c.entry, c.name}};
        vc().peerStates = {{c.entry, c.state}};
        vc().raiseFrameReceived(c.entry, f);
        for (int k = 1; k <= 5; ++k) EXPECT_EQ(video().latestFrame(k) == f, k == c.slotStored) << k;
        EXPECT_EQ(vc().drawn.size(), c.drawn ? 1u : 0u);
    }
}

TEST_F(VideoTest, TheFirstFrameShowsTheSlotAndTheRedisplayDrawsItTwice) {
    startConnected();
    seatAll();
    connectAll(15);
    vc().raiseFrameReceived(3, frameNo(1));
    for (const char* name : {"ImgKuang", "PicLocal", "vshow1"})
        EXPECT_TRUE(control(name, 3).visible) << name;
    EXPECT_EQ(drawsOf("MainForm/vshow1(3)"), 1);
    vc().raiseFrameReceived(3, frameNo(2));
    EXPECT_EQ(drawsOf("MainForm/vshow1(3)"), 2);
    ASSERT_TRUE(advance(29));
    EXPECT_EQ(drawsOf("MainForm/vshow1(3)"), 2);
    ASSERT_TRUE(advance(1));
    EXPECT_EQ(drawsOf("MainForm/vshow1(3)"), 4);
    EXPECT_EQ(vc().drawn.back().frame, frameNo(2));  // the latest frame
    ASSERT_TRUE(advance(1000));                      // one shot
    EXPECT_EQ(drawsOf("MainForm/vshow1(3)"), 4);
}

TEST_F(VideoTest, AHiddenSlotStoresFramesWithoutDrawingUntilShownAgain) {
    startConnected();
    seatAll();
    connectAll(15);
    vc().raiseFrameReceived(3, frameNo(1));
    ASSERT_TRUE(advance(100));
    vc().drawn.clear();
    video().clickCommand(4 * 3);  // hide slot 3
    EXPECT_TRUE(video().videoHidden(3));
    for (const char* name : {"ImgKuang", "PicLocal", "vshow1"})
        EXPECT_FALSE(control(name, 3).visible) << name;
    EXPECT_TRUE(control("ImgShow", 3).visible);
    EXPECT_EQ(control("ImgShow", 3).picture->key, "res:850");
    vc().raiseFrameReceived(3, frameNo(2));
    vc().raiseFrameReceived(3, frameNo(3));
    EXPECT_TRUE(vc().drawn.empty());
    EXPECT_EQ(video().latestFrame(3), frameNo(3));
    // Hiding twice changes nothing.
    video().clickCommand(4 * 3);
    EXPECT_FALSE(control("vshow1", 3).visible);

    table().fire(&control("ImgShow", 3), ui::EventKind::kClick);
    EXPECT_FALSE(video().videoHidden(3));
    EXPECT_TRUE(control("vshow1", 3).visible);
    ASSERT_TRUE(advance(30));  // the redisplay shows the latest stored frame
    EXPECT_EQ(drawsOf("MainForm/vshow1(3)"), 2);
    vc().raiseFrameReceived(3, frameNo(4));
    EXPECT_EQ(vc().drawn.back().frame, frameNo(4));
}

TEST_F(VideoTest, CommandIconsHaveTooltipsAndHoverPictures) {
    startConnected();
    const char* tips[] = {"像册", "放大", "拍照", "月光宝盒"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(control("ImCmd", i).toolTipText, tips[i]);
    EXPECT_TRUE(control("ImCmd", 5).toolTipText.empty());
    table().fire(&control("ImCmd", 6), ui::EventKind::kMouseMove);
    auto key = [&](int i) { return control("ImCmd", i).picture->key; };
    EXPECT_EQ(key(6), "res:856");  // photo, highlighted
    EXPECT_EQ(key(4), "res:850");
    EXPECT_EQ(key(5), "res:851");
    EXPECT_EQ(key(7), "res:858");  // a remote slot's icon without a command
    table().fire(&control("ImCmd", 7), ui::EventKind::kMouseMove);
    EXPECT_EQ(key(7), "res:859");
    EXPECT_EQ(key(6), "res:852");
    table().fire(&control("PicLocal", 1), ui::EventKind::kMouseMove);
    EXPECT_EQ(key(6), "res:852");
}

TEST_F(VideoTest, PhotosAreNamedByTheMomentWithoutLeadingZeros) {
    struct Case {
        platform::LocalDateTime t;
        const char* name;
    };
    const Case cases[] = {
        {{2026, 1, 11, 9, 5, 7}, "2026111957.bmp"},
        {{2026, 12, 31, 23, 59, 59}, "20261231235959.bmp"},
        {{2027, 10, 1, 0, 0, 0}, "2027101000.bmp"},
    };
    for (const Case& c : cases) EXPECT_EQ(video::Video::photoFileName(c.t), c.name);
    // 1 November and 11 January at the same time of day give the same name.
    EXPECT_EQ(video::Video::photoFileName({2026, 11, 1, 10, 0, 0}),
              video::Video::photoFileName({2026, 1, 11, 10, 0, 0}));
}

TEST_F(VideoTest, PhotosWriteTheLatestFrameAndTheSameSecondOverwrites) {
    startConnected();
    seatAll();
    connectAll(15);
    // No frame yet: an empty file, and still a success.
    video().clickCommand(4 * 2 + 2);
    const std::string path = folder + "/photo/" + video::Video::photoFileName(fp.shell.date);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    EXPECT_EQ(sysmsg()[1], video::kPhotoTaken);
    // Two photos in the same second: the second overwrites the first.
    vc().raiseFrameReceived(2, frameNo(1));
    video().clickCommand(4 * 2 + 2);
    vc().raiseFrameReceived(2, Frame{'B', 'M', 1, 2, 3, 4});
    video().clickCommand(4 * 2 + 2);
    std::ifstream in(path, std::ios::binary);
    Frame got((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(got, (Frame{'B', 'M', 1, 2, 3, 4}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder + "/photo"), {}), 1);
}

TEST_F(VideoTest, TheAlbumOpensThePhotoFolder) {
    startConnected();
    video().clickCommand(0);
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/photo"));
    EXPECT_EQ(fp.shell.opened.back(), folder + "/photo");
}

TEST_F(VideoTest, SystemMessagesFillTheTwoLines) {
    startConnected();
    struct Case {
        std::vector<std::string> before;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {{"", ""}, {"new", ""}},
        {{"up", ""}, {"up", "new"}},
        {{"up", "low"}, {"low", "new"}},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < 2; ++i)
            control("Sysmsg", i).items =
                c.before[i].empty() ? std::vector<std::string>{} : std::vector{c.before[i]};
        video().PostSystemMessage("new");
        EXPECT_EQ(sysmsg(), c.after);
    }
}

TEST_F(VideoTest, EnlargeTogglesAndPlacesTheWindowRelativeToTheTable) {
    startConnected();
    table().left = 1500, table().top = 750;
    table().width = 15360, table().height = 11520;
    struct Case {
        int slot;
        double top, left;  // fractions of H and W from the centred position
    };
    const Case cases[] = {{0, 0.2, -0.2},  {1, -0.2, -0.25}, {2, -0.2, 0},
                          {3, -0.2, 0.25}, {4, -0.2, 0.25},  {5, -0.2, 0.25}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        const int icon = c.slot == 0 ? 1 : 4 * c.slot + 1;
        video().clickCommand(icon);
        ui::Form& w = video().zoomWindow(c.slot);
        ASSERT_TRUE(w.visible);
        EXPECT_TRUE(w.topmost);
        EXPECT_EQ(w.width, 4140);
        EXPECT_EQ(w.height, 3225);
        EXPECT_EQ(w.top, static_cast<int>(750 + (11520 - 3225) / 2.0 + c.top * 11520));
        EXPECT_EQ(w.left, static_cast<int>(1500 + (15360 - 4140) / 2.0 + c.left * 15360));
        EXPECT_EQ(w.at("vshow1").width, 256);
        EXPECT_EQ(w.at("vshow1").height, 192);
        video().clickCommand(icon);  // the same icon closes it
        EXPECT_FALSE(w.visible);
        EXPECT_FALSE(w.loaded());
    }
    EXPECT_EQ(video::Video::zoomWindowName(0), "frm_Local");
    EXPECT_EQ(video::Video::zoomWindowName(4), "frm_Remote4");
}

TEST_F(VideoTest, ResizingStepsThroughThreeSizesAndStopsAtTheEnds) {
    startConnected();
    video().clickCommand(4 * 2 + 1);
    ui::Form& w = video().zoomWindow(2);
    struct Step {
        int button;
        int width, height;
    };
    const Step steps[] = {{1, 6510, 5115}, {1, 6510, 5115}, {2, 4140, 3225},
                          {2, 2625, 2070}, {2, 2625, 2070}, {1, 4140, 3225}};
    for (const Step& s : steps) {
        w.fire(&w.at("ImgCmd", s.button), ui::EventKind::kClick);
        EXPECT_EQ(w.width, s.width);
        EXPECT_EQ(w.height, s.height);
        EXPECT_EQ(w.at("vshow1").width, (s.width - 300) / 15.0);
    }
    w.fire(&w.at("ImgCmd", 0), ui::EventKind::kClick);
    EXPECT_FALSE(w.visible);
    // Opened again, it is at the normal size.
    video().clickCommand(4 * 2 + 1);
    EXPECT_EQ(w.width, 4140);
}

TEST_F(VideoTest, AResizedWindowGetsTheLatestFrameOfItsOwnSlot) {
    startConnected();
    seatAll();
    connectAll(15);
    vc().raiseFrameReceived(1, frameNo(1));
    vc().raiseFrameReceived(2, frameNo(2));
    video().clickCommand(4 * 1 + 1);
    video().clickCommand(4 * 2 + 1);  // opened last
    ASSERT_TRUE(advance(100));
    EXPECT_EQ(vc().drawn.back().control, "frm_Remote2/vshow1(-1)");
    vc().drawn.clear();
    ui::Form& w1 = video().zoomWindow(1);
    w1.fire(&w1.at("ImgCmd", 1), ui::EventKind::kClick);
    ASSERT_TRUE(advance(99));
    EXPECT_TRUE(vc().drawn.empty());
    ASSERT_TRUE(advance(1));
    ASSERT_EQ(vc().drawn.size(), 1u);
    EXPECT_EQ(vc().drawn[0].control, "frm_Remote1/vshow1(-1)");
    EXPECT_EQ(vc().drawn[0].frame, frameNo(1));
    EXPECT_EQ(video().zoomSlot(), 1);
    // While open, received frames are drawn into it as well.
    vc().raiseFrameReceived(1, frameNo(5));
    EXPECT_EQ(drawsOf("frm_Remote1/vshow1(-1)"), 2);
}

TEST_F(VideoTest, TheLocalEnlargedWindowShowsEachCapturedFrame) {
    vc().startResult = 0;
    startConnected();
    vc().raiseFrameCaptured(frameNo(1));
    EXPECT_EQ(drawsOf("frm_Local/vshow1(-1)"), 0);
    video().clickCommand(1);
    vc().raiseFrameCaptured(frameNo(2));
    EXPECT_EQ(drawsOf("frm_Local/vshow1(-1)"), 1);
    EXPECT_EQ(drawsOf("MainForm/vcap1(-1)"), 2);  // the capture's own preview
}

TEST_F(VideoTest, DraggingAnEnlargedWindowByItsSurface) {
    startConnected();
    video().clickCommand(1);
    ui::Form& w = video().zoomWindow(0);
    ui::Event right;
    right.kind = ui::EventKind::kMouseDown;
    right.button = ui::kRightButton;
    w.fire(nullptr, right);
    EXPECT_FALSE(w.systemMove);
    ui::Event left = right;
    left.button = ui::kLeftButton;
    w.fire(nullptr, left);
    EXPECT_TRUE(w.systemMove);
}

TEST_F(VideoTest, TheMusicBox) {
    startConnected();
    client->state.PlayerInfo[0].seatKey = "KEY";
    // A running music box gets message 1135.
    platform::FakeHallBus box(fp.hallNet);
    box.open("musicbox");
    video().clickCommand(3);
    EXPECT_EQ(fp.hallNet.log.back(), (platform::HallMessage{"musicbox", 1135, 0, 0}));
    box.close();
    // Missing program: the box, and on OK the download page.
    fp.shell.answers = {platform::ID_CANCEL, platform::ID_OK};
    video().clickCommand(3);
    EXPECT_TRUE(fp.shell.opened.empty());
    video().clickCommand(3);
    ASSERT_EQ(fp.shell.messages.size(), 2u);
    EXPECT_EQ(fp.shell.messages[0].title, "Brenmoor提示");
    EXPECT_EQ(fp.shell.messages[0].buttons, platform::MB_OKCANCEL);
    EXPECT_EQ(fp.shell.opened, std::vector<std::string>{"http://www.brenmoor.example/magic.php"});
    // Present: started with the seat key and the portal's host.
    std::filesystem::create_directories(folder + "/a/b");
    std::filesystem::create_directories(folder + "/plugin");
    std::ofstream(folder + "/plugin/music.exe") << "x";
    fp.shell.folder = folder + "/a/b";
    video().clickCommand(3);
    ASSERT_EQ(fp.shell.started.size(), 1u);
    EXPECT_EQ(fp.shell.started[0],
              folder + "/a/b/../../plugin/music.exe|KEY$$www.brenmoor.example$");
}

TEST_F(VideoTest, HoveringARemoteDisplayShowsThePlayersInformation) {
    startConnected();
    seat(2, "p2");
    std::vector<int> shown;
    video().showVideoInformation = [&](int slot) { shown.push_back(slot); };
    table().fire(&control("vshow1", 2), ui::EventKind::kMouseMove);
    table().fire(&control("vshow1", 4), ui::EventKind::kMouseMove);  // nobody there
    fp.windows.form("Information").visible = true;
    table().fire(&control("vshow1", 2), ui::EventKind::kMouseMove);
    EXPECT_EQ(shown, std::vector<int>{2});
}

TEST_F(VideoTest, LeavingClearsEverySlotAndDropsItsPeer) {
    startConnected();
    seatAll();
    connectAll(15);
    vc().raiseFrameReceived(3, frameNo(1));
    video().clickCommand(4 * 2);  // slot 2 hidden
    video().clickCommand(4 * 3 + 1);
    vc().dropped.clear();
    client->shell.leaveTable();
    EXPECT_EQ(vc().dropped, (std::vector<int>{1, 2, 3, 4, 5}));
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(video().latestFrame(k), Frame{});
        EXPECT_FALSE(video().videoHidden(k));
        for (const char* name : {"PicLocal", "ImgShow", "ImgKuang", "vshow1"})
            EXPECT_FALSE(control(name, k).visible) << name << k;
    }
    EXPECT_FALSE(video().zoomWindow(3).loaded());
}

TEST_F(VideoTest, APlayerWhoLeavesTakesHisVideoAndPeerEntryWithHim) {
    startConnected();
    seatAll();
    connectAll(15);
    vc().raiseFrameReceived(4, frameNo(1));
    video().clickCommand(4 * 4 + 1);
    wire::GamePacket left = wire::makePacket(21);
    const std::string name = "p4";
    std::copy(name.begin(), name.end(), left.begin() + 16);
    ASSERT_TRUE(dispatch(left));
    EXPECT_EQ(vc().dropped, std::vector<int>{4});
    EXPECT_EQ(video().latestFrame(4), Frame{});
    EXPECT_FALSE(control("vshow1", 4).visible);
    EXPECT_FALSE(video().zoomWindow(4).visible);
}

TEST_F(VideoTest, ClosingTheTableLogsOutAndClosesTheCamera) {
    vc().startResult = 0;
    startConnected();
    EXPECT_FALSE(guarded([&] { table().unload(); }));
    EXPECT_EQ(vc().logouts, 1);
    EXPECT_EQ(vc().stops, 1);
}

}  // namespace
