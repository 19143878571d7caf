#pragma once
// The notice window frmTishi: one line of text about the tribute and the return,
// in front of the table. A minimised table shows no notices.
#include <string>

#include "ui/form.h"
#include "ui/window_system.h"

namespace table {

class Notice {
  public:
    Notice(ui::WindowSystem& windows, ui::Form& tableWindow)
        : windows_(windows), table_(tableWindow) {}

    void ShowNotice(const std::string& text);
    // Hides the notice if it is up (its prompt was answered).
    void hide();

  private:
    ui::WindowSystem& windows_;
    ui::Form& table_;
};

}  // namespace table
