#include "wire/chat.h"

#include "wire/gbk.h"
#include "wire/packet_fields.h"

namespace wire {

void writeChatText(GamePacket& p, const std::string& utf8) {
    auto chars = utf8Chars(utf8);
    if (chars.size() > Chat::kMaxChars) chars.resize(Chat::kMaxChars);
    std::size_t at = Chat::kTextFirst;
    // 100 characters take at most 200 bytes: the text ends by byte 215.
    for (const std::string& ch : chars)
        for (char b : charToGbk(ch).value_or("?")) p[at++] = static_cast<std::uint8_t>(b);
    for (; at < kPacketSize; ++at) p[at] = 0;
}

GamePacket Chat::encode() const {
    GamePacket p = makePacket(Command::kChat, sender);
    p[kPrivateByte] = isPrivate ? 1 : 0;
    p[kSelectedByte] = selected;
    p[kAddresseeByte] = addressee;
    p[kKindByte] = static_cast<std::uint8_t>(kind);
    if (kind == ChatKind::kVoice)
        for (std::size_t i = 0; i < phrase.size(); ++i) p[kPhraseByte + i] = phrase[i];
    else
        putGbkText(p, kTextFirst, kTextLast, text);
    return p;
}

Chat Chat::decode(const GamePacket& p) {
    Chat c;
    c.isPrivate = p[kPrivateByte] == 1;
    c.sender = p[kSeatByte] & kSeatMask;
    c.selected = p[kSelectedByte] & kSeatMask;
    c.addressee = p[kAddresseeByte] & kSeatMask;
    c.kind = static_cast<ChatKind>(p[kKindByte]);
    if (c.kind == ChatKind::kVoice)
        for (std::size_t i = 0; i < c.phrase.size(); ++i) c.phrase[i] = p[kPhraseByte + i];
    else
        c.text = gbkText(p, kTextFirst, kTextLast);
    return c;
}

}  // namespace wire
