// Camera pictures between two players at a live table: the reference server with
// its relay and four bots in a child process, one client in this process on the
// real platform and a second client as a process of its own, both showing the
// moving test picture (DRAVIK_CAMERA=pattern). Each must see the other's picture
// in the slot where the other sits. Also the link's figures: the time from a frame
// handed to the component to its arrival at the peer, and the bytes per frame.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <numeric>
#include <vector>

#include "app/client.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_render.h"
#include "platform/qt/qt_video.h"
#include "platform/unix_hall_bus.h"
#include "process_util.h"
#include "reference_server.h"
#include "resources/embedded_resources.h"

namespace {

int freePort() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

bool runUntil(ReferenceServer& server, const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        server.read();
        if (done()) return true;
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    server.read();
    return done();
}

// Whether the area of a picture holds more than one colour (a drawn frame, not the
// black of an empty display).
bool hasPicture(const QImage& img, const QRect& area) {
    const QRect r = area.intersected(img.rect());
    if (r.isEmpty()) return false;
    const QRgb first = img.pixel(r.topLeft());
    for (int y = r.top(); y <= r.bottom(); y += 3)
        for (int x = r.left(); x <= r.right(); x += 3)
            if (img.pixel(x, y) != first) return true;
    return false;
}

QString snapshotDir() { return QString(DRAVIK_BINARY_DIR) + "/snapshots"; }

// What a peer sends is turned into a BMP frame at the capture size; what is not a
// picture, or claims to be a huge one, is dropped before anything is allocated.
TEST(VideoFrames, APeersJpegBecomesABmpAtTheCaptureSizeOrIsDropped) {
    auto jpeg = [](int w, int h) {
        QImage img(w, h, QImage::Format_RGB888);
        img.fill(Qt::darkCyan);
        QByteArray bytes;
        QBuffer b(&bytes);
        b.open(QIODevice::WriteOnly);
        img.save(&b, "JPEG");
        return bytes;
    };
    struct Case {
        const char* what;
        QByteArray bytes;
        bool kept;
    };
    const Case cases[] = {
        {"the capture size", jpeg(160, 120), true},
        {"another size", jpeg(320, 200), true},
        {"too wide", jpeg(4000, 8), false},
        {"not a picture", QByteArray("not a jpeg at all"), false},
        {"cut off", jpeg(160, 120).left(20), false},
        {"empty", QByteArray(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const platform::Frame f = platform::QtVideoComponent::jpegToBmp(
            reinterpret_cast<const std::uint8_t*>(c.bytes.constData()),
            static_cast<std::size_t>(c.bytes.size()));
        ASSERT_EQ(!f.empty(), c.kept);
        if (!c.kept) continue;
        QImage bmp;
        ASSERT_TRUE(bmp.loadFromData(f.data(), static_cast<int>(f.size()), "BMP"));
        EXPECT_EQ(bmp.size(), QSize(160, 120));
    }
}

// The component writes BMP frames itself: every pixel where it was, for images in
// the formats the camera and the decoders give.
TEST(VideoFrames, BmpFramesKeepEveryPixel) {
    for (QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_RGB888}) {
        SCOPED_TRACE(static_cast<int>(format));
        QImage img(7, 3, format);  // a row of 21 bytes: padded to 24
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x) img.setPixel(x, y, qRgb(x * 30, y * 80, 200 - x * 10));
        const platform::Frame f = platform::QtVideoComponent::toBmp(img);
        EXPECT_EQ(f.size(), 54u + 24u * 3u);
        QImage back;
        ASSERT_TRUE(back.loadFromData(f.data(), static_cast<int>(f.size()), "BMP"));
        ASSERT_EQ(back.size(), img.size());
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x)
                EXPECT_EQ(back.pixel(x, y), img.pixel(x, y)) << x << "," << y;
    }
}

