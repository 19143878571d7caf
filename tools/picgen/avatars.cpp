// Twenty avatar portraits, 85 x 90 (241: 87 x 92): 240-249 men, 250-259 women.
// Each is a head-and-shoulders bust on a coloured backdrop, built from a table of
// looks (skin, hair style and colour, clothes, accessories) so that no two
// players look alike.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "art.h"
#include "catalogue.h"

namespace picgen {

namespace {

enum Hair {
    kCrop,
    kSidePart,
    kSpiky,
    kCurly,
    kBald,
    kTopknot,
    kSwept,  // men
    kLongStraight,
    kBob,
    kPonytail,
    kBun,
    kTwinTails,
    kLongWavy,
    kPixie,
    kBraid  // women
};

struct Look {
    bool female;
    Hair hair;
    QColor hairColor, skin, clothes, backdrop;
    bool glasses = false, beard = false, moustache = false, earrings = false, flower = false,
         cap = false, collarShirt = false, grey = false;
};

const QColor kSkinLight(0xF6, 0xD5, 0xB8), kSkinWarm(0xEC, 0xC0, 0x98), kSkinTan(0xD2, 0x9E, 0x74),
    kSkinDeep(0xA8, 0x74, 0x50);
const QColor kBlack(0x24, 0x1C, 0x18), kBrown(0x5A, 0x36, 0x1E), kChestnut(0x86, 0x44, 0x20),
    kGreyHair(0xB8, 0xB4, 0xB0), kAuburn(0x9A, 0x34, 0x20);

Look look(int i) {
    auto L = [](bool f, Hair h, QColor hc, QColor sk, QColor cl, QColor bg) {
        Look l{f, h, hc, sk, cl, bg};
        return l;
    };
    switch (i) {
        // Men.
        case 0:
            return L(false, kCrop, kBlack, kSkinWarm, QColor(0x2E, 0x5C, 0x9E),
                     QColor(0x8C, 0xB8, 0xE0));
        case 1: {
            Look l = L(false, kSidePart, kBrown, kSkinLight, QColor(0x3A, 0x3A, 0x44),
                       QColor(0xE8, 0xC8, 0x8A));
            l.glasses = true;
            l.collarShirt = true;
            return l;
        }
        case 2:
            return L(false, kSpiky, kBlack, kSkinTan, QColor(0xC0, 0x3A, 0x2A),
                     QColor(0xF0, 0xA0, 0x60));
        case 3: {
            Look l = L(false, kCrop, kBlack, kSkinWarm, QColor(0x2F, 0x6A, 0x3C),
                       QColor(0x9E, 0xD0, 0x9A));
            l.beard = true;
            l.moustache = true;
            return l;
        }
        case 4: {
            Look l = L(false, kCurly, kChestnut, kSkinLight, QColor(0x6A, 0x3E, 0x8E),
                       QColor(0xC8, 0xB0, 0xE8));
            return l;
        }
        case 5: {
            Look l = L(false, kBald, kGreyHair, kSkinTan, QColor(0x7A, 0x2A, 0x20),
                       QColor(0xE0, 0xC0, 0x90));
            l.glasses = true;
            l.moustache = true;
            l.grey = true;
            return l;
        }
        case 6: {
            Look l = L(false, kCrop, kBlack, kSkinDeep, QColor(0x1E, 0x3A, 0x6A),
                       QColor(0x70, 0xA0, 0xC8));
            l.cap = true;
            return l;
        }
        case 7:
            return L(false, kTopknot, kBlack, kSkinWarm, QColor(0x8E, 0x1E, 0x1E),
                     QColor(0xE8, 0x8C, 0x70));
        case 8: {
            Look l = L(false, kSwept, kBrown, kSkinWarm, QColor(0x22, 0x22, 0x28),
                       QColor(0x9A, 0xA8, 0xB8));
            l.collarShirt = true;
            return l;
        }
        case 9: {
            Look l = L(false, kSidePart, kGreyHair, kSkinLight, QColor(0x4A, 0x5A, 0x3A),
                       QColor(0xB8, 0xC8, 0x90));
            l.beard = true;
            l.grey = true;
            return l;
        }
        // Women.
        case 10:
            return L(true, kLongStraight, kBlack, kSkinLight, QColor(0xC8, 0x3A, 0x5A),
                     QColor(0xF8, 0xC0, 0xCC));
        case 11: {
            Look l = L(true, kBob, kBrown, kSkinWarm, QColor(0x2A, 0x7A, 0x8A),
                       QColor(0x9C, 0xDA, 0xD8));
            l.earrings = true;
            return l;
        }
        case 12:
            return L(true, kPonytail, kChestnut, kSkinLight, QColor(0xE0, 0x8A, 0x20),
                     QColor(0xF8, 0xE0, 0x90));
        case 13: {
            Look l = L(true, kBun, kBlack, kSkinWarm, QColor(0x9A, 0x1E, 0x2E),
                       QColor(0xE8, 0xB0, 0x80));
            l.earrings = true;
            return l;
        }
        case 14: {
            Look l = L(true, kTwinTails, kBlack, kSkinLight, QColor(0x3A, 0x6A, 0xC8),
                       QColor(0xB8, 0xD0, 0xF8));
            l.flower = true;
            return l;
        }
        case 15:
            return L(true, kLongWavy, kAuburn, kSkinLight, QColor(0x2E, 0x6E, 0x44),
                     QColor(0xC0, 0xE0, 0xB0));
        case 16: {
            Look l = L(true, kPixie, kBlack, kSkinTan, QColor(0x6A, 0x2E, 0x8A),
                       QColor(0xD8, 0xB8, 0xF0));
            l.earrings = true;
            return l;
        }
        case 17:
            return L(true, kBraid, kBrown, kSkinWarm, QColor(0xB0, 0x40, 0x30),
                     QColor(0xF0, 0xC8, 0xA0));
        case 18: {
            Look l = L(true, kLongWavy, kBlack, kSkinWarm, QColor(0x1E, 0x4A, 0x8A),
                       QColor(0x90, 0xB0, 0xE0));
            l.flower = true;
            return l;
        }
        default: {
            Look l = L(true, kBun, kGreyHair, kSkinLight, QColor(0x7A, 0x4A, 0x6A),
                       QColor(0xE0, 0xC8, 0xD8));
            l.glasses = true;
            l.grey = true;
            return l;
        }
    }
}

QPainterPath ellipse(QPointF c, double rx, double ry) {
    QPainterPath p;
    p.addEllipse(c, rx, ry);
    return p;
}

QImage portrait(int index, int w, int h) {
    const Look l = look(index);
    QImage img = canvas(w, h);
    QPainter p;
    begin(p, img);
    // Scale the 85 x 90 drawing to the picture's size (241 is a little larger).
    p.scale(w / 85.0, h / 90.0);

    // Backdrop: soft radial light behind the head, framed by a thin dark edge.
    QRadialGradient bg(QPointF(42, 34), 62);
    bg.setColorAt(0, l.backdrop.lighter(118));
    bg.setColorAt(1, l.backdrop.darker(135));
    p.fillRect(QRectF(0, 0, 85, 90), bg);
    // The bust is drawn a little larger than its 85 x 90 box, anchored at the
    // bottom, so the face fills the frame.
    p.translate(42.5, 88);
    p.scale(1.12, 1.12);
    p.translate(-42.5, -88);

    const QPointF c(42.5, 38);  // head centre
    const double rx = 15.5, ry = 19;
    QColor hair = l.hairColor;
    QColor hairDark = hair.darker(140);
    QPen hairPen(hairDark, 0.8);

    // Hair that falls behind the shoulders.
    p.setPen(hairPen);
    p.setBrush(hair);
    if (l.hair == kLongStraight || l.hair == kLongWavy) {
        QPainterPath back;
        back.moveTo(c.x() - 21, c.y() - 6);
        if (l.hair == kLongWavy) {
            back.cubicTo(c.x() - 30, c.y() + 14, c.x() - 18, c.y() + 28, c.x() - 26, c.y() + 40);
            back.lineTo(c.x() + 26, c.y() + 40);
            back.cubicTo(c.x() + 18, c.y() + 28, c.x() + 30, c.y() + 14, c.x() + 21, c.y() - 6);
        } else {
            back.lineTo(c.x() - 22, c.y() + 38);
            back.lineTo(c.x() + 22, c.y() + 38);
            back.lineTo(c.x() + 21, c.y() - 6);
        }
        back.closeSubpath();
        p.drawPath(back);
    } else if (l.hair == kBob) {
        p.drawRoundedRect(QRectF(c.x() - 20.5, c.y() - 16, 41, 36), 12, 12);
    } else if (l.hair == kPonytail) {
        QPainterPath tail;
        tail.moveTo(c.x() + 12, c.y() - 14);
        tail.cubicTo(c.x() + 34, c.y() - 12, c.x() + 30, c.y() + 18, c.x() + 22, c.y() + 30);
        tail.cubicTo(c.x() + 22, c.y() + 14, c.x() + 20, c.y() + 2, c.x() + 12, c.y() - 2);
        tail.closeSubpath();
        p.drawPath(tail);
    } else if (l.hair == kTwinTails) {
        for (int side : {-1, 1}) {
            QPainterPath tail;
            tail.moveTo(c.x() + side * 14, c.y() - 6);
            tail.cubicTo(c.x() + side * 30, c.y() + 0, c.x() + side * 28, c.y() + 22,
                         c.x() + side * 22, c.y() + 34);
            tail.cubicTo(c.x() + side * 20, c.y() + 18, c.x() + side * 18, c.y() + 8,
                         c.x() + side * 13, c.y() + 4);
            tail.closeSubpath();
            p.drawPath(tail);
        }
    } else if (l.hair == kBraid) {
        for (int k = 0; k < 5; ++k)
            p.drawEllipse(QPointF(c.x() + 17 - k * 0.6, c.y() + 6 + k * 6), 4.2, 3.6);
    }

    // Shoulders and clothes.
    QPainterPath body;
    body.moveTo(8, 90);
    body.cubicTo(8, 72, 20, 64, c.x() - 8, 62);
    body.lineTo(c.x() + 8, 62);
    body.cubicTo(65, 64, 77, 72, 77, 90);
    body.closeSubpath();
    QLinearGradient cg(0, 60, 0, 90);
    cg.setColorAt(0, l.clothes.lighter(120));
    cg.setColorAt(1, l.clothes.darker(125));
    // Neck first, so the collar sits over it.
    QColor skinShade = l.skin.darker(118);
    p.setPen(Qt::NoPen);
    p.setBrush(skinShade);
    p.drawRect(QRectF(c.x() - 6, c.y() + 12, 12, 14));
    p.setPen(QPen(l.clothes.darker(160), 0.8));
    p.setBrush(cg);
    p.drawPath(body);
    // Neckline.
    if (l.collarShirt) {
        p.setBrush(QColor(0xF4, 0xF4, 0xF0));
        p.setPen(QPen(QColor(0x90, 0x90, 0x90), 0.6));
        QPainterPath collar;
        collar.moveTo(c.x() - 9, 62);
        collar.lineTo(c.x(), 72);
        collar.lineTo(c.x() + 9, 62);
        collar.lineTo(c.x() + 4, 61);
        collar.lineTo(c.x(), 66);
        collar.lineTo(c.x() - 4, 61);
        collar.closeSubpath();
        p.drawPath(collar);
        p.setBrush(l.female ? ink::gold : QColor(0xA0, 0x20, 0x28));
        p.setPen(Qt::NoPen);
        QPainterPath tie;
        tie.moveTo(c.x() - 2, 67);
        tie.lineTo(c.x() + 2, 67);
        tie.lineTo(c.x() + 3, 82);
        tie.lineTo(c.x(), 86);
        tie.lineTo(c.x() - 3, 82);
        tie.closeSubpath();
        p.drawPath(tie);
    } else {
        p.setBrush(skinShade);
        p.setPen(Qt::NoPen);
        QPainterPath v;
        v.moveTo(c.x() - 7, 62);
        v.quadTo(c.x(), l.female ? 72 : 68, c.x() + 7, 62);
        v.closeSubpath();
        p.drawPath(v);
        p.setPen(QPen(l.clothes.lighter(150), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(v);
    }

    // Ears, then the face.
    p.setPen(QPen(l.skin.darker(135), 0.7));
    p.setBrush(l.skin);
    p.drawEllipse(QPointF(c.x() - rx, c.y() + 2), 3.2, 4.8);
    p.drawEllipse(QPointF(c.x() + rx, c.y() + 2), 3.2, 4.8);
    QPainterPath face;
    face.moveTo(c.x() - rx, c.y() - 4);
    face.cubicTo(c.x() - rx, c.y() - ry - 2, c.x() + rx, c.y() - ry - 2, c.x() + rx, c.y() - 4);
    face.cubicTo(c.x() + rx, c.y() + 10, c.x() + 8, c.y() + ry, c.x(), c.y() + ry);
    face.cubicTo(c.x() - 8, c.y() + ry, c.x() - rx, c.y() + 10, c.x() - rx, c.y() - 4);
    face.closeSubpath();
    QRadialGradient fg(c + QPointF(-4, -4), 26);
    fg.setColorAt(0, l.skin.lighter(106));
    fg.setColorAt(1, l.skin.darker(108));
    p.setBrush(fg);
    p.drawPath(face);

    // Features.
    const double eyeY = c.y() + 1;
    for (int side : {-1, 1}) {
        QPointF e(c.x() + side * 6.2, eyeY);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(e, 3.0, l.female ? 2.4 : 2.0);
        p.setBrush(QColor(0x3A, 0x24, 0x16));
        p.drawEllipse(e + QPointF(0.2, 0.1), 1.7, 1.9);
        p.setBrush(Qt::white);
        p.drawEllipse(e + QPointF(-0.5, -0.6), 0.55, 0.55);
        if (l.female) {
            // Lashes on the outer corner.
            p.setPen(QPen(QColor(0x24, 0x18, 0x14), 0.9, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(e + QPointF(side * 2.6, -1.4), e + QPointF(side * 3.8, -2.4));
            p.drawArc(QRectF(e.x() - 3.1, e.y() - 2.6, 6.2, 5.0), 20 * 16, 140 * 16);
        }
        // Brows.
        QColor brow = l.grey ? QColor(0x90, 0x8A, 0x84) : hairDark;
        p.setPen(QPen(brow, l.female ? 1.0 : 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(c.x() + side * 3.2, eyeY - 4.6),
                   QPointF(c.x() + side * 9.2, eyeY - (l.female ? 5.6 : 5.0)));
    }
    // Nose and mouth.
    p.setPen(QPen(l.skin.darker(150), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x() + 0.6, eyeY + 2.5), QPointF(c.x() - 0.6, eyeY + 6.8));
    p.drawLine(QPointF(c.x() - 0.6, eyeY + 6.8), QPointF(c.x() + 1.2, eyeY + 7.2));
    if (l.female) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xF2, 0x90, 0x90, 110));
        p.drawEllipse(QPointF(c.x() - 9, eyeY + 6), 3, 1.8);
        p.drawEllipse(QPointF(c.x() + 9, eyeY + 6), 3, 1.8);
        QPainterPath lips;
        lips.moveTo(c.x() - 4, eyeY + 10.4);
        lips.quadTo(c.x(), eyeY + 9.2, c.x() + 4, eyeY + 10.4);
        lips.quadTo(c.x(), eyeY + 14, c.x() - 4, eyeY + 10.4);
        p.setBrush(QColor(0xC8, 0x3A, 0x48));
        p.drawPath(lips);
    } else {
        p.setPen(QPen(QColor(0x8A, 0x40, 0x34), 1.1, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - 4.5, eyeY + 6.5, 9, 5), 200 * 16, 140 * 16);
    }
    if (l.moustache) {
        p.setPen(Qt::NoPen);
        p.setBrush(l.grey ? kGreyHair.darker(110) : hairDark);
        QPainterPath m;
        m.moveTo(c.x(), eyeY + 8);
        m.cubicTo(c.x() - 3, eyeY + 6.6, c.x() - 7, eyeY + 7.6, c.x() - 7, eyeY + 10);
        m.cubicTo(c.x() - 4, eyeY + 8.8, c.x() - 2, eyeY + 9.2, c.x(), eyeY + 9.4);
        m.cubicTo(c.x() + 2, eyeY + 9.2, c.x() + 4, eyeY + 8.8, c.x() + 7, eyeY + 10);
        m.cubicTo(c.x() + 7, eyeY + 7.6, c.x() + 3, eyeY + 6.6, c.x(), eyeY + 8);
        p.drawPath(m);
    }
    if (l.beard) {
        QPainterPath b;
        b.moveTo(c.x() - rx + 0.5, c.y() + 2);
        b.cubicTo(c.x() - rx + 1, c.y() + 14, c.x() - 6, c.y() + ry + 4, c.x(), c.y() + ry + 4);
        b.cubicTo(c.x() + 6, c.y() + ry + 4, c.x() + rx - 1, c.y() + 14, c.x() + rx - 0.5,
                  c.y() + 2);
        b.cubicTo(c.x() + 10, c.y() + 12, c.x() - 10, c.y() + 12, c.x() - rx + 0.5, c.y() + 2);
        QColor bc = l.grey ? kGreyHair : hair;
        bc.setAlpha(230);
        p.setBrush(bc);
        p.setPen(QPen(bc.darker(130), 0.6));
        p.drawPath(b);
        // Keep the mouth visible through the beard.
        p.setPen(QPen(QColor(0x8A, 0x40, 0x34), 1.1, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - 4, eyeY + 7.5, 8, 4), 200 * 16, 140 * 16);
    }

    // Hair on top of the head, with a hairline that suits the style.
    QPainterPath cap = ellipse(c + QPointF(0, -3), rx + 2.2, ry + 1.5);
    QPainterPath below;  // the part of the cap that stays face
    auto hairline = [&](std::initializer_list<QPointF> pts) {
        below = QPainterPath();
        below.moveTo(c.x() - 40, c.y() + 40);
        for (QPointF q : pts) below.lineTo(c + q);
        below.lineTo(c.x() + 40, c.y() + 40);
        below.closeSubpath();
    };
    switch (l.hair) {
        case kCrop:
            hairline({{-rx - 3, 0}, {-rx + 1, -8}, {-6, -12}, {6, -12}, {rx - 1, -8}, {rx + 3, 0}});
            break;
        case kSidePart:
            hairline({{-rx - 3, -1},
                      {-rx + 1, -7},
                      {-8, -10},
                      {-5, -14},
                      {4, -11},
                      {rx - 1, -8},
                      {rx + 3, -1}});
            break;
        case kSpiky:
            hairline(
                {{-rx - 3, -2}, {-rx + 1, -9}, {-4, -12}, {5, -11}, {rx - 1, -8}, {rx + 3, -2}});
            break;
        case kCurly:
            hairline({{-rx - 3, 2}, {-rx + 1, -6}, {-6, -10}, {6, -10}, {rx - 1, -6}, {rx + 3, 2}});
            break;
        case kBald:
            hairline({{-rx - 3, 4},
                      {-rx + 0.5, -4},
                      {-rx + 3, -30},
                      {rx - 3, -30},
                      {rx - 0.5, -4},
                      {rx + 3, 4}});
            break;
        case kTopknot:
            hairline({{-rx - 3, 0}, {-rx + 1, -9}, {0, -15}, {rx - 1, -9}, {rx + 3, 0}});
            break;
        case kSwept:
            hairline(
                {{-rx - 3, -1}, {-rx + 1, -8}, {-2, -13}, {8, -9}, {rx - 1, -6}, {rx + 3, -1}});
            break;
        case kLongStraight:
        case kLongWavy:
            hairline({{-rx - 3, 14},
                      {-rx + 2, 4},
                      {-rx + 4, -6},
                      {-3, -10},
                      {0, -7},
                      {3, -10},
                      {rx - 4, -6},
                      {rx - 2, 4},
                      {rx + 3, 14}});
            break;
        case kBob:
            hairline({{-rx - 3, 10},
                      {-rx + 2, 4},
                      {-rx + 3, -5},
                      {rx - 3, -5},
                      {rx - 2, 4},
                      {rx + 3, 10}});
            break;
        case kPonytail:
        case kBun:
        case kBraid:
            hairline({{-rx - 3, 2},
                      {-rx + 1, -6},
                      {-5, -12},
                      {0, -10},
                      {5, -12},
                      {rx - 1, -6},
                      {rx + 3, 2}});
            break;
        case kTwinTails:
            hairline({{-rx - 3, 2},
                      {-rx + 2, -5},
                      {-rx + 4, -7},
                      {rx - 4, -7},
                      {rx - 2, -5},
                      {rx + 3, 2}});
            break;
        case kPixie:
            hairline({{-rx - 3, 0}, {-rx + 1, -6}, {-8, -8}, {4, -13}, {rx - 1, -8}, {rx + 3, 0}});
            break;
    }
    QPainterPath front = cap.subtracted(below.intersected(ellipse(c, rx + 0.2, ry + 0.5)));
    // Ears stay visible for short hair.
    if (l.hair != kLongStraight && l.hair != kLongWavy && l.hair != kBob)
        front = front.intersected(ellipse(c + QPointF(0, -3), rx + 2.2, ry + 1.5)
                                      .subtracted(QPainterPath(below).intersected(
                                          ellipse(c + QPointF(0, 8), rx + 6, ry))));
    if (l.hair == kBald) {
        // A fringe of grey around the back of the head only.
        front = QPainterPath();
        QPainterPath ring = ellipse(c + QPointF(0, -1), rx + 1.8, ry * 0.7)
                                .subtracted(ellipse(c + QPointF(0, -4), rx - 0.2, ry * 0.7));
        QPainterPath band;
        band.addRect(QRectF(c.x() - 30, c.y() - 6, 60, 10));
        front = ring.intersected(band);
    }
    QLinearGradient hg(c.x(), c.y() - ry, c.x(), c.y() + 6);
    hg.setColorAt(0, hair.lighter(l.grey ? 110 : 135));
    hg.setColorAt(1, hair);
    p.setPen(hairPen);
    p.setBrush(hg);
    p.drawPath(front);
    if (l.hair == kSpiky) {
        for (int k = -2; k <= 2; ++k) {
            QPainterPath spike;
            double x = c.x() + k * 6.5;
            spike.moveTo(x - 5, c.y() - ry + 3);
            spike.lineTo(x + 1.5, c.y() - ry - 7 + std::abs(k));
            spike.lineTo(x + 5, c.y() - ry + 3);
            spike.closeSubpath();
            p.drawPath(spike);
        }
    } else if (l.hair == kCurly || l.hair == kLongWavy) {
        for (int k = 0; k < 9; ++k) {
            double a = M_PI * (0.95 + k * 0.14);
            p.drawEllipse(c + QPointF((rx + 1.5) * std::cos(a), -3 + (ry + 0.5) * std::sin(a)), 4.2,
                          4.2);
        }
    } else if (l.hair == kTopknot || l.hair == kBun) {
        p.drawEllipse(QPointF(c.x(), c.y() - ry - 4), l.hair == kBun ? 8 : 5.5,
                      l.hair == kBun ? 6.5 : 5);
        p.setPen(QPen(l.hair == kBun ? ink::gold : QColor(0xA0, 0x20, 0x20), 1.6));
        p.drawLine(QPointF(c.x() - 9, c.y() - ry - 6), QPointF(c.x() + 9, c.y() - ry - 2));
    } else if (l.hair == kTwinTails) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xE8, 0x3A, 0x60));
        p.drawEllipse(QPointF(c.x() - 15, c.y() - 8), 3, 2.4);
        p.drawEllipse(QPointF(c.x() + 15, c.y() - 8), 3, 2.4);
    }
    // Strands: a few darker lines give the hair some direction.
    p.setPen(QPen(hairDark, 0.6));
    p.setBrush(Qt::NoBrush);
    if (l.hair != kBald && l.hair != kCurly)
        for (int k = -2; k <= 2; ++k)
            p.drawArc(QRectF(c.x() - 10 + k * 4, c.y() - ry - 1, 14, 16), 60 * 16, 60 * 16);

