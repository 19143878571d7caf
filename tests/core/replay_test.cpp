// A table recorded in virtual time and replayed into a second client: the replay
// shows after every packet what the player saw, at its own speed too; damaged and
// foreign files; the replay's keys; the automation line and status.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "app/replay_session.h"
#include "play_fixture.h"
#include "record/record_folder.h"
#include "record_support.h"
#include "table_packets.h"
#include "wire/departure.h"

namespace {

// The control model as text: every form but the replay's own panel, every control in
// z-order with what it shows. The table window's caption is the replay's own.
void dumpControl(std::ostringstream& out, const ui::Control& c, int depth) {
    out << std::string(static_cast<std::size_t>(depth), ' ') << c.name << '[' << c.index << "] "
        << c.visible << c.enabled << ' ' << c.left << ',' << c.top << ' ' << c.width << 'x'
        << c.height << " pic=" << (c.picture ? c.picture->key : "") << " \"" << c.caption << '"';
    for (const auto& item : c.items) out << " |" << item;
    out << '\n';
    for (const ui::Control* child : c.children) dumpControl(out, *child, depth + 1);
}

std::string dumpModel(ui::WindowSystem& windows) {
    std::ostringstream out;
    for (const ui::Form* f : windows.forms()) {
        if (f->name() == "ReplayActions") continue;
        out << "form " << f->name() << ' ' << f->visible << ' ' << f->left << ',' << f->top << ' '
            << f->width << 'x' << f->height;
        if (f->name() != "MainForm") out << " \"" << f->caption << '"';
        out << '\n';
        for (const ui::Control* c : f->topLevel()) dumpControl(out, *c, 1);
    }
    return out.str();
}

// The lines of two models that differ, for a readable failure.
std::string lineDiff(const std::string& got, const std::string& want) {
    std::istringstream a(got), b(want);
    std::string out, la, lb;
    while (true) {
        const bool moreA = static_cast<bool>(std::getline(a, la));
        const bool moreB = static_cast<bool>(std::getline(b, lb));
        if (!moreA && !moreB) break;
        if (!moreA) la = "<none>";
        if (!moreB) lb = "<none>";
        if (la != lb) out += "replay: " + la + "\nlive:   " + lb + "\n";
    }
    return out;
}

// Twelve cards of every rank and 24 nines.
wire::GamePacket eveningDeal() {
    std::vector<rules::CardCode> deal = PlayTable::cards("4S 5H 6D 7C 8S 9H 10D JC QS KH AD 2C");
    while (deal.size() < 36) deal.push_back(rules::composeCard(9, 2, 0, 0));
    return PlayTable::dealPacket(deal);
}

// The live table: the client on the fake platform with its program folder in a
// scratch folder, served packet by packet over the socket; the model is kept after
// every packet with the time since the table's start.
struct LiveTable : PlayTable {
    ScratchFolder home;
    std::int64_t startMs = 0;
    struct Seen {
        std::int64_t ms;
        std::string model;
    };
    std::vector<Seen> seen;

    void SetUp() override {
        fp.shell.folder = home.str();
        startMs = fp.loop.nowMs();
        ASSERT_TRUE(start("me$key$127.0.0.1$2000$一号桌$"));
        fp.socket.accept();
        ASSERT_TRUE(advance(200));
        client->sound.onEffect = [this](const std::string& path) { sounds.push_back(path); };
    }
    // One packet from the server, dispatched by the pump, then the model is kept.
    void serve(const wire::GamePacket& p) {
        deliver(p);
        ASSERT_TRUE(advance(150));
        seen.push_back({fp.loop.nowMs() - startMs, dumpModel(fp.windows)});
    }
    void serve(const Played& d) { serve(played(d)); }

