// The quick replies: the window huifu beside the chat input, its phrases from
// "chat.ini", and a phrase sent as a voice code that every client plays.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chat/chat.h"
#include "wire/chat.h"
#include "wire/gbk.h"

namespace chat {

void Chat::placeBesideInput(ui::Form& f) {
    constexpr int tw = ui::kTwipsPerPixel;
    const ui::Control& pic1 = table_.at("Pic1");
    if (state_.Scale.x < 1) {
        f.top = static_cast<int>(table_.top + pic1.top * tw + 0.595 * table_.height);
        f.left = static_cast<int>(table_.left + pic1.left * tw + 0.215 * table_.width);
    } else {
        f.top = static_cast<int>(table_.top + pic1.top * tw + 0.66 * pic1.height * tw);
        f.left = static_cast<int>(table_.left + pic1.left * tw + 0.3 * pic1.width * tw);
    }
}

void Chat::toggleTalk() {
    huifu.hide();
    if (Talk.visible) {
        Talk.hide();
        return;
    }
    Talk.topmost = true;
    placeBesideInput(Talk);
    Talk.show();
}

void Chat::openQuickReplies(int list) {
    if (Talk.visible) Talk.hide();
    huifu.hide();
    placeBesideInput(huifu);
    huifu.load();  // fills List1 the first time
    huifu.at("List1").visible = list == 1;
    huifu.at("List2").visible = list == 2;
    huifu.show();
}

void Chat::loadPhrases() {
    ui::Control& list = huifu.at("List1");
    list.items.clear();  // a window loaded again starts from the file again
    if (!hooks_.phraseFileExists || !hooks_.phraseFileExists() || !hooks_.phraseValue) return;
    // The count is read as a number and rounded; a text that is no number counts 0.
    const double count = std::strtod(hooks_.phraseValue("num").c_str(), nullptr);
    // The phrase code carries a three-digit index: more phrases could not be named.
    const long n = std::lround(std::isfinite(count) ? std::min(count, 1000.0) : 0.0);
    for (long i = 1; i <= n; ++i) list.items.push_back(hooks_.phraseValue(std::to_string(i)));
}

void Chat::SendVoicePhrase(int list, int index) {
    const ui::Control& items = huifu.at(list == 1 ? "List1" : "List2");
    // No item under the double-click (an empty list): nothing to send.
    if (index < 0 || index >= static_cast<int>(items.items.size()) || index > 999) return;
    wire::Chat phrase;
    if (state_.PrivateChatArmed && wire::utf8Chars(state_.PrivateChatPrefix).size() > 4 &&
        input().caption.find(state_.PrivateChatPrefix) != std::string::npos) {
        phrase.isPrivate = true;
        phrase.addressee = state_.PrivateChatTarget;
    }
    state_.PrivateChatArmed = false;
    state_.PrivateChatPrefix.clear();
    phrase.kind = wire::ChatKind::kVoice;
    phrase.sender = state_.PlayerRecord[0].seatBit;
    phrase.selected = hooks_.selectedSeat ? hooks_.selectedSeat() : 0;
    const std::uint8_t sexDigit = state_.PlayerInfo[0].sex != 0 ? 1 : 0;
    phrase.phrase = {1,
                     sexDigit,
                     1,
                     static_cast<std::uint8_t>(list),
                     static_cast<std::uint8_t>(index / 100),
                     static_cast<std::uint8_t>(index / 10 % 10),
                     static_cast<std::uint8_t>(index % 10)};
    wire::GamePacket p = phrase.encode();
    send_.QueuePacket(p);
    // The speaker hears his own phrase at once, whatever the sound switch says.
    std::string digits;
    for (std::uint8_t d : phrase.phrase) digits += std::to_string(d);
    sound_.StopSound();
    sound_.PlaySound(sound_.voiceFile(digits), false);
    sound_.SetSoundVolume(sound::kFullVolume);
    ui::Control& chat = input();
    chat.caption.clear();
    chat.selStart = chat.selLength = 0;
    huifu.hide();
    table_.setFocus(&chat);
}

}  // namespace chat
