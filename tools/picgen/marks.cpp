// Small marks of the table: the lamp (unlit and lit), the three ready marks, the
// declaration labels and the finishing places.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "art.h"
#include "catalogue.h"

namespace picgen {

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

QImage lamp(bool lit) {
    QImage img = canvas(30, 30);
    QPainter p;
    begin(p, img);
    QPointF c(15, 12.5);
    if (lit) {
        QRadialGradient halo(c, 15);
        halo.setColorAt(0, QColor(255, 230, 120, 200));
        halo.setColorAt(0.6, QColor(255, 190, 60, 90));
        halo.setColorAt(1, QColor(255, 170, 40, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(c, 15, 15);
    }
    // Screw base.
    QLinearGradient bg(9, 0, 21, 0);
    bg.setColorAt(0, QColor(0x70, 0x64, 0x50));
    bg.setColorAt(0.5, QColor(0xD8, 0xCC, 0xA8));
    bg.setColorAt(1, QColor(0x60, 0x54, 0x40));
    p.setPen(QPen(QColor(0x40, 0x38, 0x28), 0.7));
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(10.5, 20, 9, 7.5), 1.5, 1.5);
    p.setPen(QPen(QColor(0x50, 0x46, 0x34), 0.8));
    p.drawLine(QPointF(10.5, 22.5), QPointF(19.5, 23.3));
    p.drawLine(QPointF(10.5, 25), QPointF(19.5, 25.8));
    // Glass.
    QRadialGradient glass(c + QPointF(-3, -3), 11);
    if (lit) {
        glass.setColorAt(0, QColor(0xFF, 0xFF, 0xE8));
        glass.setColorAt(0.5, QColor(0xFF, 0xE0, 0x60));
        glass.setColorAt(1, QColor(0xF0, 0x9A, 0x18));
    } else {
        glass.setColorAt(0, QColor(0xB8, 0xBC, 0xC0));
        glass.setColorAt(0.6, QColor(0x70, 0x76, 0x7C));
        glass.setColorAt(1, QColor(0x40, 0x44, 0x4A));
    }
    p.setPen(QPen(lit ? QColor(0xB0, 0x60, 0x10) : QColor(0x2A, 0x2E, 0x34), 0.9));
    p.setBrush(glass);
    p.drawEllipse(c, 9, 9.5);
    // Filament.
    p.setPen(QPen(lit ? QColor(0xFF, 0xFF, 0xFF) : QColor(0x38, 0x30, 0x28), lit ? 1.3 : 0.9));
    p.setBrush(Qt::NoBrush);
    QPainterPath fil;
    fil.moveTo(12, 19);
    fil.lineTo(12.5, 13);
    fil.cubicTo(13.5, 10, 16.5, 10, 17.5, 13);
    fil.lineTo(18, 19);
    p.drawPath(fil);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, lit ? 200 : 110));
    p.drawEllipse(QPointF(11.5, 8.5), 2.2, 1.6);
    return img;
}