TEST(VideoLive, TwoPlayersSeeEachOthersTestPictureInTheRightSlots) {
    const int relayPort = freePort();
    ASSERT_GT(relayPort, 0);
    ReferenceServer server;
    const int port = server.start(
        {"--bots", "4", "--relay-port", QString::number(relayPort), "--turn-seconds", "30"},
        "video-live");
    ASSERT_GT(port, 0);
    ASSERT_TRUE(runUntil(
        server, [&] { return server.count("dravik-server relay ") > 0; }, 5000));
    ASSERT_EQ(server.count("relay off"), 0) << server.events();

    // The first player in this process: seat 0.
    QTemporaryDir bus, home, bus2, home2;
    qputenv("DRAVIK_HALL_BUS", bus.path().toUtf8());
    qputenv("DRAVIK_HOME", home.path().toUtf8());
    qputenv("DRAVIK_SCREEN", "1024x768");
    qputenv("DRAVIK_NO_SOUND", "1");
    qputenv("DRAVIK_AUTOMATION", "1");
    qputenv("DRAVIK_CAMERA", "pattern");
    qputenv("DRAVIK_RELAY_PORT", QByteArray::number(relayPort));
    platform::UnixHallBus hall(bus.path().toStdString());
    ASSERT_TRUE(hall.open(app::kDefaultHallCaption));
    auto qt = std::make_unique<platform::QtPlatform>();
    auto client = std::make_unique<app::Client>(qt->platform(), resources::embeddedStore());
    const std::string line = "ann$key$127.0.0.1$" + std::to_string(port) + "$本地牌桌$";
    platform::QtEventLoop::guard([&] { client->start(line); });
    ASSERT_TRUE(runUntil(
        server, [&] { return client->state.LoginAccepted; }, 15000));
    EXPECT_TRUE(client->video.captureRunning());

    // The second player as a process of its own: seat 1, so slot 1 here and slot 5
    // there.
    const QString shots = snapshotDir() + "/video-live-bob";
    QDir(shots).removeRecursively();
    QDir().mkpath(shots);
    platform::UnixHallBus hall2(bus2.path().toStdString());
    ASSERT_TRUE(hall2.open(app::kDefaultHallCaption));
    QProcess other;
    QProcessEnvironment env = testEnvironment(bus2.path());
    env.insert("DRAVIK_HOME", home2.path());
    env.insert("DRAVIK_SCREEN", "1024x768");
    env.insert("DRAVIK_CAMERA", "pattern");
    env.insert("DRAVIK_RELAY_PORT", QString::number(relayPort));
    env.insert("DRAVIK_SNAPSHOT", shots);
    other.setProcessEnvironment(env);
    other.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    other.start(
        treeBinary("dravik"),
        {QString::fromStdString("bob$key$127.0.0.1$" + std::to_string(port) + "$本地牌桌$")});
    ASSERT_TRUE(other.waitForStarted());

    // Here: bob's picture in slot 1, shown and moving.
    ASSERT_TRUE(runUntil(
        server,
        [&] {
            return client->state.PlayerRecord[1].seatId == "bob" &&
                   !client->video.latestFrame(1).empty() &&
                   client->MainForm.at("vshow1", 1).visible &&
                   client->MainForm.at("vshow1", 1).picture;
        },
        20000))
        << server.events();
    const platform::Frame first = client->video.latestFrame(1);
    ASSERT_GT(first.size(), 54u);
    EXPECT_EQ(first[0], 'B');
    EXPECT_EQ(first[1], 'M');
    QImage bmp;
    ASSERT_TRUE(bmp.loadFromData(first.data(), static_cast<int>(first.size()), "BMP"));
    EXPECT_EQ(bmp.size(), QSize(160, 120));
    ASSERT_TRUE(runUntil(
        server, [&] { return client->video.latestFrame(1) != first; }, 3000))
        << "the picture does not move";
    for (int k = 2; k <= 5; ++k) EXPECT_TRUE(client->video.latestFrame(k).empty()) << k;

    // Enlarged, and a photo that opens as a BMP image.
    client->video.clickCommand(4 * 1 + 1);
    ASSERT_TRUE(runUntil(
        server, [&] { return client->video.zoomWindow(1).at("vshow1").picture != nullptr; }, 3000));
    platform::QtEventLoop::guard([&] { client->video.clickCommand(4 * 1 + 2); });
    QDir photos(home.path() + "/photo");
    const QStringList taken = photos.entryList({"*.bmp"}, QDir::Files);
    ASSERT_EQ(taken.size(), 1);
    QImage photo(photos.filePath(taken[0]), "BMP");
    EXPECT_EQ(photo.size(), QSize(160, 120));
    QDir().mkpath(snapshotDir());
    EXPECT_TRUE(platform::saveFormPng(client->MainForm,
                                      (snapshotDir() + "/video-live-ann.png").toStdString()));
    EXPECT_TRUE(platform::saveFormPng(client->video.zoomWindow(1),
                                      (snapshotDir() + "/video-live-ann-zoom.png").toStdString()));
    // The large size, with the frame drawn into it 100 ms after the resize.
    ui::Form& zoom = client->video.zoomWindow(1);
    platform::QtEventLoop::guard([&] { zoom.fire(&zoom.at("ImgCmd", 1), ui::EventKind::kClick); });
    const ui::PicturePtr before = zoom.at("vshow1").picture;
    ASSERT_TRUE(runUntil(
        server, [&] { return zoom.at("vshow1").picture != before; }, 3000));
    EXPECT_EQ(zoom.at("vshow1").picture->width, static_cast<int>(zoom.at("vshow1").width));
    EXPECT_TRUE(platform::saveFormPng(
        zoom, (snapshotDir() + "/video-live-ann-zoom-large.png").toStdString()));

    // There: ann's picture in slot 5 of bob's table window, as its snapshots show.
    ui::Control& display5 = client->MainForm.at("vshow1", 5);
    double x = 0, y = 0;
    client->MainForm.absolutePosition(display5, x, y);
    const QRect area(static_cast<int>(x) + 2, static_cast<int>(y) + 2,
                     static_cast<int>(display5.width) - 4, static_cast<int>(display5.height) - 4);
    ASSERT_TRUE(runUntil(
        server,
        [&] {
            // Only a snapshot written to its end.
            QFile f(shots + "/MainForm.png");
            if (!f.open(QIODevice::ReadOnly)) return false;
            const QByteArray png = f.readAll();
            if (!png.endsWith(QByteArray::fromHex("49454e44ae426082"))) return false;
            QImage shot = QImage::fromData(png, "PNG");
            return !shot.isNull() && hasPicture(shot, area);
        },
        15000))
        << "bob does not see ann in slot 5";

    other.kill();
    other.waitForFinished();
    client.reset();
    qt.reset();
    qunsetenv("DRAVIK_CAMERA");
    qunsetenv("DRAVIK_RELAY_PORT");
}

