// Handlers of the inbound catalogue whose commands the table does not act on yet:
// the three exchange and revolution, and chat. Each takes its packet and, for
// now, leaves the table as it is.
#include "app/client.h"

namespace app {

void Client::HandleExchange(const net::GamePacket&) {}
void Client::HandleRevolution(const net::GamePacket&) {}
void Client::HandleChat(const net::GamePacket&) {}

}  // namespace app