    // An evening's table in short: seated with five others, 开始 pressed, a deal, seat 5 leads,
    // the player plays over it with the mouse, seat 1 burns, the others pass, and
    // a chat line between.
    void playTable() {
        serve(testpk::loginResult(1, 15));
        for (int seat = 0; seat < 6; ++seat) {
            testpk::Seat s;
            s.seatByte = bit(seat);
            s.account = seat == 0 ? "me" : "p" + std::to_string(seat);
            s.nickname = seat == 0 ? "Me" : "P" + std::to_string(seat);
            serve(s.build());
        }
        ASSERT_TRUE(fire("AnNiu", 2, ui::EventKind::kClick));  // 开始: the button shows 继续
        ASSERT_TRUE(advance(100));
        serve(eveningDeal());
        Played lead;
        lead.actor = 5;
        lead.action = 1;
        lead.next = 0;
        lead.mode = 2;
        lead.cards = "3S";
        serve(lead);
        ASSERT_TRUE(advance(1200));  // the player thinks, the countdown runs
        // He raises his lowest card (the 4) and presses 出牌.
        for (int i = 0; i < hand().count(); ++i)
            if (rules::rankOf(hand().code(i)) == 4) raise(i);
        ASSERT_TRUE(press(0));
        ASSERT_TRUE(advance(100));  // the pump writes the play
        Played echo;
        echo.actor = 0;
        echo.next = 1;
        echo.cards = "4S";
        serve(echo);
        serve(burnBy1("AS AH"));
        for (int seat : {2, 3, 4}) {
            Played pass;
            pass.actor = seat;
            pass.action = 0;
            pass.next = seat + 1;
            serve(pass);
        }
        ASSERT_TRUE(advance(2500));  // bubbles time out
        serve(wire::makePacket(wire::Command::kChat));
    }
    std::string recordPath() {
        auto files = record::listRecords(home.str() + "/" + record::kFolderName);
        EXPECT_EQ(files.size(), 1u);
        return files.empty() ? "" : files.back();
    }
};

// A replay of a record file on its own fake platform.
struct Replayer {
    platform::FakePlatform fp;
    ScratchFolder home;
    std::unique_ptr<app::ReplaySession> session;
    std::vector<std::string> printed;
    int endedWith = -1;

    Replayer(record::RecordFile file, app::ReplayArguments args = {}, bool automation = false) {
        fp.shell.folder = home.str();
        session = std::make_unique<app::ReplaySession>(fp.platform(), resources::embeddedStore(),
                                                       std::move(file), args, automation);
        session->printLine = [this](const std::string& l) { printed.push_back(l); };
    }
    bool guarded(const std::function<void()>& f) {
        try {
            f();
            fp.loop.drain();
            return true;
        } catch (const platform::ProcessEnd& e) {
            endedWith = e.status;
            return false;
        }
    }
    bool start() {
        return guarded([&] { session->start(); });
    }
    bool advanceTo(std::int64_t ms) {
        return guarded([&] { fp.loop.advance(ms - fp.loop.nowMs()); });
    }
    std::string model() { return dumpModel(fp.windows); }
    ui::Form& table() { return session->client().MainForm; }
    bool key(int code) {
        ui::Event e;
        e.kind = ui::EventKind::kKeyDown;
        e.keyCode = code;
        return guarded([&] { table().fire(nullptr, e); });
    }
    bool typed(char c) {
        ui::Event e;
        e.kind = ui::EventKind::kKeyPress;
        e.keyAscii = c;
        return guarded([&] { table().fire(nullptr, e); });
    }
};

TEST_F(LiveTable, TheReplayShowsWhatThePlayerSawAfterEveryPacket) {
    playTable();
    const record::RecordFile file = record::readRecordFile(recordPath());
    ASSERT_EQ(file.status, record::ReadStatus::Complete);
    ASSERT_EQ(file.inboundCount(), seen.size());
    EXPECT_EQ(file.header.account, "me");
    EXPECT_EQ(file.header.room, "一号桌");

    Replayer replay(file);
    ASSERT_TRUE(replay.start());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        ASSERT_TRUE(replay.advanceTo(seen[i].ms));
        ASSERT_EQ(replay.session->replay().position(), i + 1);
        ASSERT_EQ(lineDiff(replay.model(), seen[i].model), "") << "after packet " << i + 1;
    }
    // The player's play is in the side panel, the newest line in view; the panel
    // stands beside the table window where the screen has room.
    const ui::Form& panel = *replay.fp.windows.find("ReplayActions");
    const ui::Control* actions = panel.find("Actions");
    ASSERT_NE(actions, nullptr);
    ASSERT_FALSE(actions->items.empty());
    EXPECT_NE(actions->items.back().find("出牌 1 张"), std::string::npos);
    EXPECT_EQ(actions->topIndex, static_cast<int>(actions->items.size()) - 1);
    const ui::Form& table = replay.table();
    EXPECT_EQ(panel.left, table.left + table.width);
    EXPECT_EQ(panel.top, table.top);
}

