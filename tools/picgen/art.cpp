#include "art.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <stdexcept>

namespace picgen {

namespace {
QString& cjkFamily() {
    static QString family;
    return family;
}
}  // namespace

void loadFonts() {
    if (!cjkFamily().isEmpty()) return;
    const char* path = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";
    int id = QFontDatabase::addApplicationFont(QString::fromUtf8(path));
    if (id < 0) throw std::runtime_error(std::string("cannot load the CJK font ") + path);
    QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) throw std::runtime_error("the CJK font has no family");
    cjkFamily() = families.front();
}

QFont cjk(double pixelSize, bool bold) {
    QFont f(cjkFamily());
    f.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QFont latin(double pixelSize, bool bold) {
    // The bundled font carries Latin letters and digits too; using it for every
    // text keeps the pictures the same on every machine.
    return cjk(pixelSize, bold);
}

QImage canvas(int width, int height, QColor fill) {
    QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

void begin(QPainter& p, QImage& image) {
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

void text(QPainter& p, const QRectF& box, const QString& s, const QFont& font, QColor color,
          QColor shadow, int flags) {
    p.save();
    p.setFont(font);
    if (shadow.alpha() > 0) {
        p.setPen(shadow);
        p.drawText(box.translated(0, 1), flags, s);
    }
    p.setPen(color);
    p.drawText(box, flags, s);
    p.restore();
}

void outlinedText(QPainter& p, const QRectF& box, const QString& s, const QFont& font, QColor color,
                  QColor outline, double width) {
    QFontMetricsF fm(font);
    QRectF br = fm.boundingRect(box, Qt::AlignCenter, s);
    QPainterPath path;
    path.addText(br.left(), br.top() + fm.ascent(), font, s);
    p.save();
    p.setPen(QPen(outline, width * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(path);
    p.restore();
}

double fitPixelSize(const QString& s, double width, double maxPixels, bool bold) {
    double px = maxPixels;
    while (px > 6) {
        QFontMetricsF fm(cjk(px, bold));
        if (fm.horizontalAdvance(s) <= width) break;
        px -= 0.5;
    }
    return px;
}

QColor mix(QColor a, QColor b, double t) {
    return QColor::fromRgbF(
        a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
        a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

void feltFill(QPainter& p, const QRectF& r, unsigned seed, double vignette) {
    p.save();
    QRadialGradient g(r.center(), std::hypot(r.width(), r.height()) * 0.55);
    g.setColorAt(0.0, ink::feltLight);
    g.setColorAt(0.55, ink::felt);
    g.setColorAt(1.0, mix(ink::felt, ink::feltDark, vignette / 0.55 > 1 ? 1 : vignette / 0.55));
    p.fillRect(r, g);
    // Short fibres in a slightly lighter and darker green give the cloth its nap.
    Random rnd(seed);
    int fibres = int(r.width() * r.height() / 90);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < fibres; ++i) {
        double x = r.left() + rnd.unit() * r.width(), y = r.top() + rnd.unit() * r.height();
        bool light = rnd.next() & 1;
        p.setPen(light ? QColor(120, 200, 140, 14) : QColor(0, 20, 5, 18));
        double a = rnd.unit() * 6.283;
        p.drawLine(QPointF(x, y), QPointF(x + 2 * std::cos(a), y + 2 * std::sin(a)));
    }
    p.restore();
}

void woodFill(QPainter& p, const QRectF& r, unsigned seed, bool vertical, QColor base) {
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    QLinearGradient g(vertical ? QPointF(r.left(), 0) : QPointF(0, r.top()),
                      vertical ? QPointF(r.right(), 0) : QPointF(0, r.bottom()));
    g.setColorAt(0.0, base.lighter(125));
    g.setColorAt(0.45, base);
    g.setColorAt(1.0, base.darker(140));
    p.fillRect(r, g);
    // Grain: long wavy streaks along the board.
    Random rnd(seed);
    const double length = vertical ? r.height() : r.width();
    const double across = vertical ? r.width() : r.height();
    int streaks = std::max(4, int(across / 2.2));
    for (int i = 0; i < streaks; ++i) {
        double pos = rnd.unit() * across;
        double amp = rnd.range(0.3, 2.2), freq = rnd.range(0.004, 0.02), phase = rnd.unit() * 6.28;
        QPainterPath path;
        for (double t = -4; t <= length + 4; t += 4) {
            double off = pos + amp * std::sin(t * freq + phase);
            QPointF pt = vertical ? QPointF(r.left() + off, r.top() + t)
                                  : QPointF(r.left() + t, r.top() + off);
            if (t == -4)
                path.moveTo(pt);
            else
                path.lineTo(pt);
        }
        bool dark = rnd.unit() < 0.65;
        p.setPen(
            QPen(dark ? QColor(40, 18, 5, 40 + int(rnd.unit() * 30)) : QColor(255, 220, 170, 22),
                 rnd.range(0.6, 1.4)));
        p.drawPath(path);
    }
    p.restore();
}

void goldRim(QPainter& p, const QRectF& r, double radius, double width) {
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, ink::goldLight);
    g.setColorAt(0.5, ink::gold);
    g.setColorAt(1, ink::goldDark);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(g), width));
    double h = width / 2;
    p.drawRoundedRect(r.adjusted(h, h, -h, -h), radius, radius);
    p.restore();
}

void bevel(QPainter& p, const QRectF& r, double radius, QColor light, QColor dark) {
    p.save();
    p.setBrush(Qt::NoBrush);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, light);
    g.setColorAt(0.5, Qt::transparent);
    g.setColorAt(1, dark);
    p.setPen(QPen(QBrush(g), 1));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

void parchmentPanel(QPainter& p, const QRectF& r, unsigned seed, double radius) {
    p.save();
    QPainterPath outer;
    outer.addRoundedRect(r, radius, radius);
    p.setClipPath(outer);
    woodFill(p, r, seed, false, ink::wood);
    QRectF inner = r.adjusted(6, 6, -6, -6);
    QLinearGradient g(inner.topLeft(), inner.bottomLeft());
    g.setColorAt(0, QColor(0xFB, 0xF1, 0xD8));
    g.setColorAt(1, QColor(0xEE, 0xDC, 0xB2));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(inner, radius * 0.6, radius * 0.6);
    // Faint mottling of old paper.
    Random rnd(seed + 7);
    int spots = int(inner.width() * inner.height() / 600);
    for (int i = 0; i < spots; ++i) {
        QPointF c(inner.left() + rnd.unit() * inner.width(),
                  inner.top() + rnd.unit() * inner.height());
        double rad = rnd.range(4, 18);
        QRadialGradient sg(c, rad);
        sg.setColorAt(0, QColor(150, 110, 50, 10));
        sg.setColorAt(1, QColor(150, 110, 50, 0));
        p.setBrush(sg);
        p.drawEllipse(c, rad, rad);
    }
    p.setClipping(false);
    goldRim(p, inner.adjusted(-1.5, -1.5, 1.5, 1.5), radius * 0.6 + 1, 1.5);
    p.setPen(QPen(ink::woodDark, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

void titleBand(QPainter& p, const QRectF& r, const QString& title) {
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, ink::lacquer.lighter(120));
    g.setColorAt(1, ink::lacquerDark);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, 4, 4);
    goldRim(p, r, 4, 1.2);
    double px = std::min(r.height() * 0.62, fitPixelSize(title, r.width() - 12, r.height() * 0.62));
    text(p, r, title, cjk(px, true), ink::goldLight, QColor(0, 0, 0, 160));
    p.restore();
}

QPainterPath suitPath(Suit s, const QRectF& r) {
    QPainterPath path;
    switch (s) {
        case Suit::kDiamonds:
            path.moveTo(0.5, 0.0);
            path.quadTo(0.72, 0.3, 0.95, 0.5);
            path.quadTo(0.72, 0.7, 0.5, 1.0);
            path.quadTo(0.28, 0.7, 0.05, 0.5);
            path.quadTo(0.28, 0.3, 0.5, 0.0);
            break;
        case Suit::kHearts:
            path.moveTo(0.5, 0.25);
            path.cubicTo(0.5, 0.05, 0.15, -0.02, 0.04, 0.2);
            path.cubicTo(-0.06, 0.45, 0.25, 0.7, 0.5, 1.0);
            path.cubicTo(0.75, 0.7, 1.06, 0.45, 0.96, 0.2);
            path.cubicTo(0.85, -0.02, 0.5, 0.05, 0.5, 0.25);
            break;
        case Suit::kSpades:
            path.moveTo(0.5, 0.0);
            path.cubicTo(0.35, 0.22, -0.02, 0.4, 0.02, 0.62);
            path.cubicTo(0.06, 0.84, 0.36, 0.86, 0.46, 0.7);
            path.quadTo(0.44, 0.88, 0.3, 1.0);
            path.lineTo(0.7, 1.0);
            path.quadTo(0.56, 0.88, 0.54, 0.7);
            path.cubicTo(0.64, 0.86, 0.94, 0.84, 0.98, 0.62);
            path.cubicTo(1.02, 0.4, 0.65, 0.22, 0.5, 0.0);
            break;
        case Suit::kClubs: {
            path.addEllipse(QPointF(0.5, 0.25), 0.235, 0.235);
            path.addEllipse(QPointF(0.24, 0.58), 0.235, 0.235);
            path.addEllipse(QPointF(0.76, 0.58), 0.235, 0.235);
            path.addEllipse(QPointF(0.5, 0.5), 0.12, 0.12);
            QPainterPath stem;
            stem.moveTo(0.46, 0.55);
            stem.quadTo(0.44, 0.88, 0.28, 1.0);
            stem.lineTo(0.72, 1.0);
            stem.quadTo(0.56, 0.88, 0.54, 0.55);
            stem.closeSubpath();
            path.setFillRule(Qt::WindingFill);
            path = path.united(stem);
            break;
        }
    }
    path.closeSubpath();
    QTransform t;
    t.translate(r.left(), r.top());
    t.scale(r.width(), r.height());
    return t.map(path);
}

QColor suitColor(Suit s) {
    return (s == Suit::kHearts || s == Suit::kDiamonds) ? ink::cardRed : ink::cardBlack;
}

}  // namespace picgen
