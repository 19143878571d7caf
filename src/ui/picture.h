#pragma once
// A decoded picture as the control model holds it. The pixels live in whatever the
// platform's picture decoder made (the Qt adapter keeps a QImage); the model only
// needs the size and an identity to tell whether a control's picture changed.
#include <memory>
#include <string>

namespace ui {

struct Picture {
    int width = 0;
    int height = 0;
    std::string key;                    // where it came from ("res:330", "design:Pic1", ...)
    std::shared_ptr<const void> native; // adapter-owned pixels; null in the fake adapter
};

using PicturePtr = std::shared_ptr<const Picture>;

}  // namespace ui
