#pragma once
// The sound settings window VosSet: rows 背景音乐, 系统声音, 功能声音 flip their
// switch at once and show what a further click would do (关闭 while on, 开启 while
// off); the row 牌桌颜色 shows the table colour. OK keeps the new values; cancel
// flips back every row changed since the window was opened.
#include <array>

#include "pictures/pictures.h"
#include "sound/sound.h"
#include "state/table_state.h"
#include "ui/window_system.h"

namespace sound {

class SettingsWindow {
  public:
    enum Row { kMusicRow = 0, kSoundRow = 1, kFunctionSoundRow = 2, kTableColourRow = 3 };
    static constexpr int kRows = 4;

    // The table state gives the local player's `textB` for the colour row; the
    // window's pictures come from the resources through `DialogButtonPictureIds`,
    // its background (with the four row labels) from its window design.
    SettingsWindow(ui::WindowSystem& windows, Sound& sound, const state::TableState& state,
                   pictures::Pictures& pictures);
    SettingsWindow(const SettingsWindow&) = delete;
    SettingsWindow& operator=(const SettingsWindow&) = delete;

    ui::Form& VosSet;
    // Per row: changed since the window was opened.
    std::array<bool, kRows> pending{};

  private:
    void createControls();
    void onLoad();
    void clickRow(int row);
    void flipRow(int row);
    void ok();
    void cancel();
    void showSwitch(int row, bool on);
    void show(ui::Control& c, int entry);

    Sound& sound_;
    const state::TableState& state_;
    pictures::Pictures& pictures_;
};

}  // namespace sound
