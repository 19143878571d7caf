// The chat part's windows and the events it answers: Talk (the history), huifu
// (the quick replies), the chat input's keys and the phrase buttons.
#include "chat/chat.h"

#include "wire/gbk.h"

namespace chat {

Chat::Chat(platform::EventLoop& loop, ui::WindowSystem& windows, ui::Form& tableWindow,
           state::TableState& state, net::SendQueue& send, sound::Sound& sound,
           pictures::Pictures& pictures, SpeechBubbles& bubbles)
    : Talk(windows.form("Talk")),
      huifu(windows.form("huifu")),
      loop_(loop),
      windows_(windows),
      table_(tableWindow),
      state_(state),
      send_(send),
      sound_(sound),
      pictures_(pictures),
      bubbles_(bubbles),
      TimerChat(loop, kRateLimitMs, [this] {
          // A line may be sent again.
          TimerChat.setEnabled(false);
          state_.ChatSendAllowed = true;
      }) {
    createWindows();
    wireEvents();
}

void Chat::createWindows() {
    using ui::ControlKind;
    constexpr int tw = ui::kTwipsPerPixel;
    Talk.caption = "聊天";
    Talk.framed = true;
    Talk.width = 330 * tw;
    Talk.height = 180 * tw;
    Talk.backColor = 0x0B3D1E;
    ui::Control& lines = Talk.add("Text1", ControlKind::kListBox);
    lines.move(4, 4, 322, 150);
    lines.backColor = 0x08301A;
    lines.foreColor = 0xE8E0C0;
    ui::Control& label = Talk.add("Label1", ControlKind::kLabel);
    label.move(4, 158, 322, 18);
    label.transparent = true;
    label.foreColor = 0xF2D27A;
    label.caption = "Alt+C 关闭";

    huifu.framed = true;
    huifu.caption = "快捷回复";
    huifu.width = 220 * tw;
    huifu.height = 160 * tw;
    huifu.backColor = 0x0B3D1E;
    for (const char* name : {"List1", "List2"}) {
        ui::Control& list = huifu.add(name, ControlKind::kListBox);
        list.move(2, 2, 216, 156);
        list.backColor = 0xFFFFF0;
        list.foreColor = 0x202020;
    }
    huifu.at("List2").toolTipText = "双击后发送你想说的话";
    huifu.at("List2").visible = false;
}

void Chat::wireEvents() {
    using ui::EventKind;
    table_.on("Chat", EventKind::kKeyPress,
              [this](ui::Control*, ui::Event& e) { SendChatLine(e.keyAscii); });
    table_.on("Chat", EventKind::kKeyDown,
              [this](ui::Control*, ui::Event& e) { chatKeyDown(e.keyCode); });
    table_.on("Lbchat", EventKind::kClick, [this](ui::Control*, ui::Event&) { toggleTalk(); });
    table_.on("word1", EventKind::kClick,
              [this](ui::Control*, ui::Event&) { openQuickReplies(1); });
    table_.on("word2", EventKind::kClick,
              [this](ui::Control*, ui::Event&) { openQuickReplies(2); });
    table_.on("word1", EventKind::kMouseMove, [this](ui::Control*, ui::Event&) { hoverWord(0); });
    table_.on("word2", EventKind::kMouseMove, [this](ui::Control*, ui::Event&) { hoverWord(1); });
    table_.on("imgLocation", EventKind::kMouseMove,
              [this](ui::Control*, ui::Event&) { clearWordHover(); });
    huifu.onForm(EventKind::kLoad, [this](ui::Control*, ui::Event&) { loadPhrases(); });
    for (int list : {1, 2})
        huifu.on("List" + std::to_string(list), EventKind::kDblClick,
                 [this, list](ui::Control* c, ui::Event&) { SendVoicePhrase(list, c->listIndex); });
    Talk.on("Text1", EventKind::kKeyDown,
            [this](ui::Control*, ui::Event& e) { talkKeyDown(e.keyCode); });
}

ui::Control& Chat::input() { return table_.at("Chat"); }

std::string Chat::nickname(int slot) const {
    return state_.PlayerInfo[static_cast<std::size_t>(slot)].nickname;
}

// Alt then C closes the chat window, as the same keys open it from the table.
void Chat::talkKeyDown(int keyCode) {
    if (keyCode == 18) {
        talkAlt_ = true;
    } else if (keyCode == 'C' && talkAlt_) {
        talkAltC_ = true;
    } else {
        talkAlt_ = talkAltC_ = false;
    }
    if (talkAlt_ && talkAltC_) {
        talkAlt_ = talkAltC_ = false;
        Talk.hide();
    }
}

void Chat::chatKeyDown(int keyCode) {
    if (keyCode == ui::VK_F1)
        bossKeyFromChat();
    else if (keyCode == ui::VK_ESCAPE && hooks_.escape)
        hooks_.escape();
}

// The boss key from the chat input: the side windows are hidden rather than
// closed, and the notice window is left as it is.
void Chat::bossKeyFromChat() {
    for (const char* name : {"Information", "VosSet", "frmExit", "Talk", "huifu", "Hero", "Score"})
        if (ui::Form* f = windows_.find(name)) f->hide();
    if (ui::Form* f = windows_.find("ChuPai")) f->unload();
    state_.AutoPlay = true;
    state_.TurnSeconds = 0;
    state_.Away = true;
    table_.windowState = ui::WindowState::kMinimized;
    if (hooks_.minimiseHall) hooks_.minimiseHall();
    bubbles_.hideAll();
}

void Chat::showPhraseButtons() {
    for (int i = 0; i < 2; ++i)
        if (ui::Control* w = table_.find(i == 0 ? "word1" : "word2"))
            pictures_.showTablePicture(*w, pictures_.ids.PhrasePictureIds[i]);
}

void Chat::hoverWord(int item) {
    if (wordHover_[item]) return;
    wordHover_[item] = true;
    if (ui::Control* w = table_.find(item == 0 ? "word1" : "word2"))
        pictures_.showTablePicture(*w, pictures_.ids.PhraseHoverPictureIds[item]);
}

void Chat::clearWordHover() {
    for (int i = 0; i < 2; ++i) {
        if (!wordHover_[i]) continue;
        wordHover_[i] = false;
        if (ui::Control* w = table_.find(i == 0 ? "word1" : "word2"))
            pictures_.showTablePicture(*w, pictures_.ids.PhrasePictureIds[i]);
    }
}

}  // namespace chat
