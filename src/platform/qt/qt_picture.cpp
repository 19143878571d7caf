#include "platform/qt/qt_picture.h"

#include <memory>

namespace platform {

ui::PicturePtr makePicture(QImage image, const std::string& key) {
    auto p = std::make_shared<ui::Picture>();
    p->width = image.width();
    p->height = image.height();
    p->key = key;
    p->native =
        std::make_shared<const QImage>(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    return p;
}

ui::PicturePtr QtPictureDecoder::decode(const std::vector<std::uint8_t>& bytes,
                                        const std::string& key) {
    QImage img;
    if (!img.loadFromData(bytes.data(), static_cast<int>(bytes.size()))) return nullptr;
    ui::PicturePtr p = makePicture(std::move(img), key);
    if (looksLikeGif(bytes)) {
        auto withFile = std::make_shared<ui::Picture>(*p);
        withFile->stored = std::make_shared<const std::vector<std::uint8_t>>(bytes);
        p = std::move(withFile);
    }
    return p;
}

ui::PicturePtr QtPictureDecoder::fromPixels(int width, int height, const std::uint32_t* argb,
                                            const std::string& key) {
    // Wraps the caller's pixels; makePicture's conversion makes the picture's own copy.
    QImage view(reinterpret_cast<const uchar*>(argb), width, height, width * 4,
                QImage::Format_ARGB32);
    return makePicture(view, key);
}

}  // namespace platform
