// The three flame animations, 150 x 150, ten hundredths of a second a frame:
// 633 the burn (3 frames, looping), 634 the burn put out by a water tap
// (15 frames), 635 the fall's flare (9 frames), all with the NETSCAPE2.0 loop
// count 0.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "art.h"
#include "catalogue.h"

namespace picgen {

namespace {

constexpr int S = 150;

// One tongue of flame rising from `base`; sway bends its upper part sideways.
void tongue(QPainter& p, QPointF base, double width, double height, double sway) {
    struct Layer {
        double scale;
        QColor inner, outer;
    };
    const Layer layers[] = {
        {1.00, QColor(0xF0, 0x50, 0x10, 235), QColor(0xB0, 0x18, 0x08, 235)},
        {0.74, QColor(0xFF, 0x9A, 0x20, 245), QColor(0xF0, 0x60, 0x10, 245)},
        {0.48, QColor(0xFF, 0xE0, 0x50, 250), QColor(0xFF, 0xB0, 0x30, 250)},
        {0.24, QColor(0xFF, 0xFF, 0xD8, 255), QColor(0xFF, 0xF0, 0x90, 255)},
    };
    for (const Layer& l : layers) {
        double w = width * l.scale, h = height * (0.35 + 0.65 * l.scale);
        QPointF tip = base + QPointF(sway * l.scale, -h);
        QPainterPath t;
        t.moveTo(base + QPointF(-w / 2, 0));
        t.cubicTo(base + QPointF(-w * 0.62, -h * 0.45),
                  tip + QPointF(-w * 0.15 - sway * 0.3, h * 0.35), tip);
        t.cubicTo(tip + QPointF(w * 0.15 - sway * 0.3, h * 0.35),
                  base + QPointF(w * 0.62, -h * 0.45), base + QPointF(w / 2, 0));
        t.quadTo(base + QPointF(0, w * 0.28), base + QPointF(-w / 2, 0));
        QLinearGradient g(base, tip);
        g.setColorAt(0, l.inner);
        g.setColorAt(1, l.outer);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(t);
    }
}

// A fire of several tongues; `phase` runs 0..1 over one loop, `size` scales it.
void fire(QPainter& p, double phase, double size, unsigned seed) {
    if (size <= 0.02) return;
    const double a = phase * 2 * M_PI;
    const QPointF base(75, 136);
    // Glow on the ground.
    QRadialGradient glow(base, 60 * size);
    glow.setColorAt(0, QColor(255, 150, 40, 150));
    glow.setColorAt(1, QColor(255, 120, 20, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(base, 62 * size, 22 * size);
    struct T {
        double dx, w, h, speed, off;
    };
    const T tongues[] = {
        {-34, 30, 58, 1, 0.3}, {34, 30, 62, 1, 1.7}, {-18, 38, 92, 2, 2.2}, {18, 38, 88, 1, 4.0},
        {0, 46, 118, 1, 0.9},  {-6, 22, 70, 2, 5.1}, {10, 20, 64, 1, 3.3},
    };
    for (const T& t : tongues) {
        double flick = 1 + 0.12 * std::sin(a * t.speed + t.off);
        double sway = 9 * std::sin(a * t.speed + t.off * 1.3);
        tongue(p, base + QPointF(t.dx * size, 0), t.w * size, t.h * size * flick, sway * size);
    }
    // Sparks rising and fading over the loop.
    Random rnd(seed);
    for (int i = 0; i < 9; ++i) {
        double x0 = rnd.range(-35, 35), start = rnd.unit(), drift = rnd.range(-10, 10);
        double t = std::fmod(phase + start, 1.0);
        QPointF s = base + QPointF((x0 + drift * t) * size, -(40 + 95 * t) * size);
        p.setBrush(QColor(255, 220 - int(100 * t), 80, int(255 * (1 - t))));
        double r = (1.8 - t) * size;
        p.drawEllipse(s, r, r);
    }
}

void embers(QPainter& p, double heat) {
    // A bed of glowing coals under the fire.
    const QPointF base(75, 138);
    Random rnd(99);
    for (int i = 0; i < 11; ++i) {
        QPointF c = base + QPointF(rnd.range(-40, 40), rnd.range(-4, 6));
        double r = rnd.range(5, 9);
        QRadialGradient g(c, r);
        g.setColorAt(0, mix(QColor(0x50, 0x40, 0x38), QColor(0xFF, 0xB0, 0x40), heat));
        g.setColorAt(1, mix(QColor(0x28, 0x20, 0x1C), QColor(0xA0, 0x28, 0x10), heat));
        p.setBrush(g);
        p.setPen(QPen(QColor(0x20, 0x14, 0x10), 0.6));
        p.drawEllipse(c, r, r * 0.6);
    }
}

std::vector<QImage> burn(int frames, bool loop) {
    std::vector<QImage> out;
    for (int f = 0; f < frames; ++f) {
        QImage img = canvas(S, S);
        QPainter p;
        begin(p, img);
        double phase = double(f) / frames;
        double size = 1.0;
        if (!loop) {
            // The fall's flare: the fire leaps up, then sinks and dies.
            double t = double(f) / (frames - 1);
            size = t < 0.3 ? 0.6 + t / 0.3 * 0.45 : 1.05 * (1 - (t - 0.3) / 0.7);
        }
        embers(p, std::max(0.2, size));
        fire(p, phase, size, 7);
        out.push_back(img);
    }
    return out;
}

void tap(QPainter& p, double valve) {
    // A brass tap coming in from the upper left, its handle turned by `valve`.
    QLinearGradient brass(0, 14, 0, 30);
    brass.setColorAt(0, QColor(0xFF, 0xE8, 0x9A));
    brass.setColorAt(0.5, QColor(0xC8, 0x96, 0x30));
    brass.setColorAt(1, QColor(0x7A, 0x54, 0x10));
    p.setPen(QPen(QColor(0x5A, 0x3C, 0x08), 1));
    p.setBrush(brass);
    p.drawRect(QRectF(0, 16, 52, 12));                // pipe
    p.drawRoundedRect(QRectF(44, 12, 16, 20), 3, 3);  // body
    QPainterPath spout;
    spout.moveTo(52, 22);
    spout.cubicTo(70, 22, 74, 26, 74, 40);
    spout.lineTo(64, 40);
    spout.cubicTo(64, 32, 62, 30, 56, 30);
    spout.closeSubpath();
    p.drawPath(spout);
    p.drawRect(QRectF(62, 38, 14, 5));  // mouth
    // Handle: a cross on a stem, turning as the valve opens.
    p.drawRect(QRectF(49.5, 5, 5, 8));
    p.save();
    p.translate(52, 5);
    p.rotate(valve * 90);
    p.setBrush(QColor(0xC0, 0x28, 0x20));
    p.setPen(QPen(QColor(0x60, 0x10, 0x10), 1));
    p.drawRoundedRect(QRectF(-11, -2.5, 22, 5), 2.5, 2.5);
    p.restore();
}

void water(QPainter& p, double top, double bottom, double flow) {
    if (bottom <= top || flow <= 0) return;
    QRectF stream(69 - 4 * flow, top, 8 * flow, bottom - top);
    QLinearGradient g(stream.left(), 0, stream.right(), 0);
    g.setColorAt(0, QColor(0x60, 0xA8, 0xF0, 230));
    g.setColorAt(0.4, QColor(0xD8, 0xF0, 0xFF, 240));
    g.setColorAt(1, QColor(0x3A, 0x80, 0xD8, 230));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(stream, 3, 3);
}

void splash(QPainter& p, double amount, unsigned seed) {
    Random rnd(seed);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 12; ++i) {
        double a = M_PI * rnd.range(1.05, 1.95), r = rnd.range(6, 22) * amount;
        QPointF d(69 + r * std::cos(a), 128 + r * std::sin(a) * 0.8);
        p.setBrush(QColor(0x9C, 0xD0, 0xFF, 230));
        p.drawEllipse(d, 2.2, 2.6);
    }
}

void steam(QPainter& p, double amount, double rise, unsigned seed) {
    Random rnd(seed);
    for (int i = 0; i < 8; ++i) {
        double x = 75 + rnd.range(-40, 40), y = 120 - rnd.range(0, 40) - rise * 30;
        double r = rnd.range(9, 16) * (0.6 + amount * 0.6);
        p.setPen(QPen(QColor(0xA8, 0xB0, 0xB8, 235), 1));
        p.setBrush(QColor(0xEE, 0xF2, 0xF6, 235));
        if (amount > 0.05) p.drawEllipse(QPointF(x, y), r, r * 0.8);
    }
}

std::vector<QImage> putOut() {
    const int frames = 15;
    std::vector<QImage> out;
    for (int f = 0; f < frames; ++f) {
        QImage img = canvas(S, S);
        QPainter p;
        begin(p, img);
        double t = double(f) / (frames - 1);
        // Frames 0-2: the tap opens; 2-11: water falls and the fire shrinks; the
        // last frames leave steam and wet coals.
        double valve = std::min(1.0, f / 2.0);
        double flow = f < 1 ? 0 : std::min(1.0, f / 3.0);
        double streamEnd = 43 + std::min(1.0, f / 3.0) * 88;
        double size = f < 3 ? 1.0 : std::max(0.0, 1.0 - (f - 3) / 8.0);
        embers(p, size * 0.9);
        fire(p, t * 3, size, 11);
        water(p, 43, streamEnd, flow);
        if (f >= 3) splash(p, 1.0, 20 + f);
        if (f >= 4) steam(p, std::min(1.0, (f - 3) / 6.0), (f - 4) / 10.0, 40 + f % 3);
        tap(p, valve);
        out.push_back(img);
    }
    return out;
}

Picture animation(int id, std::function<std::vector<QImage>()> draw) {
    Picture pic;
    pic.id = id;
    pic.gif.dither = false;
    pic.gif.delayHundredths = 10;
    pic.gif.loopForever = true;
    pic.draw = std::move(draw);
    return pic;
}

}  // namespace

void addFlames(Catalogue& c) {
    c.push_back(animation(633, [] { return burn(3, true); }));
    c.push_back(animation(634, putOut));
    c.push_back(animation(635, [] { return burn(9, false); }));
}

}  // namespace picgen