TEST(ReplayPanel, WithoutRoomBesideTheTableItStandsAtTheLeftTopCorner) {
    platform::FakePlatform fp;
    fp.shell.screen = {1024, 768};
    ScratchFolder home;
    fp.shell.folder = home.str();
    record::RecordFile file;
    file.status = record::ReadStatus::Complete;
    app::ReplaySession session(fp.platform(), resources::embeddedStore(), file, {}, false);
    session.start();
    const ui::Form& panel = *fp.windows.find("ReplayActions");
    EXPECT_TRUE(panel.visible);
    EXPECT_EQ(panel.left, 0);
    EXPECT_EQ(panel.top, 0);
}

TEST_F(LiveTable, AtEightTimesTheSpeedTheSamePacketsShowTheSameTable) {
    playTable();
    const record::RecordFile file = record::readRecordFile(recordPath());
    Replayer replay(file, {"", 8.0, 0});
    ASSERT_TRUE(replay.start());
    // Every packet is fed by an eighth of its recorded time; the table then shows
    // what the player saw at that packet. The flames' frame delays are rounded to
    // whole milliseconds at 8x, so which frame shows at an instant may differ by one:
    // their frame number is left out.
    const std::regex frame("(pixels:gif:ShaoPaiPlayer):[0-9]+");
    for (std::size_t i = 0; i < seen.size(); ++i) {
        ASSERT_TRUE(replay.advanceTo((seen[i].ms + 7) / 8));
        ASSERT_EQ(replay.session->replay().position(), i + 1);
        ASSERT_EQ(lineDiff(std::regex_replace(replay.model(), frame, "$1"),
                           std::regex_replace(seen[i].model, frame, "$1")),
                  "")
            << "after packet " << i + 1;
    }
}

TEST_F(LiveTable, AutomationRunsToTheEndAndCountsThePackets) {
    playTable();
    const std::string path = recordPath();
    struct Case {
        const char* what;
        std::size_t keepBytes;  // 0: the whole file
        int status;
        std::string line;
        std::string message;
    };
    const std::size_t whole = fileBytes(path).size();
    const std::string all = "replay: " + std::to_string(seen.size()) + " packets";
    const Case cases[] = {
        {"complete", 0, 0, all, app::ReplaySession::kEndText},
        {"cut inside the last entry", whole - 10, 0,
         "replay: " + std::to_string(seen.size() - 1) + " packets",
         record::statusMessage(record::ReadStatus::Truncated)},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = fileBytes(path);
        if (c.keepBytes) bytes.resize(c.keepBytes);
        Replayer replay(record::readRecord(bytes), {"", 4.0, 0}, true);
        ASSERT_TRUE(replay.start()) << c.what;
        EXPECT_FALSE(replay.advanceTo(3'600'000)) << c.what;  // the process ends by itself
        EXPECT_EQ(replay.endedWith, c.status) << c.what;
        EXPECT_EQ(replay.printed, std::vector<std::string>{c.line}) << c.what;
        ASSERT_EQ(replay.fp.shell.messages.size(), 1u) << c.what;
        EXPECT_EQ(replay.fp.shell.messages[0].text, c.message) << c.what;
    }
}

