#pragma once
// The score window Score (one round's result columns) and the result-history
// window Hero (one line per round), as designed, with what they do: centred on the
// table window when they load, dragged by their surface, hidden by their click
// areas, a double click on a history line showing that round again. Every round's
// Score lists are kept in the game record file "info.qv" in the program folder.
#include <cstdint>
#include <string>

#include "pictures/pictures.h"
#include "platform/shell.h"
#include "ui/form.h"
#include "ui/window_system.h"

namespace table {

class ScoreWindows {
  public:
    ScoreWindows(ui::WindowSystem& windows, platform::Shell& shell, ui::Form& tableWindow,
                 pictures::Pictures& pictures);

    // Creates both windows with their controls.
    void create();
    void wireEvents();

    ui::Form& Score() { return windows_.form("Score"); }
    ui::Form& Hero() { return windows_.form("Hero"); }
    // A side window centred on the table window.
    void centreOnTable(ui::Form& f);

    void SaveRoundRecord(std::int16_t round);
    // Shows a recorded round in Score; an unknown round leaves what is shown.
    void LoadRoundRecord(std::int16_t round);
    std::string roundRecordPath();

  private:
    void historyToScore(const ui::Control& list);

    ui::WindowSystem& windows_;
    platform::Shell& shell_;
    ui::Form& table_;
    pictures::Pictures& pictures_;
};

}  // namespace table
