// The record file: what the recorder writes reads back entry by entry; a damaged or
// foreign file reads only as far as it is sound and never past its bytes.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>

#include "platform/fake/fake_event_loop.h"
#include "record/record_folder.h"
#include "record/record_reader.h"
#include "record/recorder.h"
#include "record_support.h"
#include "ui/form.h"
#include "ui/window_system.h"
#include "wire/commands.h"
#include "wire/seating.h"

namespace {

constexpr std::int64_t kLaunch = 1'800'000'000;

wire::GamePacket numbered(std::uint8_t command, std::uint8_t n) {
    wire::GamePacket p = wire::makePacket(command);
    p[100] = n;
    p[271] = static_cast<std::uint8_t>(255 - n);
    return p;
}

struct RecorderTest : ::testing::Test {
    ScratchFolder folder;
    platform::FakeEventLoop loop;
    ui::WindowSystem windows;
    ui::Form& table = windows.form("MainForm");
    RecorderTest() {
        for (int i = 0; i < 2; ++i) table.add("Sysmsg", ui::ControlKind::kListBox, i);
    }
    std::string records() const { return (folder.path / record::kFolderName).string(); }
    std::unique_ptr<record::Recorder> make(std::string at = "") {
        return std::make_unique<record::Recorder>(loop, table, at.empty() ? records() : at,
                                                  [] { return kLaunch; });
    }
};

TEST_F(RecorderTest, BothDirectionsReadBackWithTheirTimesAndTheHeader) {
    auto rec = make();
    loop.advance(500);
    rec->begin({"me", "一号房间", 0.78125});
    rec->outbound(numbered(7, 1));
    loop.advance(250);
    rec->inbound(numbered(18, 2));
    loop.advance(1000);
    rec->inbound(numbered(20, 3));
    rec->outbound(numbered(7, 4));
    const std::string path = rec->path();
    rec->end();

    EXPECT_EQ(std::filesystem::path(path).filename().string(),
              record::recordFileName(kLaunch, "一号房间"));
    const record::RecordFile file = record::readRecordFile(path);
    ASSERT_EQ(file.status, record::ReadStatus::Complete);
    EXPECT_EQ(file.header.account, "me");
    EXPECT_EQ(file.header.room, "一号房间");
    EXPECT_DOUBLE_EQ(file.header.scale, 0.78125);
    EXPECT_EQ(file.header.launchTime, kLaunch);
    using D = record::Direction;
    const std::vector<std::tuple<D, std::uint32_t, std::uint8_t>> expected = {
        {D::Outbound, 0, 1}, {D::Inbound, 250, 2}, {D::Inbound, 1250, 3}, {D::Outbound, 1250, 4}};
    ASSERT_EQ(file.entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [direction, ms, n] = expected[i];
        EXPECT_EQ(file.entries[i].direction, direction) << i;
        EXPECT_EQ(file.entries[i].ms, ms) << i;
        EXPECT_EQ(file.entries[i].packet[100], n) << i;
        EXPECT_EQ(file.entries[i].packet[271], 255 - n) << i;
    }
    EXPECT_EQ(file.inboundCount(), 2u);
}

TEST_F(RecorderTest, TheLoginKeyIsNeverWritten) {
    wire::Login login;
    login.userName = "me";
    login.loginKey = "s3cr3t-k3y-0042";
    login.reconnect = true;
    login.token = 0x1234;
    auto rec = make();
    rec->begin({"me", "room", 1.0});
    rec->outbound(login.encode());
    const std::string path = rec->path();
    rec->end();

    const std::vector<std::uint8_t> bytes = fileBytes(path);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.find("s3cr3t"), std::string::npos);
    const record::RecordFile file = record::readRecordFile(path);
    ASSERT_EQ(file.entries.size(), 1u);
    const wire::Login kept = wire::Login::decode(file.entries[0].packet);
    EXPECT_EQ(kept.userName, "me");
    EXPECT_EQ(kept.loginKey, "");
    EXPECT_TRUE(kept.reconnect);  // what the server saw besides the key stays
    EXPECT_EQ(kept.token, 0x1234);
}

TEST_F(RecorderTest, NothingIsWrittenOutsideATableOrWhenSwitchedOff) {
    auto rec = make();
    rec->inbound(numbered(20, 1));  // before any table
    rec->begin({"me", "room", 1.0});
    rec->end();  // a table without packets leaves no file
    rec->setEnabled(false);
    rec->begin({"me", "room", 1.0});
    rec->inbound(numbered(20, 2));
    EXPECT_TRUE(record::listRecords(records()).empty());
}

