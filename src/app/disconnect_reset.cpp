// The disconnect reset: leaves the client unconnected with an empty table, the
// round counters at zero and the game record file deleted, ready for the hall to
// send it to a table again.
#include <cstdio>

#include "app/client.h"

namespace app {

void Client::disconnectReset() {
    state.InGame = false;
    // The game-begun flag is cleared only here: GameStarted, which the round start
    // sets, and GameBegun, the same flag under its other name.
    state.GameStarted = state.GameBegun = false;
    setHallButtonPressed(table::BtnContinue);  // does nothing until re-armed

    MainForm.at("Sysmsg", 0).items.clear();
    MainForm.at("Sysmsg", 1).items.clear();
    connection.disconnect();

    if (ui::Form* huifu = pf.windows.find("huifu")) huifu->hide();
    ui::Form& score = pf.windows.form("Score");
    ui::Form& hero = pf.windows.form("Hero");
    for (int s = 0; s < 6; ++s) {
        if (ui::Control* op = MainForm.find("Operation", s)) op->visible = false;
        if (ui::Control* tou = MainForm.find("Tou", s)) tou->picture = nullptr;
        for (const char* label : {"Nid", "Cash", "Level"})
            if (ui::Control* l = MainForm.find(label, s)) l->caption.clear();
        score.at("State", s).items.clear();
        score.at("State", s + 6).items.clear();
        score.at("ID", s).caption.clear();
        score.at("Tou", s).picture = nullptr;
        hero.at("Grade", s).items.clear();
        hero.at("sunScore", s).caption.clear();
        hero.at("ID", s).caption.clear();
        hero.at("Tou", s).picture = nullptr;
        auto& rec = state.PlayerRecord[static_cast<std::size_t>(s)];
        rec.seatId.clear();
        rec.seatBit = 0;
        state::clearProfile(state.PlayerInfo[static_cast<std::size_t>(s)]);
        state.GameScore[static_cast<std::size_t>(s)] = 0;
        if (ui::Control* ok = MainForm.find("OK", s)) ok->visible = false;
    }
    // The round numbers start again, so the old ones go with the rounds they named.
    hero.at("Num").items.clear();
    for (const char* name : {"name1", "name2"})
        if (ui::Control* l = MainForm.find(name)) l->caption.clear();
    std::remove(roundRecordPath().c_str());

    // The private talk of this table.
    if (ui::Form* talk = pf.windows.find("Talk"))
        if (ui::Control* lines = talk->find("Text1")) lines->items.clear();
    state.SeatedCount = 0;
    state.InGame = false;
    state.RoundNumber = state.GamesPlayed = state.RoundInGame = 0;
    roundFlow.firstStart = true;

    MainForm.windowState = ui::WindowState::Minimized;
    for (int i = 0; i <= 1; ++i)
        if (ui::Control* b = MainForm.find("OperationNotP", i)) b->visible = false;
    for (ui::Form* f : pf.windows.forms())
        if (f->caption == "speakbox") f->unload();
}

}  // namespace app
