// The client at a live table: the reference server with five bots in a child
// process, the client in this process on the real platform (Qt event loop, TCP
// socket, hall bus, windows), talking over a loopback socket. The server's event
// lines tell what it accepted; the client's control model tells what a player saw.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "app/client.h"
#include "app/replay_session.h"
#include "platform/fake/fake_platform.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_render.h"
#include "platform/unix_hall_bus.h"
#include "process_util.h"
#include "record/record_folder.h"
#include "reference_server.h"
#include "resources/embedded_resources.h"
#include "rules/notation.h"

namespace {

// What a form's labels and lists say, control by control (those with nothing to
// say left out).
void labelsAndLists(const ui::Control& c, std::string& out) {
    if ((c.kind == ui::ControlKind::kLabel || c.kind == ui::ControlKind::kListBox) &&
        (!c.caption.empty() || !c.items.empty())) {
        out += c.name + "[" + std::to_string(c.index) + "] " + c.caption;
        for (const auto& item : c.items) out += " |" + item;
        out += "\n";
    }
    for (const ui::Control* child : c.children) labelsAndLists(*child, out);
}
std::string labelsAndLists(ui::Form& f) {
    std::string out;
    for (const ui::Control* c : f.topLevel()) labelsAndLists(*c, out);
    return out;
}

class LiveTable : public ::testing::Test {
  protected:
    QTemporaryDir bus, home;
    ReferenceServer server;
    std::unique_ptr<platform::UnixHallBus> hall;
    std::unique_ptr<platform::QtPlatform> qt;
    std::unique_ptr<app::Client> client;

    void TearDown() override {
        server.read();
        client.reset();
        qt.reset();
    }

    int startServer(const QStringList& extra) { return server.start(extra, currentTestName()); }

    // The hall stand-in's window exists (the client returns to it), then the
    // client sits down at the table the server gives it.
    void sitDown(int port, const char* screen) {
        qputenv("DRAVIK_HALL_BUS", bus.path().toUtf8());
        qputenv("DRAVIK_HOME", home.path().toUtf8());
        qputenv("DRAVIK_SCREEN", screen);
        qputenv("DRAVIK_NO_SOUND", "1");
        qputenv("DRAVIK_AUTOMATION", "1");
        hall = std::make_unique<platform::UnixHallBus>(bus.path().toStdString());
        ASSERT_TRUE(hall->open(app::kDefaultHallCaption));
        qt = std::make_unique<platform::QtPlatform>();
        client = std::make_unique<app::Client>(qt->platform(), resources::embeddedStore());
        std::string line = "me$key$127.0.0.1$" + std::to_string(port) + "$本地牌桌$";
        platform::QtEventLoop::guard([&] { client->start(line); });
    }

    // Runs the event loop, with `step` every 50 ms, until `done` or the time is up.
    bool runUntil(const std::function<bool()>& done, int ms,
                  const std::function<void()>& step = {}) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            server.read();
            if (done()) return true;
            QEventLoop loop;
            QTimer::singleShot(50, &loop, &QEventLoop::quit);
            loop.exec();
            if (step) platform::QtEventLoop::guard(step);
        }
        server.read();
        return done();
    }

    ui::Control& ctl(const char* name, int index = -1) { return client->MainForm.at(name, index); }
    bool click(const char* name, int index) {
        ui::Control& c = ctl(name, index);
        return c.visible && client->MainForm.fire(&c, ui::EventKind::kClick);
    }
    int handOnScreen() {
        int n = 0;
        for (int i = 0; i < 56; ++i) n += ctl("cardImage0", i).visible ? 1 : 0;
        return n;
    }
    void snapshot(ui::Form& form, const std::string& png) {
        QDir().mkpath(QString(DRAVIK_BINARY_DIR) + "/snapshots");
        EXPECT_TRUE(
            platform::saveFormPng(form, std::string(DRAVIK_BINARY_DIR) + "/snapshots/" + png));
    }
    // Every play, pass and answer of seat 0 came from the client, and the server
    // took each one.
    void expectEveryMoveAccepted() {
        EXPECT_EQ(server.count("seat 0 refused play"), 0) << server.events();
        EXPECT_EQ(server.count("seat 0 timed out"), 0) << server.events();
        EXPECT_EQ(server.count("return refused"), 0);
    }
};

