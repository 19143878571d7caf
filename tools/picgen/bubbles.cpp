// The table's bubbles: pass bubbles (过) with the tail toward their seat and the
// announcement bubbles of the play.
#include "bubbles.h"

#include <QLinearGradient>
#include <cmath>

#include "art.h"
#include "catalogue.h"

namespace picgen {

QPainterPath bubblePath(const QRectF& body, double radius, QPointF base, QPointF tip,
                        double tailWidth) {
    QPainterPath b;
    b.addRoundedRect(body, radius, radius);
    // The tail's base runs across the edge, perpendicular to the base-to-tip line.
    QPointF d = tip - base;
    double len = std::hypot(d.x(), d.y());
    QPointF n(-d.y() / len, d.x() / len);
    QPointF inward = base - d / len * (radius * 0.8);
    QPointF a = inward + n * (tailWidth / 2), c = inward - n * (tailWidth / 2);
    QPainterPath t;
    t.moveTo(a);
    t.quadTo(base + n * (tailWidth * 0.15) + d * 0.55, tip);
    t.quadTo(base - n * (tailWidth * 0.05) + d * 0.35, c);
    t.closeSubpath();
    return b.united(t);
}

namespace {

enum class Tail { kLeft, kUp, kRight, kDown };

QImage tableBubble(int w, int h, Tail tail, const QString& caption, bool announcement) {
    QImage img = canvas(w, h);
    QPainter p;
    begin(p, img);
    QRectF body;
    QPointF base, tip;
    switch (tail) {
        case Tail::kLeft:
            body = QRectF(22, 6, w - 28, h - 16);
            base = QPointF(24, h * 0.58);
            tip = QPointF(3, h * 0.72);
            break;
        case Tail::kRight:
            body = QRectF(6, 6, w - 28, h - 16);
            base = QPointF(w - 24, h * 0.58);
            tip = QPointF(w - 3, h * 0.72);
            break;
        case Tail::kUp:
            body = QRectF(6, 22, w - 12, h - 30);
            base = QPointF(w * 0.32, 24);
            tip = QPointF(w * 0.2, 3);
            break;
        case Tail::kDown:
            body = QRectF(6, 6, w - 12, h - 30);
            base = QPointF(w * 0.3, h - 26);
            tip = QPointF(w * 0.18, h - 3);
            break;
    }
    QPainterPath path = bubblePath(body, 18, base, tip, 26);
    // Soft drop shadow, then the body.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(path.translated(2, 3));
    QLinearGradient g(0, body.top(), 0, body.bottom());
    if (announcement) {
        g.setColorAt(0, QColor(0xFF, 0xFB, 0xE8));
        g.setColorAt(1, QColor(0xFC, 0xE6, 0xA8));
    } else {
        g.setColorAt(0, Qt::white);
        g.setColorAt(1, QColor(0xE8, 0xEE, 0xF2));
    }
    p.setBrush(g);
    p.setPen(QPen(announcement ? ink::goldDark : QColor(0x40, 0x48, 0x50), 2));
    p.drawPath(path);
    QRectF textBox = body.adjusted(6, 4, -6, -4);
    if (announcement) {
        double px = fitPixelSize(caption, textBox.width(), caption.size() <= 2 ? 34 : 28);
        outlinedText(p, textBox, caption, cjk(px, true), ink::cardRed, QColor(0xFF, 0xF2, 0xC0),
                     1.5);
    } else {
        outlinedText(p, textBox, caption, cjk(46, true), QColor(0x2A, 0x3A, 0x6A), Qt::white, 1.5);
    }
    return img;
}

}  // namespace

void addBubbles(Catalogue& c) {
    GifOptions o;
    o.dither = false;
    const QString pass = QString::fromUtf8("过");
    // One pass bubble per side of the table: left seat, the seats across, right seats.
    addResource(
        c, 232, [=] { return tableBubble(131, 102, Tail::kLeft, pass, false); }, o);
    addResource(
        c, 235, [=] { return tableBubble(131, 102, Tail::kUp, pass, false); }, o);
    addResource(
        c, 238, [=] { return tableBubble(129, 100, Tail::kRight, pass, false); }, o);
    const char* words[] = {"过",   "放弃", "吃贡", "让牌", "无头", "有头",  "革命",
                           "明点", "上班", "预点", "烧牌", "接风", "Dravik"};
    for (int i = 0; i < 13; ++i) {
        QString w = QString::fromUtf8(words[i]);
        addResource(
            c, 641 + i, [=] { return tableBubble(131, 102, Tail::kDown, w, true); }, o);
    }
}

}  // namespace picgen
