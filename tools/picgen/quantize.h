#pragma once
// Reduces a picture to at most 256 colours for GIF: an exact palette when the
// picture has few colours, otherwise median cut with error diffusion.
#include <QImage>
#include <cstdint>
#include <vector>

namespace picgen {

struct Indexed {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;  // one palette index per pixel, rows top to bottom
    std::vector<QRgb> palette;         // opaque colours
    int transparentIndex = -1;         // -1: the picture has no transparent pixels
};

// Pixels with alpha below one half become transparent; partly covered pixels
// at edges are blended over `matte`, the colour the picture is usually seen on.
Indexed quantize(const QImage& image, QRgb matte, bool dither);

}  // namespace picgen