// Alone at a local table of bots that show their test pictures (--bot-video): a
// picture in every other seat's slot, each drawn from the server's own JPEG.
TEST(VideoLive, APlayerAloneWithBotsSeesTheirPictures) {
    const int relayPort = freePort();
    ReferenceServer server;
    const int port = server.start(
        {"--relay-port", QString::number(relayPort), "--bot-video", "--turn-seconds", "30"},
        "video-bots");
    ASSERT_GT(port, 0);
    QTemporaryDir bus, home;
    qputenv("DRAVIK_HALL_BUS", bus.path().toUtf8());
    qputenv("DRAVIK_HOME", home.path().toUtf8());
    qputenv("DRAVIK_SCREEN", "1024x768");
    qputenv("DRAVIK_NO_SOUND", "1");
    qputenv("DRAVIK_AUTOMATION", "1");
    qputenv("DRAVIK_CAMERA", "none");
    qputenv("DRAVIK_RELAY_PORT", QByteArray::number(relayPort));
    platform::UnixHallBus hall(bus.path().toStdString());
    ASSERT_TRUE(hall.open(app::kDefaultHallCaption));
    auto qt = std::make_unique<platform::QtPlatform>();
    auto client = std::make_unique<app::Client>(qt->platform(), resources::embeddedStore());
    const std::string line = "ann$key$127.0.0.1$" + std::to_string(port) + "$本地牌桌$";
    platform::QtEventLoop::guard([&] { client->start(line); });
    ASSERT_TRUE(runUntil(
        server,
        [&] {
            for (int k = 1; k <= 5; ++k)
                if (client->video.latestFrame(k).empty() ||
                    !client->MainForm.at("vshow1", k).picture)
                    return false;
            return true;
        },
        20000))
        << server.events();
    EXPECT_FALSE(client->video.captureRunning());  // no camera here, and said so
    int said = 0;
    for (int i = 0; i < 2; ++i)
        for (const auto& l : client->MainForm.at("Sysmsg", i).items) said += l == video::kNoDevice;
    EXPECT_EQ(said, 1);
    QImage bmp;
    const platform::Frame f = client->video.latestFrame(3);
    ASSERT_TRUE(bmp.loadFromData(f.data(), static_cast<int>(f.size()), "BMP"));
    EXPECT_EQ(bmp.size(), QSize(160, 120));
    EXPECT_TRUE(hasPicture(bmp, bmp.rect()));
    QDir().mkpath(snapshotDir());
    EXPECT_TRUE(
        platform::saveFormPng(client->MainForm, (snapshotDir() + "/video-bots.png").toStdString()));
    client.reset();
    qt.reset();
    qunsetenv("DRAVIK_CAMERA");
    qunsetenv("DRAVIK_RELAY_PORT");
}

