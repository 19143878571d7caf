// Flat picture buttons in normal and hover looks: hall buttons, action buttons,
// dialog buttons, settings toggles, quick-phrase and send buttons, restore button.
// Normal: a dark body with a thin gold rim and a cream caption. Hover: the body
// turns to warm gold with a bright rim and a dark caption, so the change is plain
// at a glance.
#include <QLinearGradient>

#include "art.h"
#include "catalogue.h"

namespace picgen {

namespace {

struct Tone {
    QColor body;     // normal body
    QColor caption;  // normal caption
};

const Tone kLacquer{QColor(0x9A, 0x1C, 0x1C), ink::cream};
const Tone kWalnut{QColor(0x4A, 0x2A, 0x14), ink::goldLight};
const Tone kJade{QColor(0x1F, 0x6B, 0x48), ink::cream};
const Tone kSlate{QColor(0x5A, 0x5E, 0x66), ink::cream};
const Tone kBlue{QColor(0x1E, 0x4E, 0x9A), ink::cream};
const Tone kFelt{QColor(0x1E, 0x6A, 0x36), ink::cream};

QImage button(int w, int h, const QString& caption, bool hover, const Tone& tone, double maxPx,
              double radius = 4) {
    QImage img = canvas(w, h);
    QPainter p;
    begin(p, img);
    QRectF r(0, 0, w, h);
    QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(0, 0, 0, h);
    if (hover) {
        g.setColorAt(0, QColor(0xFF, 0xE6, 0x9A));
        g.setColorAt(0.5, QColor(0xF2, 0xBE, 0x4C));
        g.setColorAt(1, QColor(0xD0, 0x8E, 0x22));
    } else {
        g.setColorAt(0, tone.body.lighter(118));
        g.setColorAt(1, tone.body.darker(118));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(body, radius, radius);
    // Rim: dull gold at rest, bright gold under the pointer.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(hover ? QColor(0xFF, 0xF4, 0xC8) : ink::gold.darker(112), 1));
    p.drawRoundedRect(body, radius, radius);
    p.setPen(QPen(hover ? QColor(0x9A, 0x5A, 0x10) : QColor(0, 0, 0, 70), 1));
    p.drawRoundedRect(body.adjusted(1, 1, -1, -1), std::max(1.0, radius - 1),
                      std::max(1.0, radius - 1));
    // A faint sheen along the top edge keeps the flat body from looking dead.
    p.setPen(QPen(QColor(255, 255, 255, hover ? 150 : 45), 1));
    p.drawLine(QPointF(radius + 1, 2.5), QPointF(w - radius - 1, 2.5));

    double px = fitPixelSize(caption, w - 8, maxPx);
    QFont f = cjk(px, true);
    QColor fore = hover ? QColor(0x5A, 0x10, 0x08) : tone.caption;
    QColor shadow = hover ? QColor(255, 250, 220, 150) : QColor(0, 0, 0, 150);
    text(p, r.adjusted(0, 0, 0, -1), caption, f, fore, shadow);
    return img;
}

QString u(const char* s) { return QString::fromUtf8(s); }

GifOptions onWood() {
    GifOptions o;
    o.dither = false;
    o.matte = ink::woodDark.rgb();
    return o;
}
GifOptions onFelt() {
    GifOptions o;
    o.dither = false;
    o.matte = ink::felt.rgb();
    return o;
}
GifOptions onPaper() {
    GifOptions o;
    o.dither = false;
    o.matte = QColor(0xF2, 0xE4, 0xC2).rgb();
    return o;
}

}  // namespace

void addButtons(Catalogue& c) {
    // Quick-phrase buttons: tiny capsules on the bottom bar.
    for (int i = 0; i < 2; ++i) {
        QString cap = u(i == 0 ? "短语1" : "短语2");
        addResource(
            c, 100 + i, [=] { return button(57, 13, cap, false, kWalnut, 11, 3); }, onWood());
        addResource(
            c, 102 + i, [=] { return button(57, 13, cap, true, kWalnut, 11, 3); }, onWood());
    }
    addResource(
        c, 150, [] { return button(48, 30, u("发送"), false, kLacquer, 15); }, onWood());
    addResource(
        c, 151, [] { return button(48, 30, u("发送"), true, kLacquer, 15); }, onWood());

    const char* hall[] = {"聊天", "开始", "继续", "设置", "隐藏", "战绩", "历史", "规则", "退出"};
    for (int k = 0; k < 9; ++k) {
        QString cap = u(hall[k]);
        addResource(
            c, 152 + 2 * k, [=] { return button(55, 31, cap, false, kWalnut, 15); }, onWood());
        addResource(
            c, 153 + 2 * k, [=] { return button(55, 31, cap, true, kWalnut, 15); }, onWood());
        addResource(
            c, 283 + 2 * k, [=] { return button(43, 24, cap, false, kWalnut, 12, 3); }, onWood());
        addResource(
            c, 284 + 2 * k, [=] { return button(43, 24, cap, true, kWalnut, 12, 3); }, onWood());
    }

    addResource(
        c, 170, [] { return button(70, 29, u("确定"), false, kJade, 15); }, onPaper());
    addResource(
        c, 171, [] { return button(70, 29, u("确定"), true, kJade, 15); }, onPaper());
    addResource(
        c, 172, [] { return button(70, 29, u("取消"), false, kLacquer, 15); }, onPaper());
    addResource(
        c, 173, [] { return button(70, 29, u("取消"), true, kLacquer, 15); }, onPaper());
    // Settings toggles: the caption says what a click does (关闭 while a switch is on).
    addResource(
        c, 174, [] { return button(64, 26, u("关闭"), false, kSlate, 14); }, onPaper());
    addResource(
        c, 175, [] { return button(64, 26, u("开启"), false, kJade, 14); }, onPaper());
    addResource(
        c, 176, [] { return button(64, 26, u("蓝底"), false, kBlue, 14); }, onPaper());
    addResource(
        c, 177, [] { return button(64, 26, u("绿底"), false, kFelt, 14); }, onPaper());

    addResource(
        c, 191, [] { return button(61, 24, u("恢复"), false, kLacquer, 14); }, onFelt());
    addResource(
        c, 192, [] { return button(61, 24, u("恢复"), true, kLacquer, 14); }, onFelt());

    const char* action[] = {"预点", "上班", "明点", "革命", "有头", "无头", "烧牌",
                            "让牌", "吃贡", "放弃", "接风", "出牌", "过",   "提示"};
    for (int k = 0; k < 14; ++k) {
        QString cap = u(action[k]);
        addResource(
            c, 601 + k, [=] { return button(66, 38, cap, false, kLacquer, 19, 6); }, onFelt());
        addResource(
            c, 615 + k, [=] { return button(66, 38, cap, true, kLacquer, 19, 6); }, onFelt());
    }
    addResource(
        c, 629, [] { return button(66, 38, u("还贡"), false, kLacquer, 19, 6); }, onFelt());
    addResource(
        c, 630, [] { return button(66, 38, u("还贡"), true, kLacquer, 19, 6); }, onFelt());
}

}  // namespace picgen
