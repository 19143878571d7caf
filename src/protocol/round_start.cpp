// The deal (command 1) and the round-start stages: declarations (2) and work (3),
// with the shared decision prompt.
#include "wire/round_start.h"

#include "app/client.h"
#include "pictures/action_pictures.h"
#include "rules/work.h"

namespace app {

namespace {

using pictures::kPicDeclare, pictures::kPicWork, pictures::kPicReveal, pictures::kPicPass;
// Entries of the indicator pictures.
constexpr int kUnlitLamp = 0, kDeclaredLabel = 5, kRevealedLabel = 6;

}  // namespace

void Client::StartOwnCountdown(int seconds) {
    const double s = state.Scale.x;
    ui::Control& timeImg = MainForm.at("Time_Img");
    ui::Control& number = MainForm.at("Number");
    timeImg.move(10 * s, (s < 1 ? 570 : 578) * s);
    number.move(timeImg.left + 48 * s, timeImg.top + 5 * s);
    state.CountdownSeconds = seconds;
    number.caption = std::to_string(seconds);
    number.foreColor = 0x00FF00;
    timeImg.visible = number.visible = true;
    MainForm.bringToFront(timeImg);
    MainForm.bringToFront(number);
}

// The two decision buttons with their pictures, placed from the button row's base,
// visible, enabled and in front.
void Client::showDecisionButtons(int leftPicture, int rightPicture) {
    ui::Control& left = MainForm.at("OperationNotP", 0);
    ui::Control& right = MainForm.at("OperationNotP", 1);
    pictures.showActionPicture(left, leftPicture);
    pictures.showActionPicture(right, rightPicture);
    left.left = ButtonBaseX + 0.3 * left.width;
    right.left = left.left + 2 * right.width;
    for (ui::Control* b : {&left, &right}) {
        b->visible = b->enabled = true;
        MainForm.bringToFront(*b);
    }
}

void Client::ShowDecisionPrompt(int seconds, int leftPicture, int rightPicture, bool& pendingFlag) {
    StartOwnCountdown(seconds);
    showDecisionButtons(leftPicture, rightPicture);
    pendingFlag = true;
    connection.slots[net::SlotTurnCountdown].flag = true;
    connection.slots[net::SlotTurnCountdown].counter = 0;
    state.PromptActive = true;
    if (state.Away) state.CountdownSeconds = 1;
}

void Client::HandleDeal(const wire::GamePacket& p) {
    hallWindowKnown = hall.find();
    if (hallWindowKnown) hall.post(platform::HallDealt);
    connection.slots[net::SlotContinue].flag = false;
    connection.stopKeepAlive();
    if (ui::Form* exitDialog = pf.windows.find("frmExit"); exitDialog && exitDialog->visible)
        exitDialog->unload();
    connection.slots[net::SlotTurnCountdown].flag = false;
    connection.slots[net::SlotContinue].counter = 0;
    if (state.HandInGame == 3) {
        state.RevealsCleared = false;
        state.HandInGame = 0;
    }
    ++state.HandInGame;
    setHallButtonPressed(2);
    for (int slot = 0; slot < 6; ++slot) {
        MainForm.at("OK", slot).visible = false;
        state.PlayerRecord[static_cast<std::size_t>(slot)].cards.clear();
    }
    for (int slot = 0; slot < 6; ++slot) MainForm.at("ImgQQ", slot).visible = false;

    // The hand.
    sound.PlaySoundEffect(sound::Effect::Deal);
    rules::Hand& hand = state.PlayerRecord[0].cards;
    for (int i = 0; i < 36; ++i)
        hand.append(
            static_cast<rules::CardCode>(wire::readLe32(p, 16 + 4 * static_cast<std::size_t>(i))));
    state.CardsDealt = 36;
    for (int j = 0; j < hand.count(); ++j) {
        hand.setEntry(j, {hand.code(j), static_cast<std::int16_t>(j), state.HandTop});
        ui::Control& card = cardImage(0, j);
        card.stretch = false;
        pictures.ShowCardPicture(0, j, rules::PictureIndex(hand.code(j)));
        LayOutHand(j, true);
    }
    SortAndShowCards(0, hand.count());
    // The other connection.slots' rows use their pictures in order.
    for (int slot = 1; slot < 6; ++slot) {
        rules::Hand& other = state.PlayerRecord[static_cast<std::size_t>(slot)].cards;
        other.clear();
    }

    state.MyTurn = false;
    state.TablePlay.playClass = rules::PlayClass::None;
    for (int i = 0; i < 2; ++i) {
        ui::Control& b = MainForm.at("OperationNotP", i);
        b.visible = b.enabled = false;
    }
    for (int slot = 0; slot < 6; ++slot) {
        ui::Control& lamp = MainForm.at("ImgKaiD", slot);
        pictures.showIndicatorPicture(lamp, kUnlitLamp);
        lamp.visible = true;
        MainForm.bringToFront(lamp);
    }
}

void Client::HandleDeclaration(const wire::GamePacket& p) {
    const std::uint8_t kind = p[8];
    if (p[11] == 0 && kind == 1) {
        clearHallButtonHover();
        setHallButtonPressed(2);
        clearFirstStart();
        resetDisplay(true);
        state.InGame = true;
        state.GameStarted = true;
        for (int slot = 0; slot < 6; ++slot) MainForm.at("OK", slot).visible = false;
        ShowDecisionPrompt(p[15], kPicDeclare, kPicPass, state.DeclarePending);
    } else if (p[11] == 0 && kind == 2) {
        bool offered = false;
        for (std::size_t i = 16; i <= 21; ++i)
            if (p[i] == state.PlayerRecord[0].seatBit && p[i] != 0) offered = true;
        if (offered)
            ShowDecisionPrompt(p[15], kPicReveal, kPicPass, state.RevealPending);
        else if (state.Away)
            state.CountdownSeconds = 1;
    } else if (p[11] == 1 && (kind == 1 || kind == 2)) {
        int slot = state::screenSlot(p[6], state.PlayerRecord[0].seatBit);
        ui::Control& label = MainForm.at("ImgYm", slot);
        pictures.showIndicatorPicture(label, kind == 1 ? kDeclaredLabel : kRevealedLabel);
        label.visible = true;
        MainForm.bringToFront(label);
        sound.PlaySoundEffect(kind == 1 ? sound::Effect::DeclareYudian
                                        : sound::Effect::DeclareMingdian);
    }
}

void Client::sendWorkAnswer(int cardId, int count) {
    wire::GamePacket answer =
        wire::WorkAnswer{state.PlayerRecord[0].seatBit, static_cast<std::uint8_t>(cardId),
                         static_cast<std::uint8_t>(count)}
            .encode();
    connection.QueuePacket(answer);
}

void Client::HandleWork(const wire::GamePacket& p) {
    rules::Hand& hand = state.PlayerRecord[0].cards;
    auto hideDecisionButtons = [this] {
        for (int i = 0; i < 2; ++i) {
            ui::Control& b = MainForm.at("OperationNotP", i);
            b.visible = b.enabled = false;
        }
    };
    const bool connected = pf.socket.state() == platform::SockConnected;
    if (p[15] == 1) {
        rules::WorkEligibility work = rules::CheckWorkEligibility(hand.codes());
        state.BestSameSuitCount = work.bestSameSuitCount;
        if (work.eligible) {
            for (int pos : work.raise) {
                ui::Control& card = cardImage(0, hand.imageIndex(pos));
                card.top = state.HandTop - card.height / 5;
            }
            showDecisionButtons(kPicWork, kPicPass);
            state.WorkPending = true;
            connection.slots[net::SlotTurnCountdown].flag = true;
            connection.slots[net::SlotTurnCountdown].counter = 0;
            state.PromptActive = true;
            StartOwnCountdown(state.TurnSeconds);
            for (int i = 0; i < hand.count(); ++i) cardImage(0, hand.imageIndex(i)).enabled = false;
            if (state.Away) state.CountdownSeconds = 1;
        } else if (connected) {
            sendWorkAnswer(0, 0);
            state.PlayToken = false;
            connection.slots[net::SlotTurnCountdown].flag = false;
            state.PromptActive = false;
            state.WorkPending = false;
            hideDecisionButtons();
        }
        return;
    }
    // The announcement.
    if (state.WorkPending && p[12] >= state.BestSameSuitCount) {
        hideDecisionButtons();
        for (int i = 0; i < hand.count(); ++i) cardImage(0, hand.imageIndex(i)).top = state.HandTop;
        if (connected) {
            sendWorkAnswer(0, 0);
            connection.slots[net::SlotTurnCountdown].flag = false;
            state.PlayToken = false;
            state.PromptActive = false;
            state.WorkPending = false;
            MainForm.at("Number").visible = false;
            MainForm.at("Time_Img").visible = false;
            hideDecisionButtons();
        }
        for (int i = 0; i < hand.count(); ++i) cardImage(0, hand.imageIndex(i)).enabled = true;
    }
    const int rank = p[11];
    int suitIndex = 0;
    for (int bit = 0; bit < 4; ++bit)
        if (p[10] & 0x0F & (1 << bit)) suitIndex = bit;
    for (int slot = 1; slot < 6; ++slot)
        for (int i = 0; i < 4; ++i) cardImage(slot, i).visible = false;
    const int slot = state::screenSlot(p[6], state.PlayerRecord[0].seatBit);
    if (slot == 0) return;
    if (p[12] != 0) sound.PlaySoundEffect(sound::Effect::GoToWork);
    // At most the 56 pictures of the slot's row can show cards.
    const int shown = std::min<int>(p[12], 56);
    rules::Hand& row = state.PlayerRecord[static_cast<std::size_t>(slot)].cards;
    row.clear();
    const rules::CardCode code = rules::composeCard(
        static_cast<std::uint8_t>(rank), static_cast<std::uint8_t>(1 << suitIndex), 0, 0);
    for (int i = 0; i < shown; ++i) row.append(code, static_cast<std::int16_t>(i));
    SortAndShowCards(slot, shown);
}

}  // namespace app
