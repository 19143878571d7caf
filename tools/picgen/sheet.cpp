#include "sheet.h"

#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "art.h"

namespace picgen {

namespace {

struct Entry {
    QString label;
    std::vector<QImage> frames;
};

std::vector<Entry> readList(const std::string& folder, const std::string& kind) {
    std::ifstream list(folder + "/pictures.txt");
    if (!list) throw std::runtime_error(folder + "/pictures.txt: cannot read");
    std::vector<Entry> out;
    std::string line;
    while (std::getline(list, line)) {
        std::istringstream in(line);
        std::string k, key, file;
        in >> k >> key >> file;
        if (k != kind) continue;
        QImageReader reader(QString::fromStdString(folder + "/" + file));
        Entry e{QString::fromStdString(key), {}};
        for (int i = 0; i < reader.imageCount() || i == 0; ++i) {
            QImage img = reader.read();
            if (img.isNull()) {
                if (i == 0) throw std::runtime_error(file + ": cannot be read back");
                break;
            }
            e.frames.push_back(img);
            if (!reader.supportsAnimation()) break;
        }
        out.push_back(std::move(e));
    }
    if (kind == "resource")
        std::stable_sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) {
            return a.label.toInt() < b.label.toInt();
        });
    return out;
}

// Rows of pictures, wrapping at `width`; every picture sits on a tile of the
// table felt, so transparent parts show what the table shows.
QImage layout(const std::vector<Entry>& entries, int width, const QString& title) {
    const int gap = 10, labelH = 16, titleH = 34;
    struct Place {
        int x, y;
    };
    std::vector<std::vector<Place>> places;
    int x = gap, y = titleH + gap, rowH = 0;
    for (const Entry& e : entries) {
        std::vector<Place> ps;
        for (const QImage& f : e.frames) {
            int w = std::max(f.width(), 30);
            if (x + w + gap > width && x > gap) {
                x = gap;
                y += rowH + labelH + gap;
                rowH = 0;
            }
            ps.push_back({x, y});
            x += w + (e.frames.size() > 1 ? 4 : gap);
            rowH = std::max(rowH, f.height());
        }
        x += e.frames.size() > 1 ? gap : 0;
        places.push_back(ps);
    }
    int height = y + rowH + labelH + gap;
    QImage sheet = canvas(width, height, QColor(0x2A, 0x2A, 0x2E));
    QPainter p;
    begin(p, sheet);
    text(p, QRectF(gap, 4, width, titleH - 8), title, cjk(18, true), ink::goldLight,
         Qt::transparent, Qt::AlignLeft | Qt::AlignVCenter);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        for (std::size_t f = 0; f < entries[i].frames.size(); ++f) {
            const QImage& img = entries[i].frames[f];
            Place pl = places[i][f];
            p.fillRect(QRect(pl.x, pl.y, img.width(), img.height()), ink::felt);
            p.drawImage(pl.x, pl.y, img);
            QString label = entries[i].label;
            if (entries[i].frames.size() > 1) label += QString(" #%1").arg(f + 1);
            text(p,
                 QRectF(pl.x - 4, pl.y + img.height() + 1, std::max(img.width(), 30) + 8,
                        labelH - 2),
                 label, cjk(11), QColor(0xE0, 0xE0, 0xE0), Qt::transparent,
                 Qt::AlignHCenter | Qt::AlignTop);
        }
    }
    return sheet;
}

}  // namespace

int writeSheets(const std::string& folder, const std::string& resourcesPng,
                const std::string& designsPng) {
    QImage res = layout(readList(folder, "resource"), 1280,
                        QString::fromUtf8("Dravik 图片资源 — picture resources by id"));
    if (!res.save(QString::fromStdString(resourcesPng)))
        throw std::runtime_error(resourcesPng + ": cannot write");
    QImage des = layout(readList(folder, "design"), 2200,
                        QString::fromUtf8("Dravik 窗口设计图片 — window design pictures"));
    if (!des.save(QString::fromStdString(designsPng)))
        throw std::runtime_error(designsPng + ": cannot write");
    return 0;
}

}  // namespace picgen
