#include "chat/bubbles.h"

#include <cmath>

#include "chat/bubble_shape.h"

namespace chat {

namespace {

constexpr int tw = ui::kTwipsPerPixel;

// Where each slot's bubble goes, in twips relative to the table window (times the
// display scale), and where its label sits inside it.
struct Placement {
    int left, leftSmall;  // shown Left; the small scale differs only for slot 5
    int top;
    int labelLeft, labelTop, labelLeftSmall, labelTopSmall;
};
constexpr std::array<Placement, 6> kPlacements{{
    {1500, 1500, 8550, 260, 180, 260, 180},
    {1050, 1050, 4100, 570, 350, 620, 400},
    {550, 550, 1050, 570, 620, 570, 670},
    {6150, 6150, 1050, 450, 620, 450, 670},
    {10800, 10800, 1050, 370, 620, 470, 670},
    {11400, 10200, 4100, 270, 470, 270, 520},
}};

constexpr int kLabelWidth = 2100, kLabelHeight = 750;  // twips

int scaled(double twips, double s) { return static_cast<int>(std::lround(twips * s)); }

}  // namespace

SpeechBubbles::SpeechBubbles(platform::EventLoop& loop, ui::WindowSystem& windows,
                             ui::Form& tableWindow, const state::TableState& state,
                             pictures::Pictures& pictures)
    : loop_(loop), windows_(windows), table_(tableWindow), state_(state), pictures_(pictures) {
    for (int slot = 0; slot < 6; ++slot) {
        Bubble& b = bubbles_[static_cast<std::size_t>(slot)];
        b.tmrFadeIn =
            std::make_unique<platform::Timer>(loop_, kFadeTickMs, [this, slot] { fadeTick(slot); });
    }
}

ui::Form* SpeechBubbles::window(int slot) {
    const std::string tag = "speak" + std::to_string(slot);
    for (ui::Form* f : windows_.forms())
        if (f->loaded() && f->tag == tag) return f;
    return nullptr;
}

void SpeechBubbles::ShowSpeechBubble(int slot, const std::string& text) {
    if (slot < 0 || slot > 5) return;
    CreateBubbleWindow(slot);
    ui::Form* f = window(slot);
    if (!f) return;  // no picture to shape it from: nothing is shown
    showMe(slot, text, 210, 8, 4, 2000);
    f->topmost = true;
    f->visible = true;
}

void SpeechBubbles::CreateBubbleWindow(int slot) {
    if (window(slot)) return;
    ui::Form& f = windows_.form(formName(slot));
    if (!ShapeWindowToPicture(f, slot)) return;
    const double s = state_.Scale.x;
    const Placement& p = kPlacements[static_cast<std::size_t>(slot)];
    ui::Control& label = f.at("labPhrase");
    label.caption = "  ";
    const bool small = s < 1;
    label.move(scaled(small ? p.labelLeftSmall : p.labelLeft, s) / tw,
               scaled(small ? p.labelTopSmall : p.labelTop, s) / tw);
    // Out of sight until the first phrase; slot 5 waits at its shown place.
    const int shownLeft = table_.left + scaled(small ? p.leftSmall : p.left, s);
    const int shownTop = table_.top + scaled(p.top, s);
    switch (slot) {
        case 0:
        case 1:
            f.left = -f.width;
            f.top = shownTop;
            break;
        case 2:
            f.left = -f.width - scaled(500, s);
            f.top = -f.height;
            break;
        case 3:
        case 4:
            f.left = shownLeft;
            f.top = -f.height;
            break;
        default:
            f.left = shownLeft;
            f.top = shownTop;
            break;
    }
    f.topmost = true;
    f.show();
}

bool SpeechBubbles::ShapeWindowToPicture(ui::Form& f, int slot) {
    ui::PicturePtr picture = pictures_.design("imgSpeakBox" + std::to_string(slot));
    if (!picture) return false;
    f.caption = "speakbox";
    f.tag = "speak" + std::to_string(slot);
    // A bubble shows beside the table and never takes the keyboard from the chat
    // input.
    f.acceptsFocus = false;
    f.picture = picture;
    f.opacity = 255;  // not layered until its first fade tick
    f.width = picture->width * tw;
    f.height = picture->height * tw;
    f.visible = false;
    ui::Control& label = f.add("labPhrase", ui::ControlKind::kLabel);
    label.width = kLabelWidth / tw;
    label.height = kLabelHeight / tw;
    label.transparent = true;
    label.font.name = "宋体";
    label.font.size = 10.5;
    label.foreColor = 0x202020;
    // The outline: every pixel that differs from the top-left pixel's colour.
    f.region.clear();
    if (std::optional<Pixels> px = picturePixels(*picture); px && px->width > 0 && px->height > 0)
        f.region = regionOf(*px, f.width / tw, f.height / tw, px->at(0, 0));
    return true;
}

void SpeechBubbles::showMe(int seat, const std::string& phrase, std::int16_t perc,
                           std::int16_t fadeIn, std::int16_t fadeOut, std::int16_t showTime) {
    ui::Form* f = window(seat);
    if (!f) return;
    const double s = state_.Scale.x;
    const Placement& p = kPlacements[static_cast<std::size_t>(seat)];
    f->left = table_.left + scaled(s < 1 ? p.leftSmall : p.left, s);
    f->top = table_.top + scaled(p.top, s);
    Bubble& b = bubbles_[static_cast<std::size_t>(seat)];
    b.perc = perc;
    b.fadeIn = fadeIn;
    b.fadeOut = fadeOut;
    b.showTime = showTime;
    f->at("labPhrase").caption = phrase;
    b.tmrFadeIn->setEnabled(true);
    b.counter = 0;
}

// One tick: the counter climbs by fadeIn; below the peak it is the opacity; once
// past the peak and the hold, the opacity falls by fadeOut until the bubble is
// gone.
void SpeechBubbles::fadeTick(int slot) {
    Bubble& b = bubbles_[static_cast<std::size_t>(slot)];
    ui::Form* f = window(slot);
    if (!f) {
        b.tmrFadeIn->setEnabled(false);
        return;
    }
    b.counter = static_cast<std::int16_t>(b.counter + b.fadeIn);
    if (b.counter < b.perc) SetWindowAlpha(*f, b.counter);
    if (b.counter > b.perc + b.showTime) {
        b.perc = static_cast<std::int16_t>(b.perc - b.fadeOut);
        SetWindowAlpha(*f, b.perc);
        if (b.perc <= 1) {
            b.tmrFadeIn->setEnabled(false);
            f->at("labPhrase").caption.clear();
            f->left = -2 * f->width;
        }
    }
}

void SpeechBubbles::SetWindowAlpha(ui::Form& f, int opacity) {
    if (opacity >= 0 && opacity <= 255) f.opacity = opacity;
}

void SpeechBubbles::hideAll() {
    for (ui::Form* f : windows_.forms())
        if (f->caption == "speakbox") f->hide();
}

void SpeechBubbles::resetAll() {
    for (int slot = 0; slot < 6; ++slot) {
        ui::Form* f = windows_.find(formName(slot));
        if (!f || f->caption != "speakbox") continue;
        bubbles_[static_cast<std::size_t>(slot)].tmrFadeIn->setEnabled(false);
        SetWindowAlpha(*f, 0);
        f->hide();
        f->topmost = true;
    }
}

void SpeechBubbles::closeAll() {
    for (int slot = 0; slot < 6; ++slot) {
        bubbles_[static_cast<std::size_t>(slot)].tmrFadeIn->setEnabled(false);
        if (ui::Form* f = window(slot)) f->unload();
    }
}

}  // namespace chat
