// ucAniGIF: the frame timer, the actions, hiding and showing, and painting the
// current frame as the control's picture.
#include <algorithm>
#include <string>

#include "gif/ani_gif.h"

namespace gif {

void ucAniGIF::start() {
    if (FrameCount() <= 1) return;
    ensureDecoded();
    pausedByHide_ = false;
    state_ = kPlaying;
    arm();
}

// One shot: the current frame stays its own delay, but at least MinFrameDelay.
void ucAniGIF::arm() {
    const int delay =
        current_ >= 1 ? file_.frames[static_cast<std::size_t>(current_ - 1)].delayMs : 0;
    stopTimer();
    frameTimer_.setInterval(std::max(delay, minFrameDelay_));
    frameTimer_.setEnabled(true);
}

// Action 0: nothing is shown.
void ucAniGIF::stopPlaying() {
    stopTimer();
    passes_ = 0;
    current_ = 0;
    state_ = kStopped;
    pausedByHide_ = false;
    paint();
}

void ucAniGIF::tick() {
    stopTimer();
    if (FrameCount() <= 1) {
        state_ = kStopped;
        return;
    }
    const bool wrapped = current_ >= FrameCount();
    advance();
    if (wrapped && loops_ != 0 && ++passes_ >= loops_) {
        stopPlaying();
        if (onLoopsCompleted) onLoopsCompleted();
        return;
    }
    const unsigned generation = generation_;
    paint();
    // A handler of the paint may have loaded, paused or restarted the control.
    if (generation == generation_ && state_ == kPlaying && !frameTimer_.enabled()) arm();
}

void ucAniGIF::setAction(int action) {
    if (FrameCount() == 0) return;
    switch (action) {
        case kActionStop:
            stopPlaying();
            break;
        case kActionPlay:
            start();
            break;
        case kActionPause:
            if (state_ == kPlaying) {
                stopTimer();
                state_ = kPaused;
                pausedByHide_ = false;
            }
            break;
        case kActionStep:
            ensureDecoded();
            stopTimer();
            advance();
            state_ = kPaused;
            pausedByHide_ = false;
            paint();
            break;
        case kActionRestart: {
            ensureDecoded();
            stopTimer();
            passes_ = 0;
            current_ = 1;
            state_ = kStopped;
            pausedByHide_ = false;
            const unsigned generation = generation_;
            paint();
            if (generation == generation_) start();
            break;
        }
        default:
            break;
    }
}

void ucAniGIF::setVisible(bool on) {
    control_.visible = on;
    // A hide between a load and its deferred start pauses as one after the start.
    const bool startPending = decodeTimer_.enabled() && !(delayAnimation_ & kDoNotStart);
    if (!on && (state_ == kPlaying || startPending)) {
        stopTimer();
        state_ = kPaused;
        pausedByHide_ = true;
    } else if (on && pausedByHide_) {
        start();
    }
}

void ucAniGIF::refit() {
    fit_ = fitAnimation(stretch_, control_.width, control_.height, file_.width, file_.height);
    if (resizesControl(stretch_)) {
        control_.width = fit_.drawnWidth;
        control_.height = fit_.drawnHeight;
    }
}

void ucAniGIF::setMirrored(int MirrorStyle) {
    if (MirrorStyle < 0 || MirrorStyle > 3) return;
    const int change = mirrored_ ^ MirrorStyle;
    mirrored_ = MirrorStyle;
    if (change == 0 || FrameCount() == 0) return;
    const bool leftRight = change & kMirrorLeftRight, topBottom = change & kMirrorTopBottom;
    for (std::size_t i = 0; i < file_.frames.size(); ++i) {
        FrameRecord& f = file_.frames[i];
        if (decoded_[i]) strip_.flip(f, leftRight, topBottom);
        if (leftRight) f.left = file_.width - (f.left + f.width);
        if (topBottom) f.top = file_.height - (f.top + f.height);
    }
    composition_.flip(leftRight, topBottom);
    paint();
}

// Frame k into the composition, the composition at the fitted size as the control's
// picture, then frame k's own disposal for the frame after it.
void ucAniGIF::paint() {
    if (current_ < 1 || current_ > FrameCount()) {
        control_.picture = nullptr;
        return;
    }
    const std::size_t k = static_cast<std::size_t>(current_ - 1);
    decodeFrame(k);
    const FrameRecord& f = file_.frames[k];
    if (f.disposal == 3) composition_.save();
    composition_.draw(f, strip_, file_.palettes[static_cast<std::size_t>(f.palette)]);
    std::vector<std::uint32_t> shown =
        fitPixels(composition_.pixels(), file_.width, file_.height, fit_);
    control_.picture = shown.empty() ? nullptr
                                     : pictures_.fromPixels(
                                           fit_.drawnWidth, fit_.drawnHeight, shown.data(),
                                           "gif:" + control_.name + ":" + std::to_string(current_));
    if (f.disposal == 2)
        composition_.clear(f);
    else if (f.disposal == 3)
        composition_.restore();
    if (current_ == FrameCount() && onLastFrameShown) onLastFrameShown(current_);
}

}  // namespace gif