// Nobody at the mouse after the first 开始: the countdown answers the declaration,
// leads and passes until the round is over, and continues into the next round.
// After three turns in a row that ran out the player counts as away.
TEST_F(LiveTable, TheCountdownPlaysARoundOnItsOwn) {
    int port = startServer({"--seed", "7", "--turn-seconds", "1"});
    ASSERT_GT(port, 0);
    sitDown(port, "800x600");
    ASSERT_TRUE(runUntil(
        [&] { return client->state.LoginAccepted && client->state.SeatedCount >= 6; }, 15000));
    ASSERT_TRUE(click("AnNiu", 2));  // 开始
    ASSERT_TRUE(runUntil([&] { return handOnScreen() == 36; }, 15000)) << "no deal";
    EXPECT_EQ(client->state.PlayerRecord[0].cards.count(), 36);
    // The pre-declaration prompt: its two buttons and the clock at the own seat.
    ASSERT_TRUE(
        runUntil([&] { return ctl("OperationNotP", 0).visible && ctl("Number").visible; }, 10000));
    snapshot(client->MainForm, "live-table-after-deal-800x600.png");

    ASSERT_TRUE(runUntil(
        [&] { return client->state.RoundNumber == 1 && client->pf.windows.form("Score").visible; },
        240000));
    expectEveryMoveAccepted();
    EXPECT_GT(server.count("seat 0 plays"), 0);
    EXPECT_GT(server.count("seat 0 passes"), 0);
    EXPECT_TRUE(client->state.Away);
    ASSERT_TRUE(
        runUntil([&] { return server.count("round 2 deal") > 0 && handOnScreen() > 30; }, 30000));
    EXPECT_EQ(server.count("seat 0 continues"), 1);
}

// A player at the mouse for one game of three rounds, at the full screen size:
// 开始, every decision declined with its button, every turn answered with 提示 and
// then 出牌 (the hint passes where nothing beats the table); 继续 after the first
// round, the countdown continues after the second. The record file keeps the
// three rounds.
TEST_F(LiveTable, APlayerClicksThroughAGameWithTheButtons) {
    int port = startServer({"--seed", "11", "--turn-seconds", "8"});
    ASSERT_GT(port, 0);
    sitDown(port, "1280x1024");
    ASSERT_TRUE(runUntil(
        [&] { return client->state.LoginAccepted && client->state.SeatedCount >= 6; }, 15000));
    ASSERT_TRUE(click("AnNiu", 2));
    ASSERT_TRUE(runUntil([&] { return handOnScreen() == 36; }, 15000)) << "no deal";
    ASSERT_TRUE(
        runUntil([&] { return ctl("OperationNotP", 0).visible && ctl("Number").visible; }, 10000));
    snapshot(client->MainForm, "live-table-after-deal.png");

    int hints = 0, plays = 0;
    auto player = [&] {
        if (click("OperationNotP", 1)) return;  // 不叫, 不要, ...
        if (!client->state.MyTurn || !client->state.PlayToken) return;
        if (!ctl("Operation", 1).visible) return;
        click("Operation", 1);  // 提示
        ++hints;
        if (client->state.PlayToken && click("Operation", 0)) ++plays;  // 出牌
    };
    auto roundOver = [&](int n) {
        return client->state.RoundNumber >= n && client->pf.windows.form("Score").visible;
    };
    ASSERT_TRUE(runUntil([&] { return roundOver(1); }, 240000, player));
    EXPECT_GT(plays, 0);
    EXPECT_GE(hints, plays);
    EXPECT_EQ(server.count("seat 0 plays") + server.count("seat 0 passes"), hints);
    EXPECT_TRUE(client->pf.windows.form("Hero").visible);
    ASSERT_TRUE(click("AnNiu", 2));  // 继续
    ASSERT_TRUE(runUntil([&] { return roundOver(2); }, 240000, player));
    ASSERT_TRUE(runUntil([&] { return roundOver(3); }, 240000, player));
    expectEveryMoveAccepted();
    EXPECT_EQ(server.count("seat 0 continues"), 2);
    EXPECT_EQ(client->state.RoundNumber, 3);
    snapshot(client->pf.windows.form("Score"), "live-score-round3.png");
    snapshot(client->pf.windows.form("Hero"), "live-history-round3.png");

    QFile record(home.path() + "/info.qv");
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    QByteArray text = record.readAll();
    for (const char* section : {"[juNum:1]", "[juNum:2]", "[juNum:3]"})
        EXPECT_TRUE(text.contains(section)) << section;
}

