#pragma once
// Reads only the picture size from GIF and JPEG headers: enough for the model,
// which holds sizes and identities, never pixels. Pictures made from composed
// pixels keep them, so that tests can look at what a control shows.
#include "platform/picture_decoder.h"

namespace platform {

// The pixels of a picture the fake made with fromPixels.
struct FakePixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
    std::uint32_t at(int x, int y) const {
        return argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)];
    }
};

// Null for decoded pictures and for pictures of the Qt adapter.
inline const FakePixels* fakePixels(const ui::PicturePtr& p) {
    return p && p->key.rfind("pixels:", 0) == 0 ? static_cast<const FakePixels*>(p->native.get())
                                                : nullptr;
}

class FakePictureDecoder : public PictureDecoder {
  public:
    ui::PicturePtr decode(const std::vector<std::uint8_t>& bytes, const std::string& key) override;
    ui::PicturePtr fromPixels(int width, int height, const std::uint32_t* argb,
                              const std::string& key) override;
    int decodes = 0;   // how many times decode was asked: caches are checked with it
    int composed = 0;  // how many pictures were made from pixels
};

}  // namespace platform