// Two components on the relay, frame after frame: the time from handing a BMP
// frame to one component until the other delivers it as BMP, and the JPEG bytes
// each frame takes on the link.
TEST(VideoLive, LinkLatencyAndBytesPerFrame) {
    const int relayPort = freePort();
    ReferenceServer server;
    ASSERT_GT(server.start({"--relay-port", QString::number(relayPort)}, "video-link"), 0);
    ASSERT_TRUE(runUntil(
        server, [&] { return server.count("dravik-server relay ") > 0; }, 5000));
    platform::QtVideoComponent a, b;
    int loggedIn = 0;
    a.onLogin = b.onLogin = [&](int s) { loggedIn += s == 2; };
    std::vector<std::int64_t> latencies;
    QElapsedTimer clock;
    clock.start();
    std::int64_t sentAt = 0;
    platform::Frame got;
    b.onFrameReceived = [&](int, const platform::Frame& f) {
        latencies.push_back(clock.nsecsElapsed() - sentAt);
        got = f;
    };
    for (auto* c : {&a, &b}) {
        c->setServer("127.0.0.1", relayPort);
        c->setPeerCount(5);
    }
    a.login("ann");
    b.login("bob");
    ASSERT_TRUE(runUntil(
        server, [&] { return loggedIn == 2; }, 5000));
    a.connectPeer(1, "bob");
    b.connectPeer(1, "ann");
    ASSERT_TRUE(runUntil(
        server, [&] { return a.peerState(1) >= 14; }, 5000));
    constexpr int kFrames = 100;
    for (int n = 0; n < kFrames; ++n) {
        const platform::Frame bmp =
            platform::QtVideoComponent::toBmp(platform::QtVideoComponent::testPicture("ann", n));
        const std::size_t before = latencies.size();
        sentAt = clock.nsecsElapsed();
        a.sendFrame(bmp, 1);
        ASSERT_TRUE(runUntil(
            server, [&] { return latencies.size() > before; }, 3000))
            << n;
    }
    EXPECT_EQ(got.size(), 160u * 120u * 3u + 54u);  // a whole 24-bit BMP
    std::sort(latencies.begin(), latencies.end());
    const double median = latencies[kFrames / 2] / 1e6, worst = latencies.back() / 1e6;
    const double bytes = static_cast<double>(a.linkBytesSent()) / a.linkFramesSent();
    std::printf(
        "video link: %d frames, median %.2f ms, worst %.2f ms, %.0f JPEG bytes/frame "
        "(BMP %zu)\n",
        kFrames, median, worst, bytes, got.size());
    EXPECT_LT(bytes, 20000);  // well under the 57654-byte BMP
}

}  // namespace
