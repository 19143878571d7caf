// Typing into the chat input of the real client on a real X display (Xvfb, started
// by scripts/test.sh): xdotool types a line with Chinese characters and presses
// Enter while a speech bubble shows; the loopback server receives the chat packet
// with the line in the code page, and a second Enter within 800 ms sends nothing. Skipped without a
// display or without xdotool.
#include <gtest/gtest.h>
#include <poll.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include "platform/unix_hall_bus.h"
#include "process_util.h"
#include "wire/chat.h"
#include "wire/gbk.h"

namespace {

// Runs xdotool with the arguments; its standard output.
QString xdotool(const QStringList& args) {
    QProcess p;
    p.start("xdotool", args);
    if (!p.waitForFinished(10000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// Reads from the socket until `count` bytes arrived or the time ran out.
QByteArray readBytes(QTcpSocket* s, qsizetype count, int ms) {
    QByteArray got;
    QElapsedTimer t;
    t.start();
    while (got.size() < count && t.elapsed() < ms)
        if (s->waitForReadyRead(50)) got += s->readAll();
    return got;
}

TEST(ChatTyping, AChineseLineTypedAndEnteredArrivesInTheCodePage) {
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty())
        GTEST_SKIP() << "needs an X display and xdotool (scripts/test.sh starts Xvfb)";
    QTemporaryDir dir;
    platform::UnixHallBus hall(dir.path().toStdString());
    ASSERT_TRUE(hall.open("Brenmoor"));
    QTcpServer server;
    quint16 port = 0;
    for (quint16 p = 23000 + static_cast<quint16>(::getpid() % 5000); p < 32767; ++p)
        if (server.listen(QHostAddress::LocalHost, p)) {
            port = p;
            break;
        }
    ASSERT_NE(port, 0);
    QProcess client;
    QProcessEnvironment env = testEnvironment(dir.path());
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DISPLAY", QString::fromLocal8Bit(display));
    client.setProcessEnvironment(env);
    client.start(treeBinary("dravik"), {QString("typist$secret$127.0.0.1$%1$home$").arg(port)});
    ASSERT_TRUE(client.waitForStarted());
    ASSERT_TRUE(server.waitForNewConnection(15000));
    QTcpSocket* s = server.nextPendingConnection();
    ASSERT_EQ(readBytes(s, 272, 10000).size(), 272);  // the login

    // The table window: focused, then a click on the table surface gives the chat
    // input the keyboard.
    const QString window =
        xdotool({"search", "--sync", "--onlyvisible", "--pid", QString::number(client.processId())})
            .split('\n')
            .value(0);
    ASSERT_FALSE(window.isEmpty());
    xdotool({"windowfocus", "--sync", window});
    xdotool({"mousemove", "--window", window, "500", "400", "click", "1"});
    // A player's quick reply arrives: his bubble shows beside the table and leaves
    // the keyboard where it was.
    wire::Chat phrase;
    phrase.sender = 2;
    phrase.kind = wire::ChatKind::kVoice;
    phrase.phrase = {1, 1, 1, 1, 0, 0, 2};
    const wire::GamePacket voice = phrase.encode();
    s->write(reinterpret_cast<const char*>(voice.data()), static_cast<qint64>(voice.size()));
    s->flush();
    QElapsedTimer shown;
    shown.start();
    while (xdotool({"search", "--onlyvisible", "--name", "^speakbox$"}).isEmpty() &&
           shown.elapsed() < 5000)
        s->waitForReadyRead(100);
    EXPECT_FALSE(xdotool({"search", "--onlyvisible", "--name", "^speakbox$"}).isEmpty());
    EXPECT_EQ(xdotool({"getwindowfocus"}), window);
    // xdotool lends one spare key to each Chinese character in turn, and a key the
    // client reads after the next character took it over is lost; so the typing
    // starts once the bubble has faded and the client is idle again.
    while (shown.elapsed() < 6500) s->waitForReadyRead(100);
    EXPECT_EQ(xdotool({"getwindowfocus"}), window);
    const std::string line = "大家好 hello";
    // The client's keyboard map catches up with the first lent key only after it
    // has been read: a first character that may be lost, then taken back.
    xdotool({"type", "--window", window, "中"});
    xdotool({"key", "--window", window, "BackSpace"});
    xdotool({"type", "--window", window, "--delay", "200", QString::fromStdString(line)});
    xdotool({"key", "--window", window, "Return"});
    const QByteArray got = readBytes(s, 272, 5000);
    ASSERT_EQ(got.size(), 272);
    EXPECT_EQ(got[3], 19);
    EXPECT_EQ(got[11], 0);
    const std::string gbk = wire::utf8ToGbk(line);
    EXPECT_EQ(got.mid(16, static_cast<qsizetype>(gbk.size())).toHex().toStdString(),
              QByteArray::fromStdString(gbk).toHex().toStdString());
    EXPECT_EQ(got[16 + static_cast<qsizetype>(gbk.size())], 0);

    // At once a second line: inside the 800 ms it is dropped.
    xdotool({"type", "--window", window, "--delay", "0", "again"});
    xdotool({"key", "--window", window, "Return"});
    EXPECT_EQ(readBytes(s, 272, 1500).size(), 0);
    // Past the limit the input takes lines again, and the dropped one is gone.
    xdotool({"type", "--window", window, "--delay", "0", "later"});
    xdotool({"key", "--window", window, "Return"});
    const QByteArray later = readBytes(s, 272, 5000);
    ASSERT_EQ(later.size(), 272);
    EXPECT_EQ(later.mid(16, 6), QByteArray("later", 6));
    client.kill();
    client.waitForFinished();
}

}  // namespace
