// The local player's play: the raised cards are checked against the play on the
// table, and either refused with the illegal-play notice or sent, shown at once in
// the own played row and made the play to beat.
#include "rules/validation.h"
#include "table/action_buttons.h"

namespace table {

void ActionButtons::ValidateAndPlay() {
    if (!connection_.connected()) return;
    rules::Hand& hand = state_.PlayerRecord[0].cards;
    const rules::HandPositions selected = hand_.raisedPositions();
    const rules::PlayVerdict verdict = rules::validateSelection(hand, selected, state_.TablePlay);
    if (!verdict.play) {
        sound_.PlaySoundEffect(sound::Effect::kPlayRefused);
        showIllegalPlayNotice();
        return;
    }

    connection_.slots[net::kSlotTurnCountdown].flag = false;
    countdown_.hide();
    for (int i = 0; i <= 2; ++i) {
        ui::Control& b = table_.at("Operation", i);
        b.visible = b.enabled = false;
    }
    state_.MyTurn = false;

    const int n = static_cast<int>(selected.size());
    wire::Play cards;
    cards.seat = state_.PlayerRecord[0].seatBit;
    cards.action = wire::PlayAction::kPlayCards;
    cards.count = static_cast<std::uint8_t>(n);
    cards.playClass = static_cast<std::uint8_t>(verdict.playClass);
    for (int k = 0; k < n && k < wire::kMaxPlayCards; ++k)
        cards.ids[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(
            rules::cardIdOf(hand.code(selected[static_cast<std::size_t>(k)])));
    wire::GamePacket packet = cards.encode();
    // One play a turn: a second press finds the token gone.
    if (!state_.PlayToken) return;
    state_.PlayToken = false;
    state_.PromptActive = false;
    connection_.QueuePacket(packet);
    if (d_.prompt.anyTurnMode()) d_.prompt.clear();
    d_.HintIndex = 0;

    state_.TablePlay.playClass = verdict.playClass;
    state_.TablePlay.count = static_cast<std::int16_t>(n);
    for (int k = 0; k < n; ++k)
        state_.TablePlay.cards[static_cast<std::size_t>(k)] =
            rules::tableCodeOf(hand.code(selected[static_cast<std::size_t>(k)]));

    // The own played row, centred on the slot's card area.
    const double s = state_.Scale.x;
    const auto& rec = state_.PlayerRecord[0];
    const double f = s == 1.0 ? 0.26 : 0.23;
    std::array<int, rules::kHandCapacity> items{};
    for (int k = 0; k < n; ++k) {
        const int pos = selected[static_cast<std::size_t>(k)];
        const int item = hand.imageIndex(pos);
        ui::Control& card = hand_.cardImage(0, item);
        card.top = rec.handTop;
        card.left = rec.handLeft - (n * 0.11 + 0.39) * 90 * s + k * f * card.width;
        pictures_.ShowCardPicture(0, item, rules::PictureIndex(hand.code(pos)));
        card.visible = true;
        table_.bringToFront(card);
        items[static_cast<std::size_t>(k)] = item;
    }
    if (hooks_.ownPlayShown)
        hooks_.ownPlayShown(std::span<const int>(items.data(), static_cast<std::size_t>(n)),
                            verdict.playClass);

    for (int k = n - 1; k >= 0; --k) hand.removeAt(selected[static_cast<std::size_t>(k)]);
    hand_.layOutHand(false);
    bool onlyThrees = true;
    for (int i = 0; i < hand.count(); ++i)
        if (rules::rankOf(hand.code(i)) != rules::kRankThree) onlyThrees = false;
    state_.OnlyThreesLeft = onlyThrees;
    unloadIllegalPlayNotice();
}

namespace {
// The pointer of the close mark: the window's own (custom) one.
constexpr int kCustomPointer = 99;
}  // namespace

// The illegal-play notice: its picture says "出牌不符合规则" and carries a close
// mark, under the transparent label Label1; centred on the table, on top. A click
// on the close mark hides it.
void ActionButtons::showIllegalPlayNotice() {
    ui::Form& notice = pf_.windows.form("ChuPai");
    if (!notice.find("Label1")) {
        notice.caption = "出牌非法";
        notice.width = 178 * ui::kTwipsPerPixel;
        notice.height = 63 * ui::kTwipsPerPixel;
        notice.picture = pictures_.design("ChuPai");
        ui::Control& close = notice.add("Label1", ui::ControlKind::kLabel);
        close.move(136, 0, 41, 17);
        close.transparent = true;
        close.mousePointer = kCustomPointer;
        notice.onForm(ui::EventKind::kLoad, [this, &notice](ui::Control*, ui::Event&) {
            notice.visible = true;
            notice.topmost = true;
            notice.left = table_.left + (table_.width - notice.width) / 2;
            notice.top = table_.top + (table_.height - notice.height) / 2;
            notice.bringToFront(notice.at("Label1"));
        });
        notice.on("Label1", ui::EventKind::kClick,
                  [&notice](ui::Control*, ui::Event&) { notice.hide(); });
    }
    notice.show();
    notice.topmost = true;
}

void ActionButtons::unloadIllegalPlayNotice() {
    if (ui::Form* notice = pf_.windows.find("ChuPai"); notice && notice->loaded()) notice->unload();
}

}  // namespace table
