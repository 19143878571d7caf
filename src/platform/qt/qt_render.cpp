#include "platform/qt/qt_render.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <cmath>

#include "platform/qt/qt_picture.h"

namespace platform {

namespace {

QString cjkFamily;

QColor rgb(ui::Rgb c) { return QColor((c >> 16) & 255, (c >> 8) & 255, c & 255); }

void paintControl(QPainter& p, ui::Control& c, bool includeTextBoxes);

void paintChildren(QPainter& p, const std::vector<ui::Control*>& list, bool includeTextBoxes) {
    for (ui::Control* c : list)
        if (c->visible) paintControl(p, *c, includeTextBoxes);
}

int qtAlign(ui::Align a) {
    switch (a) {
        case ui::Align::kRight:
            return Qt::AlignRight;
        case ui::Align::kCenter:
            return Qt::AlignHCenter;
        default:
            return Qt::AlignLeft;
    }
}

void paintControl(QPainter& p, ui::Control& c, bool includeTextBoxes) {
    QRectF r(c.left, c.top, c.width, c.height);
    const QImage* img = nativeImage(c.picture);
    switch (c.kind) {
        case ui::ControlKind::kImage:
            if (img) {
                if (c.stretch)
                    p.drawImage(r, *img);
                else
                    p.drawImage(QPointF(c.left, c.top), *img);
            }
            break;
        case ui::ControlKind::kPictureBox: {
            p.save();
            p.setClipRect(r, Qt::IntersectClip);
            if (!c.transparent) p.fillRect(r, rgb(c.backColor));
            if (img) p.drawImage(QPointF(c.left, c.top), *img);
            p.translate(c.left, c.top);
            paintChildren(p, c.children, includeTextBoxes);
            p.restore();
            break;
        }
        case ui::ControlKind::kLabel: {
            if (!c.transparent) p.fillRect(r, rgb(c.backColor));
            p.setFont(toQFont(c.font));
            p.setPen(rgb(c.foreColor));
            QRectF text = r;
            if (c.autoSize) {
                QFontMetricsF fm(p.font());
                QRectF need = fm.boundingRect(QString::fromStdString(c.caption));
                text.setWidth(std::max(r.width(), need.width() + 1));
                text.setHeight(std::max(r.height(), need.height()));
            }
            p.drawText(text, qtAlign(c.alignment) | Qt::AlignTop | Qt::TextWordWrap,
                       QString::fromStdString(c.caption));
            break;
        }
        case ui::ControlKind::kListBox: {
            p.save();
            p.setClipRect(r, Qt::IntersectClip);
            if (!c.transparent) p.fillRect(r, rgb(c.backColor));
            p.setFont(toQFont(c.font));
            int row = listRowHeight(c);
            double y = c.top;
            for (int i = ui::firstShownItem(c, row); i < static_cast<int>(c.items.size()); ++i) {
                if (y >= c.top + c.height) break;
                QRectF line(c.left + 2, y, c.width - 4, row);
                if (i == c.listIndex) {
                    p.fillRect(line, QColor(0, 90, 160));
                    p.setPen(Qt::white);
                } else {
                    p.setPen(rgb(c.foreColor));
                }
                p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                           QString::fromStdString(c.items[static_cast<std::size_t>(i)]));
                y += row;
            }
            p.restore();
            break;
        }
        case ui::ControlKind::kTextBox:
            if (!includeTextBoxes) break;
            if (!c.transparent) p.fillRect(r, rgb(c.backColor));
            p.setFont(toQFont(c.font));
            p.setPen(rgb(c.foreColor));
            p.drawText(r.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       QString::fromStdString(c.caption));
            break;
    }
}

}  // namespace

void installFonts() {
    if (!cjkFamily.isEmpty()) return;
    for (const char* path : {"/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
                             "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"}) {
        int id = QFontDatabase::addApplicationFont(path);
        if (id >= 0) {
            QStringList fams = QFontDatabase::applicationFontFamilies(id);
            if (!fams.isEmpty()) {
                cjkFamily = fams.first();
                break;
            }
        }
    }
    if (cjkFamily.isEmpty()) cjkFamily = "sans-serif";
    for (const char* name :
         {"宋体", "隶书", "黑体", "楷体", "新宋体", "微软雅黑", "Arial", "MS Sans Serif", "Tahoma"})
        QFont::insertSubstitution(QString::fromUtf8(name), cjkFamily);
}

QFont toQFont(const ui::Font& f) {
    installFonts();
    QFont q(cjkFamily);
    // Point sizes are for a 96 dpi screen, as the forms were designed.
    q.setPixelSize(std::max(1, static_cast<int>(std::lround(f.size * 96.0 / 72.0))));
    q.setBold(f.bold);
    return q;
}

int listRowHeight(const ui::Control& c) {
    QFontMetrics fm(toQFont(c.font));
    return fm.height() + 2;
}

void paintForm(QPainter& p, ui::Form& form, bool includeTextBoxes) {
    QRect all(0, 0, form.pixelWidth(), form.pixelHeight());
    p.fillRect(all, rgb(form.backColor));
    if (const QImage* img = nativeImage(form.picture)) p.drawImage(QPoint(0, 0), *img);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    paintChildren(p, form.topLevel(), includeTextBoxes);
}

QImage renderForm(ui::Form& form) {
    QImage out(std::max(1, form.pixelWidth()), std::max(1, form.pixelHeight()),
               QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::black);
    QPainter p(&out);
    paintForm(p, form);
    p.end();
    return out;
}

bool saveFormPng(ui::Form& form, const std::string& path) {
    return renderForm(form).save(QString::fromStdString(path), "PNG");
}

}  // namespace platform
