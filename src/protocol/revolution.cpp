#include "protocol/revolution.h"

namespace protocol {

namespace {

// How long the exchanged card stands out of the hand.
constexpr int kExchangePauseMs = 2000;
// Announcement bubbles (PlayBubblePictureIds), finishing pictures and lamps.
constexpr int kBubbleNoHead = 4, kBubbleHead = 5, kBubbleRevolution = 6;
constexpr int kRevoltedPlace = 4;
constexpr int kLitLamp = 1;

int pictureOf(rules::CardCode code) { return rules::PictureIndex(code); }

}  // namespace

int Revolution::slotOf(std::uint8_t seatByte) const {
    return state::screenSlot(state::seatBitOf(seatByte), state_.PlayerRecord[0].seatBit);
}

void Revolution::HandleExchange(const wire::Exchange& e) {
    if (e.kind == wire::ExchangeKind::kBuy)
        notice_.ShowNotice(state_.PlayerInfo[static_cast<std::size_t>(slotOf(e.actor))].nickname +
                           "买三");
    // Only the hand of the player named changes; a seat byte without a seat bit
    // names nobody.
    if (e.actor == 0 || e.actor != state_.PlayerRecord[0].seatBit) return;
    if (e.kind == wire::ExchangeKind::kBuy)
        exchangeOwnCard(static_cast<std::uint8_t>(e.buyCard >> 24),
                        static_cast<rules::CardCode>(e.buyCard));
    else if (e.kind == wire::ExchangeKind::kSell)
        exchangeOwnCard(static_cast<std::uint8_t>(e.sellCard >> 24),
                        static_cast<rules::CardCode>(e.sellCard));
}

void Revolution::exchangeOwnCard(std::uint8_t cardId, rules::CardCode code) {
    rules::Hand& hand = state_.PlayerRecord[0].cards;
    auto find = [&] {
        for (int i = 0; i < hand.count(); ++i)
            if (rules::cardIdOf(hand.code(i)) == cardId) return i;
        return -1;
    };
    int pos = find();
    if (pos < 0) return;
    ui::Control& card = hand_.cardImage(0, hand.imageIndex(pos));
    card.top = state_.HandTop - card.height / 2;
    loop_.wait(kExchangePauseMs);
    // The hand may have changed during the pause: the card is looked up again.
    pos = find();
    if (pos < 0) return;
    const int item = hand.imageIndex(pos);
    hand.setEntry(pos, {code, static_cast<std::int16_t>(item), state_.HandTop});
    hand_.cardImage(0, item).top = state_.HandTop;
    pictures_.ShowCardPicture(0, item, pictureOf(code));
    hand_.SortAndShowCards(0, hand.count());
}

void Revolution::HandleRevolution(const wire::Revolution& r) {
    using wire::RevolutionStage;
    const std::uint8_t own = state_.PlayerRecord[0].seatBit;
    switch (r.stage) {
        case RevolutionStage::kRevolutionPrompt:
            if (r.offered.offers(own))
                buttons_.ShowDecisionPrompt(r.seconds, table::PromptKind::kRevolution);
            else if (state_.Away)
                state_.CountdownSeconds = 1;
            break;
        case RevolutionStage::kHeadPrompt:
            // The seat byte is compared as it came: upper bits make it nobody's.
            if (own != 0 && r.actor == own)
                buttons_.ShowDecisionPrompt(r.seconds, table::PromptKind::kHead);
            break;
        case RevolutionStage::kDoubleRevolution:
            notice_.ShowNotice("两家革命重新开牌");
            break;
        case RevolutionStage::kRevolted:
            revolted(slotOf(r.actor));
            break;
        case RevolutionStage::kHead:
            sound_.PlaySoundEffect(sound::Effect::kWithHead);
            bubble(slotOf(r.actor), kBubbleHead);
            break;
        case RevolutionStage::kNoHead:
            sound_.PlaySoundEffect(sound::Effect::kWithoutHead);
            bubble(slotOf(r.actor), kBubbleNoHead);
            break;
        default:
            break;
    }
}

// A revolting player is fourth this round: his place shows at once, and the seat
// opposite gets its lamp.
void Revolution::revolted(int slot) {
    sound_.PlaySoundEffect(sound::Effect::kRevolution);
    bubble(slot, kBubbleRevolution);
    state_.PlayerRecord[static_cast<std::size_t>(slot)].finishPlace = kRevoltedPlace;
    ui::Control& place = table_.at("ImgResult", slot);
    pictures_.showFinishPicture(place, kRevoltedPlace - 1);
    if (slot == 0) place.top = state_.HandTop - hand_.cardImage(0, 0).height / 5 - place.height;
    place.visible = true;
    table_.bringToFront(place);
    if (state_.RevolutionSlots[0] < 0)
        state_.RevolutionSlots[0] = slot;
    else
        state_.RevolutionSlots[1] = slot;
    ui::Control& lamp = table_.at("ImgKaiD", (slot + 3) % 6);
    pictures_.showIndicatorPicture(lamp, kLitLamp);
    lamp.visible = true;
    table_.bringToFront(lamp);
    sound_.PlaySoundEffect(sound::Effect::kLampLit);
}

void Revolution::bubble(int slot, int picture) {
    if (slot == 0 || table_.windowState == ui::WindowState::kMinimized) return;
    playedHand_.ShowPlayBubble(slot, picture);
}

}  // namespace protocol