TEST_F(LiveTable, WhereTheLiveClientEndedTheReplayEnds) {
    playTable();
    // The server reports the player himself gone: the live client ends there.
    deliver(wire::PlayerLeft{"me"}.encode());
    ASSERT_FALSE(advance(150));
    ASSERT_EQ(endedWith, 0);
    const record::RecordFile file = record::readRecordFile(recordPath());
    ASSERT_EQ(file.inboundCount(), seen.size() + 1);

    for (bool automation : {false, true}) {
        Replayer replay(file, {}, automation);
        ASSERT_TRUE(replay.start());
        // Without automation the replay window stays open on the last table.
        EXPECT_EQ(replay.advanceTo(seen.back().ms + 1000), !automation)
            << replay.endedWith << " at " << replay.session->replay().position();
        EXPECT_TRUE(replay.session->replay().done());
        EXPECT_EQ(replay.session->replay().position(), seen.size() + 1);
        ASSERT_EQ(replay.fp.shell.messages.size(), 1u);
        EXPECT_EQ(replay.fp.shell.messages[0].text, app::ReplaySession::kEndText);
        if (automation) {
            EXPECT_EQ(replay.endedWith, 0);
            EXPECT_EQ(replay.printed,
                      std::vector<std::string>{"replay: " + std::to_string(seen.size() + 1) +
                                               " packets"});
        }
    }
}

TEST(Replay, ARefusedFileEndsWithStatusOneAndAMessage) {
    std::vector<std::uint8_t> other = record::encodeHeader({"me", "r", 1.0, 0});
    other[8] = 9;  // version 9
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        record::ReadStatus status;
    };
    const Case cases[] = {
        {"another version", other, record::ReadStatus::OtherVersion},
        {"no record at all", {'h', 'e', 'l', 'l', 'o'}, record::ReadStatus::NotARecord},
    };
    for (const Case& c : cases) {
        Replayer replay(record::readRecord(c.bytes), {}, true);
        EXPECT_FALSE(replay.start()) << c.what;
        EXPECT_EQ(replay.endedWith, 1) << c.what;
        EXPECT_EQ(replay.printed, std::vector<std::string>{"replay: 0 packets"}) << c.what;
        ASSERT_EQ(replay.fp.shell.messages.size(), 1u) << c.what;
        EXPECT_EQ(replay.fp.shell.messages[0].text, record::statusMessage(c.status)) << c.what;
    }
}

