#pragma once
// The video relay's wire format: the link between a table client's video component
// and the relay beside the game server (TCP, port 8888 by default). It is not the
// game's 272-byte packet: frames vary in size, so every message carries its length.
//
// A message is a 5-byte header, then the payload:
//   byte 0      type (below)
//   bytes 1..4  payload length, little-endian; at most kRelayMaxPayload
//
// Client to relay:
//   1 Login   payload = user name (1..kRelayMaxName bytes)
//   2 Want    payload = user name: this client wants video with that user
//   3 Unwant  payload = user name: it no longer does
//   4 Data    payload = kind, name length, name of the receiver, data
// Relay to client:
//   129 LoginResult  payload = status (2 logged in, 1 refused)
//   130 Peer         payload = flags (bit 0 online, bit 1 wants you), user name
//   131 Data         payload = kind, name length, name of the sender, data
//
// Data kinds: 0 capture format, 1 capture mode (one byte), 2 frame (a JPEG image),
// 3 ready (the receiver has the format and takes every frame).
//
// A message whose payload is longer than the bound is skipped whole by the reader
// without being buffered, so a hostile sender costs no memory.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace wire {

constexpr std::size_t kRelayHeader = 5;
constexpr std::size_t kRelayMaxPayload = 256 * 1024;
constexpr std::size_t kRelayMaxName = 32;

enum class RelayType : std::uint8_t {
    kLogin = 1,
    kWant = 2,
    kUnwant = 3,
    kData = 4,
    kLoginResult = 129,
    kPeer = 130,
    kDataFrom = 131,
};

enum class RelayKind : std::uint8_t { kFormat = 0, kMode = 1, kFrame = 2, kReady = 3 };

constexpr std::uint8_t kRelayLoggedIn = 2, kRelayRefused = 1;
constexpr std::uint8_t kPeerOnline = 1, kPeerWantsYou = 2;

using RelayBytes = std::vector<std::uint8_t>;

struct RelayMessage {
    RelayType type{};
    RelayBytes payload;
};

// A whole message: header and payload.
RelayBytes encodeRelay(RelayType type, std::span<const std::uint8_t> payload);
RelayBytes encodeRelayText(RelayType type, const std::string& text);
// Data and DataFrom: kind, the other user's name, the data.
RelayBytes encodeRelayData(RelayType type, RelayKind kind, const std::string& name,
                           std::span<const std::uint8_t> data);
RelayBytes encodeRelayPeer(std::uint8_t flags, const std::string& name);

struct RelayData {
    RelayKind kind{};
    std::string name;
    std::span<const std::uint8_t> data;  // into the message's payload
};
// Nothing when the payload is too short or the name too long.
std::optional<RelayData> decodeRelayData(const RelayBytes& payload);

struct RelayPeer {
    std::uint8_t flags = 0;
    std::string name;
};
std::optional<RelayPeer> decodeRelayPeer(const RelayBytes& payload);

// Whether a user name may be used on the relay: 1..kRelayMaxName bytes, no zero byte.
bool validRelayName(const std::string& name);

// Cuts a byte stream into messages. Holds at most one header and one payload of the
// bounded size; longer payloads are counted and skipped.
class RelayReader {
  public:
    explicit RelayReader(std::size_t maxPayload = kRelayMaxPayload) : max_(maxPayload) {}
    // Calls `onMessage` for every whole message in order.
    void feed(std::span<const std::uint8_t> bytes,
              const std::function<void(RelayMessage&)>& onMessage);
    std::size_t skipped() const { return skipped_; }
    std::size_t buffered() const { return header_.size() + body_.payload.size(); }

  private:
    std::size_t max_;
    std::vector<std::uint8_t> header_;
    RelayMessage body_;
    std::size_t want_ = 0;      // payload bytes still missing for the current message
    std::size_t skipping_ = 0;  // bytes of an oversize payload still to skip
    bool inBody_ = false;
    std::size_t skipped_ = 0;
};

}  // namespace wire
