#pragma once
// How the animation fits the control (the Stretch modes) and the halftone
// scaling of the composition to the drawn size.
#include <cstdint>
#include <vector>

namespace gif {

struct Fit {
    int drawnWidth = 0;
    int drawnHeight = 0;
    bool clipped = false;  // mode 0: the top-left part at scale 1, no scaling
};

// stretch 0..4 with the control's size W x H and the animation's overall size w x h:
//   0  scale 1, min(W, w) x min(H, h), clipped
//   1  min(W/w, H/h) in both directions, rounded scale x w, scale x h
//   2  W/w and H/h separately: W x H
//   3  as 1, but never enlarging
//   4  scale 1: w x h
Fit fitAnimation(int stretch, double W, double H, int w, int h);

// Whether a load (or a change of mode) makes the control take the drawn size.
inline bool resizesControl(int stretch) { return stretch == 1 || stretch == 3 || stretch == 4; }

// The picture shown: the composition (w x h, 0xAARRGGBB) at the fitted size. Scaling
// averages the source area under each drawn pixel, weighted by coverage and alpha.
std::vector<std::uint32_t> fitPixels(const std::vector<std::uint32_t>& src, int w, int h,
                                     const Fit& fit);

}  // namespace gif
