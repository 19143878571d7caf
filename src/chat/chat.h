#pragma once
// Table talk: the chat input with its send rules (the 800 ms rate limit, the
// private prefix an avatar click puts in front, the one command word, silence
// while watching), the quick-reply window huifu with the phrases of "chat.ini" and
// their voice files, the incoming chat packet (19) with its display lines, the
// chat window Talk with its history, and the phrase buttons word1 and word2.
#include <cstdint>
#include <functional>
#include <string>

#include "chat/bubbles.h"
#include "net/send_queue.h"
#include "pictures/pictures.h"
#include "platform/event_loop.h"
#include "sound/sound.h"
#include "state/table_state.h"
#include "ui/window_system.h"
#include "wire/chat.h"

namespace chat {

// The history list is emptied by the next key press in the input once it holds
// more than this many lines.
constexpr std::size_t kHistoryLimit = 100;
constexpr int kHistoryColumns = 44;            // WrapIntoList width of the history
constexpr std::size_t kMessageAreaChars = 45;  // what the two-line message area shows
constexpr int kRateLimitMs = 800;              // TimerChat

inline constexpr const char* kTooFast = "（发送消息太快！）";
inline constexpr const char* kCommandWord = "qomelrivat";
inline constexpr const char* kAsleep = "想睡觉啦! Zzz...";

class Chat {
  public:
    struct Hooks {
        std::function<void()> startBlink;            // the chat hall button blinks (count 8)
        std::function<std::uint8_t()> selectedSeat;  // seat bit of the avatar last clicked
        std::function<void()> minimiseHall;          // F1 in the chat input
        std::function<void()> escape;                // Esc: the exit dialog opens or closes
        // "chat.ini" in the program folder: whether it exists, and the value of a key
        // of its section "chat" (empty when missing).
        std::function<bool()> phraseFileExists;
        std::function<std::string(const std::string& key)> phraseValue;
    };

    Chat(platform::EventLoop& loop, ui::WindowSystem& windows, ui::Form& tableWindow,
         state::TableState& state, net::SendQueue& send, sound::Sound& sound,
         pictures::Pictures& pictures, SpeechBubbles& bubbles);
    Chat(const Chat&) = delete;
    Chat& operator=(const Chat&) = delete;

    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }

    // Every key press in the chat input; Enter sends the line.
    void SendChatLine(int keyAscii);
    // The send hall button: the same line without the rate limit and without the
    // command word.
    void sendFromButton();
    // Key down in the chat input: F1 hides the table, Esc the exit dialog.
    void chatKeyDown(int keyCode);

    // The chat hall button and the label Lbchat: the quick replies close; the chat
    // window closes, or opens topmost beside the chat input.
    void toggleTalk();
    // word1 / word2: the quick-reply window on list 1 or 2.
    void openQuickReplies(int list);
    // A double-click on item `index` of list 1 or 2 of huifu.
    void SendVoicePhrase(int list, int index);
    // The phrase buttons' normal pictures (after the layout placed them).
    void showPhraseButtons();

    // The inbound chat packet: a typed line or a voice phrase, public, private or
    // from the server.
    void HandleChat(const wire::Chat& c);

    ui::Form& Talk;
    ui::Form& huifu;

  private:
    void createWindows();
    // Places a window beside the chat input, as the chat window and the quick
    // replies open.
    void placeBesideInput(ui::Form& f);
    void wireEvents();
    void loadPhrases();
    // Steps shared by Enter and the send button: the text into ChatText and the
    // private bytes into the packet; false when nothing is to be sent.
    bool takeTypedLine(wire::GamePacket& p);
    void queueTypedLine(wire::GamePacket& p);
    void bossKeyFromChat();
    void hoverWord(int item);
    void clearWordHover();
    void talkKeyDown(int keyCode);
    std::string nickname(int slot) const;
    void showLine(const std::string& line);
    ui::Control& input();
    ui::Control& history() { return Talk.at("Text1"); }

    platform::EventLoop& loop_;
    ui::WindowSystem& windows_;
    ui::Form& table_;
    state::TableState& state_;
    net::SendQueue& send_;
    sound::Sound& sound_;
    pictures::Pictures& pictures_;
    SpeechBubbles& bubbles_;
    Hooks hooks_;
    platform::Timer TimerChat;
    bool wordHover_[2] = {false, false};
    bool talkAlt_ = false, talkAltC_ = false;
};

}  // namespace chat
