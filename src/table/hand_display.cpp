// The own hand as a fanned row along the bottom of the table, the other seats'
// face-up rows, card selection by mouse, and the table surface's mouse and keys.
#include <cmath>

#include "app/client.h"
#include "wire/gbk.h"

namespace app {

namespace {

// Where the other connection.slots' face-up rows go: the row's top relative to the anchor, and
// whether the row is measured from the right-hand layout (connection.slots 3..5).
struct RowRule {
    double topOffset;
    bool centred;
};
constexpr RowRule kRows[6] = {{0, false}, {0, false}, {55, false},
                              {0, true},  {85, true}, {30, true}};

}  // namespace

ui::Control& Client::cardImage(int slot, int item) {
    return MainForm.at("cardImage" + std::to_string(slot), item);
}

bool Client::IsHandImage(int item) const {
    const rules::Hand& hand = state.PlayerRecord[0].cards;
    for (int i = 0; i < hand.count(); ++i)
        if (hand.imageIndex(i) == item) return true;
    return false;
}

void Client::SortAndShowCards(int slot, int count) {
    if (slot < 0 || slot > 5) return;
    rules::Hand& hand = state.PlayerRecord[static_cast<std::size_t>(slot)].cards;
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
    const double s = state.Scale.x;
    if (slot == 0) {
        for (int i = 0; i < count; ++i) {
            ui::Control& c = cardImage(0, hand.imageIndex(i));
            c.top = hand.top(i);
            if (hand.code(i) != before[static_cast<std::size_t>(i)])
                pictures.ShowCardPicture(0, hand.imageIndex(i), rules::PictureIndex(hand.code(i)));
            MainForm.bringToFront(c);
            c.visible = true;
        }
        if (count >= 15)
            for (const char* name : {"imgLocation", "Location", "word1", "word2"})
                MainForm.bringToFront(MainForm.at(name));
        return;
    }
    const auto& rec = state.PlayerRecord[static_cast<std::size_t>(slot)];
    const double w = cardImage(slot, 0).width;
    for (int i = 0; i < count; ++i) {
        ui::Control& c = cardImage(slot, hand.imageIndex(i));
        pictures.ShowCardPicture(slot, hand.imageIndex(i), rules::PictureIndex(hand.code(i)));
        c.visible = false;
        c.top = rec.handTop + kRows[slot].topOffset * s;
        c.left = kRows[slot].centred
                     ? rec.handLeft + 40 * s - (count * 0.11 + 0.39) * 90 * s + i * 0.23 * w
                     : rec.handLeft - 30 * s + i * 0.23 * w;
        MainForm.bringToFront(c);
        c.visible = true;
    }
}

void Client::LayOutHand(int pos, bool atHandTop) {
    const rules::Hand& hand = state.PlayerRecord[0].cards;
    if (pos < 0 || pos >= hand.count()) return;
    const double s = state.Scale.x;
    ui::Control& c = cardImage(0, hand.imageIndex(pos));
    const int n = hand.count();
    const double start = state.PlayerRecord[0].handLeft - (n * 0.11 + 0.39) * 90 * s;
    ui::Control& tou0 = MainForm.at("Tou", 0);
    const double avatarRight = tou0.left + tou0.width + 15 * s;
    const double step = (s == 1.0 ? 0.26 : 0.23) * c.width;
    c.left = (avatarRight > start ? avatarRight : start) + pos * step;
    if (atHandTop) c.top = state.HandTop;
    c.visible = true;
    c.enabled = true;
    MainForm.bringToFront(c);
}

void Client::onCardMouseDown(ui::Control& card, const ui::Event& e) {
    if (e.button == ui::RightButton) {
        if (state.MyTurn && state.PlayToken && state.LoginAccepted) ValidateAndPlay();
        return;
    }
    if (e.button != ui::LeftButton || !IsHandImage(card.index)) return;
    rules::Hand& hand = state.PlayerRecord[0].cards;
    const double raised = state.HandTop - card.height / 5;
    if (card.top >= state.HandTop) {
        if (state.GroupSelect) {
            int rank = 0;
            for (int i = 0; i < hand.count(); ++i)
                if (hand.imageIndex(i) == card.index) rank = rules::rankOf(hand.code(i));
            if (rank == rules::kRankThree && !state.OnlyThreesLeft) return;
            for (int i = 0; i < hand.count(); ++i)
                if (rules::rankOf(hand.code(i)) == rank)
                    cardImage(0, hand.imageIndex(i)).top = raised;
        } else {
            card.top = raised;
        }
        sound.PlaySoundEffect(sound::Effect::CardRaised);
    } else {
        card.top = state.HandTop;
        sound.PlaySoundEffect(sound::Effect::CardLowered);
    }
}

void Client::onTableMouseDown(const ui::Event& e) {
    if (ui::Form* chuPai = pf.windows.find("ChuPai")) chuPai->unload();
    MainForm.setFocus(&MainForm.at("Chat"));
    for (const char* name : {"Score", "Hero", "Talk"})
        if (ui::Form* f = pf.windows.find(name)) {
            f->hide();
            f->topmost = false;
        }
    if (e.button == ui::RightButton && state.MyTurn && state.PlayToken && state.LoginAccepted)
        clickOperation(0);
}

// The pointer over the table surface or its background pictures: every hovered
// button gets its normal look back.
// Leaving the buttons for the table surface or the decorations gives the action,
// decision and hall buttons back their normal pictures.
void Client::onTableMouseMove(const ui::Event&) {
    resetButtonHover();
    clearHallButtonHover();
}

void Client::BossKey() {
    for (const char* name : {"Information", "VosSet", "frmExit", "ChuPai", "frmTishi"})
        if (ui::Form* f = pf.windows.find(name)) f->unload();
    for (const char* name : {"Talk", "huifu", "Hero", "Score"})
        if (ui::Form* f = pf.windows.find(name)) f->hide();
    state.AutoPlay = true;
    state.TurnSeconds = 0;
    state.Away = true;
    MainForm.windowState = ui::WindowState::Minimized;
    hall.minimise();
    for (ui::Form* f : pf.windows.forms())
        if (f->caption == "speakbox") f->hide();
}

void Client::onTableKeyDown(const ui::Event& e) {
    if (e.keyCode == ui::VK_F1) {
        BossKey();
        return;
    }
    if (e.keyCode == 18) {
        altSeen = true;
    } else if (e.keyCode == 'C' && altSeen) {
        altCSeen = true;
    } else {
        altSeen = altCSeen = false;
    }
    if (altSeen && altCSeen) {
        altSeen = altCSeen = false;
        ui::Form& talk = pf.windows.form("Talk");
        if (state.Scale.x < 1) {
            talk.left = static_cast<int>(0.27 * MainForm.width);
            talk.top = static_cast<int>(0.6 * MainForm.height);
        } else {
            constexpr int tw = ui::kTwipsPerPixel;
            talk.left = static_cast<int>(MainForm.left + Pic1.left * tw + 0.3 * Pic1.width * tw);
            talk.top = static_cast<int>(MainForm.top + Pic1.top * tw + 0.66 * Pic1.height * tw);
        }
        talk.topmost = true;
        talk.show();
    }
}

void Client::onTableKeyPress(const ui::Event& e) {
    if (e.keyAscii == ui::VK_ESCAPE || MainForm.windowState == ui::WindowState::Minimized) return;
    ui::Control& chat = MainForm.at("Chat");
    chat.selStart = static_cast<int>(wire::utf8Chars(chat.caption).size());
    chat.selLength = 0;
    MainForm.setFocus(&chat);
}

}  // namespace app

