#pragma once
// What a packet the player sent says, in the words of the replay's side panel.
#include <string>

#include "wire/frame.h"

namespace record {

// "" for packets the player did not send himself (the keep-alive).
std::string actionText(const wire::GamePacket& p);

}  // namespace record
