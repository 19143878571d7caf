// Frames of the enlarged video windows (JPEG), at the windows' normal size of
// 276 x 215: a wooden frame with a gold rim around a dark display, a caption strip
// along the top and room for the three window buttons at the top right.
#include <QLinearGradient>

#include "art.h"
#include "catalogue.h"

namespace picgen {

namespace {

QImage videoFrame(int slot) {
    const int w = 276, h = 215;
    QImage img = canvas(w, h, ink::woodDark);
    QPainter p;
    begin(p, img);
    woodFill(p, QRectF(0, 0, w, h), 300 + slot);
    goldRim(p, QRectF(1, 1, w - 2, h - 2), 5, 1.5);
    // The display sits at (10, 16), 256 x 192.
    QRectF screen(10, 16, 256, 192);
    p.setPen(QPen(ink::gold, 1));
    p.setBrush(QColor(0x10, 0x14, 0x18));
    p.drawRect(screen.adjusted(-1.5, -1.5, 1.5, 1.5));
    QLinearGradient g(screen.topLeft(), screen.bottomRight());
    g.setColorAt(0, QColor(0x22, 0x2A, 0x34));
    g.setColorAt(1, QColor(0x0C, 0x10, 0x14));
    p.fillRect(screen, g);
    QString caption =
        slot == 0 ? QString::fromUtf8("本地视频") : QString::fromUtf8("视频 %1").arg(slot);
    text(p, QRectF(8, 0, 150, 16), caption, cjk(11, true), ink::goldLight, QColor(0, 0, 0, 160),
         Qt::AlignLeft | Qt::AlignVCenter);
    // Camera mark in the middle of the dark screen until a picture arrives.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3A, 0x44, 0x50));
    p.drawRoundedRect(QRectF(118, 100, 30, 22), 3, 3);
    QPainterPath cone;
    cone.moveTo(148, 111);
    cone.lineTo(160, 103);
    cone.lineTo(160, 119);
    cone.closeSubpath();
    p.drawPath(cone);
    return img;
}

}  // namespace

void addVideoFrames(Catalogue& c) {
    for (int slot = 0; slot < 6; ++slot) {
        Picture pic;
        pic.id = 870 + slot;
        pic.jpeg = true;
        pic.draw = [slot] { return std::vector<QImage>{videoFrame(slot)}; };
        c.push_back(pic);
    }
}

}  // namespace picgen
