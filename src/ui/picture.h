#pragma once
// A decoded picture as the control model holds it. The pixels live in whatever the
// platform's picture decoder made (the Qt adapter keeps a QImage); the model only
// needs the size and an identity to tell whether a control's picture changed.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ui {

struct Picture {
    int width = 0;
    int height = 0;
    std::string key;                     // where it came from ("res:330", "design:Pic1", ...)
    std::shared_ptr<const void> native;  // adapter-owned pixels
    // The picture's stored form: the GIF file it was decoded from, kept so that an
    // animated-picture control can be given the picture and play the whole file.
    // Null for pictures of other kinds.
    std::shared_ptr<const std::vector<std::uint8_t>> stored;
};

using PicturePtr = std::shared_ptr<const Picture>;

}  // namespace ui
