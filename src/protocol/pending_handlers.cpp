// Handlers of the inbound catalogue whose commands the table does not act on yet:
// the three exchange and revolution, the continue outcome, departures,
// chat, the table's closing and the reconnect result. Each
// takes its packet and, for now, leaves the table as it is.
#include "app/client.h"

namespace app {

void Client::HandleExchange(const net::GamePacket&) {}
void Client::HandleRevolution(const net::GamePacket&) {}
void Client::HandleGameOver(const net::GamePacket&) {}
void Client::HandleChat(const net::GamePacket&) {}
void Client::HandlePlayerLeft(const net::GamePacket&) {}
void Client::HandleTableClosed(const net::GamePacket&) {}
void Client::HandleResume(const net::GamePacket&) {}

}  // namespace app