TEST_F(LiveTable, SpacePausesTheRightArrowStepsAndPlusMinusChangeTheSpeed) {
    playTable();
    Replayer replay(record::readRecordFile(recordPath()));
    ASSERT_TRUE(replay.start());
    record::Replay& r = replay.session->replay();
    ASSERT_TRUE(replay.advanceTo(seen[2].ms));
    ASSERT_EQ(r.position(), 3u);
    EXPECT_EQ(replay.table().caption, "回放 3/" + std::to_string(seen.size()) + " ×1");

    ASSERT_TRUE(replay.key(ui::VK_SPACE));
    EXPECT_TRUE(r.paused());
    EXPECT_NE(replay.table().caption.find("暂停"), std::string::npos);
    ASSERT_TRUE(replay.advanceTo(seen[2].ms + 60'000));
    EXPECT_EQ(r.position(), 3u);  // paused: nothing fed
    ASSERT_TRUE(replay.key(ui::VK_RIGHT));
    EXPECT_EQ(r.position(), 4u);
    EXPECT_EQ(replay.model(), [&] {
        // The step shows the fourth packet's table (its timers have not run on).
        return seen[3].model;
    }());

    ASSERT_TRUE(replay.typed('+'));
    EXPECT_NE(replay.table().caption.find("×2"), std::string::npos);
    ASSERT_TRUE(replay.typed('-'));
    ASSERT_TRUE(replay.typed('-'));
    EXPECT_NE(replay.table().caption.find("×0.5"), std::string::npos);

    // Resumed at half speed: the fifth packet comes after twice its recorded gap.
    ASSERT_TRUE(replay.key(ui::VK_SPACE));
    const std::int64_t gap = seen[4].ms - seen[3].ms;
    const std::int64_t now = replay.fp.loop.nowMs();
    ASSERT_TRUE(replay.advanceTo(now + 2 * gap - 20));
    EXPECT_EQ(r.position(), 4u);
    ASSERT_TRUE(replay.advanceTo(now + 2 * gap + 20));
    EXPECT_EQ(r.position(), 5u);
}

TEST_F(LiveTable, FromStartsWithThePacketsBeforeItFedAtOnce) {
    playTable();
    Replayer replay(record::readRecordFile(recordPath()), {"", 1.0, 8});
    ASSERT_TRUE(replay.start());
    EXPECT_EQ(replay.session->replay().position(), 8u);
    // The deal (packet 8) is on the table.
    EXPECT_EQ(replay.session->client().state.PlayerRecord[0].cards.count(), 36);
    const std::int64_t now = replay.fp.loop.nowMs();
    ASSERT_TRUE(replay.advanceTo(now + seen[8].ms - seen[7].ms + 1));
    EXPECT_EQ(replay.session->replay().position(), 9u);
}

TEST(ReplayArguments, TheCommandLine) {
    struct Case {
        std::vector<std::string> args;
        bool replay;
        std::string path;
        double speed;
        std::size_t from;
    };
    const Case cases[] = {
        {{"me$key$127.0.0.1$2000$home$"}, false, "", 1, 0},
        {{}, false, "", 1, 0},
        {{"--replay", "a.drec"}, true, "a.drec", 1, 0},
        {{"--replay", "a.drec", "--speed", "8", "--from", "12"}, true, "a.drec", 8, 12},
        {{"--replay", "a.drec", "--from", "3", "--speed", "0.5"}, true, "a.drec", 0.5, 3},
        {{"--replay", "a.drec", "--speed", "-2", "--from", "x"}, true, "a.drec", 1, 0},
        {{"--replay", "a.drec", "--speed", "nan", "--from", "-1"}, true, "a.drec", 1, 0},
        {{"--replay", "a.drec", "--speed"}, true, "a.drec", 1, 0},
    };
    for (const Case& c : cases) {
        const auto got = app::parseReplayArguments(c.args);
        ASSERT_EQ(got.has_value(), c.replay) << c.args.size();
        if (!got) continue;
        EXPECT_EQ(got->path, c.path);
        EXPECT_DOUBLE_EQ(got->speed, c.speed);
        EXPECT_EQ(got->from, c.from);
    }
}

using UnwritableRecords = ClientFixture;

TEST_F(UnwritableRecords, TheTableKeepsWorking) {
    // The records folder's place is a file: the recording cannot even start,
    // whoever runs the test.
    ScratchFolder home;
    writeBytes(home.str() + "/" + record::kFolderName, {0});
    fp.shell.folder = home.str();
    startConnected();
    deliver(testpk::loginResult(1, 15));
    ASSERT_TRUE(advance(150));
    EXPECT_TRUE(client->state.LoginAccepted);
    EXPECT_TRUE(client->recorder.failed());
    EXPECT_EQ(client->MainForm.at("Sysmsg", 1).items,
              std::vector<std::string>{record::Recorder::kFailureText});
    // The table goes on: a deal arrives and is shown.
    deliver(eveningDeal());
    ASSERT_TRUE(advance(150));
    EXPECT_EQ(client->state.PlayerRecord[0].cards.count(), 36);
}

}  // namespace
