#pragma once
// The composition: the animation as it stands after the frames drawn so far, at
// the overall size, as 0xAARRGGBB. Alpha 0 is the mask's transparent part, where
// the control's background shows: pixels no frame has covered yet and, when any
// frame of the file is transparent, what disposal 2 cleared.
#include <cstdint>
#include <vector>

#include "gif/frame_strip.h"
#include "gif/gif_file.h"

namespace gif {

class Composition {
  public:
    // Empty at width x height. clearShowsBackground: disposal 2 clears to the
    // background (the file has a mask) rather than to black.
    void reset(int width, int height, bool clearShowsBackground);
    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }

    // Draws frame f at its rectangle with its palette; where the frame is
    // transparent, what lies below stays.
    void draw(const FrameRecord& f, const FrameStrip& strip, const Palette& palette);
    // Disposal 2: frame f's rectangle cleared.
    void clear(const FrameRecord& f);
    // Disposal 3: saved before the frame is drawn, put back after it was shown.
    void save() { saved_ = pixels_; }
    void restore();
    void flip(bool leftRight, bool topBottom);

  private:
    std::uint32_t* row(int y) {
        return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }

    int width_ = 0;
    int height_ = 0;
    bool clearShowsBackground_ = false;
    std::vector<std::uint32_t> pixels_;
    std::vector<std::uint32_t> saved_;
};

}  // namespace gif