TEST_F(RecorderTest, TheFolderKeepsTheNewestHundredTables) {
    std::filesystem::create_directories(records());
    // 104 older tables, one a day, and a file of another kind that stays.
    for (int day = 0; day < 104; ++day)
        writeBytes(records() + "/" + record::recordFileName(kLaunch - (104 - day) * 86400, "r"),
                   {1, 2, 3});
    writeBytes(records() + "/notes.txt", {1});
    const std::vector<std::string> before = record::listRecords(records());
    ASSERT_EQ(before.size(), 104u);

    auto rec = make();
    rec->begin({"me", "r", 1.0});
    rec->inbound(numbered(20, 1));

    const std::vector<std::string> after = record::listRecords(records());
    ASSERT_EQ(after.size(), record::kKeptTables);
    EXPECT_EQ(after.back(), rec->path());  // the new table is the newest
    // The five oldest went; the 99 newest of the old ones stayed.
    EXPECT_TRUE(std::equal(before.begin() + 5, before.end(), after.begin()));
    EXPECT_TRUE(std::filesystem::exists(records() + "/notes.txt"));
}

TEST_F(RecorderTest, TwoTablesInTheSameSecondGetTwoFiles) {
    auto rec = make();
    rec->begin({"me", "r", 1.0});
    rec->inbound(numbered(20, 1));
    const std::string first = rec->path();
    rec->begin({"me", "r", 1.0});
    rec->inbound(numbered(20, 2));
    EXPECT_NE(rec->path(), first);
    EXPECT_EQ(record::listRecords(records()).size(), 2u);
    EXPECT_EQ(record::readRecordFile(first).entries.size(), 1u);
}

TEST_F(RecorderTest, AFolderThatCannotBeWrittenStopsTheRecordingAndSaysSoOnce) {
    // The records folder's place is taken by a file: nothing can be created there,
    // whoever runs the test.
    writeBytes(records(), {0});
    auto rec = make();
    ui::Control& line = table.at("Sysmsg", 1);
    rec->begin({"me", "r", 1.0});
    rec->outbound(numbered(18, 1));
    loop.drain();
    EXPECT_TRUE(rec->failed());
    EXPECT_EQ(rec->path(), "");
    // Told after the next inbound packet's handler, which writes the message area too.
    EXPECT_TRUE(line.items.empty());
    rec->inbound(numbered(18, 2));
    line.items.assign(1, "the handler's line");
    loop.drain();
    EXPECT_EQ(line.items, std::vector<std::string>{record::Recorder::kFailureText});
    // A second table fails as quietly: told once.
    line.items.clear();
    rec->begin({"me", "r", 1.0});
    rec->inbound(numbered(20, 3));
    loop.drain();
    EXPECT_TRUE(rec->failed());
    EXPECT_TRUE(line.items.empty());
}

TEST_F(RecorderTest, AReadOnlyFolderStopsTheRecording) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
    std::filesystem::create_directories(records());
    std::filesystem::permissions(
        records(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    auto rec = make();
    rec->begin({"me", "r", 1.0});
    rec->inbound(numbered(20, 1));
    loop.drain();
    EXPECT_TRUE(rec->failed());
    EXPECT_EQ(table.at("Sysmsg", 1).items,
              std::vector<std::string>{record::Recorder::kFailureText});
    std::filesystem::permissions(records(), std::filesystem::perms::owner_all);
}

TEST_F(RecorderTest, AFullDiskInTheMiddleOfATableStopsTheRecordingAndKeepsWhatWasWritten) {
    auto rec = make();
    rec->begin({"me", "r", 1.0});
    rec->inbound(numbered(20, 1));
    const std::string path = rec->path();
    // From here the file may grow by one entry only, as on a disk that fills up.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit full = old;
    full.rlim_cur = std::filesystem::file_size(path) + record::kEntrySize;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &full), 0);
    rec->inbound(numbered(20, 2));
    const bool failedAfterTwo = rec->failed();
    rec->inbound(numbered(20, 3));
    rec->inbound(numbered(20, 4));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    loop.drain();

    EXPECT_FALSE(failedAfterTwo);
    EXPECT_TRUE(rec->failed());
    EXPECT_EQ(table.at("Sysmsg", 1).items,
              std::vector<std::string>{record::Recorder::kFailureText});
    const record::RecordFile file = record::readRecordFile(path);
    // Whether the third entry was cut or not written at all, the two before it read.
    EXPECT_TRUE(file.status == record::ReadStatus::Complete ||
                file.status == record::ReadStatus::Truncated);
    ASSERT_EQ(file.entries.size(), 2u);
    EXPECT_EQ(file.entries[1].packet[100], 2);
}

