// Pictures of the table window's design: the felt of the table surface (Pic1 at
// 1024 x 768, Pic2 for the 800 x 600 layout), the wooden rails at the top
// (imgDinglan) and bottom (imgDilan), the side seat plates (ImageML, ImageMR), the
// painted window frame (Skin) and the countdown clock (Time_Img).
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "art.h"
#include "catalogue.h"

namespace picgen {

namespace {

QImage tableFelt(int w, int h) {
    QImage img = canvas(w, h, ink::felt);
    QPainter p;
    begin(p, img);
    feltFill(p, QRectF(0, 0, w, h), 1, 0.6);
    const double s = w / 1024.0;
    // The playing ring: a lighter oval with a double gold pinstripe.
    QRectF ring(w * 0.14, h * 0.2, w * 0.72, h * 0.56);
    QRadialGradient g(ring.center(), ring.width() * 0.55);
    g.setColorAt(0, QColor(0x3A, 0x8A, 0x52, 90));
    g.setColorAt(1, QColor(0x3A, 0x8A, 0x52, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(ring);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xD9, 0xAE, 0x4E, 120), 2 * s));
    p.drawEllipse(ring);
    p.setPen(QPen(QColor(0xD9, 0xAE, 0x4E, 70), 1 * s));
    p.drawEllipse(ring.adjusted(8 * s, 8 * s, -8 * s, -8 * s));
    // The game's name pressed faintly into the cloth in the middle.
    QFont f = latin(64 * s, true);
    f.setLetterSpacing(QFont::PercentageSpacing, 115);
    QRectF mid(0, ring.center().y() - 60 * s, w, 120 * s);
    text(p, mid.translated(0, 2 * s), "Dravik", f, QColor(0, 0, 0, 40));
    text(p, mid, "Dravik", f, QColor(0x9A, 0xD0, 0xA8, 40));
    // Suit marks at the four quarters of the ring.
    const Suit suits[] = {Suit::kSpades, Suit::kHearts, Suit::kClubs, Suit::kDiamonds};
    for (int i = 0; i < 4; ++i) {
        double a = M_PI / 4 + i * M_PI / 2;
        QPointF c = ring.center() +
                    QPointF(std::cos(a) * ring.width() * 0.36, std::sin(a) * ring.height() * 0.36);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xD9, 0xAE, 0x4E, 45));
        p.drawPath(suitPath(suits[i], QRectF(c.x() - 12 * s, c.y() - 13 * s, 24 * s, 26 * s)));
    }
    return img;
}

// A recessed well in the wood, for avatars and panels that sit on a rail.
void well(QPainter& p, const QRectF& r, QColor fill, double radius = 4) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(r.adjusted(-1, -1, 1, 1), radius + 1, radius + 1);
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xD9, 0xAE, 0x4E, 150), 1));
    p.drawRoundedRect(r.adjusted(-1.5, -1.5, 1.5, 1.5), radius + 1.5, radius + 1.5);
}

const QColor kWellDark(0x2A, 0x16, 0x0A);
const QColor kWellLight(0xF1, 0xE3, 0xC0);

QImage topRail() {
    const int w = 1024, h = 96;
    QImage img = canvas(w, h);
    QPainter p;
    begin(p, img);
    woodFill(p, QRectF(0, 0, w, h), 21);
    p.setPen(QPen(ink::gold, 2));
    p.drawLine(QPointF(0, h - 2), QPointF(w, h - 2));
    p.setPen(QPen(ink::woodDark, 1));
    p.drawLine(QPointF(0, h - 0.5), QPointF(w, h - 0.5));
    // One seat place for each of the three seats across: the avatar well and a
    // light panel for name, gold and level.
    for (int seat = 0; seat < 3; ++seat) {
        double x = 343 * seat;
        well(p, QRectF(x + 6, 14, 72, 64), kWellDark);
        well(p, QRectF(x + 158, 12, 172, 72), kWellLight, 5);
    }
    return img;
}

QImage bottomRail() {
    const int w = 1024, h = 117;
    QImage img = canvas(w, h);
    QPainter p;
    begin(p, img);
    woodFill(p, QRectF(0, 0, w, h), 22);
    p.setPen(QPen(ink::gold, 2));
    p.drawLine(QPointF(0, 1.5), QPointF(w, 1.5));
    // Own avatar, own name panel, the message and chat area, the room line,
    // the hall buttons and the corner emblem.
    well(p, QRectF(8, 12, 89, 94), kWellDark);
    well(p, QRectF(104, 44, 200, 66), kWellLight, 5);
    well(p, QRectF(310, 40, 286, 30), QColor(0xFA, 0xF4, 0xE4), 3);
    well(p, QRectF(310, 76, 254, 37), QColor(0xFA, 0xF4, 0xE4), 3);
    well(p, QRectF(632, 5, 390, 36), kWellDark, 4);
    well(p, QRectF(644, 45, 284, 68), QColor(0x3A, 0x20, 0x10), 4);
    well(p, QRectF(930, 26, 86, 84), kWellDark, 5);
    return img;
}

QImage sidePlate(bool right) {
    const int w = 85, h = 86;
    QImage img = canvas(w, h);
    QPainter p;
    begin(p, img);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 7, 7);
    p.setClipPath(shape);
    woodFill(p, QRectF(0, 0, w, h), right ? 24 : 23, true);
    p.setClipping(false);
    goldRim(p, QRectF(0, 0, w, h), 7, 1.5);
    well(p, QRectF(8, 13, 70, 62), kWellDark, 3);
    return img;
}

