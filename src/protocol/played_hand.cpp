// The played-hand command (6): what a seat did — played, passed, burned, yielded,
// took the lead, went out, or the round ended — and who acts next, with how long and
// with which choices. Shows the other seats' rows, the announcements and the clock,
// and hands the turn to the local player.
#include <algorithm>

#include "app/client.h"

namespace app {

namespace {

// Actions of the actor (byte 15).
enum Action : int {
    kPass = 0,
    kOpening = 1,
    kPlayed = 2,
    kBurn = 3,
    kYield = 4,
    kTakeLead = 5,
    kWentOut = 9,
    kRoundOver = 10,
};
// Events (byte 16).
enum EventCode : int { kLampLit = 1, kFall = 2, kPaced = 3 };

// Picture entries.
constexpr int kLitLamp = 1, kBurnFlames = 2, kCatchFlames = 3, kFallFlames = 4;
constexpr int kBubbleYield = 3, kBubbleTakeLead = 11, kBubbleGameName = 12;
constexpr int kFinishFall = 5;

constexpr std::uint32_t kGreen = 0x00FF00;

}  // namespace

int Client::playSlot(std::uint8_t seatByte) const {
    return state::screenSlot(seatByte, state.PlayerRecord[0].seatBit);
}

void Client::startBubbleTimer(int ms) {
    play.TimerQQ.onTick = [this] { bubbleTimerTick(); };
    play.TimerQQ.setInterval(ms);
    play.TimerQQ.setEnabled(true);
}

void Client::bubbleTimerTick() {
    for (int i = 0; i < 6; ++i) MainForm.at("ImgQQ", i).visible = false;
    if (play.FallPending) {
        HidePlayedRow(play.FallSlot, false);
        play.FallPending = false;
        play.FallSlot = -1;
    }
    play.TimerQQ.setEnabled(false);
}

void Client::showBubble(int slot, int entry) {
    ui::Control& bubble = MainForm.at("ImgQQ", slot);
    pictures.showPlayBubblePicture(bubble, entry);
    bubble.visible = true;
    MainForm.bringToFront(bubble);
    startBubbleTimer(2000);
}

// The flames play on ShaoPaiPlayer from the bytes of their resource.
void Client::loadFlames(int entry) {
    const int id =
        pictures::PictureIdValue(pictures.ids.IndicatorPictureIds[static_cast<std::size_t>(entry)]);
    ShaoPaiPlayer.LoadAnimatedGIF_Array(pictures.cache.store().bytes(id));
}

void Client::showFlames() {
    ShaoPaiPlayer.setVisible(true);
    MainForm.bringToFront(ShaoPaiPlayer.control());
}

void Client::HidePlayedRow(int slot, bool visible) {
    if (slot < 0 || slot > 5) return;
    const auto column = static_cast<std::size_t>(slot);
    const int count = std::min<int>(play.PlayedPictures[table::kPlayedRowCapacity][column],
                                    table::kPlayedRowCapacity);
    for (int row = 0; row < count; ++row) {
        const int item = play.PlayedPictures[static_cast<std::size_t>(row)][column];
        if (item < 0 || item >= table::kCardItems) continue;
        cardImage(slot, item).visible = visible;
    }
}

void Client::PlaceCountdown(int slot) {
    const double s = state.Scale.x;
    ui::Control& timeImg = MainForm.at("Time_Img");
    ui::Control& number = MainForm.at("Number");
    auto bottomOf = [this](const char* name) {
        const ui::Control& c = MainForm.at(name);
        return c.top + c.height;
    };
    switch (slot) {
        case 0:
            timeImg.move(10 * s, (s < 1 ? 570 : 578) * s);
            break;
        case 1:
            timeImg.move(6 * s, bottomOf("name1"));
            break;
        case 2:
            timeImg.move(160 * s, 108 * s);
            break;
        case 3:
            timeImg.move(500 * s, 108 * s);
            break;
        case 4:
            timeImg.move(845 * s, 108 * s);
            break;
        case 5:
            timeImg.move(1024 * s - timeImg.width - 4 * s, bottomOf("name2"));
            break;
        default:
            return;
    }
    number.move(timeImg.left + 48 * s, timeImg.top + 5 * s);
    if (slot != 0) return;
    for (int i = 0; i <= 2; ++i) MainForm.bringToFront(MainForm.at("Operation", i));
    state.MyTurn = true;
    state.PlayToken = true;
    connection.slots[net::SlotTurnCountdown].flag = true;
    connection.slots[net::SlotTurnCountdown].counter = 0;
    state.PromptActive = true;
}

void Client::MarkGoneOut(int slot) {
    const bool revolution = state.RevolutionSlots[0] >= 0 || state.RevolutionSlots[1] >= 0;
    const int place = play.FinishCounter == 3 && revolution ? 5 : play.FinishCounter + 1;
    play.FinishCounter = place;
    sound.PlaySoundEffect(sound::Effect::GoOut);
    if (slot < 0 || slot > 5) return;
    state.PlayerRecord[static_cast<std::size_t>(slot)].finishPlace = place;
    // There are six finishing pictures; a seventh place (more seats out than the
    // round has) keeps the slot's picture as it is.
    if (place < 1 || place > 6) return;
    ui::Control& result = MainForm.at("ImgResult", slot);
    pictures.showFinishPicture(result, place - 1);
    result.visible = true;
    MainForm.bringToFront(result);
}

void Client::ShowPlayedHand(const wire::GamePacket& p) {
    const int a = playSlot(p[6]);
    const int action = p[15];
    if (action == kOpening) play.DravikRun = false;
    if (a != 0 && play.PacedRun && a == play.PacedSlot && play.PacedCount >= 1 &&
        play.PacedCount <= 3)
        pf.loop.wait(2000);

    const bool minimised = MainForm.windowState == ui::WindowState::Minimized;
    const auto playClass = static_cast<rules::PlayClass>(p[18]);
    if (playClass == rules::PlayClass::Dravik) {
        if (a != 0)
            sound.PlaySoundEffect(play.DravikRun ? sound::Effect::Play : sound::Effect::DravikPlay);
        if (a != 0 && !minimised) showBubble(a, kBubbleGameName);
        play.DravikRun = true;
        // A Dravik play clears every row but the actor's and the one opposite it.
        for (int d : {1, 2, 4, 5}) HidePlayedRow((a + d) % 6, false);
    } else {
        play.DravikRun = false;
        if (a != 0) sound.PlaySoundEffect(sound::Effect::Play);
    }
    // The own plays are on the table already.
    if (a == 0) return;

    HidePlayedRow(a, false);
    // No play has more than 40 cards; a larger count is read as 40, which keeps the
    // card reads inside the packet and the row inside its table.
    const int n = std::min<int>(p[17], table::kPlayedRowCapacity);
    state.TablePlay.count = static_cast<std::int16_t>(n);
    state.TablePlay.playClass = playClass;
    state.TablePlay.seatSlot = static_cast<std::int16_t>(a);
    const auto column = static_cast<std::size_t>(a);
    const auto& rec = state.PlayerRecord[column];
    const double s = state.Scale.x;
    const double w = cardImage(a, 0).width;
    const double spread = (n * 0.11 + 0.39) * 90 * s;
    for (int i = 0; i < n; ++i) {
        const std::size_t at = 20 + 4 * static_cast<std::size_t>(i);
        const rules::CardCode code = p[at] + 256 * (p[at + 1] % 16);
        state.TablePlay.cards[static_cast<std::size_t>(i)] = code;
        // The slot's pictures are taken in order through the round; entry k of the
        // slot's list shows on item k.
        const int k = play.UsedCardPictures[column] + i;
        const int item = k < rec.cards.count() ? rec.cards.imageIndex(k) : k;
        play.PlayedPictures[static_cast<std::size_t>(i)][column] = static_cast<std::int16_t>(item);
        if (item < 0 || item >= table::kCardItems) continue;
        ui::Control& card = cardImage(a, item);
        card.stretch = false;
        pictures.ShowCardPicture(a, item, rules::PictureIndex(code));
        double left = rec.handLeft + i * 0.26 * w;
        if (a == 3) left -= spread;
        if (a == 4 || a == 5) left -= 1.5 * spread;
        if (a == 5) left -= 20 * s;
        card.move(left, rec.handTop);
        card.visible = true;
        MainForm.bringToFront(card);
    }
    play.PlayedPictures[table::kPlayedRowCapacity][column] = static_cast<std::int16_t>(n);
    play.UsedCardPictures[column] += n;
    if (p[16] == kPaced) {
        play.PacedSlot = a;
        play.PacedRun = true;
        ++play.PacedCount;
    } else {
        play.PacedRun = false;
    }
}

void Client::HandlePlayedHand(const wire::GamePacket& p) {
    play.OthersCountdown = false;
    connection.slots[net::SlotTurnCountdown].flag = false;
    state.GroupSelect = true;
    ui::Control& restore = MainForm.at("Operation", 5);
    restore.visible = restore.enabled = true;
    for (int i = 0; i < 6; ++i) MainForm.at("imgGuo", i).visible = false;

    const int n = p[17];
    if (n != 0) {
        ShowPlayedHand(p);
        if (play.GoneOutPending) {
            if (play.GoneOutSlot >= 0) HidePlayedRow(play.GoneOutSlot, false);
            play.GoneOutPending = false;
            play.GoneOutSlot = -1;
        }
    }
    const int a = playSlot(p[6]);
    const int action = p[15];
    const bool minimised = MainForm.windowState == ui::WindowState::Minimized;
    int fellNow = -1;

    if (p[16] == kFall) {
        ui::Control& result = MainForm.at("ImgResult", a);
        pictures.showFinishPicture(result, kFinishFall);
        sound.PlaySoundEffect(sound::Effect::Fall);
        if (a == 0) result.top = state.HandTop - 0.75 * cardImage(0, 0).height;
        result.visible = true;
        MainForm.bringToFront(result);
        // The fall's flames play once; after the pass the player shows nothing.
        ShaoPaiPlayer.setVisible(false);
        loadFlames(kFallFlames);
        ShaoPaiPlayer.setLoops(1);
        showFlames();
        play.BurnActive = false;
        play.BurnSlot = -1;
        fellNow = a;
        play.FallPending = true;
        play.FallSlot = a;
        startBubbleTimer(3000);
    }

    if (action == kRoundOver) {
        MainForm.at("Time_Img").visible = false;
        MainForm.at("Number").visible = false;
        connection.slots[net::SlotTurnCountdown].flag = false;
        connection.slots[net::SlotTurnCountdown].counter = 0;
        state.InGame = false;
        clearDecisionFlags();
        pf.loop.wait(1000);
        for (int slot = 0; slot < 6; ++slot)
            for (int i = 0; i < table::kCardItems; ++i) cardImage(slot, i).visible = false;
        return;
    }

    // A burn is caught when another seat plays cards onto it.
    auto caught = [&] {
        return play.BurnActive && n != 0 && play.BurnSlot != -1 && play.BurnSlot != a;
    };
    auto catchBurn = [&] {
        loadFlames(kCatchFlames);
        ShaoPaiPlayer.setLoops(1);
        showFlames();
        sound.PlaySoundEffect(sound::Effect::BurnCaught);
        play.SelfBurning = false;
        play.BurnActive = false;
        play.BurnSlot = -1;
    };
    switch (action) {
        case kWentOut:
            MarkGoneOut(a);
            if (play.BurnActive && play.BurnSlot == a) {
                play.BurnActive = false;
                play.BurnSlot = -1;
                ShaoPaiPlayer.setVisible(false);
            }
            play.GoneOutSlot = a;
            play.GoneOutPending = true;
            break;
        case kTakeLead:
            sound.PlaySoundEffect(sound::Effect::TakeLead);
            if (n == 0 && a != 0 && !minimised) showBubble(a, kBubbleTakeLead);
            break;
        case kYield:
            sound.PlaySoundEffect(sound::Effect::Yield);
            if (a != 0 && !minimised) showBubble(a, kBubbleYield);
            break;
        case kBurn:
            if (caught()) {
                catchBurn();
                pf.loop.wait(2000);
            }
            // The load replaces this count with the file's own, so the burn keeps
            // burning as its picture says (for ever for ours).
            ShaoPaiPlayer.setLoops(1);
            loadFlames(kBurnFlames);
            showFlames();
            sound.PlaySoundEffect(sound::Effect::Burn);
            play.BurnSlot = a;
            play.BurnActive = true;
            if (a == 0) play.SelfBurning = true;
            break;
        case kPlayed:
            if (caught()) catchBurn();
            break;
        case kPass:
            sound.PlaySoundEffect(sound::Effect::Pass);
            if (n == 0 && !state.Away && a >= 1 && a <= 5) {
                ui::Control& bubble = MainForm.at("imgGuo", a);
                pictures.showPassBubblePicture(bubble, a - 1);
                bubble.visible = true;
                MainForm.bringToFront(bubble);
            }
            break;
        default:
            break;
    }

    // The next turn.
    const int b = playSlot(p[8]);
    const int mode = p[11];
    if (mode == table::kModeLead) {
        if (!state.RevealsCleared) {
            state.RevealsCleared = true;
            for (int slot = 1; slot < 6; ++slot)
                for (int i = 0; i <= 3; ++i)
                    if (ui::Control& c = cardImage(slot, i); c.visible) c.visible = false;
        }
        MainForm.at("imgGuo", b).visible = false;
    }
    if (p[16] == kLampLit) {
        pictures.showIndicatorPicture(MainForm.at("ImgKaiD", b), kLitLamp);
        sound.PlaySoundEffect(sound::Effect::LampLit);
    }
    HidePlayedRow(b, false);
    ui::Control& timeImg = MainForm.at("Time_Img");
    ui::Control& number = MainForm.at("Number");
    number.visible = timeImg.visible = false;
    PlaceCountdown(b);
    state.CountdownSeconds = p[10];
    number.caption = std::to_string(state.CountdownSeconds);
    number.foreColor = kGreen;
    timeImg.visible = number.visible = true;
    MainForm.bringToFront(timeImg);
    MainForm.bringToFront(number);

    auto clearRowsExceptFall = [&](bool bubbles) {
        for (int slot = 0; slot < 6; ++slot) {
            if (slot != fellNow) HidePlayedRow(slot, false);
            if (bubbles) MainForm.at("imgGuo", slot).visible = false;
        }
    };
    if (b != 0) {
        play.OthersCountdown = true;
        connection.slots[net::SlotTurnCountdown].flag = true;
        if (mode == table::kModeLead) {
            clearRowsExceptFall(false);
            if (play.PacedRun && b == play.PacedSlot && play.PacedCount >= 1 &&
                play.PacedCount <= 3)
                HidePlayedRow(b, true);
        }
        return;
    }
    play.OthersCountdown = false;
    if (mode == table::kModeNone) return;
    if (mode == table::kModeLead) {
        state.TablePlay.playClass = rules::PlayClass::None;
        play.HintIndex = 0;
        MainForm.at("imgGuo", 0).visible = false;
        clearRowsExceptFall(true);
    }
    if (mode == table::kModeFollow || mode == table::kModeBurn || mode == table::kModeTakeLead)
        play.HintIndex = 0;
    offerTurn(mode);
}

}  // namespace app
