// The disconnect reset: leaves the client unconnected with an empty table, the
// round counters at zero and the game record file deleted, ready for the hall to
// send it to a table again.
#include <cstdio>

#include "app/shell.h"

namespace app {

void Shell::disconnectReset() {
    state_.InGame = false;
    // The game-begun flag is cleared only here.
    state_.GameBegun = false;
    parts_.hallButtons.setHallButtonPressed(table::kBtnContinue);  // does nothing until re-armed

    table_.at("Sysmsg", 0).items.clear();
    table_.at("Sysmsg", 1).items.clear();
    connection_.disconnect();

    if (ui::Form* huifu = pf_.windows.find("huifu")) huifu->hide();
    ui::Form& score = parts_.scores.Score();
    ui::Form& hero = parts_.scores.Hero();
    for (int s = 0; s < 6; ++s) {
        if (ui::Control* op = table_.find("Operation", s)) op->visible = false;
        if (ui::Control* tou = table_.find("Tou", s)) tou->picture = nullptr;
        for (const char* label : {"Nid", "Cash", "Level"})
            if (ui::Control* l = table_.find(label, s)) l->caption.clear();
        score.at("State", s).items.clear();
        score.at("State", s + 6).items.clear();
        score.at("ID", s).caption.clear();
        score.at("Tou", s).picture = nullptr;
        hero.at("Grade", s).items.clear();
        hero.at("sunScore", s).caption.clear();
        hero.at("ID", s).caption.clear();
        hero.at("Tou", s).picture = nullptr;
        auto& rec = state_.PlayerRecord[static_cast<std::size_t>(s)];
        rec.seatId.clear();
        rec.seatBit = 0;
        state::clearProfile(state_.PlayerInfo[static_cast<std::size_t>(s)]);
        state_.GameScore[static_cast<std::size_t>(s)] = 0;
        if (ui::Control* ok = table_.find("OK", s)) ok->visible = false;
    }
    // The round numbers start again, so the old ones go with the rounds they named.
    hero.at("Num").items.clear();
    for (const char* name : {"name1", "name2"})
        if (ui::Control* l = table_.find(name)) l->caption.clear();
    std::remove(parts_.scores.roundRecordPath().c_str());

    // The private talk of this table.
    if (ui::Form* talk = pf_.windows.find("Talk"))
        if (ui::Control* lines = talk->find("Text1")) lines->items.clear();
    state_.SeatedCount = 0;
    state_.InGame = false;
    state_.RoundNumber = state_.GamesPlayed = state_.RoundInGame = 0;
    parts_.hallButtons.restoreFirstStart();

    table_.windowState = ui::WindowState::kMinimized;
    for (int i = 0; i <= 1; ++i)
        if (ui::Control* b = table_.find("OperationNotP", i)) b->visible = false;
    for (ui::Form* f : pf_.windows.forms())
        if (f->caption == "speakbox") f->unload();
}

}  // namespace app