// The frame of the table window, 690 x 3300 twips = 46 x 220 pixels, cut into a
// 3 x 3 grid: 8-pixel corners and edges, a 20-pixel title strip at the top and an
// 8-pixel strip at the bottom. Each edge piece repeats along its length, so the
// pieces are drawn without features that would show the stretch.
QImage skin() {
    const int w = 46, h = 220;
    QImage img = canvas(w, h, ink::woodDark);
    QPainter p;
    begin(p, img);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Title strip: walnut with a lighter band and a gold line under it.
    QLinearGradient title(0, 0, 0, 20);
    title.setColorAt(0, QColor(0x8A, 0x52, 0x2A));
    title.setColorAt(0.5, QColor(0x5E, 0x34, 0x18));
    title.setColorAt(1, QColor(0x3E, 0x20, 0x0C));
    p.fillRect(QRect(0, 0, w, 20), title);
    p.fillRect(QRect(0, 18, w, 1), ink::gold);
    p.fillRect(QRect(0, 19, w, 1), ink::goldDark);
    p.fillRect(QRect(0, 0, w, 1), QColor(0xC0, 0x88, 0x50));
    // Side edges: a vertical bevel, lighter on the outside.
    for (int x = 0; x < 8; ++x) {
        QColor c = mix(QColor(0x8A, 0x52, 0x2A), QColor(0x3E, 0x20, 0x0C), x / 7.0);
        p.fillRect(QRect(x, 20, 1, h - 28), c);
        p.fillRect(QRect(w - 1 - x, 20, 1, h - 28), c);
    }
    p.fillRect(QRect(7, 20, 1, h - 28), ink::gold);
    p.fillRect(QRect(w - 8, 20, 1, h - 28), ink::gold);
    // Bottom strip.
    for (int y = 0; y < 8; ++y) {
        QColor c = mix(QColor(0x3E, 0x20, 0x0C), QColor(0x7A, 0x46, 0x22), y / 7.0);
        p.fillRect(QRect(8, h - 8 + y, w - 16, 1), c);
    }
    p.fillRect(QRect(8, h - 8, w - 16, 1), ink::gold);
    // Bottom corners: the gold lines meet.
    for (int y = 0; y < 8; ++y) {
        QColor c = mix(QColor(0x3E, 0x20, 0x0C), QColor(0x7A, 0x46, 0x22), y / 7.0);
        p.fillRect(QRect(0, h - 8 + y, 8, 1), c);
        p.fillRect(QRect(w - 8, h - 8 + y, 8, 1), c);
    }
    p.fillRect(QRect(7, h - 8, 1, 1), ink::gold);
    p.fillRect(QRect(w - 8, h - 8, 1, 1), ink::gold);
    // Top corners: a gold stud in the title strip.
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::gold);
    p.drawEllipse(QPointF(4, 9), 2, 2);
    p.drawEllipse(QPointF(w - 4, 9), 2, 2);
    return img;
}

// The countdown clock: an alarm clock on the left and a dark window on the right
// in which the seconds label (24 x 24 at 48, 5) shows the number.
QImage clock() {
    const int w = 81, h = 38;
    QImage img = canvas(w, h);
    QPainter p;
    begin(p, img);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(0x6A, 0x3C, 0x1C));
    g.setColorAt(1, QColor(0x36, 0x1C, 0x0A));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 8, 8);
    goldRim(p, QRectF(0, 0, w, h), 8, 1.5);
    // Digit window.
    p.setBrush(QColor(0x08, 0x10, 0x0A));
    p.setPen(QPen(ink::goldDark, 1));
    p.drawRoundedRect(QRectF(45.5, 3.5, 31, 30), 4, 4);
    // Clock face with bells.
    QPointF c(23, 20);
    p.setBrush(ink::gold);
    p.setPen(QPen(ink::goldDark, 0.8));
    p.drawEllipse(c + QPointF(-9, -11), 4, 3.4);
    p.drawEllipse(c + QPointF(9, -11), 4, 3.4);
    p.setPen(QPen(ink::goldDark, 1.5));
    p.drawLine(c + QPointF(-8, 10), c + QPointF(-11, 14));
    p.drawLine(c + QPointF(8, 10), c + QPointF(11, 14));
    QRadialGradient face(c + QPointF(-3, -3), 14);
    face.setColorAt(0, Qt::white);
    face.setColorAt(1, QColor(0xEC, 0xE2, 0xC8));
    p.setPen(QPen(ink::cardRed, 2));
    p.setBrush(face);
    p.drawEllipse(c, 12, 12);
    p.setPen(QPen(QColor(0x40, 0x30, 0x20), 1));
    for (int i = 0; i < 12; ++i) {
        double a = i * M_PI / 6;
        p.drawLine(c + QPointF(9 * std::cos(a), 9 * std::sin(a)),
                   c + QPointF(10.5 * std::cos(a), 10.5 * std::sin(a)));
    }
    p.setPen(QPen(QColor(0x20, 0x18, 0x10), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(0, -7.5));
    p.drawLine(c, c + QPointF(5, 2));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::cardRed);
    p.drawEllipse(c, 1.6, 1.6);
    return img;
}

}  // namespace

void addTableDesigns(Catalogue& c) {
    addDesign(c, "Pic1", [] { return tableFelt(1024, 768); });
    addDesign(c, "Pic2", [] { return tableFelt(800, 600); });
    addDesign(c, "imgDinglan", topRail);
    addDesign(c, "imgDilan", bottomRail);
    addDesign(c, "ImageML", [] { return sidePlate(false); });
    addDesign(c, "ImageMR", [] { return sidePlate(true); });
    GifOptions flat;
    flat.dither = false;
    addDesign(c, "Skin", skin, flat);
    addDesign(c, "Time_Img", clock, flat);
}

}  // namespace picgen
