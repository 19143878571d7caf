// The real client binary replaying record files under automation: the line it
// prints, its status and the message box of a refused or damaged file.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <fstream>

#include "process_util.h"
#include "record/record_format.h"
#include "wire/commands.h"
#include "wire/seating.h"

namespace {

struct ReplayRun {
    int status;
    QString out, err;
};

ReplayRun runReplay(const QString& file, const QString& busDir) {
    QProcess p;
    p.setProcessEnvironment(testEnvironment(busDir));
    p.start(treeBinary("dravik"), {"--replay", file, "--speed", "16"});
    EXPECT_TRUE(p.waitForFinished(20000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// A login result and a player seated, a second apart, and the keep-alive the client
// sent between them.
std::vector<std::uint8_t> shortTable() {
    std::vector<std::uint8_t> bytes = record::encodeHeader({"me", "一号桌", 1.0, 1'800'000'000});
    auto add = [&](record::Direction d, std::uint32_t ms, const wire::GamePacket& p) {
        const auto e = record::encodeEntry({d, ms, p});
        bytes.insert(bytes.end(), e.begin(), e.end());
    };
    wire::LoginResult login;
    login.result = wire::LoginOutcome::kAccepted;
    login.turnSeconds = 15;
    add(record::Direction::Inbound, 300, login.encode());
    add(record::Direction::Outbound, 800, wire::makePacket(wire::Command::kKeepAlive));
    wire::Seat seat;
    seat.ownSeat = 1;
    seat.nickname = "Ann";
    seat.avatarCode = "m1";
    seat.account = "me";
    seat.userNumber = 1;
    add(record::Direction::Inbound, 1300, seat.encode());
    return bytes;
}

void write(const QString& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path.toStdString(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

TEST(ReplayProcess, RecordFilesWholeDamagedAndRefused) {
    QTemporaryDir dir;
    const std::vector<std::uint8_t> good = shortTable();
    std::vector<std::uint8_t> cut(good.begin(), good.end() - 100);
    std::vector<std::uint8_t> other = good;
    other[8] = 2;  // version 2
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        int status;
        const char* line;
        const char* box;
    };
    const Case cases[] = {
        {"whole", good, 0, "replay: 2 packets\n", "回放结束"},
        {"cut in its last entry", cut, 0, "replay: 1 packets\n", "录像文件不完整，回放到此结束"},
        {"another version", other, 1, "replay: 0 packets\n", "录像文件的版本不同，无法回放"},
    };
    for (const Case& c : cases) {
        const QString file = dir.filePath("table.drec");
        write(file, c.bytes);
        const ReplayRun r = runReplay(file, dir.path());
        EXPECT_EQ(r.status, c.status) << c.what;
        EXPECT_EQ(r.out.toStdString(), c.line) << c.what;
        EXPECT_TRUE(
            r.err.contains(QString::fromUtf8("messagebox: 回放: ") + QString::fromUtf8(c.box)))
            << c.what << ": " << r.err.toStdString();
    }
}

}  // namespace
