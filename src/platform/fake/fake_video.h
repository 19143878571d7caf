#pragma once
// A video component for tests: it records every operation the client calls, keeps
// the relay's peer entries (names and states) as the test sets them, and lets the
// test raise the component's events (login result, peer state, frames).
#include <map>
#include <string>
#include <vector>

#include "platform/video_component.h"

namespace platform {

class FakeVideoComponent : public VideoComponent {
  public:
    struct Sent {
        enum Kind { Format, Mode, Frame } kind;
        int entry;
        platform::Frame data;  // the format or the frame; the mode in data[0]
        friend bool operator==(const Sent&, const Sent&) = default;
    };
    struct Drawn {
        std::string control;  // form name / control name(index)
        platform::Frame frame;
    };

    // Relay socket.
    void setServer(const std::string& h, int p) override { host = h, port = p; }
    void setPeerCount(int n) override { peerCount = n; }
    void login(const std::string& userName) override { loggedInAs.push_back(userName); }
    void logout() override { ++logouts; }
    std::string peerName(int entry) override {
        auto it = peerNames.find(entry);
        return it == peerNames.end() ? std::string() : it->second;
    }
    int peerState(int entry) override {
        auto it = peerStates.find(entry);
        return it == peerStates.end() ? 0 : it->second;
    }
    void connectPeer(int entry, const std::string& account) override {
        connected.push_back({entry, account});
        peerNames[entry] = account;
        if (peerState(entry) < 1) peerStates[entry] = 1;
    }
    void dropPeer(int entry) override {
        dropped.push_back(entry);
        peerNames.erase(entry);
        peerStates.erase(entry);
    }
    void sendFormat(const platform::Frame& f, int entry) override {
        sent.push_back({Sent::Format, entry, f});
    }
    void sendCaptureMode(int mode, int entry) override {
        sent.push_back({Sent::Mode, entry, {static_cast<std::uint8_t>(mode)}});
    }
    void sendFrame(const platform::Frame& f, int entry) override {
        sent.push_back({Sent::Frame, entry, f});
    }
    // Capture.
    void prepareCapture() override { ++prepared; }
    void setCaptureSwitches(bool a, bool b, bool c, int m) override {
        switches = {a, b, c};
        mode = m;
    }
    int startCapture() override {
        ++starts;
        return startResult;
    }
    platform::Frame captureFormat() override { return format; }
    void stopCapture() override { ++stops; }
    void drawFrame(ui::Control& display, const platform::Frame& f) override;

    // Events as the component would raise them.
    void raiseLogin(int status) {
        if (onLogin) onLogin(status);
    }
    void raisePeerState(int entry, int state) {
        peerStates[entry] = state;
        if (onPeerState) onPeerState(entry, state);
    }
    void raiseFrameCaptured(const platform::Frame& f) {
        if (onFrameCaptured) onFrameCaptured(f);
    }
    void raiseFrameReceived(int entry, const platform::Frame& f) {
        if (onFrameReceived) onFrameReceived(entry, f);
    }
    // The frames sent to one entry, in order.
    std::vector<platform::Frame> framesTo(int entry) const {
        std::vector<platform::Frame> out;
        for (const Sent& s : sent)
            if (s.kind == Sent::Frame && s.entry == entry) out.push_back(s.data);
        return out;
    }

    std::string host;
    int port = 0, peerCount = 0;
    std::vector<std::string> loggedInAs;
    int logouts = 0;
    std::map<int, std::string> peerNames;  // entry 1..5 -> user name
    std::map<int, int> peerStates;         // entry 1..5 -> state
    std::vector<std::pair<int, std::string>> connected;
    std::vector<int> dropped;
    std::vector<Sent> sent;
    int prepared = 0, starts = 0, stops = 0, mode = 0;
    std::vector<bool> switches;
    int startResult = 1;  // no device unless the test gives one
    platform::Frame format{'f', 'm', 't'};
    std::vector<Drawn> drawn;
};

}  // namespace platform
