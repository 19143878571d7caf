#include "table/notice.h"

namespace table {

void Notice::ShowNotice(const std::string& text) {
    if (table_.windowState == ui::WindowState::kMinimized) return;
    ui::Form& tishi = windows_.form("frmTishi");
    tishi.caption = "提示";
    ui::Control& line = tishi.add("LbTishi", ui::ControlKind::kLabel, 0);
    line.caption = text;
    tishi.add("LbTishi", ui::ControlKind::kLabel, 1).caption.clear();
    tishi.show();
}

void Notice::hide() {
    if (ui::Form* tishi = windows_.find("frmTishi"); tishi && tishi->visible) {
        tishi->hide();
        tishi->topmost = false;
    }
}

}  // namespace table
