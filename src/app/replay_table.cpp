// The table window of a replay: the start-up's drawing steps without the hall, the
// server or a recording, and the player's own recorded packets acted out again the
// way he did them, so that the table shows what it showed him.
#include "app/replay_table.h"

#include "app/shell.h"
#include "wire/departure.h"
#include "wire/play.h"

namespace app {

void Shell::startReplay(const record::Header& table) {
    table_.onForm(ui::EventKind::kLoad,
                  [this, table](ui::Control*, ui::Event&) { openReplayTable(table); });
    table_.show();
}

void Shell::openReplayTable(const record::Header& table) {
    connection_.send.ChatText.clear();
    prepareTable();
    if (!table.room.empty()) showLocation(table.room);
    state_.PlayerRecord[0].seatId = table.account;
    table_.at("Sysmsg", 0).items.clear();
    showTable();
    state_.PlayerRecord[0].seatBit = 0;
    state_.ResumedGame = false;
    // The pump runs as at a live table (the replay's socket reports itself up), so
    // the countdowns count; nothing it sends leaves the process.
    connection_.TimerBong.setEnabled(true);
}

// The plays of the turn row: the cards the packet names are raised and played, the
// other answers pressed as their buttons. A turn the table no longer offers (the
// countdown answered it already) is left alone by the routines themselves.
void reenactOwnPacket(const state::TableState& state, table::HandView& hand,
                      table::ActionButtons& buttons, table::HallButtons& hallButtons,
                      const wire::GamePacket& p) {
    // The continue button pressed (开始 or 继续); when the continue countdown sent
    // it, the button shows it pressed already and is left alone.
    if (wire::commandOf(p) == wire::Command::kGameOver &&
        wire::LeaveOrContinue::decode(p).which == wire::GameOverCase::kContinue) {
        if (!hallButtons.flow().pressed[table::kBtnContinue])
            hallButtons.AnNiu_Click(table::kBtnContinue);
        return;
    }
    if (wire::commandOf(p) != wire::Command::kPlay) return;
    const wire::Play answer = wire::Play::decode(p);
    switch (answer.action) {
        case wire::PlayAction::kPlayCards: {
            if (!state.PlayToken) return;
            const rules::Hand& cards = state.PlayerRecord[0].cards;
            hand.lowerRaisedCards();
            const int count = std::min<int>(answer.count, wire::kMaxPlayCards);
            for (int k = 0; k < count; ++k)
                for (int i = 0; i < cards.count(); ++i)
                    if (rules::cardIdOf(cards.code(i)) == answer.ids[static_cast<std::size_t>(k)])
                        hand.raiseCardItem(cards.imageIndex(i));
            buttons.ValidateAndPlay();
            break;
        }
        case wire::PlayAction::kYield:
            buttons.clickOperation(1);
            break;
        case wire::PlayAction::kPass:
        case wire::PlayAction::kTakeLead:
            buttons.clickOperation(2);
            break;
    }
}

}  // namespace app
