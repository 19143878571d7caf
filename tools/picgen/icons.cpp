// Toolbar icons of the video strips, 16 x 14 (860-862: 17 x 16): a cream glyph on a
// walnut tile, or a dark glyph on a gold tile for the highlighted look.
#include <QLinearGradient>
#include <cmath>

#include "art.h"
#include "catalogue.h"

namespace picgen {

namespace {

enum class Glyph {
    kCamera,
    kMagnifier,
    kPhoto,
    kMusic,
    kBell,
    kClose,
    kMaximise,
    kGrid,
    kSmallScreen,
    kLargeScreen
};

void tile(QPainter& p, int w, int h, QColor top, QColor bottom, QColor rim) {
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(QPen(rim, 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 2.5, 2.5);
}

void glyph(QPainter& p, Glyph g, QRectF r, QColor c) {
    p.setPen(QPen(c, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const double x = r.left(), y = r.top(), w = r.width(), h = r.height();
    switch (g) {
        case Glyph::kCamera: {  // video camera: body and lens cone
            p.setBrush(c);
            p.drawRoundedRect(QRectF(x, y + h * 0.2, w * 0.62, h * 0.6), 1, 1);
            QPainterPath cone;
            cone.moveTo(x + w * 0.62, y + h * 0.5);
            cone.lineTo(x + w, y + h * 0.2);
            cone.lineTo(x + w, y + h * 0.8);
            cone.closeSubpath();
            p.drawPath(cone);
            break;
        }
        case Glyph::kMagnifier:
            p.setPen(QPen(c, 1.4));
            p.drawEllipse(QPointF(x + w * 0.42, y + h * 0.42), w * 0.3, h * 0.32);
            p.setPen(QPen(c, 2.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(x + w * 0.64, y + h * 0.66), QPointF(x + w * 0.95, y + h * 0.95));
            break;
        case Glyph::kPhoto:
            p.setBrush(c);
            p.drawRoundedRect(QRectF(x, y + h * 0.25, w, h * 0.7), 1.2, 1.2);
            p.drawRect(QRectF(x + w * 0.3, y + h * 0.08, w * 0.35, h * 0.2));
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(0, 0, 0, 0), 0));
            p.setCompositionMode(QPainter::CompositionMode_Clear);
            p.setBrush(Qt::black);
            p.drawEllipse(QPointF(x + w * 0.5, y + h * 0.6), w * 0.2, h * 0.22);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            break;
        case Glyph::kMusic:
            p.setBrush(c);
            p.drawEllipse(QPointF(x + w * 0.22, y + h * 0.82), w * 0.18, h * 0.14);
            p.drawEllipse(QPointF(x + w * 0.78, y + h * 0.72), w * 0.18, h * 0.14);
            p.setPen(QPen(c, 1.3));
            p.drawLine(QPointF(x + w * 0.38, y + h * 0.82), QPointF(x + w * 0.38, y + h * 0.12));
            p.drawLine(QPointF(x + w * 0.94, y + h * 0.72), QPointF(x + w * 0.94, y + h * 0.02));
            p.setPen(QPen(c, 2.2));
            p.drawLine(QPointF(x + w * 0.38, y + h * 0.14), QPointF(x + w * 0.94, y + h * 0.04));
            break;
        case Glyph::kBell: {
            QPainterPath b;
            b.moveTo(x + w * 0.1, y + h * 0.8);
            b.quadTo(x + w * 0.22, y + h * 0.65, x + w * 0.22, y + h * 0.4);
            b.cubicTo(x + w * 0.22, y, x + w * 0.78, y, x + w * 0.78, y + h * 0.4);
            b.quadTo(x + w * 0.78, y + h * 0.65, x + w * 0.9, y + h * 0.8);
            b.closeSubpath();
            p.setBrush(c);
            p.drawPath(b);
            p.drawEllipse(QPointF(x + w * 0.5, y + h * 0.9), w * 0.12, h * 0.1);
            break;
        }
        case Glyph::kClose:
            p.setPen(QPen(c, 1.8, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(x + w * 0.15, y + h * 0.15), QPointF(x + w * 0.85, y + h * 0.85));
            p.drawLine(QPointF(x + w * 0.85, y + h * 0.15), QPointF(x + w * 0.15, y + h * 0.85));
            break;
        case Glyph::kMaximise:
            p.setPen(QPen(c, 1.2));
            p.drawRect(QRectF(x + w * 0.1, y + h * 0.12, w * 0.8, h * 0.76));
            p.setPen(QPen(c, 2.4));
            p.drawLine(QPointF(x + w * 0.1, y + h * 0.2), QPointF(x + w * 0.9, y + h * 0.2));
            break;
        case Glyph::kGrid:
            for (int i = 0; i < 2; ++i)
                for (int j = 0; j < 2; ++j)
                    p.fillRect(QRectF(x + w * (0.08 + 0.48 * i), y + h * (0.08 + 0.48 * j),
                                      w * 0.38, h * 0.38),
                               c);
            break;
        case Glyph::kSmallScreen:
            p.drawRect(QRectF(x + w * 0.05, y + h * 0.1, w * 0.9, h * 0.8));
            p.fillRect(QRectF(x + w * 0.45, y + h * 0.5, w * 0.4, h * 0.3), c);
            break;
        case Glyph::kLargeScreen:
            p.drawRect(QRectF(x + w * 0.05, y + h * 0.1, w * 0.9, h * 0.8));
            p.fillRect(QRectF(x + w * 0.18, y + h * 0.28, w * 0.64, h * 0.46), c);
            break;
    }
}

QImage icon(Glyph g, bool highlighted, int w, int h, QColor tint = QColor()) {
    QImage img = canvas(w, h);
    QPainter p;
    begin(p, img);
    if (highlighted)
        tile(p, w, h, QColor(0xFF, 0xE6, 0x9A), QColor(0xD8, 0x98, 0x28), QColor(0x8A, 0x5A, 0x10));
    else
        tile(p, w, h, QColor(0x6A, 0x40, 0x22), QColor(0x3A, 0x20, 0x0E), ink::goldDark);
    QColor c = tint.isValid() ? tint : highlighted ? QColor(0x4A, 0x18, 0x08) : ink::cream;
    glyph(p, g, QRectF(3, 2.5, w - 6, h - 5), c);
    return img;
}

}  // namespace

void addIcons(Catalogue& c) {
    GifOptions o;
    o.dither = false;
    o.matte = QColor(0x30, 0x20, 0x14).rgb();
    const Glyph four[] = {Glyph::kCamera, Glyph::kMagnifier, Glyph::kPhoto, Glyph::kMusic};
    for (int i = 0; i < 4; ++i) {
        Glyph g = four[i];
        addResource(
            c, 850 + i, [=] { return icon(g, false, 16, 14); }, o);
        addResource(
            c, 854 + i, [=] { return icon(g, true, 16, 14); }, o);
    }
    addResource(
        c, 858, [] { return icon(Glyph::kBell, false, 16, 14, ink::goldLight); }, o);
    addResource(
        c, 859, [] { return icon(Glyph::kBell, false, 16, 14, QColor(0xFF, 0x70, 0x50)); }, o);
    addResource(
        c, 860, [] { return icon(Glyph::kClose, false, 17, 16); }, o);
    addResource(
        c, 861, [] { return icon(Glyph::kMaximise, false, 17, 16); }, o);
    addResource(
        c, 862, [] { return icon(Glyph::kGrid, false, 17, 16); }, o);
    addResource(
        c, 863, [] { return icon(Glyph::kSmallScreen, false, 16, 14); }, o);
    addResource(
        c, 864, [] { return icon(Glyph::kLargeScreen, false, 16, 14); }, o);
}

}  // namespace picgen
