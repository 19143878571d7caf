// Sending a typed line: Enter in the chat input (rate-limited, with the command
// word) and the send hall button (neither).
#include "chat/chat.h"
#include "chat/text.h"
#include "wire/chat.h"
#include "wire/gbk.h"

namespace chat {

namespace {

constexpr const char* kFullWidthColon = "：";

bool blank(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

// The text after the first full-width colon; the whole text when it has none.
std::string afterColon(const std::string& s) {
    std::size_t at = s.find(kFullWidthColon);
    return at == std::string::npos ? s : s.substr(at + std::string(kFullWidthColon).size());
}

// The private prefix counts only while the input still holds it whole.
bool keepsPrefix(const std::string& text, const std::string& prefix) {
    return wire::utf8Chars(prefix).size() > 4 && text.find(prefix) != std::string::npos;
}

}  // namespace

bool Chat::takeTypedLine(wire::GamePacket& p) {
    const std::string text = input().caption;
    wire::Chat line;
    line.sender = state_.PlayerRecord[0].seatBit;
    if (state_.PrivateChatArmed) {
        if (blank(text)) {
            state_.PrivateChatArmed = false;
            return false;
        }
        if (keepsPrefix(text, state_.PrivateChatPrefix)) {
            send_.ChatText = afterColon(text);
            line.isPrivate = true;
            line.addressee = state_.PrivateChatTarget;
        } else {
            send_.ChatText = text;
        }
        state_.PrivateChatArmed = false;
        state_.PrivateChatPrefix.clear();
    } else {
        send_.ChatText = text;
        if (blank(text)) return false;
    }
    p = line.encode();
    return true;
}

void Chat::queueTypedLine(wire::GamePacket& p) {
    ui::Control& chat = input();
    chat.caption.clear();
    chat.selStart = chat.selLength = 0;
    send_.QueuePacket(p);  // writes ChatText from byte 16
}

void Chat::SendChatLine(int keyAscii) {
    ui::Control& lines = history();
    if (lines.items.size() > kHistoryLimit) {
        lines.items.clear();
        lines.topIndex = 0;
    }
    if (keyAscii != ui::VK_RETURN || state_.SpectatorMode) return;
    if (!state_.ChatSendAllowed) {
        ui::Control& chat = input();
        if (!chat.caption.empty()) {
            lines.items.push_back(kTooFast);
            chat.caption.clear();
            chat.selStart = chat.selLength = 0;
            scrollToLast(lines);
        }
        return;
    }
    state_.ChatSendAllowed = false;
    TimerChat.setEnabled(true);
    wire::GamePacket p{};
    if (!takeTypedLine(p)) return;
    if (send_.ChatText == kCommandWord) {
        // The player is going to sleep: the countdown no longer answers for him.
        state_.AutoPlay = false;
        state_.TurnSeconds = 10;
        send_.ChatText = kAsleep;
    }
    queueTypedLine(p);
}

void Chat::sendFromButton() {
    wire::GamePacket p{};
    if (takeTypedLine(p)) queueTypedLine(p);
}

}  // namespace chat
