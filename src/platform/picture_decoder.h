#pragma once
// Picture decoding seam: GIF and JPEG bytes to a picture the adapter can draw.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/picture.h"

namespace platform {

class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;
    // Null when the bytes are not a picture.
    virtual ui::PicturePtr decode(const std::vector<std::uint8_t>& bytes,
                                  const std::string& key) = 0;
};

}  // namespace platform
