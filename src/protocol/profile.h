#pragma once
// The profile a seat packet carries about one player.
#include "state/table_state.h"
#include "wire/seating.h"

namespace protocol {

// Fills every field of info from the seat packet; an empty avatar code reads "m1".
void decodeProfile(const wire::Seat& seat, state::PlayerInfoEntry& info);

}  // namespace protocol
