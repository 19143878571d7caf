#pragma once
// A bubble window's outline from its picture: the picture's pixels and the region
// of the pixels that differ from the background colour, row by row.
#include <cstdint>
#include <optional>
#include <vector>

#include "ui/form.h"
#include "ui/picture.h"

namespace chat {

struct Pixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> argb;  // row-major
    std::uint32_t at(int x, int y) const {
        return argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)];
    }
};

// The pixels of a picture decoded from a GIF file (its first frame); nullopt for a
// picture without its stored file or one that does not decode.
std::optional<Pixels> picturePixels(const ui::Picture& picture);

// One rectangle per run of pixels whose colour differs from `background` on each
// row of the w x h area (w and h at most the picture's size). A run that reaches
// the last column ends before it, so the rightmost column never belongs to the
// region.
std::vector<ui::Rect> regionOf(const Pixels& pixels, int w, int h, std::uint32_t background);

}  // namespace chat
