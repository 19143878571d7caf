#pragma once
// A video component without capture or pictures whose relay peer entries a test
// names, and that records which entries were dropped.
#include <map>
#include <string>
#include <vector>

#include "platform/video_component.h"

namespace platform {

class FakeVideoComponent : public NullVideoComponent {
  public:
    std::string peerName(int entry) override {
        auto it = peerNames.find(entry);
        return it == peerNames.end() ? std::string() : it->second;
    }
    void dropPeer(int entry) override {
        dropped.push_back(entry);
        peerNames.erase(entry);
    }

    std::map<int, std::string> peerNames;  // entry 1..5 -> user name
    std::vector<int> dropped;
};

}  // namespace platform
