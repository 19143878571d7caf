// The table drawn with the real picture set after a deal, at both screen sizes:
// cards, decorations and prompts where the model puts them. The pictures land in
// <build>/snapshots/ for people to look at.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "app/client.h"
#include "platform/fake/fake_platform.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_render.h"
#include "resources/embedded_resources.h"
#include "wire/round_start.h"

namespace {

QImage tableAfterDeal(int w, int h, const std::string& png) {
    platform::FakePlatform fp;
    platform::QtPictureDecoder decoder;
    fp.shell.screen = {w, h};
    platform::Platform pf{fp.loop,  fp.socket, fp.hall,    fp.shell, decoder,
                          fp.sound, fp.video,  fp.windows, fp.fetch};
    app::Client client(pf, resources::embeddedStore());
    client.start("me$key$127.0.0.1$2000$本地牌桌$");
    client.state.PlayerRecord[0].seatBit = 1;
    wire::Deal deal;
    const int ranks[] = {17, 16, 15, 15, 14, 13, 13, 12, 11, 11, 10, 10, 9, 9, 9,  8,  8, 7,
                         7,  7,  6,  6,  5,  5,  5,  4,  4,  4,  4,  3,  3, 3, 12, 14, 6, 10};
    for (std::size_t i = 0; i < deal.cards.size(); ++i) {
        const std::uint32_t suit = ranks[i] >= 16 ? 1 : 1u << (i % 4);
        deal.cards[i] = static_cast<std::uint32_t>(ranks[i]) | suit << 8 |
                        static_cast<std::uint32_t>(i + 1) << 24;
    }
    client.roundStart.HandleDeal(wire::Deal::decode(deal.encode()));
    wire::Declaration preDeclare;  // the pre-declaration prompt
    preDeclare.seconds = 10;
    client.roundStart.HandleDeclaration(wire::Declaration::decode(preDeclare.encode()));
    QDir().mkpath(QString(DRAVIK_BINARY_DIR) + "/snapshots");
    QImage img = platform::renderForm(client.MainForm);
    img.save(QString(DRAVIK_BINARY_DIR) + "/snapshots/" + QString::fromStdString(png));
    return img;
}

TEST(TablePicture, TheDealtHandIsDrawnWithOurCardsAtBothSizes) {
    struct Case {
        int w, h;
        const char* png;
        int cardX, cardY;  // a point inside the first card's face
    } cases[] = {{1280, 1024, "table-1024x768.png", 8 + 149 + 30, 20 + 580 + 40},
                 {800, 600, "table-800x600.png", 0 + 117 + 30, 453 + 40}};
    for (const Case& c : cases) {
        QImage img = tableAfterDeal(c.w, c.h, c.png);
        QColor face(img.pixel(c.cardX, c.cardY));
        // The felt is deep green; a card face is light.
        EXPECT_GT(face.lightness(), 150) << c.png;
    }
}

}  // namespace