    if (l.cap) {
        QPainterPath peak;
        peak.moveTo(c.x() - rx - 2.5, c.y() - 8);
        peak.cubicTo(c.x() - rx - 2, c.y() - ry - 9, c.x() + rx + 2, c.y() - ry - 9,
                     c.x() + rx + 2.5, c.y() - 8);
        peak.cubicTo(c.x() + 10, c.y() - 11, c.x() - 10, c.y() - 11, c.x() - rx - 2.5, c.y() - 8);
        QLinearGradient kg(0, c.y() - ry - 8, 0, c.y() - 8);
        kg.setColorAt(0, QColor(0xE0, 0x40, 0x30));
        kg.setColorAt(1, QColor(0x9A, 0x20, 0x18));
        p.setPen(QPen(QColor(0x60, 0x10, 0x10), 0.7));
        p.setBrush(kg);
        p.drawPath(peak);
        QPainterPath brim;
        brim.moveTo(c.x() - 6, c.y() - 9.5);
        brim.cubicTo(c.x() + 4, c.y() - 12, c.x() + 22, c.y() - 12, c.x() + 26, c.y() - 7);
        brim.cubicTo(c.x() + 16, c.y() - 6, c.x() + 4, c.y() - 6, c.x() - 6, c.y() - 9.5);
        p.setBrush(QColor(0x80, 0x18, 0x14));
        p.drawPath(brim);
        p.setBrush(ink::gold);
        p.drawEllipse(QPointF(c.x(), c.y() - ry - 5.5), 1.6, 1.6);
    }
    if (l.glasses) {
        p.setPen(QPen(QColor(0x2A, 0x2A, 0x30), 1.0));
        p.setBrush(QColor(255, 255, 255, 40));
        p.drawRoundedRect(QRectF(c.x() - 11, eyeY - 3.2, 9, 6.4), 2, 2);
        p.drawRoundedRect(QRectF(c.x() + 2, eyeY - 3.2, 9, 6.4), 2, 2);
        p.drawLine(QPointF(c.x() - 2, eyeY - 1), QPointF(c.x() + 2, eyeY - 1));
    }
    if (l.earrings) {
        p.setPen(QPen(ink::goldDark, 0.5));
        p.setBrush(ink::goldLight);
        p.drawEllipse(QPointF(c.x() - rx - 0.5, c.y() + 8), 1.6, 1.6);
        p.drawEllipse(QPointF(c.x() + rx + 0.5, c.y() + 8), 1.6, 1.6);
    }
    if (l.flower) {
        QPointF f(c.x() + 12, c.y() - 13);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xF8, 0x70, 0x98));
        for (int k = 0; k < 5; ++k) {
            double a = k * 2 * M_PI / 5;
            p.drawEllipse(f + QPointF(2.6 * std::cos(a), 2.6 * std::sin(a)), 2.2, 2.2);
        }
        p.setBrush(QColor(0xFF, 0xE0, 0x60));
        p.drawEllipse(f, 1.4, 1.4);
    }
    // Thin frame.
    p.resetTransform();
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    return img;
}

}  // namespace

void addAvatars(Catalogue& c) {
    for (int i = 0; i < 20; ++i) {
        int w = i == 1 ? 87 : 85, h = i == 1 ? 92 : 90;
        addResource(c, 240 + i, [=] { return portrait(i, w, h); });
    }
}

}  // namespace picgen