TEST(RecordFileName, DateTimeAndARoomThatCannotEscapeTheFolder) {
    const std::string name = record::recordFileName(kLaunch, "../a/b:c");
    EXPECT_EQ(name.find('/'), std::string::npos);
    EXPECT_EQ(name.substr(name.size() - 5), ".drec");
    EXPECT_EQ(name.size(), std::string("YYYYMMDD-HHMMSS-").size() + 8 + 5);
    // A long room is cut at a character boundary.
    std::string room;
    for (int i = 0; i < 60; ++i) room += "房";
    const std::string longName = record::recordFileName(kLaunch, room);
    const std::string kept = longName.substr(16, longName.size() - 16 - 5);
    EXPECT_EQ(kept.size() % 3, 0u);
    EXPECT_LE(kept.size(), 120u);
}

// ---- Reading damaged and foreign files ----

std::vector<std::uint8_t> goodFile(int entries) {
    std::vector<std::uint8_t> bytes = record::encodeHeader({"me", "room", 1.0, kLaunch});
    for (int i = 0; i < entries; ++i) {
        record::Entry e;
        e.direction = i % 2 ? record::Direction::Outbound : record::Direction::Inbound;
        e.ms = static_cast<std::uint32_t>(100 * i);
        e.packet = numbered(20, static_cast<std::uint8_t>(i));
        auto b = record::encodeEntry(e);
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    return bytes;
}

TEST(RecordReader, DamagedAndForeignFiles) {
    const std::vector<std::uint8_t> good = goodFile(4);
    const std::size_t header = good.size() - 4 * record::kEntrySize;
    auto cut = [&](std::size_t size) {
        return std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<long>(size));
    };
    auto headerOnly = [&](std::uint8_t roomLength) {
        auto b = cut(header);
        b[23] = roomLength;
        return b;
    };
    auto patched = [&](std::size_t at, std::uint8_t value) {
        auto b = good;
        b[at] = value;
        return b;
    };
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        record::ReadStatus status;
        std::size_t entries;
    };
    using S = record::ReadStatus;
    const Case cases[] = {
        {"complete", good, S::Complete, 4},
        {"empty", {}, S::NotARecord, 0},
        {"other magic", patched(0, 'X'), S::NotARecord, 0},
        {"other version", patched(8, 2), S::OtherVersion, 0},
        {"version cut", cut(9), S::Truncated, 0},
        {"header cut in the room", cut(header - 1), S::Truncated, 0},
        {"room length past the end", headerOnly(255), S::Truncated, 0},
        {"header only", cut(header), S::Complete, 0},
        {"cut inside the third entry", cut(header + 2 * record::kEntrySize + 100), S::Truncated, 2},
        {"cut after one byte of an entry", cut(header + record::kEntrySize + 1), S::Truncated, 1},
        {"unknown direction", patched(header + 2 * record::kEntrySize, 7), S::Corrupt, 2},
        {"time running backwards", patched(header + 3 * record::kEntrySize + 2, 0), S::Corrupt, 3},
    };
    for (const Case& c : cases) {
        const record::RecordFile f = record::readRecord(c.bytes);
        EXPECT_EQ(f.status, c.status) << c.what;
        EXPECT_EQ(f.entries.size(), c.entries) << c.what;
        EXPECT_EQ(f.refused(), c.status == S::NotARecord || c.status == S::OtherVersion) << c.what;
        for (std::size_t i = 0; i < f.entries.size(); ++i)
            EXPECT_EQ(f.entries[i].packet[100], i) << c.what;
        if (c.status != S::Complete) EXPECT_NE(record::statusMessage(c.status), "") << c.what;
    }
}

TEST(RecordReader, AMissingFileIsRefused) {
    EXPECT_TRUE(record::readRecordFile("/nonexistent/dir/x.drec").refused());
}

}  // namespace
