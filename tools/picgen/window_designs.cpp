// Background pictures of the secondary windows: the information, score and
// history panels, the illegal-play and notice windows, the two exit dialogs, the
// sound settings window and the six speech-bubble pictures. Each window is as
// large as its picture.
#include <QLinearGradient>

#include "art.h"
#include "bubbles.h"
#include "catalogue.h"

namespace picgen {

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

QImage panelWindow(int w, int h, const QString& title, unsigned seed, int band = 26) {
    QImage img = canvas(w, h, ink::woodDark);
    QPainter p;
    begin(p, img);
    parchmentPanel(p, QRectF(0, 0, w, h), seed, 6);
    if (!title.isEmpty()) titleBand(p, QRectF(10, 5, w - 20, band), title);
    return img;
}

// A painted column: a recessed strip with a gold hairline.
void column(QPainter& p, const QRectF& r) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x80, 0x50, 0x20, 40));
    p.drawRoundedRect(r.adjusted(-2, -2, 2, 2), 4, 4);
    p.setBrush(QColor(0xFF, 0xC0, 0x80));  // the lists' own background colour
    p.drawRect(r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink::goldDark, 1));
    p.drawRect(r.adjusted(-1.5, -1.5, 1.5, 1.5));
}

// The two small painted buttons of the score and history windows: hide and close.
void cornerButtons(QPainter& p, QRectF a, QRectF b) {
    for (int i = 0; i < 2; ++i) {
        QRectF r = i == 0 ? a : b;
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, i == 0 ? QColor(0x6A, 0x40, 0x22) : ink::lacquer.lighter(115));
        g.setColorAt(1, i == 0 ? QColor(0x3A, 0x20, 0x0E) : ink::lacquerDark);
        p.setPen(QPen(ink::gold, 1));
        p.setBrush(g);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        p.setPen(QPen(ink::cream, 1.6, Qt::SolidLine, Qt::RoundCap));
        QPointF c = r.center();
        if (i == 0) {
            p.drawLine(c + QPointF(-4, 3), c + QPointF(4, 3));
        } else {
            p.drawLine(c + QPointF(-3.5, -3.5), c + QPointF(3.5, 3.5));
            p.drawLine(c + QPointF(3.5, -3.5), c + QPointF(-3.5, 3.5));
        }
    }
}

QImage information() {
    QImage img = panelWindow(220, 330, u("玩家信息"), 51);
    QPainter p;
    begin(p, img);
    // Nine rows from 40, 32 apart: captions at the left, values from 128.
    for (int r = 0; r < 9; ++r) {
        double y = 40 + 32 * r;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x8A, 0x5A, 0x20, r % 2 ? 18 : 34));
        p.drawRoundedRect(QRectF(16, y - 4, 188, 28), 3, 3);
        p.setPen(QPen(QColor(0xB0, 0x80, 0x3A, 120), 1));
        p.drawLine(QPointF(122, y), QPointF(122, y + 20));
    }
    return img;
}

QImage score() {
    QImage img = panelWindow(750, 450, QString(), 52);
    QPainter p;
    begin(p, img);
    titleBand(p, QRectF(300, 4, 150, 20), u("战绩板"));
    const int left[] = {8, 128, 248, 376, 504, 632};
    for (int s = 0; s < 6; ++s) {
        int w = (s >= 2 && s <= 4) ? 121 : 113;
        // Seat heading: avatar well and name plate, then the result column and
        // the total under it.
        p.setPen(QPen(ink::goldDark, 1));
        p.setBrush(QColor(0x3A, 0x20, 0x10));
        p.drawRect(QRectF(left[s] - 0.5, 25.5, 48, 42));
        p.setBrush(QColor(0xFF, 0xF6, 0xDC));
        p.drawRoundedRect(QRectF(left[s] + 50, 38, w - 52, 26), 3, 3);
        column(p, QRectF(left[s], 80, w, 302));
        column(p, QRectF(left[s], 392, w, 50));
    }
    cornerButtons(p, QRectF(712, 0, 17, 25), QRectF(731, 0, 17, 25));
    return img;
}

QImage hero() {
    QImage img = panelWindow(750, 500, QString(), 53);
    QPainter p;
    begin(p, img);
    titleBand(p, QRectF(300, 6, 150, 22), u("英雄榜"));
    const int left[] = {112, 216, 322, 431, 544, 648};
    const int width[] = {97, 100, 102, 105, 97, 97};
    column(p, QRectF(7, 80, 99, 352));
    for (int s = 0; s < 6; ++s) {
        p.setPen(QPen(ink::goldDark, 1));
        p.setBrush(QColor(0x3A, 0x20, 0x10));
        p.drawRect(QRectF(left[s] - 0.5, 31.5, 42, 42));
        column(p, QRectF(left[s], 80, width[s], 352));
    }
    // The totals line.
    p.setPen(QPen(ink::goldDark, 1));
    p.setBrush(QColor(0xFF, 0xF0, 0xD0));
    p.drawRoundedRect(QRectF(6, 438, 738, 52), 4, 4);
    cornerButtons(p, QRectF(704, 8, 25, 17), QRectF(728, 8, 25, 17));
    return img;
}

