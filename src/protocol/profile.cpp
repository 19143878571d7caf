#include "protocol/profile.h"

#include "protocol/packet_fields.h"

namespace protocol {

void decodeProfile(const net::GamePacket& p, PlayerInfoEntry& info) {
    info.nickname = gbkText(p, 16, 47);
    info.avatarCode = singleByteText(p, 48, 63);
    if (info.avatarCode.empty()) info.avatarCode = "m1";
    info.sex = p[64];
    info.location = gbkText(p, 72, 79);
    info.points = packetDouble(p, 80);
    info.credit = packetDouble(p, 88);
    info.gold = packetDouble(p, 96);
    info.statB = packetDouble(p, 104);
    info.levelText = gbkText(p, 112, 127);
    info.statC = packetDouble(p, 128);
    info.statD = packetDouble(p, 136);
    info.statE = packetDouble(p, 144);
    info.loginCount = packetLong(p, 152);
    info.dropCount = packetLong(p, 156);
    info.winCount = packetLong(p, 160);
    info.lossCount = packetLong(p, 164);
    info.seatKey = singleByteText(p, 168, 183);
    info.title = gbkText(p, 184, 207);
    info.textB = singleByteText(p, 210, 217);
    info.textC = singleByteText(p, 218, 225);
    info.userNumber = packetDouble(p, 226);
}

}  // namespace protocol
