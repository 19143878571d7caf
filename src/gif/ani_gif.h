#pragma once
// ucAniGIF: the control that plays an animated GIF given as bytes. It reads the
// file's records, decodes every frame's colour indices once into the frame strip,
// and on each tick of its own timer composes the current frame (disposal and
// transparency) and shows it as the picture of its image control, fitted by
// Stretch, for `loops` passes.
//
// The image control is the one the form holds; the control keeps its picture and,
// when the fit says so, its size. Mouse events reach the form's handlers of that
// control as for any image, over the whole rectangle, transparent parts included.
// Show and hide it through setVisible so that hiding pauses the animation.
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "gif/composition.h"
#include "gif/fitting.h"
#include "gif/frame_strip.h"
#include "gif/gif_file.h"
#include "gif/property_bag.h"
#include "platform/event_loop.h"
#include "platform/network_fetch.h"
#include "platform/picture_decoder.h"
#include "ui/control.h"

namespace gif {

// Play states as Action reads them.
enum PlayState { kStopped = 0, kPlaying = 1, kPaused = 2 };

// Action values.
enum ActionCode {
    kActionStop = 0,
    kActionPlay = 1,
    kActionPause = 2,
    kActionStep = 3,
    kActionRestart = 4
};

// DelayAnimation bits.
constexpr int kShowFirstFrameEarly = 1;  // frame 1 at once, the others decoded 20 ms later
constexpr int kDoNotStart = 2;           // a load does not start playing

// Mirrored bits.
constexpr int kMirrorLeftRight = 1;
constexpr int kMirrorTopBottom = 2;

constexpr int kMinFrameDelayLow = 10;
constexpr int kMinFrameDelayHigh = 32700;
constexpr int kDeferredDecodeMs = 20;

class ucAniGIF {
  public:
    ucAniGIF(ui::Control& control, platform::EventLoop& loop, platform::PictureDecoder& pictures,
             platform::NetworkFetch& fetch);
    ~ucAniGIF();
    ucAniGIF(const ucAniGIF&) = delete;
    ucAniGIF& operator=(const ucAniGIF&) = delete;

    ui::Control& control() { return control_; }

    // Loading. Each load stops, frees the previous file, resets the overall size,
    // `loops` and the fit, reads the new file and, unless DelayAnimation says not to,
    // starts playing. True when at least one frame was loaded.
    bool LoadAnimatedGIF_Array(std::span<const std::uint8_t> bytes);
    // A path that does not exist loads nothing: the control is left empty.
    bool LoadAnimatedGIF_File(const std::string& path);
    // Downloads in the background; the result arrives as RemoteGIFValidated (then the
    // load, unless the handler cancels) or RemoteGIFFailed. A second call drops a
    // download still in flight.
    void LoadAnimatedGIF_Remote(const std::string& RemotePath);
    // The frame now shown, as a picture; null when nothing is shown.
    ui::PicturePtr AnimatedGIF() const;
    // Loads the picture's stored GIF file like LoadAnimatedGIF_Array; null clears.
    void setAnimatedGIF(const ui::PicturePtr& picture);

    int FrameCount() const { return static_cast<int>(file_.frames.size()); }
    int ActualWidth() const { return file_.width; }
    int ActualHeight() const { return file_.height; }
    int currentFrame() const { return current_; }  // 0 = none shown

    int Stretch() const { return stretch_; }
    void setStretch(int newScale);  // 0..4, other values ignored
    int MinFrameDelay() const { return minFrameDelay_; }
    void setMinFrameDelay(int ms);  // clamped to 10..32700
    int loops() const { return loops_; }
    void setLoops(int n);  // the absolute value is kept
    int LoopsRemaining() const;
    int Mirrored() const { return mirrored_; }
    void setMirrored(int MirrorStyle);  // 0..3, other values ignored
    int Action() const { return state_; }
    void setAction(int action);  // 0..4; only with a file loaded
    int DelayAnimation() const { return delayAnimation_; }
    void setDelayAnimation(int bits);  // 0..3, other values ignored
    bool Enabled() const { return control_.enabled; }
    void setEnabled(bool Enable) { control_.enabled = Enable; }
    ui::PicturePtr MouseIcon() const { return mouseIcon_; }
    void setMouseIcon(const ui::PicturePtr& MousePic);  // an icon makes the pointer custom
    int MousePointer() const { return control_.mousePointer; }
    void setMousePointer(int Pointer) { control_.mousePointer = Pointer; }
    void Refresh() { paint(); }

    bool visible() const { return control_.visible; }
    // Hiding pauses a playing animation; showing resumes what the hiding paused.
    void setVisible(bool on);
    // The container sizes the control through here so that the fit follows.
    void resize(double width, double height);

    // Saved properties: "GIF", "Delay", "Stretch", "Loops", "DelayLoad", "Mirror",
    // "MouseIcon", "MousePointer", "Enabled".
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Events.
    std::function<void()> onLoopsCompleted;
    std::function<void(int gifWidth, int gifHeight, bool& Cancel)> onRemoteGIFValidated;
    std::function<void()> onRemoteGIFFailed;
    std::function<void(int frame)> onLastFrameShown;

  private:
    // Loading and decoding.
    void clear();
    bool load(std::vector<std::uint8_t> bytes);
    void decodeFrame(std::size_t i);
    void decodeRest();
    void ensureDecoded();
    void remoteDone(bool ok, const std::vector<std::uint8_t>& body);

    // kPlaying.
    void start();
    void stopPlaying();
    void stopTimer() { frameTimer_.setEnabled(false); }
    void arm();
    void tick();
    void advance() { current_ = current_ >= FrameCount() ? 1 : current_ + 1; }

    // Showing.
    void refit();
    void paint();

    ui::Control& control_;
    platform::PictureDecoder& pictures_;
    platform::NetworkFetch& fetch_;
    platform::Timer frameTimer_;
    platform::Timer decodeTimer_;
    std::unique_ptr<platform::NetworkFetch::Request> download_;

    // The file: its bytes (kept for the saved properties and the deferred decode),
    // its records, the strip of decoded indices and the composition.
    std::vector<std::uint8_t> bytes_;
    GifFile file_;
    FrameStrip strip_;
    std::vector<bool> decoded_;
    Composition composition_;
    Fit fit_;  // the scale of the display, fixed at the load, the resize and the Stretch change

    int current_ = 0;
    int passes_ = 0;
    PlayState state_ = kStopped;
    bool pausedByHide_ = false;
    unsigned generation_ = 0;  // changes with every load and clear

    int stretch_ = 1;
    int minFrameDelay_ = 50;
    int loops_ = 0;
    int mirrored_ = 0;
    int delayAnimation_ = kShowFirstFrameEarly;
    ui::PicturePtr mouseIcon_;
};

}  // namespace gif
