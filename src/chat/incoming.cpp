// The inbound chat packet (19): a voice phrase is heard in the speaker's voice
// channel and shown in his bubble; every line goes into the history and the
// message area, filtered, with its speaker's wording.
#include <optional>

#include "chat/chat.h"
#include "chat/text.h"
#include "wire/chat.h"

namespace chat {

namespace {

// The voice of a phrase as a slot hears it: the speaker's partners (slots 2 and 4)
// hear the partner variant as sent, his opponents the opponent variant.
std::string heardDigits(const std::array<std::uint8_t, 7>& phrase, int slot) {
    std::string digits;
    for (std::uint8_t d : phrase) digits += std::to_string(d);
    if ((slot == 1 || slot == 3 || slot == 5) && digits.size() >= 3) digits[2] = '0';
    return digits;
}

// The phrase index of bytes 20..22, one decimal digit each; nullopt when they do
// not spell a number up to 255.
std::optional<std::size_t> phraseIndex(const std::array<std::uint8_t, 7>& phrase) {
    if (phrase[4] > 9 || phrase[5] > 9 || phrase[6] > 9) return std::nullopt;
    const std::size_t index = phrase[4] * 100u + phrase[5] * 10u + phrase[6];
    if (index > 255) return std::nullopt;
    return index;
}

}  // namespace

void Chat::showLine(const std::string& line) {
    ui::Control& lines = history();
    WrapIntoList(lines, line, kHistoryColumns);
    if (!lines.items.empty()) scrollToLast(lines);
    PostSystemMessage(table_, firstChars(line, kMessageAreaChars));
}

void Chat::HandleChat(const wire::Chat& c) {
    const std::uint8_t own = state_.PlayerRecord[0].seatBit;
    const int s = state::screenSlot(c.sender, own);
    std::string t;
    if (c.kind == wire::ChatKind::kVoice) {
        // The speaker's own phrase coming back was heard when it was sent.
        if (s != 0) sound_.PlayVoice(sound_.voiceFile(heardDigits(c.phrase, s)), s);
        // The phrase list is read from the quick-reply window, which loads its phrases
        // the first time it is needed, opened or not.
        huifu.load();
        const std::vector<std::string>* items = nullptr;
        if (c.phrase[3] == 1) items = &huifu.at("List1").items;
        if (c.phrase[3] == 2) items = &huifu.at("List2").items;
        if (auto index = phraseIndex(c.phrase); items && index && *index < items->size())
            t = (*items)[*index];
    } else {
        t = c.text;
    }
    if (c.sender == 0) {
        showLine(FilterChatText(t));  // from the server: no speaker, no blink
        return;
    }
    if (c.kind == wire::ChatKind::kVoice && !t.empty() &&
        table_.windowState != ui::WindowState::kMinimized) {
        bubbles_.ShowSpeechBubble(s, t);
        table_.setFocus(&input());
    }
    std::string line;
    if (c.isPrivate) {
        const int r = state::screenSlot(c.addressee, own);
        if (s == 0)
            line = "你对" + nickname(r) + "说： " + t;
        else if (r == 0)
            line = nickname(s) + "对你说： " + t;
        else
            line = nickname(s) + "对" + nickname(r) + "说： " + t;
    } else {
        line = s == 0 ? "你说道： " + t : nickname(s) + "说道： " + t;
    }
    showLine(FilterChatText(line));
    if (s > 0 && hooks_.startBlink) hooks_.startBlink();
}

}  // namespace chat
