#include "table/hand_view.h"

#include <algorithm>
#include <cmath>

#include "rules/hint.h"

namespace table {

namespace {

// Where the other slots' face-up rows go: the row's top relative to the anchor, and
// whether the row is measured from the right-hand layout (slots 3..5).
struct RowRule {
    double topOffset;
    bool centred;
};
constexpr RowRule kRows[6] = {{0, false}, {0, false}, {55, false},
                              {0, true},  {85, true}, {30, true}};

// How long the cards that move stay on show before the hand is laid out again.
constexpr int kPauseMs = 2000;
// A tribute brings at most twelve cards.
constexpr int kMaxMovingCards = 12;

}  // namespace

HandView::HandView(state::TableState& state, ui::Form& tableWindow, pictures::Pictures& pictures,
                   sound::Sound& sound, platform::EventLoop& loop)
    : state_(state), table_(tableWindow), pictures_(pictures), sound_(sound), loop_(loop) {}

ui::Control& HandView::cardImage(int slot, int item) {
    return table_.at("cardImage" + std::to_string(slot), item);
}

bool HandView::IsHandImage(int item) const {
    const rules::Hand& hand = state_.PlayerRecord[0].cards;
    for (int i = 0; i < hand.count(); ++i)
        if (hand.imageIndex(i) == item) return true;
    return false;
}

void HandView::SortAndShowCards(int slot, int count) {
    if (slot < 0 || slot > 5) return;
    rules::Hand& hand = state_.PlayerRecord[static_cast<std::size_t>(slot)].cards;
    count = std::clamp(count, 0, hand.count());
    std::array<rules::CardCode, rules::kHandCapacity> before{};
    for (int i = 0; i < count; ++i) {
        before[static_cast<std::size_t>(i)] = hand.code(i);
        // The sort carries each card's Top with it, so a raised card stays raised.
        if (slot == 0) {
            ui::Control& c = cardImage(0, hand.imageIndex(i));
            c.visible = false;
            hand.setTop(i, static_cast<std::int32_t>(std::lround(c.top)));
        }
    }
    hand.sort(0, count);
    const double s = state_.Scale.x;
    if (slot == 0) {
        for (int i = 0; i < count; ++i) {
            ui::Control& c = cardImage(0, hand.imageIndex(i));
            c.top = hand.top(i);
            if (hand.code(i) != before[static_cast<std::size_t>(i)])
                pictures_.ShowCardPicture(0, hand.imageIndex(i), rules::PictureIndex(hand.code(i)));
            table_.bringToFront(c);
            c.visible = true;
        }
        if (count >= 15)
            for (const char* name : {"imgLocation", "Location", "word1", "word2"})
                table_.bringToFront(table_.at(name));
        return;
    }
    const auto& rec = state_.PlayerRecord[static_cast<std::size_t>(slot)];
    const double w = cardImage(slot, 0).width;
    for (int i = 0; i < count; ++i) {
        ui::Control& c = cardImage(slot, hand.imageIndex(i));
        pictures_.ShowCardPicture(slot, hand.imageIndex(i), rules::PictureIndex(hand.code(i)));
        c.visible = false;
        c.top = rec.handTop + kRows[slot].topOffset * s;
        c.left = kRows[slot].centred
                     ? rec.handLeft + 40 * s - (count * 0.11 + 0.39) * 90 * s + i * 0.23 * w
                     : rec.handLeft - 30 * s + i * 0.23 * w;
        table_.bringToFront(c);
        c.visible = true;
    }
}

void HandView::LayOutHand(int pos, bool atHandTop) {
    const rules::Hand& hand = state_.PlayerRecord[0].cards;
    if (pos < 0 || pos >= hand.count()) return;
    const double s = state_.Scale.x;
    ui::Control& c = cardImage(0, hand.imageIndex(pos));
    const int n = hand.count();
    const double start = state_.PlayerRecord[0].handLeft - (n * 0.11 + 0.39) * 90 * s;
    ui::Control& tou0 = table_.at("Tou", 0);
    const double avatarRight = tou0.left + tou0.width + 15 * s;
    const double step = (s == 1.0 ? 0.26 : 0.23) * c.width;
    c.left = (avatarRight > start ? avatarRight : start) + pos * step;
    if (atHandTop) c.top = state_.HandTop;
    c.visible = true;
    c.enabled = true;
    table_.bringToFront(c);
}

void HandView::layOutHand(bool atHandTop) {
    for (int i = 0; i < state_.PlayerRecord[0].cards.count(); ++i) LayOutHand(i, atHandTop);
}

rules::HandPositions HandView::raisedPositions() {
    const rules::Hand& hand = state_.PlayerRecord[0].cards;
    rules::HandPositions selected;
    for (int i = 0; i < hand.count(); ++i)
        if (cardImage(0, hand.imageIndex(i)).top < state_.HandTop) selected.push_back(i);
    return selected;
}

void HandView::lowerRaisedCards() {
    const rules::Hand& hand = state_.PlayerRecord[0].cards;
    for (int i = 0; i < hand.count(); ++i) {
        ui::Control& c = cardImage(0, hand.imageIndex(i));
        if (c.top < state_.HandTop) c.top = state_.HandTop;
    }
}

void HandView::raiseCardItem(int item) {
    if (item < 0 || item >= kCardItems) return;
    ui::Control& c = cardImage(0, item);
    c.top = state_.HandTop - c.height / 5;
}

void HandView::raiseLeadProposal(bool selfBurning) {
    const rules::Hand& hand = state_.PlayerRecord[0].cards;
    lowerRaisedCards();
    for (int pos : rules::LeadHint(hand.codes(), selfBurning)) raiseCardItem(hand.imageIndex(pos));
}

void HandView::enableHandCards(bool enabled) {
    const rules::Hand& hand = state_.PlayerRecord[0].cards;
    for (int i = 0; i < hand.count(); ++i) cardImage(0, hand.imageIndex(i)).enabled = enabled;
}

// Every hand entry whose CardId is one of ids is raised by the fraction of its
// picture's height and disabled; after the pause those entries leave the hand (by
// their ids again, whatever happened to the hand meanwhile) and the rest is laid out.
void HandView::cardsLeaveHand(std::span<const std::uint8_t> ids, double raiseFraction) {
    rules::FixedList<std::uint8_t, kMaxMovingCards> leaving;
    for (std::uint8_t id : ids) leaving.push_back(id);
    if (leaving.empty()) return;
    rules::Hand& hand = state_.PlayerRecord[0].cards;
    auto isLeaving = [&](int pos) {
        const int id = rules::cardIdOf(hand.code(pos));
        return std::find(leaving.begin(), leaving.end(), id) != leaving.end();
    };
    for (int i = 0; i < hand.count(); ++i) {
        if (!isLeaving(i)) continue;
        ui::Control& card = cardImage(0, hand.imageIndex(i));
        card.top = state_.HandTop - card.height * raiseFraction;
        card.enabled = false;
    }
    loop_.wait(kPauseMs);
    for (int i = hand.count() - 1; i >= 0; --i) {
        if (!isLeaving(i)) continue;
        cardImage(0, hand.imageIndex(i)).visible = false;
        hand.removeAt(i);
    }
    layOutHand(false);
}

void HandView::receiveCards(std::span<const rules::CardCode> codes) {
    rules::Hand& hand = state_.PlayerRecord[0].cards;
    const int room = std::min(kCardItems - state_.CardsDealt, rules::kHandCapacity - hand.count());
    const int n = std::clamp(static_cast<int>(codes.size()), 0, std::max(room, 0));
    if (n == 0) return;
    const double s = state_.Scale.x;
    const ui::Control& first = cardImage(0, 0);
    const double step = (s == 1.0 ? 0.26 : 0.23) * first.width;
    const double left = state_.PlayerRecord[0].handLeft - (n * 0.11 + 0.39) * 90 * s;
    const double top = state_.HandTop - first.height - 10 * s;
    for (int k = 0; k < n; ++k) {
        const rules::CardCode code = codes[static_cast<std::size_t>(k)];
        const int item = state_.CardsDealt;
        ui::Control& card = cardImage(0, item);
        card.visible = false;
        hand.append(code, static_cast<std::int16_t>(item), static_cast<std::int32_t>(top));
        card.stretch = false;
        pictures_.ShowCardPicture(0, item, rules::PictureIndex(code));
        card.move(left + k * step, top);
        card.enabled = false;
        card.visible = true;
        table_.bringToFront(card);
        ++state_.CardsDealt;
    }
    loop_.wait(kPauseMs);
    // Laying out enables every card, the new ones among them.
    layOutHand(true);
    SortAndShowCards(0, hand.count());
}

void HandView::reset(bool keepDealt) {
    const double s = state_.Scale.x;
    // Card-area anchors of the six slots and the resting top of the own cards.
    const double anchors[6][2] = {{540, 420}, {140, 360}, {140, 160},
                                  {540, 130}, {880, 160}, {880, 360}};
    for (int slot = 0; slot < 6; ++slot) {
        auto& rec = state_.PlayerRecord[static_cast<std::size_t>(slot)];
        double x = anchors[slot][0], y = anchors[slot][1];
        if (s < 1 && slot == 0) y = 430;
        if (s < 1 && (slot == 1 || slot == 2)) x = 170;
        rec.handLeft = static_cast<int>(std::nearbyint(x * s));
        rec.handTop = static_cast<int>(std::nearbyint(y * s));
    }
    state_.HandTop = static_cast<int>(std::nearbyint(580 * s));
    for (int slot = keepDealt ? 1 : 0; slot < 6; ++slot)
        for (int i = 0; i < kCardItems; ++i) {
            ui::Control& c = cardImage(slot, i);
            c.visible = false;
            if (slot == 0) {
                c.enabled = true;
                c.width = 90 * s;
                c.height = 120 * s;
            }
        }
}

void HandView::onCardMouseDown(ui::Control& card, const ui::Event& e) {
    if (e.button == ui::kRightButton) {
        if (state_.MyTurn && state_.PlayToken && state_.LoginAccepted && onPlayRequest)
            onPlayRequest();
        return;
    }
    if (e.button != ui::kLeftButton || !IsHandImage(card.index)) return;
    rules::Hand& hand = state_.PlayerRecord[0].cards;
    const double raised = state_.HandTop - card.height / 5;
    if (card.top >= state_.HandTop) {
        if (state_.GroupSelect) {
            int rank = 0;
            for (int i = 0; i < hand.count(); ++i)
                if (hand.imageIndex(i) == card.index) rank = rules::rankOf(hand.code(i));
            if (rank == rules::kRankThree && !state_.OnlyThreesLeft) return;
            for (int i = 0; i < hand.count(); ++i)
                if (rules::rankOf(hand.code(i)) == rank)
                    cardImage(0, hand.imageIndex(i)).top = raised;
        } else {
            card.top = raised;
        }
        sound_.PlaySoundEffect(sound::Effect::kCardRaised);
    } else {
        card.top = state_.HandTop;
        sound_.PlaySoundEffect(sound::Effect::kCardLowered);
    }
}

}  // namespace table
