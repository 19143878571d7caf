#include "net/send_queue.h"

#include "wire/gbk.h"

namespace net {

namespace {

bool blank(const std::string& s) {
    for (char c : s)
        if (c != ' ' && c != '\t') return false;
    return true;
}

}  // namespace

void SendQueue::writeChat(GamePacket& packet) {
    auto chars = wire::utf8Chars(ChatText);
    if (chars.size() > kChatChars) chars.resize(kChatChars);
    std::size_t p = wire::kPayloadByte;
    for (const std::string& ch : chars) {
        auto code = wire::charToGbk(ch);
        std::string bytes = code ? *code : std::string("?");
        for (char b : bytes) packet[p++] = static_cast<std::uint8_t>(b);
    }
    // 100 characters take at most 200 bytes: the text ends by byte 215.
    for (; p < kPacketSize; ++p) packet[p] = 0;
    ChatText.clear();
}

bool SendQueue::QueuePacket(GamePacket& packet) {
    if (packet[wire::kCommandByte] == 19 && packet[11] != 1) {
        if (blank(ChatText)) return false;
        writeChat(packet);
    }
    // A full ring cannot be told from an empty one by its indices; refuse the
    // packet that would fill it so nothing queued is lost or cut.
    if (SendRing.pending() + kPacketSize >= kRingSize) return false;
    packet[wire::kTokenByte] = token.b0;
    packet[wire::kTokenByte + 1] = token.b1;
    for (std::uint8_t b : packet) {
        SendRing.bytes[SendRing.write] = b;
        SendRing.write = (SendRing.write + 1) % kRingSize;
    }
    slots_[kSlotSend].flag = true;
    slots_[kSlotSend].counter = 0;
    return true;
}

bool SendQueue::drain(GamePacket& written, bool linkUp) {
    TickSlot& slot = slots_[kSlotSend];
    if (!slot.flag) return false;
    if (SendRing.pending() < kPacketSize) {
        slot.flag = false;
        return false;
    }
    GamePacket packet;
    for (auto& b : packet) {
        b = SendRing.bytes[SendRing.read];
        SendRing.read = (SendRing.read + 1) % kRingSize;
    }
    bool sent = linkUp && directWrite(packet);
    slot.counter = 0;
    if (sent) written = packet;
    return sent;
}

bool SendQueue::directWrite(const GamePacket& packet) {
    if (socket_.state() != platform::kSockConnected) return false;
    socket_.send(packet.data(), packet.size());
    if (written) written(packet);
    return true;
}

}  // namespace net