// The round the countdown played, recorded and replayed (on the fake platform, eight
// times as fast): the replay ends with the same hand history, score window and
// round count the player saw.
TEST_F(LiveTable, TheRecordOfARoundReplaysToTheSameResult) {
    int port = startServer({"--seed", "7", "--turn-seconds", "1"});
    ASSERT_GT(port, 0);
    sitDown(port, "1024x768");
    ASSERT_TRUE(runUntil(
        [&] { return client->state.LoginAccepted && client->state.SeatedCount >= 6; }, 15000));
    ASSERT_TRUE(click("AnNiu", 2));  // 开始
    ASSERT_TRUE(runUntil(
        [&] { return client->state.RoundNumber == 1 && client->pf.windows.form("Score").visible; },
        240000));
    runUntil([] { return false; }, 500);
    const auto files = record::listRecords((home.path() + "/records").toStdString());
    ASSERT_EQ(files.size(), 1u);
    const record::RecordFile file = record::readRecordFile(files[0]);
    ASSERT_EQ(file.status, record::ReadStatus::Complete);
    EXPECT_GT(file.inboundCount(), 50u);

    platform::FakePlatform fake;
    QTemporaryDir replayHome;
    fake.shell.folder = replayHome.path().toStdString();
    app::ReplaySession replay(fake.platform(), resources::embeddedStore(), file, {"", 8.0, 0},
                              false);
    try {
        replay.start();
        fake.loop.advance(file.entries.back().ms / 8 + 1000);
    } catch (const platform::ProcessEnd& e) {
        FAIL() << "the replay ended the process with " << e.status;
    }
    EXPECT_TRUE(replay.replay().done());
    EXPECT_EQ(replay.replay().position(), file.inboundCount());
    EXPECT_EQ(replay.client().state.RoundNumber, client->state.RoundNumber);
    EXPECT_TRUE(fake.windows.form("Score").visible);
    for (const char* form : {"Score", "Hero"}) {
        const std::string live = labelsAndLists(client->pf.windows.form(form));
        EXPECT_NE(live, "") << form;
        EXPECT_EQ(labelsAndLists(fake.windows.form(form)), live) << form;
    }
    EXPECT_EQ(rules::formatCards(replay.client().state.PlayerRecord[0].cards.codes()),
              rules::formatCards(client->state.PlayerRecord[0].cards.codes()));
}

// One client process serves three tables in a row: seated, the game starts and the
// hand is dealt, the player leaves with the exit dialog and is back at the hall, and
// the hall's connect-again (22) seats him at the next table.
TEST_F(LiveTable, OneProcessSitsAtThreeTablesInARowFromTheHall) {
    int port = startServer({"--seed", "5", "--turn-seconds", "1"});
    ASSERT_GT(port, 0);
    sitDown(port, "1024x768");
    std::vector<std::uint32_t> hallGot;
    hall->onMessage = [&](std::uint32_t m, std::uint32_t w, std::uint32_t) {
        if (m != 0) hallGot.push_back(m == platform::WM_SYSCOMMAND ? w : m);
    };
    auto heard = [&](std::uint32_t m) {
        hall->readPending();
        return std::find(hallGot.begin(), hallGot.end(), m) != hallGot.end();
    };
    for (int table = 1; table <= 3; ++table) {
        SCOPED_TRACE(testing::Message() << "table " << table);
        if (table > 1) {
            ASSERT_TRUE(hall->send(app::kDefaultTableCaption, platform::kHallConnecting, 0, 0));
        }
        ASSERT_TRUE(runUntil(
            [&] { return client->state.LoginAccepted && client->state.SeatedCount >= 6; }, 15000));
        ASSERT_TRUE(click("AnNiu", 2));  // 开始
        ASSERT_TRUE(runUntil([&] { return handOnScreen() == 36; }, 30000));
        hallGot.clear();
        ASSERT_TRUE(click("AnNiu", 8));  // 退出
        ui::Form* exitDialog = client->pf.windows.find("frmExit");
        ASSERT_TRUE(exitDialog && exitDialog->visible);
        ASSERT_TRUE(exitDialog->fire(&exitDialog->at("pbCloseMe"), ui::EventKind::kClick));
        ASSERT_TRUE(runUntil([&] { return server.count("seat 0 leaves") >= table; }, 10000))
            << server.events();
        EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kMinimized);
        EXPECT_EQ(handOnScreen(), 0);
        EXPECT_TRUE(heard(platform::SC_RESTORE)) << "the hall is back";
        // The hall asks: no game is on.
        hallGot.clear();
        ASSERT_TRUE(hall->send(app::kDefaultTableCaption, platform::kHallMsg1125, 0, 0));
        ASSERT_TRUE(runUntil([&] { return heard(platform::kHallMsg1024); }, 3000));
    }
    // Three logins of the game (the video relay's logins are lines of their own).
    EXPECT_EQ(server.count("login me") - server.count("relay login me"), 3) << server.events();
}

