// The enlarged video windows frm_Local (slot 0) and frm_Remote1..frm_Remote5:
// borderless, always on top, dragged by their surface, in three sizes, with a
// close, a larger and a smaller button along the top.
#include "video/video.h"

namespace video {

namespace {

struct Twips {
    double width, height;
};
// Small, normal (on opening), large; multiplied by the display scale.
constexpr Twips kSizes[] = {{2625, 2070}, {4140, 3225}, {6510, 5115}};
// The display sits 150 twips from the left and 240 from the top and leaves a
// margin of 150 on the right and 105 at the bottom (3840 x 2880 at the normal size).
constexpr double kDisplayLeft = 150, kDisplayTop = 240, kDisplayRight = 150, kDisplayBottom = 105;
constexpr double kButtonWidth = 225, kButtonHeight = 240;
constexpr int kToolbarClose = 10;  // ToolbarIconPictureIds 10..12: close, larger, smaller

// Where an enlarged window opens: fractions of the table window's height and
// width added to the position that centres it on the table window.
struct Placement {
    double top, left;
};
constexpr Placement kPlacement[6] = {{0.2, -0.2},  {-0.2, -0.25}, {-0.2, 0},
                                     {-0.2, 0.25}, {-0.2, 0.25},  {-0.2, 0.25}};

}  // namespace

std::string Video::zoomWindowName(int slot) {
    return slot == 0 ? "frm_Local" : "frm_Remote" + std::to_string(slot);
}

ui::Form& Video::zoomWindow(int slot) {
    const std::string name = zoomWindowName(slot);
    if (ui::Form* existing = windows_.find(name)) return *existing;
    ui::Form& w = windows_.form(name);
    w.framed = false;
    w.backColor = 0x000000;
    ui::Control& back = w.add("ImgBack", ui::ControlKind::kImage);
    back.stretch = true;
    ui::Control& display = w.add("vshow1", ui::ControlKind::kPictureBox);
    display.backColor = 0x000000;
    for (int b = 0; b < 3; ++b) w.add("ImgCmd", ui::ControlKind::kImage, b).stretch = true;
    w.onForm(ui::EventKind::kLoad, [this, slot](ui::Control*, ui::Event&) {
        ui::Form& f = zoomWindow(slot);
        f.topmost = true;
        pictures_.showTablePicture(f.at("ImgBack"), pictures_.ids.VideoFramePictureIds[idx(slot)]);
        for (int b = 0; b < 3; ++b)
            pictures_.showTablePicture(f.at("ImgCmd", b),
                                       pictures_.ids.ToolbarIconPictureIds[idx(kToolbarClose + b)]);
        size_[idx(slot)] = ZoomSize::Normal;
        layOutZoomWindow(slot);
    });
    w.onForm(ui::EventKind::kMouseDown, [this, slot](ui::Control*, ui::Event& e) {
        if (e.button == ui::kLeftButton) zoomWindow(slot).systemMove = true;
    });
    w.on("vshow1", ui::EventKind::kMouseDown, [this, slot](ui::Control*, ui::Event& e) {
        if (e.button == ui::kLeftButton) zoomWindow(slot).systemMove = true;
    });
    w.on("ImgCmd", ui::EventKind::kClick,
         [this, slot](ui::Control* c, ui::Event&) { zoomButton(slot, c->index); });
    return w;
}

void Video::layOutZoomWindow(int slot) {
    ui::Form& w = zoomWindow(slot);
    const double s = state_.Scale.x;
    const Twips size = kSizes[static_cast<int>(size_[idx(slot)])];
    w.width = static_cast<int>(size.width * s);
    w.height = static_cast<int>(size.height * s);
    const double px = ui::kTwipsPerPixel;
    w.at("ImgBack").move(0, 0, w.width / px, w.height / px);
    w.at("vshow1").move(kDisplayLeft * s / px, kDisplayTop * s / px,
                        (w.width - (kDisplayLeft + kDisplayRight) * s) / px,
                        (w.height - (kDisplayTop + kDisplayBottom) * s) / px);
    const double bw = kButtonWidth * s / px, bh = kButtonHeight * s / px;
    // Along the top, right-aligned: smaller, larger, close.
    for (int b = 0; b < 3; ++b)
        w.at("ImgCmd", b).move(w.width / px - kDisplayRight * s / px - (b + 1) * bw, 0, bw, bh);
}

void Video::placeZoomWindow(int slot) {
    ui::Form& w = zoomWindow(slot);
    const double H = table_.height, W = table_.width;
    const double baseTop = table_.top + (H - w.height) / 2;
    const double baseLeft = table_.left + (W - w.width) / 2;
    const Placement& p = kPlacement[idx(slot)];
    w.top = static_cast<int>(baseTop + p.top * H);
    w.left = static_cast<int>(baseLeft + p.left * W);
}

void Video::startZoomDraw(int slot) {
    zoomSlot_ = slot;
    zoomTimer_.setEnabled(false);
    zoomTimer_.setEnabled(true);
}

void Video::toggleZoom(int slot) {
    if (slot < 0 || slot > kPeers) return;
    ui::Form& w = zoomWindow(slot);
    if (w.visible) {
        w.unload();
        return;
    }
    w.show();
    w.topmost = true;
    placeZoomWindow(slot);
    startZoomDraw(slot);
}

void Video::zoomButton(int slot, int button) {
    if (slot < 0 || slot > kPeers) return;
    ZoomSize& size = size_[idx(slot)];
    const ZoomSize before = size;
    if (button == 0) {
        zoomWindow(slot).unload();
        return;
    }
    if (button == 1 && size != ZoomSize::Large)
        size = size == ZoomSize::Small ? ZoomSize::Normal : ZoomSize::Large;
    if (button == 2 && size != ZoomSize::Small)
        size = size == ZoomSize::Large ? ZoomSize::Normal : ZoomSize::Small;
    if (size == before) return;  // larger than large and smaller than small do nothing
    layOutZoomWindow(slot);
    startZoomDraw(slot);
}

}  // namespace video
