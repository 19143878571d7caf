#include "platform/fake/fake_picture_decoder.h"

#include <cstring>
#include <memory>

namespace platform {

namespace {

bool gifSize(const std::vector<std::uint8_t>& b, int& w, int& h) {
    if (b.size() < 10 || std::memcmp(b.data(), "GIF8", 4) != 0) return false;
    w = b[6] | (b[7] << 8);
    h = b[8] | (b[9] << 8);
    return true;
}

bool jpegSize(const std::vector<std::uint8_t>& b, int& w, int& h) {
    if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8) return false;
    std::size_t i = 2;
    while (i + 9 < b.size()) {
        if (b[i] != 0xFF) return false;
        std::uint8_t marker = b[i + 1];
        std::size_t len = (b[i + 2] << 8) | b[i + 3];
        bool sof =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (sof) {
            h = (b[i + 5] << 8) | b[i + 6];
            w = (b[i + 7] << 8) | b[i + 8];
            return true;
        }
        i += 2 + len;
    }
    return false;
}

}  // namespace

ui::PicturePtr FakePictureDecoder::decode(const std::vector<std::uint8_t>& bytes,
                                          const std::string& key) {
    ++decodes;
    int w = 0, h = 0;
    if (!gifSize(bytes, w, h) && !jpegSize(bytes, w, h)) return nullptr;
    auto p = std::make_shared<ui::Picture>();
    p->width = w;
    p->height = h;
    p->key = key;
    if (looksLikeGif(bytes)) p->stored = std::make_shared<const std::vector<std::uint8_t>>(bytes);
    return p;
}

ui::PicturePtr FakePictureDecoder::fromPixels(int width, int height, const std::uint32_t* argb,
                                              const std::string& key) {
    ++composed;
    auto pixels = std::make_shared<FakePixels>();
    pixels->width = width;
    pixels->height = height;
    pixels->argb.assign(argb,
                        argb + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    auto p = std::make_shared<ui::Picture>();
    p->width = width;
    p->height = height;
    p->key = "pixels:" + key;
    p->native = std::move(pixels);
    return p;
}

}  // namespace platform
