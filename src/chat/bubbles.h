#pragma once
// The speech bubbles: one small top-level window per screen slot (caption
// "speakbox", tag "speak" + slot), shaped to the outline of its bubble picture,
// placed beside the slot's avatar; a phrase fades it in, holds it, fades it out
// and moves it out of sight. A slot's window is made on its first phrase and
// reused after that.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "pictures/pictures.h"
#include "platform/event_loop.h"
#include "state/table_state.h"
#include "ui/window_system.h"

namespace chat {

// The fade timer's interval. The window system's timers tick at its own
// resolution (about 15 ms), however short the interval asked for; the fade is
// counted in ticks, so it keeps that pace here.
constexpr int kFadeTickMs = 15;

class SpeechBubbles {
  public:
    SpeechBubbles(platform::EventLoop& loop, ui::WindowSystem& windows, ui::Form& tableWindow,
                  const state::TableState& state, pictures::Pictures& pictures);
    SpeechBubbles(const SpeechBubbles&) = delete;
    SpeechBubbles& operator=(const SpeechBubbles&) = delete;

    // Shows the text in the bubble of screen slot 0..5, making its window first.
    void ShowSpeechBubble(int slot, const std::string& text);

    // The table window minimised, or the boss key: every bubble is hidden.
    void hideAll();
    // The table window restored: every bubble stops, turns transparent, hides and
    // stays topmost; its next phrase shows it again.
    void resetAll();
    // Leaving by the exit button: the bubble windows close; later phrases make them
    // anew.
    void closeAll();

    // The bubble window of a slot when it is loaded, else null.
    ui::Form* window(int slot);
    static std::string formName(int slot) { return "frmSpeakBox" + std::to_string(slot); }

  private:
    struct Bubble {
        std::unique_ptr<platform::Timer> tmrFadeIn;
        std::int16_t counter = 0, perc = 0, fadeIn = 0, fadeOut = 0, showTime = 0;
    };

    void CreateBubbleWindow(int slot);
    bool ShapeWindowToPicture(ui::Form& f, int slot);
    void showMe(int seat, const std::string& phrase, std::int16_t perc, std::int16_t fadeIn,
                std::int16_t fadeOut, std::int16_t showTime);
    void fadeTick(int slot);
    static void SetWindowAlpha(ui::Form& f, int opacity);

    platform::EventLoop& loop_;
    ui::WindowSystem& windows_;
    ui::Form& table_;
    const state::TableState& state_;
    pictures::Pictures& pictures_;
    std::array<Bubble, 6> bubbles_;
};

}  // namespace chat
