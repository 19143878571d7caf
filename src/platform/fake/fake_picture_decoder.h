#pragma once
// Reads only the picture size from GIF and JPEG headers: enough for the model,
// which holds sizes and identities, never pixels.
#include "platform/picture_decoder.h"

namespace platform {

class FakePictureDecoder : public PictureDecoder {
public:
    ui::PicturePtr decode(const std::vector<std::uint8_t>& bytes,
                          const std::string& key) override;
    int decodes = 0;  // how many times decode was asked: caches are checked with it
};

}  // namespace platform
