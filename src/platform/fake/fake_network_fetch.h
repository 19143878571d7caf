#pragma once
// Downloads a test answers by hand: every request is recorded with its address,
// and answer() delivers the result through the loop as the network would.
#include <memory>
#include <vector>

#include "platform/event_loop.h"
#include "platform/network_fetch.h"

namespace platform {

class FakeNetworkFetch : public NetworkFetch {
  public:
    struct Pending {
        std::string address;
        Done done;
        bool cancelled = false;  // the requester dropped it
        bool answered = false;
    };

    explicit FakeNetworkFetch(EventLoop& loop) : loop_(loop) {}

    std::unique_ptr<Request> get(const std::string& address, Done done) override {
        auto p = std::make_shared<Pending>();
        p->address = address;
        p->done = std::move(done);
        requests.push_back(p);
        return std::make_unique<Handle>(p);
    }

    // Delivers the result of request i from the loop; a cancelled request never hears it.
    void answer(std::size_t i, bool ok, std::vector<std::uint8_t> body = {}) {
        std::shared_ptr<Pending> p = requests.at(i);
        loop_.post([p, ok, body = std::move(body)]() mutable {
            if (p->cancelled || p->answered) return;
            p->answered = true;
            Done done = std::move(p->done);
            done(ok, std::move(body));
        });
    }

    std::vector<std::shared_ptr<Pending>> requests;

  private:
    struct Handle : Request {
        explicit Handle(std::shared_ptr<Pending> p) : pending(std::move(p)) {}
        ~Handle() override { pending->cancelled = true; }
        std::shared_ptr<Pending> pending;
    };

    EventLoop& loop_;
};

}  // namespace platform