namespace app {

void Client::wireTableEvents() {
    MainForm.on("cardImage0", ui::EventKind::MouseDown,
                [this](ui::Control* c, ui::Event& e) { onCardMouseDown(*c, e); });
    for (const char* surface : {"Pic1", "ShaoPaiPlayer"})
        MainForm.on(surface, ui::EventKind::MouseDown,
                    [this](ui::Control*, ui::Event& e) { onTableMouseDown(e); });
    MainForm.on("Pic2", ui::EventKind::MouseDown, [this](ui::Control*, ui::Event& e) {
        if (e.button == ui::RightButton && state.MyTurn && state.PlayToken) ValidateAndPlay();
    });
    for (const char* surface : {"Pic1", "imgDilan", "imgDinglan"})
        MainForm.on(surface, ui::EventKind::MouseMove,
                    [this](ui::Control*, ui::Event& e) { onTableMouseMove(e); });
    wirePlayEvents();
    // Keys typed while the table surface, not the chat input, has the focus.
    auto onSurface = [this] { return MainForm.focus == nullptr || MainForm.focus == &Pic1; };
    MainForm.onForm(ui::EventKind::KeyDown, [this, onSurface](ui::Control*, ui::Event& e) {
        if (onSurface()) onTableKeyDown(e);
    });
    MainForm.onForm(ui::EventKind::KeyPress, [this, onSurface](ui::Control*, ui::Event& e) {
        if (onSurface()) onTableKeyPress(e);
    });
}

}  // namespace app
