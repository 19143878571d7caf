#include "wire/relay.h"

#include <algorithm>

namespace wire {

RelayBytes encodeRelay(RelayType type, std::span<const std::uint8_t> payload) {
    RelayBytes out;
    out.reserve(kRelayHeader + payload.size());
    const auto n = static_cast<std::uint32_t>(payload.size());
    out.push_back(static_cast<std::uint8_t>(type));
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

RelayBytes encodeRelayText(RelayType type, const std::string& text) {
    return encodeRelay(type, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

RelayBytes encodeRelayData(RelayType type, RelayKind kind, const std::string& name,
                           std::span<const std::uint8_t> data) {
    RelayBytes payload;
    payload.reserve(2 + name.size() + data.size());
    payload.push_back(static_cast<std::uint8_t>(kind));
    payload.push_back(static_cast<std::uint8_t>(name.size()));
    payload.insert(payload.end(), name.begin(), name.end());
    payload.insert(payload.end(), data.begin(), data.end());
    return encodeRelay(type, payload);
}

RelayBytes encodeRelayPeer(std::uint8_t flags, const std::string& name) {
    RelayBytes payload{flags};
    payload.insert(payload.end(), name.begin(), name.end());
    return encodeRelay(RelayType::kPeer, payload);
}

std::optional<RelayData> decodeRelayData(const RelayBytes& payload) {
    if (payload.size() < 2) return std::nullopt;
    const std::size_t nameLen = payload[1];
    if (nameLen > kRelayMaxName || payload.size() < 2 + nameLen) return std::nullopt;
    RelayData d;
    d.kind = static_cast<RelayKind>(payload[0]);
    d.name.assign(payload.begin() + 2, payload.begin() + 2 + static_cast<std::ptrdiff_t>(nameLen));
    d.data = std::span<const std::uint8_t>(payload).subspan(2 + nameLen);
    return d;
}

std::optional<RelayPeer> decodeRelayPeer(const RelayBytes& payload) {
    if (payload.empty() || payload.size() - 1 > kRelayMaxName) return std::nullopt;
    return RelayPeer{payload[0], std::string(payload.begin() + 1, payload.end())};
}

bool validRelayName(const std::string& name) {
    return !name.empty() && name.size() <= kRelayMaxName && name.find('\0') == std::string::npos;
}

void RelayReader::feed(std::span<const std::uint8_t> bytes,
                       const std::function<void(RelayMessage&)>& onMessage) {
    while (!bytes.empty()) {
        if (skipping_ > 0) {
            const std::size_t n = std::min(skipping_, bytes.size());
            skipping_ -= n;
            bytes = bytes.subspan(n);
            continue;
        }
        if (!inBody_) {
            const std::size_t n = std::min(kRelayHeader - header_.size(), bytes.size());
            header_.insert(header_.end(), bytes.begin(), bytes.begin() + static_cast<long>(n));
            bytes = bytes.subspan(n);
            if (header_.size() < kRelayHeader) return;
            std::size_t length = 0;
            for (int i = 0; i < 4; ++i) length |= std::size_t(header_[1 + i]) << (8 * i);
            const auto type = static_cast<RelayType>(header_[0]);
            header_.clear();
            if (length > max_) {
                ++skipped_;
                skipping_ = length;
                continue;
            }
            body_.type = type;
            body_.payload.clear();
            body_.payload.reserve(length);
            want_ = length;
            inBody_ = true;
        }
        const std::size_t n = std::min(want_, bytes.size());
        body_.payload.insert(body_.payload.end(), bytes.begin(),
                             bytes.begin() + static_cast<long>(n));
        bytes = bytes.subspan(n);
        want_ -= n;
        if (want_ == 0) {
            inBody_ = false;
            RelayMessage m{body_.type, std::move(body_.payload)};
            body_.payload = {};
            onMessage(m);
        }
    }
}

}  // namespace wire
