#include "table/table_input.h"

#include "wire/gbk.h"

namespace table {

void TableInput::onTableMouseDown(const ui::Event& e) {
    if (ui::Form* chuPai = windows_.find("ChuPai")) chuPai->unload();
    table_.setFocus(&table_.at("Chat"));
    for (const char* name : {"Score", "Hero", "Talk"})
        if (ui::Form* f = windows_.find(name)) {
            f->hide();
            f->topmost = false;
        }
    if (e.button == ui::kRightButton && state_.MyTurn && state_.PlayToken && state_.LoginAccepted)
        buttons_.clickOperation(0);
}

// The pointer over the table surface or its background pictures: every hovered
// button gets its normal look back.
// Leaving the buttons for the table surface or the decorations gives the action,
// decision and hall buttons back their normal pictures_.
void TableInput::onTableMouseMove(const ui::Event&) {
    buttons_.resetButtonHover();
    hallButtons_.clearHallButtonHover();
}

void TableInput::BossKey() {
    for (const char* name : {"Information", "VosSet", "frmExit", "ChuPai", "frmTishi"})
        if (ui::Form* f = windows_.find(name)) f->unload();
    for (const char* name : {"Talk", "huifu", "Hero", "Score"})
        if (ui::Form* f = windows_.find(name)) f->hide();
    state_.AutoPlay = true;
    state_.TurnSeconds = 0;
    state_.Away = true;
    table_.windowState = ui::WindowState::kMinimized;
    hall_.minimise();
    for (ui::Form* f : windows_.forms())
        if (f->caption == "speakbox") f->hide();
}

void TableInput::onTableKeyDown(const ui::Event& e) {
    if (e.keyCode == ui::VK_F1) {
        BossKey();
        return;
    }
    if (e.keyCode == 18) {
        altSeen_ = true;
    } else if (e.keyCode == 'C' && altSeen_) {
        altCSeen_ = true;
    } else {
        altSeen_ = altCSeen_ = false;
    }
    if (altSeen_ && altCSeen_) {
        altSeen_ = altCSeen_ = false;
        ui::Form& talk = windows_.form("Talk");
        if (state_.Scale.x < 1) {
            talk.left = static_cast<int>(0.27 * table_.width);
            talk.top = static_cast<int>(0.6 * table_.height);
        } else {
            constexpr int tw = ui::kTwipsPerPixel;
            talk.left = static_cast<int>(table_.left + Pic1.left * tw + 0.3 * Pic1.width * tw);
            talk.top = static_cast<int>(table_.top + Pic1.top * tw + 0.66 * Pic1.height * tw);
        }
        talk.topmost = true;
        talk.show();
    }
}

void TableInput::onTableKeyPress(const ui::Event& e) {
    if (e.keyAscii == ui::VK_ESCAPE || table_.windowState == ui::WindowState::kMinimized) return;
    ui::Control& chat = table_.at("Chat");
    chat.selStart = static_cast<int>(wire::utf8Chars(chat.caption).size());
    chat.selLength = 0;
    table_.setFocus(&chat);
}

void TableInput::wireEvents() {
    table_.on("cardImage0", ui::EventKind::kMouseDown,
              [this](ui::Control* c, ui::Event& e) { hand_.onCardMouseDown(*c, e); });
    for (const char* surface : {"Pic1", "ShaoPaiPlayer"})
        table_.on(surface, ui::EventKind::kMouseDown,
                  [this](ui::Control*, ui::Event& e) { onTableMouseDown(e); });
    table_.on("Pic2", ui::EventKind::kMouseDown, [this](ui::Control*, ui::Event& e) {
        if (e.button == ui::kRightButton && state_.MyTurn && state_.PlayToken)
            buttons_.ValidateAndPlay();
    });
    for (const char* surface : {"Pic1", "imgDilan", "imgDinglan"})
        table_.on(surface, ui::EventKind::kMouseMove,
                  [this](ui::Control*, ui::Event& e) { onTableMouseMove(e); });
    // Keys typed while the table surface, not the chat input, has the focus.
    auto onSurface = [this] { return table_.focus == nullptr || table_.focus == &Pic1; };
    table_.onForm(ui::EventKind::kKeyDown, [this, onSurface](ui::Control*, ui::Event& e) {
        if (onSurface()) onTableKeyDown(e);
    });
    table_.onForm(ui::EventKind::kKeyPress, [this, onSurface](ui::Control*, ui::Event& e) {
        if (onSurface()) onTableKeyPress(e);
    });
}

}  // namespace table
