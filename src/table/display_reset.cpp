// The display reset: prepares the table window for a new game.
#include <cmath>

#include "app/client.h"

namespace app {

void Client::displayReset() { resetDisplay(false); }

// keepDealt: the reset that the first prompt of a round runs after the deal keeps the
// dealt hand and the lamps on the table; hiding them would leave the player without
// cards to play.
void Client::resetDisplay(bool keepDealt) {
    const double s = state.Scale.x;
    state.GameDecided = false;
    // Card-area anchors of the six connection.slots and the resting top of the own cards.
    const double anchors[6][2] = {{540, 420}, {140, 360}, {140, 160},
                                  {540, 130}, {880, 160}, {880, 360}};
    for (int slot = 0; slot < 6; ++slot) {
        auto& rec = state.PlayerRecord[static_cast<std::size_t>(slot)];
        double x = anchors[slot][0], y = anchors[slot][1];
        if (s < 1 && slot == 0) y = 430;
        if (s < 1 && (slot == 1 || slot == 2)) x = 170;
        rec.handLeft = static_cast<int>(std::nearbyint(x * s));
        rec.handTop = static_cast<int>(std::nearbyint(y * s));
    }
    state.HandTop = static_cast<int>(std::nearbyint(580 * s));
    for (int slot = keepDealt ? 1 : 0; slot < 6; ++slot)
        for (int i = 0; i < 56; ++i) {
            ui::Control& c = cardImage(slot, i);
            c.visible = false;
            if (slot == 0) {
                c.enabled = true;
                c.width = 90 * s;
                c.height = 120 * s;
            }
        }
    for (int i = 0; i <= 5; ++i) MainForm.at("Operation", i).visible = false;
    for (int i = 0; i <= 1; ++i) MainForm.at("OperationNotP", i).visible = false;
    MainForm.at("Time_Img").visible = false;
    MainForm.at("Number").visible = false;
    for (const char* name : {"imgGuo", "ImgYm", "ImgKaiD", "ImgResult"}) {
        if (keepDealt && std::string(name) == "ImgKaiD") continue;
        for (int i = 0; i <= 5; ++i) MainForm.at(name, i).visible = false;
    }
    MainForm.at("ImgResult", 0).move(MainForm.at("OK", 0).left, MainForm.at("OK", 0).top);
    MainForm.at("LabJS").caption = std::to_string(state.GamesPlayed + 1);
    MainForm.at("LabHS").caption = std::to_string(state.RoundInGame + 1);
    state.FreeToLeave = false;
    state.GroupSelect = false;
    state.OnlyThreesLeft = false;
    state.ExitConfirmed = false;
    state.TimeoutCount = 0;
    state.CardsDealt = 0;
    state.TablePlay.count = 0;
    state.RevealsCleared = false;
    state.DeclarePending = state.RevealPending = state.RevolutionPending = false;
    state.HeadPending = state.WorkPending = false;
    state.PromptActive = false;
    state.MyTurn = false;
    state.RevolutionSlots = {-1, -1};
    connection.reconnect.resetCounters();
    ShaoPaiPlayer.setAnimatedGIF(nullptr);
    ShaoPaiPlayer.setVisible(false);
    resetPlayState();
}

}  // namespace app
