#include "table/display_reset.h"

#include <string>

namespace table {

void DisplayReset::resetDisplay(bool keepDealt) {
    state_.GameDecided = false;
    hand_.reset(keepDealt);
    for (int i = 0; i <= 5; ++i) table_.at("Operation", i).visible = false;
    for (int i = 0; i <= 1; ++i) table_.at("OperationNotP", i).visible = false;
    countdown_.hide();
    for (const char* name : {"imgGuo", "ImgYm", "ImgKaiD", "ImgResult"}) {
        if (keepDealt && std::string(name) == "ImgKaiD") continue;
        for (int i = 0; i <= 5; ++i) table_.at(name, i).visible = false;
    }
    table_.at("ImgResult", 0).move(table_.at("OK", 0).left, table_.at("OK", 0).top);
    table_.at("LabJS").caption = std::to_string(state_.GamesPlayed + 1);
    table_.at("LabHS").caption = std::to_string(state_.RoundInGame + 1);
    state_.FreeToLeave = false;
    state_.GroupSelect = false;
    state_.OnlyThreesLeft = false;
    state_.ExitConfirmed = false;
    state_.TimeoutCount = 0;
    // The dealt hand keeps the picture items it took; a card that joins it later
    // must take the next free one.
    if (!keepDealt) state_.CardsDealt = 0;
    state_.TablePlay.count = 0;
    state_.RevealsCleared = false;
    state_.PromptActive = false;
    state_.MyTurn = false;
    state_.RevolutionSlots = {-1, -1};
    connection_.reconnect.resetCounters();
    buttons_.reset();
    if (resetRoundPlay) resetRoundPlay();
}

void DisplayReset::seatRecordReset() {
    for (auto& r : state_.PlayerRecord) {
        r.cards.clear();
        for (int k = 0; k < kCardItems; ++k) r.cards.setEntry(k, rules::HandEntry{});
    }
    connection_.keepPartialPacket();
    state_.InGame = false;
}

}  // namespace table
