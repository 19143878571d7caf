#pragma once
// Pictures in the Qt adapter carry a QImage as their native pixels.
#include <QImage>

#include "platform/picture_decoder.h"

namespace platform {

inline const QImage* nativeImage(const ui::PicturePtr& p) {
    return p ? static_cast<const QImage*>(p->native.get()) : nullptr;
}

ui::PicturePtr makePicture(QImage image, const std::string& key);

class QtPictureDecoder : public PictureDecoder {
  public:
    ui::PicturePtr decode(const std::vector<std::uint8_t>& bytes, const std::string& key) override;
    ui::PicturePtr fromPixels(int width, int height, const std::uint32_t* argb,
                              const std::string& key) override;
};

}  // namespace platform