QImage okMark(QColor color) {
    QImage img = canvas(70, 29);
    QPainter p;
    begin(p, img);
    QRectF r(1, 1, 68, 27);
    QLinearGradient g(0, 0, 0, 29);
    g.setColorAt(0, color.lighter(135));
    g.setColorAt(1, color.darker(120));
    p.setPen(QPen(color.darker(170), 1.2));
    p.setBrush(g);
    p.drawRoundedRect(r, 13.5, 13.5);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 11, 11);
    // Tick in a white disc, then the word.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(15, 14.5), 8.5, 8.5);
    p.setPen(QPen(color.darker(140), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(10.5, 14.5);
    tick.lineTo(14, 18);
    tick.lineTo(19.5, 10.5);
    p.drawPath(tick);
    outlinedText(p, QRectF(26, 0, 40, 29), "OK", latin(19, true), Qt::white, color.darker(180),
                 1.2);
    return img;
}

QImage declarationLabel(const QString& caption, QColor color) {
    QImage img = canvas(80, 40);
    QPainter p;
    begin(p, img);
    // A tag hanging from a gold ring.
    QPainterPath tag;
    tag.moveTo(14, 6);
    tag.lineTo(74, 6);
    tag.quadTo(78, 6, 78, 10);
    tag.lineTo(78, 32);
    tag.quadTo(78, 36, 74, 36);
    tag.lineTo(14, 36);
    tag.lineTo(3, 21);
    tag.closeSubpath();
    QLinearGradient g(0, 6, 0, 36);
    g.setColorAt(0, color.lighter(130));
    g.setColorAt(1, color.darker(125));
    p.setPen(QPen(ink::gold, 1.5));
    p.setBrush(g);
    p.drawPath(tag);
    p.setPen(QPen(ink::goldDark, 1.2));
    p.setBrush(ink::goldLight);
    p.drawEllipse(QPointF(13, 21), 3, 3);
    outlinedText(p, QRectF(18, 6, 60, 30), caption, cjk(21, true), ink::cream, color.darker(190),
                 1.2);
    return img;
}

QImage finishPlace(const QString& caption, QColor a, QColor b, QColor fore, QColor outline) {
    QImage img = canvas(80, 30);
    QPainter p;
    begin(p, img);
    // A ribbon with notched ends.
    QPainterPath ribbon;
    ribbon.moveTo(1, 4);
    ribbon.lineTo(79, 4);
    ribbon.lineTo(73, 15);
    ribbon.lineTo(79, 26);
    ribbon.lineTo(1, 26);
    ribbon.lineTo(7, 15);
    ribbon.closeSubpath();
    QLinearGradient g(0, 4, 0, 26);
    g.setColorAt(0, a);
    g.setColorAt(0.5, b);
    g.setColorAt(1, a.darker(125));
    p.setPen(QPen(b.darker(200), 1));
    p.setBrush(g);
    p.drawPath(ribbon);
    p.setPen(QPen(QColor(255, 255, 255, 120), 0.8));
    p.drawLine(QPointF(10, 6.5), QPointF(70, 6.5));
    outlinedText(p, QRectF(8, 2, 64, 26), caption, cjk(18, true), fore, outline, 1.1);
    return img;
}

}  // namespace

void addMarks(Catalogue& c) {
    GifOptions o;
    o.dither = false;
    addResource(
        c, 631, [] { return lamp(false); }, o);
    addResource(
        c, 632, [] { return lamp(true); }, o);
    addResource(
        c, 280, [] { return okMark(QColor(0x2E, 0x9A, 0x48)); }, o);
    addResource(
        c, 281, [] { return okMark(QColor(0x2E, 0x6E, 0xC8)); }, o);
    addResource(
        c, 282, [] { return okMark(QColor(0xD0, 0x8A, 0x18)); }, o);
    addResource(
        c, 636, [] { return declarationLabel(u("预点"), QColor(0x2A, 0x5E, 0xA8)); }, o);
    addResource(
        c, 637, [] { return declarationLabel(u("明点"), QColor(0xB0, 0x24, 0x24)); }, o);
    struct Place {
        const char* caption;
        QColor a, b, fore, outline;
    };
    const Place places[] = {
        {"头科", QColor(0xF8, 0xD8, 0x68), QColor(0xD8, 0x9C, 0x20), QColor(0x8A, 0x14, 0x08),
         QColor(0xFF, 0xF4, 0xC8)},
        {"二科", QColor(0xE8, 0xEC, 0xF0), QColor(0xA0, 0xA8, 0xB4), QColor(0xFF, 0xFF, 0xFF),
         QColor(0xA0, 0xA8, 0xB4).darker(220)},
        {"三科", QColor(0xE8, 0xA8, 0x70), QColor(0xA8, 0x60, 0x30), QColor(0xFF, 0xF0, 0xE0),
         QColor(0xA8, 0x60, 0x30).darker(220)},
        {"四科", QColor(0x6C, 0xC0, 0x8C), QColor(0x2A, 0x80, 0x50), QColor(0xF0, 0xFF, 0xF4),
         QColor(0x2A, 0x80, 0x50).darker(220)},
        {"二落", QColor(0x8C, 0x94, 0xA4), QColor(0x54, 0x5C, 0x6C), QColor(0xE8, 0xEC, 0xF2),
         QColor(0x54, 0x5C, 0x6C).darker(220)},
        {"大落", QColor(0x6A, 0x40, 0x58), QColor(0x3A, 0x1A, 0x2C), QColor(0xF0, 0xD8, 0xE4),
         QColor(0x3A, 0x1A, 0x2C).darker(220)},
    };
    for (int i = 0; i < 6; ++i) {
        Place pl = places[i];
        addResource(
            c, 661 + i, [=] { return finishPlace(u(pl.caption), pl.a, pl.b, pl.fore, pl.outline); },
            o);
    }
}

}  // namespace picgen