// The burns scenario: seat 4's burn keeps its flames burning while the human's
// countdown answers the burn turn, and seat 1's fall plays its flames once, after
// which they are gone. Successive snapshots of both land in build/snapshots/.
TEST_F(LiveTable, BurningFlamesAndAFallThatPlaysOnce) {
    int port = startServer({"--seed", "7", "--scenario", treeBinary("scenarios/burns.txt")});
    ASSERT_GT(port, 0);
    sitDown(port, "1024x768");
    ASSERT_TRUE(runUntil(
        [&] { return client->state.LoginAccepted && client->state.SeatedCount >= 6; }, 15000));
    ASSERT_TRUE(click("AnNiu", 2));  // 开始
    gif::ucAniGIF& flames = client->ShaoPaiPlayer;
    ui::Control& shao = ctl("ShaoPaiPlayer");

    ASSERT_TRUE(runUntil(
        [&] {
            return client->playedHand.play().BurnActive && client->playedHand.play().BurnSlot == 4;
        },
        60000))
        << "no burn of seat 4";
    std::set<int> burnFrames;
    auto watchBurn = [&] { burnFrames.insert(flames.currentFrame()); };
    for (int k = 1; k <= 3; ++k) {
        runUntil([] { return false; }, 700, watchBurn);
        ASSERT_TRUE(client->playedHand.play().BurnActive);
        EXPECT_TRUE(shao.visible && shao.picture);
        EXPECT_EQ(flames.Action(), gif::kPlaying);
        snapshot(client->MainForm, "live-burn-" + std::to_string(k) + ".png");
    }
    std::set<int> all;
    for (int f = 1; f <= flames.FrameCount(); ++f) all.insert(f);
    EXPECT_EQ(burnFrames, all) << "every frame of the burn came round";

    // The fall arrives among paced plays whose pauses hold the event loop inside the
    // client, so a timer of its own watches the flames and takes the snapshots.
    std::vector<int> fallFrames;
    int shots = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (fallFrames.empty() && client->playedHand.play().FallSlot != 1) return;
        const int frame = flames.currentFrame();
        if (!fallFrames.empty() && frame == fallFrames.back()) return;
        if (fallFrames.empty()) {
            EXPECT_EQ(flames.loops(), 1);
        }
        fallFrames.push_back(frame);
        if ((shots == 0 && frame >= 3) || (shots == 1 && frame >= 6)) {
            EXPECT_TRUE(shao.visible && shao.picture);
            snapshot(client->MainForm, "live-fall-" + std::to_string(++shots) + ".png");
        }
    });
    watch.start(20);
    ASSERT_TRUE(runUntil([&] { return !fallFrames.empty() && fallFrames.back() == 0; }, 60000))
        << "no fall of seat 1 whose flames ended";
    runUntil([] { return false; }, 1000);
    watch.stop();
    snapshot(client->MainForm, "live-fall-gone.png");
    EXPECT_EQ(shots, 2);
    EXPECT_FALSE(shao.picture);
    EXPECT_EQ(flames.Action(), gif::kStopped);
    // Once through, forwards, then nothing.
    ASSERT_GE(fallFrames.size(), 3u);
    EXPECT_EQ(fallFrames.back(), 0);
    for (std::size_t i = 1; i + 1 < fallFrames.size(); ++i)
        EXPECT_GT(fallFrames[i], fallFrames[i - 1]);

    EXPECT_TRUE(runUntil([&] { return server.count("scenario passed") > 0; }, 120000))
        << server.events();
}

}  // namespace
