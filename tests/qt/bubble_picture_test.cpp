// Speech bubbles drawn with the real picture set: three players speak quick
// replies at a table; each bubble window is painted where it stands, cut to its
// outline and at its opacity, over the table window. The picture lands in
// <build>/snapshots/table-bubbles.png for people to look at.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <fstream>
#include <map>

#include "app/client.h"
#include "platform/fake/fake_platform.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_render.h"
#include "resources/embedded_resources.h"
#include "wire/chat.h"
#include "wire/gbk.h"

namespace {

wire::GamePacket phrase(int slot, int index) {
    wire::Chat c;
    c.sender = static_cast<std::uint8_t>(1 << slot);
    c.kind = wire::ChatKind::kVoice;
    c.phrase = {1,
                1,
                1,
                1,
                0,
                static_cast<std::uint8_t>(index / 10),
                static_cast<std::uint8_t>(index % 10)};
    return c.encode();
}

// The table window with every visible bubble over it, as the screen shows them.
QImage tableWithBubbles(app::Client& client, ui::WindowSystem& windows) {
    QImage img = platform::renderForm(client.MainForm).convertToFormat(QImage::Format_RGB32);
    QPainter p(&img);
    for (ui::Form* f : windows.forms()) {
        if (f->caption != "speakbox" || !f->visible || !f->loaded()) continue;
        QImage bubble = platform::renderForm(*f);
        QRegion outline;
        for (const ui::Rect& r : f->region) outline += QRect(r.left, r.top, r.width, r.height);
        const QPoint at((f->left - client.MainForm.left) / ui::kTwipsPerPixel,
                        (f->top - client.MainForm.top) / ui::kTwipsPerPixel);
        p.save();
        p.setClipRegion(outline.translated(at));
        p.setOpacity(f->opacity / 255.0);
        p.drawImage(at, bubble);
        p.restore();
    }
    return img;
}

TEST(BubblePicture, ThreeSlotsSpeakAtTheTable) {
    QTemporaryDir folder;
    std::ofstream(folder.path().toStdString() + "/chat.ini") << wire::utf8ToGbk(
        "[chat]\r\nnum=3\r\n1=大家好，很高兴见到各位！\r\n"
        "2=快点出牌吧，等得花儿都谢了。\r\n3=好牌！打得漂亮！\r\n");
    platform::FakePlatform fp;
    platform::QtPictureDecoder decoder;
    fp.shell.screen = {1280, 1024};
    fp.shell.folder = folder.path().toStdString();
    platform::Platform pf{fp.loop,  fp.socket, fp.hall,    fp.shell, decoder,
                          fp.sound, fp.video,  fp.windows, fp.fetch};
    app::Client client(pf, resources::embeddedStore());
    client.start("me$key$127.0.0.1$2000$本地牌桌$");
    for (int s = 0; s < 6; ++s) {
        client.state.PlayerRecord[static_cast<std::size_t>(s)].seatBit =
            static_cast<std::uint8_t>(1 << s);
        client.state.PlayerInfo[static_cast<std::size_t>(s)].nickname = "玩家" + std::to_string(s);
    }
    client.chat.huifu.load();
    const std::pair<int, int> spoken[] = {{1, 0}, {3, 1}, {5, 2}};
    for (auto [slot, index] : spoken) {
        wire::GamePacket p = phrase(slot, index);
        client.dispatcher.DispatchPacket(p);
    }
    fp.loop.advance(40 * chat::kFadeTickMs);  // past the fade-in
    QImage img = tableWithBubbles(client, fp.windows);
    QDir().mkpath(QString(DRAVIK_BINARY_DIR) + "/snapshots");
    img.save(QString(DRAVIK_BINARY_DIR) + "/snapshots/table-bubbles.png");
    const QImage bare = platform::renderForm(client.MainForm).convertToFormat(QImage::Format_RGB32);
    // A point of each bubble's body clear of its text.
    const std::map<int, QPoint> body = {{1, {99, 80}}, {3, {190, 60}}, {5, {170, 20}}};
    for (auto [slot, index] : spoken) {
        SCOPED_TRACE(slot);
        ui::Form* f = fp.windows.find("frmSpeakBox" + std::to_string(slot));
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->opacity, 208);
        const QPoint at((f->left - client.MainForm.left) / ui::kTwipsPerPixel,
                        (f->top - client.MainForm.top) / ui::kTwipsPerPixel);
        // The body is light; the top-left corner is cut away and shows the table.
        EXPECT_GT(QColor(img.pixel(at + body.at(slot))).lightness(), 150);
        EXPECT_EQ(img.pixel(at + QPoint(1, 1)), bare.pixel(at + QPoint(1, 1)));
    }
}

}  // namespace
