// Handlers of the inbound catalogue whose commands the table does not act on yet:
// the three exchange and revolution, and chat. Each takes its packet and, for
// now, leaves the table as it is.
#include "app/client.h"

namespace app {

void Client::HandleExchange(const wire::GamePacket&) {}
void Client::HandleRevolution(const wire::GamePacket&) {}
void Client::HandleChat(const wire::GamePacket&) {}

}  // namespace app
