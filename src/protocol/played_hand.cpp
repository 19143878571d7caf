// The played-hand command (6): what a seat did — played, passed, burned, yielded,
// took the lead, went out, or the round ended — and who acts next, with how long and
// with which choices. Shows the other seats' rows, the announcements and the clock,
// and hands the turn to the local player.
#include "protocol/played_hand.h"

#include <algorithm>

namespace protocol {

namespace {

// Picture entries.
constexpr int kLitLamp = 1, kBurnFlames = 2, kCatchFlames = 3, kFallFlames = 4;
constexpr int kBubbleYield = 3, kBubbleTakeLead = 11, kBubbleGameName = 12;
constexpr int kFinishFall = 5;

}  // namespace

PlayedHand::PlayedHand(state::TableState& state, platform::EventLoop& loop, ui::Form& tableWindow,
                       pictures::Pictures& pictures, sound::Sound& sound,
                       net::Connection& connection, table::HandView& hand,
                       table::ActionButtons& buttons, table::CountdownView& countdown,
                       gif::ucAniGIF& flames)
    : state_(state),
      loop_(loop),
      table_(tableWindow),
      pictures_(pictures),
      sound_(sound),
      connection_(connection),
      hand_(hand),
      buttons_(buttons),
      countdown_(countdown),
      ShaoPaiPlayer(flames),
      TimerQQ(loop, 2000) {}

void PlayedHand::ownPlayShown(std::span<const int> items, rules::PlayClass playClass) {
    const std::size_t n = std::min<std::size_t>(items.size(), table::kPlayedRowCapacity);
    for (std::size_t k = 0; k < n; ++k)
        play_.PlayedPictures[k][0] = static_cast<std::int16_t>(items[k]);
    play_.PlayedPictures[table::kPlayedRowCapacity][0] = static_cast<std::int16_t>(n);
    if (playClass == rules::PlayClass::kDravik) {
        sound_.PlaySoundEffect(play_.DravikRun ? sound::Effect::kPlay : sound::Effect::kDravikPlay);
        play_.DravikRun = true;
    } else {
        sound_.PlaySoundEffect(sound::Effect::kPlay);
        play_.DravikRun = false;
    }
}

void PlayedHand::reset() {
    play_.DravikRun = false;
    play_.BurnActive = play_.SelfBurning = false;
    play_.FallPending = play_.GoneOutPending = false;
    play_.PacedRun = false;
    play_.PacedCount = 0;
    play_.UsedCardPictures.fill(0);
    play_.PlayedPictures[table::kPlayedRowCapacity].fill(0);
    play_.BurnSlot = play_.FallSlot = play_.GoneOutSlot = play_.PacedSlot = -1;
    play_.FinishCounter = 0;
    TimerQQ.setEnabled(false);
    ShaoPaiPlayer.setAnimatedGIF(nullptr);
    ShaoPaiPlayer.setVisible(false);
}

int PlayedHand::playSlot(std::uint8_t seatByte) const {
    return state::screenSlot(seatByte, state_.PlayerRecord[0].seatBit);
}

void PlayedHand::startBubbleTimer(int ms) {
    TimerQQ.onTick = [this] { bubbleTimerTick(); };
    TimerQQ.setInterval(ms);
    TimerQQ.setEnabled(true);
}

void PlayedHand::bubbleTimerTick() {
    for (int i = 0; i < 6; ++i) table_.at("ImgQQ", i).visible = false;
    if (play_.FallPending) {
        HidePlayedRow(play_.FallSlot, false);
        play_.FallPending = false;
        play_.FallSlot = -1;
    }
    TimerQQ.setEnabled(false);
}

void PlayedHand::ShowPlayBubble(int slot, int entry) {
    if (slot < 0 || slot > 5) return;
    ui::Control& bubble = table_.at("ImgQQ", slot);
    pictures_.showPlayBubblePicture(bubble, entry);
    bubble.visible = true;
    table_.bringToFront(bubble);
    startBubbleTimer(2000);
}

void PlayedHand::showAnnouncementBubble(int slot, int entry) {
    if (slot == 0 || table_.windowState == ui::WindowState::kMinimized) return;
    ShowPlayBubble(slot, entry);
}

// The flames play on ShaoPaiPlayer from the bytes of their resource.
void PlayedHand::loadFlames(int entry) {
    const int id = pictures::PictureIdValue(
        pictures_.ids.IndicatorPictureIds[static_cast<std::size_t>(entry)]);
    ShaoPaiPlayer.LoadAnimatedGIF_Array(pictures_.cache.store().bytes(id));
}

void PlayedHand::showFlames() {
    ShaoPaiPlayer.setVisible(true);
    table_.bringToFront(ShaoPaiPlayer.control());
}

void PlayedHand::HidePlayedRow(int slot, bool visible) {
    if (slot < 0 || slot > 5) return;
    const auto column = static_cast<std::size_t>(slot);
    const int count = std::min<int>(play_.PlayedPictures[table::kPlayedRowCapacity][column],
                                    table::kPlayedRowCapacity);
    for (int row = 0; row < count; ++row) {
        const int item = play_.PlayedPictures[static_cast<std::size_t>(row)][column];
        if (item < 0 || item >= table::kCardItems) continue;
        hand_.cardImage(slot, item).visible = visible;
    }
}

void PlayedHand::MarkGoneOut(int slot) {
    const bool revolution = state_.RevolutionSlots[0] >= 0 || state_.RevolutionSlots[1] >= 0;
    const int place = play_.FinishCounter == 3 && revolution ? 5 : play_.FinishCounter + 1;
    play_.FinishCounter = place;
    sound_.PlaySoundEffect(sound::Effect::kGoOut);
    if (slot < 0 || slot > 5) return;
    state_.PlayerRecord[static_cast<std::size_t>(slot)].finishPlace = place;
    // There are six finishing pictures; a seventh place (more seats out than the
    // round has) keeps the slot's picture as it is.
    if (place < 1 || place > 6) return;
    ui::Control& result = table_.at("ImgResult", slot);
    pictures_.showFinishPicture(result, place - 1);
    result.visible = true;
    table_.bringToFront(result);
}

void PlayedHand::ShowPlayedHand(const wire::PlayedHand& h) {
    const int a = playSlot(h.actor);
    const wire::PlayedAction action = h.action;
    if (action == wire::PlayedAction::kOpening) play_.DravikRun = false;
    if (a != 0 && play_.PacedRun && a == play_.PacedSlot && play_.PacedCount >= 1 &&
        play_.PacedCount <= 3)
        loop_.wait(2000);

    const bool minimised = table_.windowState == ui::WindowState::kMinimized;
    const auto playClass = static_cast<rules::PlayClass>(h.playClass);
    if (playClass == rules::PlayClass::kDravik) {
        if (a != 0)
            sound_.PlaySoundEffect(play_.DravikRun ? sound::Effect::kPlay
                                                   : sound::Effect::kDravikPlay);
        if (a != 0 && !minimised) ShowPlayBubble(a, kBubbleGameName);
        play_.DravikRun = true;
        // A Dravik play clears every row but the actor's and the one opposite it.
        for (int d : {1, 2, 4, 5}) HidePlayedRow((a + d) % 6, false);
    } else {
        play_.DravikRun = false;
        if (a != 0) sound_.PlaySoundEffect(sound::Effect::kPlay);
    }
    // The own plays are on the table already.
    if (a == 0) return;

    HidePlayedRow(a, false);
    // No play has more than 40 cards (the decoder reads a larger count as 40), which
    // keeps the row inside its table.
    const int n = std::min<int>(h.count, table::kPlayedRowCapacity);
    state_.TablePlay.count = static_cast<std::int16_t>(n);
    state_.TablePlay.playClass = playClass;
    state_.TablePlay.seatSlot = static_cast<std::int16_t>(a);
    const auto column = static_cast<std::size_t>(a);
    const auto& rec = state_.PlayerRecord[column];
    const double s = state_.Scale.x;
    const double w = hand_.cardImage(a, 0).width;
    const double spread = (n * 0.11 + 0.39) * 90 * s;
    for (int i = 0; i < n; ++i) {
        const std::uint32_t played = h.cards[static_cast<std::size_t>(i)];
        const auto code =
            static_cast<rules::CardCode>((played & 0xFF) + 256 * ((played >> 8) & 0x0F));
        state_.TablePlay.cards[static_cast<std::size_t>(i)] = code;
        // The slot's pictures are taken in order through the round; entry k of the
        // slot's list shows on item k.
        const int k = play_.UsedCardPictures[column] + i;
        const int item = k < rec.cards.count() ? rec.cards.imageIndex(k) : k;
        play_.PlayedPictures[static_cast<std::size_t>(i)][column] = static_cast<std::int16_t>(item);
        if (item < 0 || item >= table::kCardItems) continue;
        ui::Control& card = hand_.cardImage(a, item);
        card.stretch = false;
        pictures_.ShowCardPicture(a, item, rules::PictureIndex(code));
        double left = rec.handLeft + i * 0.26 * w;
        if (a == 3) left -= spread;
        if (a == 4 || a == 5) left -= 1.5 * spread;
        if (a == 5) left -= 20 * s;
        card.move(left, rec.handTop);
        card.visible = true;
        table_.bringToFront(card);
    }
    play_.PlayedPictures[table::kPlayedRowCapacity][column] = static_cast<std::int16_t>(n);
    // The played cards leave the slot's count; a slot shown with fewer cards than
    // it plays is left empty.
    state_.PlayerRecord[column].cards.shorten(n);
    play_.UsedCardPictures[column] += n;
    if (h.event == wire::PlayEvent::kPaced) {
        play_.PacedSlot = a;
        play_.PacedRun = true;
        ++play_.PacedCount;
    } else {
        play_.PacedRun = false;
    }
}

void PlayedHand::HandlePlayedHand(const wire::PlayedHand& h) {
    buttons_.cancelOthersCountdown();
    connection_.slots[net::kSlotTurnCountdown].flag = false;
    state_.GroupSelect = true;
    ui::Control& restore = table_.at("Operation", 5);
    restore.visible = restore.enabled = true;
    for (int i = 0; i < 6; ++i) table_.at("imgGuo", i).visible = false;

    const int n = h.count;
    if (n != 0) {
        ShowPlayedHand(h);
        if (play_.GoneOutPending) {
            if (play_.GoneOutSlot >= 0) HidePlayedRow(play_.GoneOutSlot, false);
            play_.GoneOutPending = false;
            play_.GoneOutSlot = -1;
        }
    }
    const int a = playSlot(h.actor);
    const wire::PlayedAction action = h.action;
    const bool minimised = table_.windowState == ui::WindowState::kMinimized;
    int fellNow = -1;

    if (h.event == wire::PlayEvent::kFall) {
        ui::Control& result = table_.at("ImgResult", a);
        pictures_.showFinishPicture(result, kFinishFall);
        sound_.PlaySoundEffect(sound::Effect::kFall);
        if (a == 0) result.top = state_.HandTop - 0.75 * hand_.cardImage(0, 0).height;
        result.visible = true;
        table_.bringToFront(result);
        // The fall's flames play once; after the pass the player shows nothing.
        ShaoPaiPlayer.setVisible(false);
        loadFlames(kFallFlames);
        ShaoPaiPlayer.setLoops(1);
        showFlames();
        play_.BurnActive = false;
        play_.BurnSlot = -1;
        fellNow = a;
        play_.FallPending = true;
        play_.FallSlot = a;
        startBubbleTimer(3000);
    }

    if (action == wire::PlayedAction::kRoundOver) {
        countdown_.hide();
        connection_.slots[net::kSlotTurnCountdown].flag = false;
        connection_.slots[net::kSlotTurnCountdown].counter = 0;
        state_.InGame = false;
        buttons_.clearDecisionFlags();
        loop_.wait(1000);
        for (int slot = 0; slot < 6; ++slot)
            for (int i = 0; i < table::kCardItems; ++i) hand_.cardImage(slot, i).visible = false;
        return;
    }

    // A burn is caught when another seat plays cards onto it.
    auto caught = [&] {
        return play_.BurnActive && n != 0 && play_.BurnSlot != -1 && play_.BurnSlot != a;
    };
    auto catchBurn = [&] {
        loadFlames(kCatchFlames);
        ShaoPaiPlayer.setLoops(1);
        showFlames();
        sound_.PlaySoundEffect(sound::Effect::kBurnCaught);
        play_.SelfBurning = false;
        play_.BurnActive = false;
        play_.BurnSlot = -1;
    };
    switch (action) {
        case wire::PlayedAction::kWentOut:
            MarkGoneOut(a);
            if (play_.BurnActive && play_.BurnSlot == a) {
                play_.BurnActive = false;
                play_.BurnSlot = -1;
                ShaoPaiPlayer.setVisible(false);
            }
            play_.GoneOutSlot = a;
            play_.GoneOutPending = true;
            break;
        case wire::PlayedAction::kTakeLead:
            sound_.PlaySoundEffect(sound::Effect::kTakeLead);
            if (n == 0 && a != 0 && !minimised) ShowPlayBubble(a, kBubbleTakeLead);
            break;
        case wire::PlayedAction::kYield:
            sound_.PlaySoundEffect(sound::Effect::kYield);
            if (a != 0 && !minimised) ShowPlayBubble(a, kBubbleYield);
            break;
        case wire::PlayedAction::kBurn:
            if (caught()) {
                catchBurn();
                loop_.wait(2000);
            }
            // The load replaces this count with the file's own, so the burn keeps
            // burning as its picture says (for ever for ours).
            ShaoPaiPlayer.setLoops(1);
            loadFlames(kBurnFlames);
            showFlames();
            sound_.PlaySoundEffect(sound::Effect::kBurn);
            play_.BurnSlot = a;
            play_.BurnActive = true;
            if (a == 0) play_.SelfBurning = true;
            break;
        case wire::PlayedAction::kPlayed:
            if (caught()) catchBurn();
            break;
        case wire::PlayedAction::kPass:
            sound_.PlaySoundEffect(sound::Effect::kPass);
            if (n == 0 && !state_.Away && a >= 1 && a <= 5) {
                ui::Control& bubble = table_.at("imgGuo", a);
                pictures_.showPassBubblePicture(bubble, a - 1);
                bubble.visible = true;
                table_.bringToFront(bubble);
            }
            break;
        default:
            break;
    }

    // The next turn.
    const int b = playSlot(h.next);
    const int mode = static_cast<int>(h.mode);
    if (mode == table::kModeLead) {
        if (!state_.RevealsCleared) {
            state_.RevealsCleared = true;
            for (int slot = 1; slot < 6; ++slot)
                for (int i = 0; i <= 3; ++i)
                    if (ui::Control& c = hand_.cardImage(slot, i); c.visible) c.visible = false;
        }
        table_.at("imgGuo", b).visible = false;
    }
    if (h.event == wire::PlayEvent::kLampLit) {
        pictures_.showIndicatorPicture(table_.at("ImgKaiD", b), kLitLamp);
        sound_.PlaySoundEffect(sound::Effect::kLampLit);
    }
    HidePlayedRow(b, false);
    countdown_.startAt(b, h.seconds);
    if (b == 0) buttons_.takeTurnToken();

    auto clearRowsExceptFall = [&](bool bubbles) {
        for (int slot = 0; slot < 6; ++slot) {
            if (slot != fellNow) HidePlayedRow(slot, false);
            if (bubbles) table_.at("imgGuo", slot).visible = false;
        }
    };
    if (b != 0) {
        buttons_.startOthersCountdown();
        connection_.slots[net::kSlotTurnCountdown].flag = true;
        if (mode == table::kModeLead) {
            clearRowsExceptFall(false);
            if (play_.PacedRun && b == play_.PacedSlot && play_.PacedCount >= 1 &&
                play_.PacedCount <= 3)
                HidePlayedRow(b, true);
        }
        return;
    }
    buttons_.cancelOthersCountdown();
    if (mode == table::kModeNone) return;
    if (mode == table::kModeLead) {
        state_.TablePlay.playClass = rules::PlayClass::kNone;
        buttons_.resetHint();
        table_.at("imgGuo", 0).visible = false;
        clearRowsExceptFall(true);
    }
    if (mode == table::kModeFollow || mode == table::kModeBurn || mode == table::kModeTakeLead)
        buttons_.resetHint();
    buttons_.offerTurn(mode);
}

}  // namespace protocol
