// The local player's play: the raised cards are checked against the play on the
// table, and either refused with the illegal-play notice or sent, shown at once in
// the own played row and made the play to beat.
#include "app/client.h"
#include "rules/validation.h"
#include "wire/play.h"

namespace app {

void Client::ValidateAndPlay() {
    if (!connection.connected()) return;
    rules::Hand& hand = state.PlayerRecord[0].cards;
    rules::HandPositions selected;
    for (int i = 0; i < hand.count(); ++i)
        if (cardImage(0, hand.imageIndex(i)).top < state.HandTop) selected.push_back(i);
    const rules::PlayVerdict verdict = rules::validateSelection(hand, selected, state.TablePlay);
    if (!verdict.play) {
        sound.PlaySoundEffect(sound::Effect::PlayRefused);
        showIllegalPlayNotice();
        return;
    }

    connection.slots[net::SlotTurnCountdown].flag = false;
    MainForm.at("Number").visible = false;
    MainForm.at("Time_Img").visible = false;
    for (int i = 0; i <= 2; ++i) {
        ui::Control& b = MainForm.at("Operation", i);
        b.visible = b.enabled = false;
    }
    state.MyTurn = false;

    const int n = static_cast<int>(selected.size());
    wire::Play cards;
    cards.seat = state.PlayerRecord[0].seatBit;
    cards.action = wire::PlayAction::kPlayCards;
    cards.count = static_cast<std::uint8_t>(n);
    cards.playClass = static_cast<std::uint8_t>(verdict.playClass);
    for (int k = 0; k < n && k < wire::kMaxPlayCards; ++k)
        cards.ids[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(
            rules::cardIdOf(hand.code(selected[static_cast<std::size_t>(k)])));
    wire::GamePacket packet = cards.encode();
    // One play a turn: a second press finds the token gone.
    if (!state.PlayToken) return;
    state.PlayToken = false;
    state.PromptActive = false;
    connection.QueuePacket(packet);
    play.clearTurnModes();
    play.HintIndex = 0;

    state.TablePlay.playClass = verdict.playClass;
    state.TablePlay.count = static_cast<std::int16_t>(n);
    for (int k = 0; k < n; ++k)
        state.TablePlay.cards[static_cast<std::size_t>(k)] =
            rules::tableCodeOf(hand.code(selected[static_cast<std::size_t>(k)]));

    // The own played row, centred on the slot's card area.
    const double s = state.Scale.x;
    const auto& rec = state.PlayerRecord[0];
    const double f = s == 1.0 ? 0.26 : 0.23;
    for (int k = 0; k < n; ++k) {
        const int pos = selected[static_cast<std::size_t>(k)];
        const int item = hand.imageIndex(pos);
        ui::Control& card = cardImage(0, item);
        card.top = rec.handTop;
        card.left = rec.handLeft - (n * 0.11 + 0.39) * 90 * s + k * f * card.width;
        pictures.ShowCardPicture(0, item, rules::PictureIndex(hand.code(pos)));
        card.visible = true;
        MainForm.bringToFront(card);
        play.PlayedPictures[static_cast<std::size_t>(k)][0] = static_cast<std::int16_t>(item);
    }
    play.PlayedPictures[table::kPlayedRowCapacity][0] = static_cast<std::int16_t>(n);

    if (verdict.playClass == rules::PlayClass::Dravik) {
        sound.PlaySoundEffect(play.DravikRun ? sound::Effect::Play : sound::Effect::DravikPlay);
        play.DravikRun = true;
    } else {
        sound.PlaySoundEffect(sound::Effect::Play);
        play.DravikRun = false;
    }

    for (int k = n - 1; k >= 0; --k) hand.removeAt(selected[static_cast<std::size_t>(k)]);
    for (int i = 0; i < hand.count(); ++i) LayOutHand(i, false);
    bool onlyThrees = true;
    for (int i = 0; i < hand.count(); ++i)
        if (rules::rankOf(hand.code(i)) != rules::kRankThree) onlyThrees = false;
    state.OnlyThreesLeft = onlyThrees;
    unloadIllegalPlayNotice();
}

// The illegal-play notice: a small window centred on the table, on top; a click on
// its close mark hides it.
void Client::showIllegalPlayNotice() {
    ui::Form& notice = pf.windows.form("ChuPai");
    if (!notice.find("Label1")) {
        notice.caption = "出牌非法";
        notice.framed = true;
        notice.width = 178 * ui::kTwipsPerPixel;
        notice.height = 63 * ui::kTwipsPerPixel;
        ui::Control& close = notice.add("Label1", ui::ControlKind::Label);
        close.move(136, 0, 41, 17);
        close.transparent = true;
        ui::Control& text = notice.add("Text", ui::ControlKind::Label);
        text.move(12, 24, 150, 20);
        text.transparent = true;
        text.caption = "出牌不符合规则";
        notice.onForm(ui::EventKind::Load, [this, &notice](ui::Control*, ui::Event&) {
            notice.visible = true;
            notice.topmost = true;
            notice.left = MainForm.left + (MainForm.width - notice.width) / 2;
            notice.top = MainForm.top + (MainForm.height - notice.height) / 2;
            notice.bringToFront(notice.at("Label1"));
        });
        notice.on("Label1", ui::EventKind::Click,
                  [&notice](ui::Control*, ui::Event&) { notice.hide(); });
    }
    notice.show();
    notice.topmost = true;
}

void Client::unloadIllegalPlayNotice() {
    if (ui::Form* notice = pf.windows.find("ChuPai"); notice && notice->loaded()) notice->unload();
}

}  // namespace app
