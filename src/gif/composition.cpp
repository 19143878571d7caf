#include "gif/composition.h"

#include <algorithm>

namespace gif {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000;

void flipPixels(std::vector<std::uint32_t>& px, int width, int height, bool leftRight,
                bool topBottom) {
    if (px.empty()) return;
    auto row = [&](int y) { return px.begin() + static_cast<long>(y) * width; };
    if (leftRight)
        for (int y = 0; y < height; ++y) std::reverse(row(y), row(y) + width);
    if (topBottom)
        for (int y = 0; y < height / 2; ++y)
            std::swap_ranges(row(y), row(y) + width, row(height - 1 - y));
}

}  // namespace

void Composition::reset(int width, int height, bool clearShowsBackground) {
    width_ = width;
    height_ = height;
    clearShowsBackground_ = clearShowsBackground;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    saved_.clear();
}

void Composition::draw(const FrameRecord& f, const FrameStrip& strip, const Palette& palette) {
    const int w = std::min(f.width, width_ - f.left), h = std::min(f.height, height_ - f.top);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src = strip.row(f, y);
        std::uint32_t* dst = row(f.top + y) + f.left;
        for (int x = 0; x < w; ++x) {
            const std::uint8_t i = src[x];
            if (f.transparent && i == f.transparentIndex) continue;
            dst[x] = kOpaque | palette.colors[i];
        }
    }
}

void Composition::clear(const FrameRecord& f) {
    const std::uint32_t cleared = clearShowsBackground_ ? 0 : kOpaque;
    const int w = std::min(f.width, width_ - f.left), h = std::min(f.height, height_ - f.top);
    for (int y = 0; y < h; ++y) std::fill_n(row(f.top + y) + f.left, w, cleared);
}

void Composition::restore() {
    if (saved_.size() == pixels_.size()) pixels_ = saved_;
}

void Composition::flip(bool leftRight, bool topBottom) {
    flipPixels(pixels_, width_, height_, leftRight, topBottom);
    flipPixels(saved_, width_, height_, leftRight, topBottom);
}

}  // namespace gif
