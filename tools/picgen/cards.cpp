// Card faces, jokers and the card back, 61 x 81. Resource id = picture index =
// rank + 16 x suit (rank 3..15 for 3..10, J, Q, K, A, 2; suits diamonds, clubs,
// hearts, spades), 16 small joker, 17 big joker, 18 back.
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "art.h"
#include "catalogue.h"

namespace picgen {

namespace {

constexpr int W = 61, H = 81;
constexpr double kRadius = 4.5;

const char* rankText(int rank) {
    static const char* names[] = {"3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "A", "2"};
    return names[rank - 3];
}

QPainterPath cardShape() {
    QPainterPath p;
    p.addRoundedRect(QRectF(0.5, 0.5, W - 1, H - 1), kRadius, kRadius);
    return p;
}

void blankFace(QPainter& p) {
    QLinearGradient g(0, 0, W, H);
    g.setColorAt(0, QColor(0xFF, 0xFF, 0xFC));
    g.setColorAt(1, QColor(0xF1, 0xEE, 0xE4));
    p.setPen(QPen(QColor(0x6E, 0x6A, 0x60), 1));
    p.setBrush(g);
    p.drawPath(cardShape());
}

// Rank glyph as a path, squeezed to fit `maxWidth` (the "10" needs it).
QPainterPath rankGlyph(const QString& s, double px, double maxWidth, QPointF topLeft) {
    QFont f = latin(px, true);
    QPainterPath path;
    path.addText(0, 0, f, s);
    QRectF b = path.boundingRect();
    double sx = b.width() > maxWidth ? maxWidth / b.width() : 1.0;
    QTransform t;
    t.translate(topLeft.x() + (maxWidth - b.width() * sx) / 2, topLeft.y());
    t.scale(sx, 1.0);
    t.translate(-b.left(), -b.top());
    return t.map(path);
}

void cornerIndex(QPainter& p, const QString& rank, Suit suit) {
    QColor c = suitColor(suit);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(rankGlyph(rank, 17, 13.5, QPointF(2.5, 3)));
    p.drawPath(suitPath(suit, QRectF(4.0, 19.5, 10, 10.5)));
}

void bothCorners(QPainter& p, const QString& rank, Suit suit) {
    cornerIndex(p, rank, suit);
    p.save();
    p.translate(W, H);
    p.rotate(180);
    cornerIndex(p, rank, suit);
    p.restore();
}

void pip(QPainter& p, Suit suit, QPointF centre, double size, bool flipped) {
    QRectF r(centre.x() - size / 2, centre.y() - size * 0.55, size, size * 1.1);
    p.save();
    if (flipped) {
        p.translate(centre);
        p.rotate(180);
        p.translate(-centre);
    }
    QPainterPath path = suitPath(suit, r);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    QColor c = suitColor(suit);
    g.setColorAt(0, c.lighter(135));
    g.setColorAt(1, c);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
    p.restore();
}

void numberPips(QPainter& p, int count, Suit suit) {
    const double L = 23.5, C = 30.5, R = 37.5;
    const double top = 13, bottom = 68;
    auto Y = [&](double t) { return top + (bottom - top) * t; };
    struct P {
        double x, t;
    };
    std::vector<P> pips;
    switch (count) {
        case 2:
            pips = {{C, 0}, {C, 1}};
            break;
        case 3:
            pips = {{C, 0}, {C, .5}, {C, 1}};
            break;
        case 4:
            pips = {{L, 0}, {R, 0}, {L, 1}, {R, 1}};
            break;
        case 5:
            pips = {{L, 0}, {R, 0}, {C, .5}, {L, 1}, {R, 1}};
            break;
        case 6:
            pips = {{L, 0}, {R, 0}, {L, .5}, {R, .5}, {L, 1}, {R, 1}};
            break;
        case 7:
            pips = {{L, 0}, {R, 0}, {C, .26}, {L, .5}, {R, .5}, {L, 1}, {R, 1}};
            break;
        case 8:
            pips = {{L, 0}, {R, 0}, {C, .26}, {L, .5}, {R, .5}, {C, .74}, {L, 1}, {R, 1}};
            break;
        case 9:
            pips = {{L, 0},    {R, 0},    {L, .333}, {R, .333}, {C, .5},
                    {L, .667}, {R, .667}, {L, 1},    {R, 1}};
            break;
        case 10:
            pips = {{L, 0},    {R, 0},    {C, .17}, {L, .333}, {R, .333},
                    {L, .667}, {R, .667}, {C, .83}, {L, 1},    {R, 1}};
            break;
    }
    double size = count >= 9 ? 9.5 : 10.5;
    for (const P& q : pips) pip(p, suit, QPointF(q.x, Y(q.t)), size, q.t > 0.5);
}

void crown(QPainter& p, QRectF r, int kind, QColor jewel) {
    // kind 0: jack's cap, 1: queen's tiara, 2: king's crown.
    QPainterPath path;
    double x = r.left(), y = r.top(), w = r.width(), h = r.height();
    if (kind == 2) {
        path.moveTo(x, y + h);
        path.lineTo(x, y + h * 0.25);
        path.lineTo(x + w * 0.25, y + h * 0.6);
        path.lineTo(x + w * 0.5, y);
        path.lineTo(x + w * 0.75, y + h * 0.6);
        path.lineTo(x + w, y + h * 0.25);
        path.lineTo(x + w, y + h);
        path.closeSubpath();
    } else if (kind == 1) {
        path.moveTo(x, y + h);
        path.quadTo(x + w * 0.05, y + h * 0.3, x + w * 0.2, y + h * 0.45);
        path.quadTo(x + w * 0.35, y - h * 0.1, x + w * 0.5, y + h * 0.2);
        path.quadTo(x + w * 0.65, y - h * 0.1, x + w * 0.8, y + h * 0.45);
        path.quadTo(x + w * 0.95, y + h * 0.3, x + w, y + h);
        path.closeSubpath();
    } else {
        path.moveTo(x, y + h);
        path.quadTo(x + w * 0.1, y + h * 0.1, x + w * 0.55, y + h * 0.05);
        path.quadTo(x + w * 1.05, y + h * 0.15, x + w, y + h);
        path.closeSubpath();
    }
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, ink::goldLight);
    g.setColorAt(1, ink::goldDark);
    p.setBrush(g);
    p.setPen(QPen(ink::goldDark.darker(130), 0.8));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(jewel);
    if (kind == 2) {
        for (double t : {0.0, 0.5, 1.0})
            p.drawEllipse(QPointF(x + w * t, y + (t == 0.5 ? 0 : h * 0.25)), 1.6, 1.6);
    } else if (kind == 1) {
        p.drawEllipse(QPointF(x + w * 0.5, y + h * 0.55), 1.8, 1.8);
    } else {
        // A feather sweeping back from the cap.
        QPainterPath feather;
        feather.moveTo(x + w * 0.55, y + h * 0.1);
        feather.quadTo(x + w * 1.1, y - h * 0.4, x + w * 1.15, y + h * 0.35);
        feather.quadTo(x + w * 0.9, y + h * 0.05, x + w * 0.55, y + h * 0.1);
        p.drawPath(feather);
    }
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRect(QRectF(x, y + h - 2, w, 2));
}

void courtCard(QPainter& p, int rank, Suit suit) {
    QRectF frame(15.5, 9.5, 30, 62);
    QColor c = suitColor(suit);
    QLinearGradient g(frame.topLeft(), frame.bottomLeft());
    QColor tint = (suit == Suit::kHearts || suit == Suit::kDiamonds) ? QColor(0xFF, 0xEC, 0xD8)
                                                                     : QColor(0xE6, 0xEC, 0xF6);
    g.setColorAt(0, tint.lighter(104));
    g.setColorAt(1, tint.darker(106));
    p.setBrush(g);
    p.setPen(QPen(ink::gold.darker(115), 1.2));
    p.drawRoundedRect(frame, 3, 3);
    p.setPen(QPen(c, 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame.adjusted(2, 2, -2, -2), 2, 2);
    int kind = rank - 11;  // J 0, Q 1, K 2
    QColor jewel = (suit == Suit::kHearts || suit == Suit::kDiamonds) ? QColor(0x1F, 0x4F, 0xB0)
                                                                      : ink::cardRed;
    crown(p, QRectF(21.5, 15, 18, 11), kind, jewel);
    // The letter in a serif-like heavy cut, then the suit below it.
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    QPainterPath letter = rankGlyph(rankText(rank), 25, 20, QPointF(20.5, 29));
    p.drawPath(letter);
    pip(p, suit, QPointF(30.5, 62), 11, false);
}

void aceCard(QPainter& p, Suit suit) {
    QPointF c(30.5, 40.5);
    if (suit == Suit::kSpades) {
        // The ace of spades carries a gold ring around its pip.
        p.setPen(QPen(ink::gold, 1.4));
        p.setBrush(QColor(0xFF, 0xF4, 0xD0));
        p.drawEllipse(c, 17, 17);
    }
    pip(p, suit, c, suit == Suit::kSpades ? 22 : 26, false);
}

QImage face(int rank, Suit suit) {
    QImage img = canvas(W, H);
    QPainter p;
    begin(p, img);
    blankFace(p);
    bothCorners(p, rankText(rank), suit);
    if (rank <= 10)
        numberPips(p, rank, suit);
    else if (rank <= 13)
        courtCard(p, rank, suit);
    else if (rank == 14)
        aceCard(p, suit);
    else
        numberPips(p, 2, suit);  // the two
    return img;
}

void jokerHat(QPainter& p, QRectF r, QColor a, QColor b) {
    // Three-pointed jester's cap with bells over a smiling face.
    double x = r.left(), y = r.top(), w = r.width(), h = r.height();
    QPointF faceC(x + w / 2, y + h * 0.68);
    double faceR = w * 0.24;
    QPainterPath hat;
    hat.moveTo(x + w * 0.22, y + h * 0.56);
    hat.quadTo(x + w * 0.05, y + h * 0.25, x - w * 0.02, y + h * 0.18);
    hat.quadTo(x + w * 0.3, y + h * 0.22, x + w * 0.38, y + h * 0.42);
    hat.quadTo(x + w * 0.42, y + h * 0.1, x + w * 0.5, y + h * 0.0);
    hat.quadTo(x + w * 0.58, y + h * 0.1, x + w * 0.62, y + h * 0.42);
    hat.quadTo(x + w * 0.7, y + h * 0.22, x + w * 1.02, y + h * 0.18);
    hat.quadTo(x + w * 0.95, y + h * 0.25, x + w * 0.78, y + h * 0.56);
    hat.closeSubpath();
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, a);
    g.setColorAt(0.5, b);
    g.setColorAt(1, a);
    p.setPen(QPen(a.darker(160), 0.8));
    p.setBrush(g);
    p.drawPath(hat);
    p.setBrush(ink::gold);
    p.setPen(QPen(ink::goldDark, 0.6));
    for (QPointF bell : {QPointF(x - w * 0.02, y + h * 0.18), QPointF(x + w * 0.5, y),
                         QPointF(x + w * 1.02, y + h * 0.18)})
        p.drawEllipse(bell, 2.2, 2.2);
    // Face.
    QRadialGradient fg(faceC - QPointF(2, 2), faceR * 1.4);
    fg.setColorAt(0, QColor(0xFF, 0xF0, 0xE0));
    fg.setColorAt(1, QColor(0xF2, 0xCF, 0xB0));
    p.setBrush(fg);
    p.setPen(QPen(QColor(0x9A, 0x6A, 0x4A), 0.7));
    p.drawEllipse(faceC, faceR, faceR);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x20, 0x18));
    p.drawEllipse(faceC + QPointF(-faceR * 0.4, -faceR * 0.2), 1.1, 1.3);
    p.drawEllipse(faceC + QPointF(faceR * 0.4, -faceR * 0.2), 1.1, 1.3);
    p.setPen(QPen(QColor(0xB0, 0x20, 0x20), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(faceC.x() - faceR * 0.5, faceC.y() - faceR * 0.3, faceR, faceR * 0.9),
              200 * 16, 140 * 16);
    // Ruff collar.
    p.setPen(QPen(a.darker(150), 0.6));
    p.setBrush(b);
    for (int i = 0; i < 5; ++i) {
        double cx = x + w * (0.22 + 0.14 * i);
        p.drawEllipse(QPointF(cx, faceC.y() + faceR + 2.5), 3.4, 2.6);
    }
}

QImage joker(bool big) {
    QImage img = canvas(W, H);
    QPainter p;
    begin(p, img);
    blankFace(p);
    QColor main = big ? ink::cardRed : QColor(0x2A, 0x33, 0x48);
    QColor second = big ? ink::gold : QColor(0x9A, 0xA6, 0xBC);
    // Vertical caption in both corners: 小 / 王 or 大 / 王.
    QString first = big ? QString::fromUtf8("大") : QString::fromUtf8("小");
    QString king = QString::fromUtf8("王");
    auto corner = [&] {
        text(p, QRectF(1, 2, 16, 16), first, cjk(14, true), main);
        text(p, QRectF(1, 17, 16, 16), king, cjk(14, true), main);
    };
    corner();
    p.save();
    p.translate(W, H);
    p.rotate(180);
    corner();
    p.restore();
    QRectF art(17, 14, 28, 46);
    if (big) {
        QRadialGradient glow(QPointF(31, 42), 24);
        glow.setColorAt(0, QColor(0xFF, 0xD8, 0x60, 120));
        glow.setColorAt(1, QColor(0xFF, 0xD8, 0x60, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QPointF(31, 42), 24, 24);
    }
    jokerHat(p, art, main, second);
    // A star under the figure: gold for the big joker, silver for the small one.
    QPainterPath star;
    QPointF sc(30.5, 67);
    for (int i = 0; i < 10; ++i) {
        double a = -M_PI / 2 + i * M_PI / 5;
        double rr = (i % 2) ? 2.4 : 5.5;
        QPointF pt = sc + QPointF(rr * std::cos(a), rr * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(QPen(main.darker(130), 0.6));
    p.setBrush(big ? ink::gold : QColor(0xB8, 0xC0, 0xCC));
    p.drawPath(star);
    return img;
}

QImage back() {
    QImage img = canvas(W, H);
    QPainter p;
    begin(p, img);
    p.setPen(QPen(QColor(0x6E, 0x6A, 0x60), 1));
    p.setBrush(QColor(0xFB, 0xF8, 0xF0));
    p.drawPath(cardShape());
    QRectF inner(3.5, 3.5, W - 7, H - 7);
    QPainterPath clip;
    clip.addRoundedRect(inner, 3, 3);
    p.save();
    p.setClipPath(clip);
    QLinearGradient g(inner.topLeft(), inner.bottomRight());
    g.setColorAt(0, QColor(0x9A, 0x16, 0x20));
    g.setColorAt(1, QColor(0x62, 0x0A, 0x12));
    p.fillRect(inner, g);
    // Lattice of fine gold diamonds.
    p.setPen(QPen(QColor(0xE8, 0xC0, 0x6A, 150), 0.7));
    for (double d = -90; d < 150; d += 7) {
        p.drawLine(QPointF(d, 0), QPointF(d + 90, 90));
        p.drawLine(QPointF(d, 90), QPointF(d + 90, 0));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF4, 0xD0, 0x7A, 170));
    for (double y = 3.5; y < H; y += 7)
        for (double x = 3.5 + (int((y - 3.5) / 7) % 2) * 3.5; x < W; x += 7)
            p.drawEllipse(QPointF(x, y), 0.7, 0.7);
    p.restore();
    // Medallion.
    QPointF c(W / 2.0, H / 2.0);
    QRadialGradient mg(c - QPointF(3, 3), 16);
    mg.setColorAt(0, ink::goldLight);
    mg.setColorAt(1, ink::goldDark);
    p.setPen(QPen(QColor(0x50, 0x08, 0x0C), 1.2));
    p.setBrush(mg);
    p.drawEllipse(c, 12.5, 14.5);
    p.setBrush(QColor(0x8A, 0x12, 0x1A));
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, 9, 11);
    outlinedText(p, QRectF(c.x() - 9, c.y() - 11, 18, 22), "D", latin(17, true), ink::goldLight,
                 QColor(0x50, 0x08, 0x0C), 0.8);
    p.setPen(QPen(ink::gold, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(inner, 3, 3);
    return img;
}

}  // namespace

void addCards(Catalogue& c) {
    GifOptions opt;
    opt.dither = false;
    for (int suit = 0; suit < 4; ++suit)
        for (int rank = 3; rank <= 15; ++rank)
            addResource(
                c, rank + 16 * suit, [=] { return face(rank, Suit(suit)); }, opt);
    addResource(
        c, 16, [] { return joker(false); }, opt);
    addResource(
        c, 17, [] { return joker(true); }, opt);
    addResource(c, 18, back, opt);
}

}  // namespace picgen
