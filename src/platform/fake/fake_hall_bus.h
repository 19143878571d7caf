#pragma once
// An in-memory hall bus: windows are registered by caption on a shared network of
// FakeHallBus objects; sends are recorded and delivered through the loop.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "platform/hall_bus.h"

namespace platform {

struct HallMessage {
    std::string to;
    std::uint32_t msg, wParam, lParam;
    bool operator==(const HallMessage&) const = default;
};

class FakeHallNetwork {
  public:
    explicit FakeHallNetwork(EventLoop& loop) : loop(loop) {}
    EventLoop& loop;
    std::map<std::string, class FakeHallBus*> endpoints;
    std::vector<HallMessage> log;  // every successful send, in order
};

class FakeHallBus : public HallBus {
  public:
    explicit FakeHallBus(FakeHallNetwork& net) : net_(net) {}
    ~FakeHallBus() override { close(); }
    bool open(const std::string& caption) override {
        close();
        if (refuseOpen) return false;
        caption_ = caption;
        net_.endpoints[caption] = this;
        open_ = true;
        return true;
    }
    void close() override {
        if (!open_) return;
        auto it = net_.endpoints.find(caption_);
        if (it != net_.endpoints.end() && it->second == this) net_.endpoints.erase(it);
        open_ = false;
    }
    bool isOpen() const override { return open_; }
    bool refuseOpen = false;  // the endpoint cannot be opened (no room, no rights)
    bool send(const std::string& caption, std::uint32_t msg, std::uint32_t w,
              std::uint32_t l) override {
        auto it = net_.endpoints.find(caption);
        if (it == net_.endpoints.end()) return false;
        net_.log.push_back({caption, msg, w, l});
        FakeHallBus* target = it->second;
        net_.loop.post([this, target, caption, msg, w, l] {
            auto now = net_.endpoints.find(caption);
            if (now != net_.endpoints.end() && now->second == target && target->onMessage)
                target->onMessage(msg, w, l);
        });
        return true;
    }

  private:
    FakeHallNetwork& net_;
    std::string caption_;
    bool open_ = false;
};

}  // namespace platform
