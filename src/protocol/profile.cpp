#include "protocol/profile.h"

#include "wire/packet_fields.h"

namespace protocol {

void decodeProfile(const wire::Seat& seat, state::PlayerInfoEntry& info) {
    info.nickname = seat.nickname;
    info.avatarCode = seat.avatar();
    info.sex = seat.sex;
    info.location = seat.location;
    info.points = wire::asDouble(seat.points);
    info.credit = wire::asDouble(seat.credit);
    info.gold = wire::asDouble(seat.gold);
    info.statB = wire::asDouble(seat.statB);
    info.levelText = seat.levelText;
    info.statC = wire::asDouble(seat.statC);
    info.statD = wire::asDouble(seat.statD);
    info.statE = wire::asDouble(seat.statE);
    info.loginCount = seat.loginCount;
    info.dropCount = seat.dropCount;
    info.winCount = seat.winCount;
    info.lossCount = seat.lossCount;
    info.seatKey = seat.account;
    info.title = seat.title;
    info.textB = seat.textB;
    info.textC = seat.textC;
    info.userNumber = wire::asDouble(seat.userNumber);
}

}  // namespace protocol
