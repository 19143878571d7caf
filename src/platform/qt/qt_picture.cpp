#include "platform/qt/qt_picture.h"

#include <memory>

namespace platform {

ui::PicturePtr makePicture(QImage image, const std::string& key) {
    auto p = std::make_shared<ui::Picture>();
    p->width = image.width();
    p->height = image.height();
    p->key = key;
    p->native = std::make_shared<const QImage>(
        image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    return p;
}

ui::PicturePtr QtPictureDecoder::decode(const std::vector<std::uint8_t>& bytes,
                                        const std::string& key) {
    QImage img;
    if (!img.loadFromData(bytes.data(), static_cast<int>(bytes.size()))) return nullptr;
    return makePicture(std::move(img), key);
}

}  // namespace platform
