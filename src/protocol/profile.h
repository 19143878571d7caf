#pragma once
// The profile a seat packet carries about one player (bytes 16..233).
#include "state/table_state.h"
#include "wire/frame.h"

namespace protocol {

// Fills every field of info from the seat packet; an empty avatar code reads "m1".
void decodeProfile(const wire::GamePacket& p, state::PlayerInfoEntry& info);

}  // namespace protocol
