#pragma once
// Network fetch seam: downloading a file by its address in the background, the
// way a control reads a remote picture asynchronously.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class NetworkFetch {
  public:
    // One download in flight. Destroying it cancels the download: its completion is
    // never reported afterwards. It may be destroyed from inside its own completion.
    class Request {
      public:
        virtual ~Request() = default;
    };

    // ok is false for a failed transfer (no answer, an error status, an address that
    // cannot be fetched, a body above the adapter's size limit); body holds the bytes
    // received when ok is true.
    using Done = std::function<void(bool ok, std::vector<std::uint8_t> body)>;

    virtual ~NetworkFetch() = default;
    // Starts fetching `address`; `done` runs later from the event loop, exactly once
    // unless the request is destroyed first, and never from inside get().
    virtual std::unique_ptr<Request> get(const std::string& address, Done done) = 0;
};

}  // namespace platform
