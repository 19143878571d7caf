#pragma once
// The notice window frmTishi: one short message in front of the table (the tribute
// and its return, the three exchange, a double revolution). It closes itself four
// seconds after it was shown; a click on it closes it at once. A minimised table
// shows no notices.
#include <string>

#include "pictures/pictures.h"
#include "platform/event_loop.h"
#include "ui/form.h"
#include "ui/window_system.h"

namespace table {

class Notice {
  public:
    Notice(ui::WindowSystem& windows, ui::Form& tableWindow, platform::EventLoop& loop,
           pictures::Pictures& pictures);

    void ShowNotice(const std::string& text);
    // Hides the notice if it is up (its prompt was answered).
    void hide();

  private:
    // The window, its two lines and its handlers, made once at its first use.
    ui::Form& window();
    void load(ui::Form& tishi);
    void timerTick();
    void clickedAway();

    ui::WindowSystem& windows_;
    ui::Form& table_;
    pictures::Pictures& pictures_;
    ui::Form* tishi_ = nullptr;
    platform::Timer Timer1;
};

}  // namespace table
