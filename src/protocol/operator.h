#pragma once
// The operator of the game hall, as the table names it to the player.
namespace protocol {

inline constexpr const char* kOperatorSite = "www.brenmoor.example";

}  // namespace protocol