QImage chuPai() {
    const int w = 178, h = 63;
    QImage img = canvas(w, h);
    QPainter p;
    begin(p, img);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(0xB8, 0x22, 0x22));
    g.setColorAt(1, QColor(0x6A, 0x0C, 0x0C));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0, 0, w, h), 6, 6);
    goldRim(p, QRectF(0, 0, w, h), 6, 1.5);
    // Close mark in the top right corner, under the click label at (136, 0).
    p.setPen(QPen(ink::goldLight, 1.8, Qt::SolidLine, Qt::RoundCap));
    QPointF c(160, 9);
    p.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
    p.drawLine(c + QPointF(4, -4), c + QPointF(-4, 4));
    // Warning sign and the text.
    QPainterPath tri;
    tri.moveTo(22, 20);
    tri.lineTo(34, 42);
    tri.lineTo(10, 42);
    tri.closeSubpath();
    p.setPen(QPen(QColor(0x50, 0x30, 0x00), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xFF, 0xD0, 0x40));
    p.drawPath(tri);
    text(p, QRectF(10, 22, 24, 20), "!", latin(14, true), QColor(0x50, 0x20, 0x00));
    text(p, QRectF(38, 16, 136, 34), u("出牌不符合规则"),
         cjk(fitPixelSize(u("出牌不符合规则"), 132, 17), true), ink::cream, QColor(0, 0, 0, 170));
    return img;
}

QImage exitDialog(const QString& title, unsigned seed) {
    return panelWindow(300, 150, title, seed);
}

// Settings: the four row labels, stacked 3 pixels apart, with room for their
// switches 20 pixels to the right; the OK and cancel buttons go at 264.
QImage settings() {
    QImage img = panelWindow(220, 330, u("音效设置"), 56);
    QPainter p;
    begin(p, img);
    const char* rows[] = {"背景音乐", "系统声音", "功能声音", "牌桌颜色"};
    for (int k = 0; k < 4; ++k) {
        QRectF r(22, 60 + k * 29, 84, 26);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(0x6A, 0x40, 0x22));
        g.setColorAt(1, QColor(0x3A, 0x20, 0x0E));
        p.setPen(QPen(ink::goldDark, 1));
        p.setBrush(g);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        text(p, r, u(rows[k]), cjk(14, true), ink::goldLight, QColor(0, 0, 0, 150));
    }
    p.setPen(QPen(QColor(0xB0, 0x80, 0x3A, 150), 1));
    p.drawLine(QPointF(20, 250), QPointF(200, 250));
    return img;
}

// Speech bubbles: white rounded box with a thin shadow on a plain background
// colour that the bubble window cuts away; the tail points toward the avatar.
enum class Tail { kDownLeft, kLeft, kUpLeft, kRight };

QImage speechBubble(int w, int h, Tail tail) {
    QImage img = canvas(w, h);
    QPainter p;
    begin(p, img);
    QRectF body;
    QPointF base, tip;
    switch (tail) {
        case Tail::kDownLeft:
            body = QRectF(4, 3, w - 9, h - 24);
            base = QPointF(40, h - 22);
            tip = QPointF(18, h - 2);
            break;
        case Tail::kLeft:
            body = QRectF(26, 3, w - 31, h - 8);
            base = QPointF(28, h * 0.5);
            tip = QPointF(2, h * 0.62);
            break;
        case Tail::kUpLeft:
            body = QRectF(4, 24, w - 9, h - 29);
            base = QPointF(48, 26);
            tip = QPointF(24, 2);
            break;
        case Tail::kRight:
            body = QRectF(4, 3, w - 33, h - 8);
            base = QPointF(w - 30, h * 0.5);
            tip = QPointF(w - 3, h * 0.62);
            break;
    }
    QPainterPath path = bubblePath(body, 16, base, tip, 20);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x38, 0x40, 200));
    p.drawPath(path.translated(1.5, 2));
    QLinearGradient g(0, body.top(), 0, body.bottom());
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(0xF0, 0xF4, 0xF8));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x70, 0x7A, 0x84), 1.2));
    p.drawPath(path);
    return img;
}

}  // namespace

void addWindowDesigns(Catalogue& c) {
    addDesign(c, "Information", information);
    addDesign(c, "Score", score);
    addDesign(c, "Hero", hero);
    GifOptions flat;
    flat.dither = false;
    addDesign(c, "ChuPai", chuPai, flat);
    addDesign(c, "frmTishi", [] { return panelWindow(300, 100, u("提示"), 54, 22); });
    addDesign(c, "frmExit", [] { return exitDialog(u("退出游戏"), 55); });
    addDesign(c, "frmOtherExit", [] { return exitDialog(u("退出"), 57); });
    addDesign(c, "VosSet", settings);
    GifOptions keyed;
    keyed.dither = false;
    keyed.keyed = true;
    keyed.matte = ink::felt.rgb();
    struct B {
        int w, h;
        Tail tail;
    };
    const B bubbles[] = {{174, 92, Tail::kDownLeft}, {198, 92, Tail::kLeft},
                         {208, 104, Tail::kUpLeft},  {208, 104, Tail::kUpLeft},
                         {208, 104, Tail::kUpLeft},  {208, 104, Tail::kRight}};
    for (int i = 0; i < 6; ++i) {
        B b = bubbles[i];
        addDesign(
            c, "imgSpeakBox" + std::to_string(i), [=] { return speechBubble(b.w, b.h, b.tail); },
            keyed);
    }
}

}  // namespace picgen
