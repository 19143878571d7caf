#include "protocol/profile.h"

#include "wire/packet_fields.h"

namespace protocol {

void decodeProfile(const wire::GamePacket& p, state::PlayerInfoEntry& info) {
    info.nickname = wire::gbkText(p, 16, 47);
    info.avatarCode = wire::singleByteText(p, 48, 63);
    if (info.avatarCode.empty()) info.avatarCode = "m1";
    info.sex = p[64];
    info.location = wire::gbkText(p, 72, 79);
    info.points = wire::packetDouble(p, 80);
    info.credit = wire::packetDouble(p, 88);
    info.gold = wire::packetDouble(p, 96);
    info.statB = wire::packetDouble(p, 104);
    info.levelText = wire::gbkText(p, 112, 127);
    info.statC = wire::packetDouble(p, 128);
    info.statD = wire::packetDouble(p, 136);
    info.statE = wire::packetDouble(p, 144);
    info.loginCount = wire::packetLong(p, 152);
    info.dropCount = wire::packetLong(p, 156);
    info.winCount = wire::packetLong(p, 160);
    info.lossCount = wire::packetLong(p, 164);
    info.seatKey = wire::singleByteText(p, 168, 183);
    info.title = wire::gbkText(p, 184, 207);
    info.textB = wire::singleByteText(p, 210, 217);
    info.textC = wire::singleByteText(p, 218, 225);
    info.userNumber = wire::packetDouble(p, 226);
}

}  // namespace protocol
