#pragma once
// Picture seam: GIF and JPEG bytes to a picture the adapter can draw, and pixels
// the behaviour code composed (an animation's current frame) to such a picture.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/picture.h"

namespace platform {

class PictureDecoder {
  public:
    virtual ~PictureDecoder() = default;
    // Null when the bytes are not a picture. A picture decoded from GIF data keeps
    // the bytes as its stored form.
    virtual ui::PicturePtr decode(const std::vector<std::uint8_t>& bytes,
                                  const std::string& key) = 0;
    // A picture of width x height from row-major 0xAARRGGBB pixels (alpha not
    // premultiplied: 0 shows what lies behind, 255 covers it).
    virtual ui::PicturePtr fromPixels(int width, int height, const std::uint32_t* argb,
                                      const std::string& key) = 0;
};

// Whether the bytes start like a GIF file: such pictures keep their stored form.
inline bool looksLikeGif(const std::vector<std::uint8_t>& b) {
    return b.size() >= 6 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8';
}

}  // namespace platform
