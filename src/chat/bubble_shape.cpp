#include "chat/bubble_shape.h"

#include <algorithm>

#include "gif/composition.h"
#include "gif/frame_strip.h"
#include "gif/gif_file.h"

namespace chat {

std::optional<Pixels> picturePixels(const ui::Picture& picture) {
    if (!picture.stored) return std::nullopt;
    const std::vector<std::uint8_t>& file = *picture.stored;
    gif::GifFile g = gif::parseGif(file);
    if (g.frames.empty() || g.width <= 0 || g.height <= 0) return std::nullopt;
    const gif::FrameRecord& f = g.frames.front();
    gif::FrameStrip strip;
    strip.reset(g.stripWidth, g.stripHeight);
    strip.decode(file, f);
    gif::Composition comp;
    comp.reset(g.width, g.height, g.anyTransparent);
    const std::size_t palette = static_cast<std::size_t>(f.palette);
    if (palette >= g.palettes.size()) return std::nullopt;
    comp.draw(f, strip, g.palettes[palette]);
    return Pixels{comp.width(), comp.height(), comp.pixels()};
}

std::vector<ui::Rect> regionOf(const Pixels& pixels, int w, int h, std::uint32_t background) {
    std::vector<ui::Rect> region;
    w = std::min(w, pixels.width);
    h = std::min(h, pixels.height);
    for (int y = 0; y < h; ++y) {
        int start = -1;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t colour = pixels.at(x, y);
            if (colour != background && start < 0) start = x;
            if (start >= 0 && (x == w - 1 || colour == background)) {
                if (x > start) region.push_back({start, y, x - start, 1});
                start = -1;
            }
        }
    }
    return region;
}

}  // namespace chat
