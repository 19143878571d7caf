#pragma once
// The frame strip: every frame's colour indices (8 bits a pixel, not colours) in
// one bitmap, the frames side by side at their strip offsets, as high as the
// tallest frame.
#include <cstdint>
#include <span>
#include <vector>

#include "gif/gif_file.h"

namespace gif {

class FrameStrip {
  public:
    void reset(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }

    // Row y of frame f (f.width indices).
    std::uint8_t* row(const FrameRecord& f, int y) {
        return pixels_.data() + index(f.stripOffset, y);
    }
    const std::uint8_t* row(const FrameRecord& f, int y) const {
        return pixels_.data() + index(f.stripOffset, y);
    }

    // Mirrors frame f's own pixels in place.
    void flip(const FrameRecord& f, bool leftRight, bool topBottom);

    // Decodes frame f's image data (giflib does the LZW) into its place. Rows the data
    // does not reach, when it is corrupt or short, hold the frame's transparent index,
    // or 0 when the frame has none.
    void decode(std::span<const std::uint8_t> file, const FrameRecord& f);

  private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace gif
