// ucAniGIF: construction, the properties and the saved properties.
#include "gif/ani_gif.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace gif {

namespace {

constexpr int kDefaultMinFrameDelay = 50;
constexpr int kDefaultStretch = 1;
constexpr int kCustomPointer = 99;

}  // namespace

ucAniGIF::ucAniGIF(ui::Control& control, platform::EventLoop& loop,
                   platform::PictureDecoder& pictures, platform::NetworkFetch& fetch)
    : control_(control),
      pictures_(pictures),
      fetch_(fetch),
      frameTimer_(loop, 0, [this] { tick(); }),
      decodeTimer_(loop, kDeferredDecodeMs, [this] { decodeRest(); }) {
    // The control's picture is already the drawn size: the image shows it 1:1.
    control_.stretch = false;
}

ucAniGIF::~ucAniGIF() = default;

void ucAniGIF::setStretch(int newScale) {
    if (newScale < 0 || newScale > 4) return;
    stretch_ = newScale;
    if (FrameCount() == 0) return;
    refit();
    paint();
}

void ucAniGIF::setMinFrameDelay(int ms) {
    minFrameDelay_ = std::clamp(ms, kMinFrameDelayLow, kMinFrameDelayHigh);
}

void ucAniGIF::setLoops(int n) { loops_ = n == INT_MIN ? INT_MAX : std::abs(n); }

int ucAniGIF::LoopsRemaining() const {
    if (FrameCount() == 0) return -1;
    return loops_ == 0 ? 0 : loops_ - passes_;
}

void ucAniGIF::setDelayAnimation(int bits) {
    if (bits < 0 || bits > 3) return;
    delayAnimation_ = bits;
}

void ucAniGIF::setMouseIcon(const ui::PicturePtr& MousePic) {
    mouseIcon_ = MousePic;
    if (MousePic) control_.mousePointer = kCustomPointer;
}

void ucAniGIF::resize(double width, double height) {
    control_.width = width;
    control_.height = height;
    if (FrameCount() == 0) return;
    refit();
    paint();
}

void ucAniGIF::ReadProperties(const PropertyBag& bag) {
    setMinFrameDelay(bag.read("Delay", kDefaultMinFrameDelay));
    setStretch(bag.read("Stretch", kDefaultStretch));
    int delayLoad = bag.read("DelayLoad", kShowFirstFrameEarly);
    setDelayAnimation(delayLoad == -1 ? kShowFirstFrameEarly : delayLoad);
    setMirrored(bag.read("Mirror", 0));
    setMouseIcon(bag.read("MouseIcon", ui::PicturePtr()));
    setMousePointer(bag.read("MousePointer", 0));
    setEnabled(bag.read("Enabled", true));
    const auto bytes = bag.read("GIF", std::vector<std::uint8_t>());
    if (!bytes.empty()) LoadAnimatedGIF_Array(bytes);
    // A saved count is the designer's choice; without one the file's own count stays.
    if (bag.values.count("Loops")) setLoops(bag.read("Loops", 0));
}

void ucAniGIF::WriteProperties(PropertyBag& bag) const {
    bag.write("GIF", bytes_, std::vector<std::uint8_t>());
    bag.write("Delay", minFrameDelay_, kDefaultMinFrameDelay);
    bag.write("Stretch", stretch_, kDefaultStretch);
    bag.write("Loops", loops_, 0);
    bag.write("DelayLoad", delayAnimation_, kShowFirstFrameEarly);
    bag.write("Mirror", mirrored_, 0);
    bag.write("MouseIcon", mouseIcon_, ui::PicturePtr());
    bag.write("MousePointer", control_.mousePointer, 0);
    bag.write("Enabled", control_.enabled, true);
}

}  // namespace gif
