// The animated-picture control on the Qt adapter: its composed frames painted where
// the model puts the control, a frame change reaching the window's pixels through
// the real timers, and downloads through Qt's network access.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include "../core/gif_builder.h"
#include "gif/ani_gif.h"
#include "platform/fake/fake_event_loop.h"
#include "platform/fake/fake_network_fetch.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/qt_network_fetch.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_render.h"
#include "platform/qt/qt_windows.h"

using giftest::GifBuilder;

namespace {

const std::vector<std::uint32_t> kColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

// Frame 1 red all over; frame 2 a green square in the middle of a transparent
// field, so that the table shows round it. Both cleared after showing.
giftest::Bytes redThenGreen(int delayHundredths) {
    std::vector<std::uint8_t> square(20 * 20, 3);
    for (int y = 5; y < 15; ++y)
        for (int x = 5; x < 15; ++x) square[static_cast<std::size_t>(y * 20 + x)] = 1;
    return GifBuilder(20, 20, kColours)
        .control(2, delayHundredths)
        .solid(0, 0, 20, 20, 0)
        .control(2, delayHundredths, 3)
        .image(0, 0, 20, 20, square)
        .bytes();
}

QColor at(const QImage& img, int x, int y) { return QColor(img.pixel(x, y)); }

// Runs the Qt event loop until the condition holds or the time is up.
bool spinUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) {
        QEventLoop idle;
        QTimer::singleShot(5, &idle, &QEventLoop::quit);
        idle.exec();
    }
    return done();
}

TEST(QtGif, ComposedFramesPaintedOverTheTableAndChangedByTheTimer) {
    platform::FakeEventLoop loop;
    platform::QtPictureDecoder pictures;
    platform::FakeNetworkFetch fetch{loop};
    ui::WindowSystem ws;
    ui::Form& f = ws.form("MainForm");
    f.width = 200 * 15;
    f.height = 150 * 15;
    ui::Control& pic1 = f.add("Pic1", ui::ControlKind::kPictureBox);
    pic1.move(0, 0, 200, 150);
    pic1.backColor = 0x003300;
    ui::Control& player = f.add("ShaoPaiPlayer", ui::ControlKind::kImage, -1, &pic1);
    player.move(50, 40, 40, 40);
    gif::ucAniGIF gifControl(player, loop, pictures, fetch);
    gifControl.setDelayAnimation(0);
    ASSERT_TRUE(gifControl.LoadAnimatedGIF_Array(redThenGreen(10)));
    gifControl.setLoops(1);
    EXPECT_EQ(player.width, 40);  // Stretch 1: twice the size

    QImage img = platform::renderForm(f);
    EXPECT_EQ(at(img, 50, 40), QColor(Qt::red));
    EXPECT_EQ(at(img, 89, 79), QColor(Qt::red));
    EXPECT_EQ(at(img, 90, 80), QColor(0, 0x33, 0));

    loop.advance(100);
    img = platform::renderForm(f);
    EXPECT_EQ(at(img, 70, 60), QColor(Qt::green));
    EXPECT_EQ(at(img, 52, 42), QColor(0, 0x33, 0))
        << "the table shows through the transparent part";

    loop.advance(100);  // the one pass is over: nothing is shown
    img = platform::renderForm(f);
    EXPECT_EQ(at(img, 70, 60), QColor(0, 0x33, 0));
}

TEST(QtGif, FrameChangeReachesTheWindowThroughTheRealTimer) {
    platform::QtEventLoop loop;
    platform::QtPictureDecoder pictures;
    platform::QtNetworkFetch fetch;
    ui::WindowSystem ws;
    platform::QtWindows adapter(ws);
    ui::Form& f = ws.form("MainForm");
    f.width = 120 * 15;
    f.height = 90 * 15;
    f.backColor = 0x000033;
    ui::Control& player = f.add("ShaoPaiPlayer", ui::ControlKind::kImage);
    player.move(10, 10, 20, 20);
    gif::ucAniGIF gifControl(player, loop, pictures, fetch);
    gifControl.setMinFrameDelay(10);
    platform::QtEventLoop::guard([&] {
        f.show();
        gifControl.LoadAnimatedGIF_Array(redThenGreen(20));
    });
    platform::FormWidget* w = adapter.widget("MainForm");
    ASSERT_TRUE(w);
    // What the window shows: its backing store, as painted after the adapter's updates.
    auto centre = [&] {
        QImage shot = w->screen()->grabWindow(w->winId()).toImage();
        return shot.width() > 20 && shot.height() > 20 ? at(shot, 20, 20) : QColor();
    };
    EXPECT_TRUE(spinUntil([&] { return centre() == QColor(Qt::red); }, 5000));
    // Frame 2 comes from the control's own timer, through the adapter's repaint.
    EXPECT_TRUE(spinUntil([&] { return centre() == QColor(Qt::green); }, 5000));
    EXPECT_TRUE(spinUntil([&] { return centre() == QColor(Qt::red); }, 5000)) << "and round again";
}

TEST(QtGif, DownloadsThroughQtNetworkAccess) {
    platform::QtEventLoop loop;
    platform::QtPictureDecoder pictures;
    platform::QtNetworkFetch fetch;
    ui::WindowSystem ws;
    ui::Control& player = ws.form("MainForm").add("ShaoPaiPlayer", ui::ControlKind::kImage);
    gif::ucAniGIF gifControl(player, loop, pictures, fetch);
    int validated = 0, failed = 0;
    gifControl.onRemoteGIFValidated = [&](int w, int h, bool&) {
        EXPECT_EQ(w, 20);
        EXPECT_EQ(h, 20);
        ++validated;
    };
    gifControl.onRemoteGIFFailed = [&] { ++failed; };

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("flame.gif");
    const giftest::Bytes bytes = redThenGreen(10);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    }
    gifControl.LoadAnimatedGIF_Remote(QUrl::fromLocalFile(path).toString().toStdString());
    EXPECT_EQ(validated, 0) << "the result comes later, from the loop";
    ASSERT_TRUE(spinUntil([&] { return validated + failed > 0; }, 5000));
    EXPECT_EQ(validated, 1);
    EXPECT_EQ(gifControl.FrameCount(), 2);

    gifControl.LoadAnimatedGIF_Remote(
        QUrl::fromLocalFile(dir.filePath("missing.gif")).toString().toStdString());
    ASSERT_TRUE(spinUntil([&] { return failed > 0; }, 5000));
    EXPECT_EQ(validated, 1);

    // Nothing listens on port 1 of the loopback: the transfer fails.
    gifControl.LoadAnimatedGIF_Remote("http://127.0.0.1:1/x.gif");
    ASSERT_TRUE(spinUntil([&] { return failed > 1; }, 10000));

    // A request dropped before its answer never reports.
    bool reported = false;
    {
        auto request = fetch.get(QUrl::fromLocalFile(path).toString().toStdString(),
                                 [&](bool, std::vector<std::uint8_t>) { reported = true; });
    }
    spinUntil([] { return false; }, 200);
    EXPECT_FALSE(reported);
}

}  // namespace
