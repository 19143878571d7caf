#pragma once
// The video component seam: the relay socket, the capture control and one display
// per screen slot 1..5. Frames are opaque byte arrays (complete BMP images).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace platform {

using Frame = std::vector<std::uint8_t>;

class VideoComponent {
  public:
    virtual ~VideoComponent() = default;
    // Relay socket.
    virtual void setServer(const std::string& host, int port) = 0;
    virtual void setPeerCount(int n) = 0;
    virtual void login(const std::string& userName) = 0;
    virtual void logout() = 0;
    virtual std::string peerName(int entry) = 0;
    virtual int peerState(int entry) = 0;  // <1 free, <10 not connected, >9 connected
    virtual void connectPeer(int entry, const std::string& account) = 0;
    virtual void dropPeer(int entry) = 0;
    virtual void sendFormat(const Frame& format, int entry) = 0;
    virtual void sendCaptureMode(int mode, int entry) = 0;
    virtual void sendFrame(const Frame& frame, int entry) = 0;
    std::function<void(int status)> onLogin;  // 2 = logged in
    std::function<void(int entry, int state)> onPeerState;
    std::function<void(int entry, const Frame&)> onFrameReceived;
    // Capture.
    virtual void prepareCapture() = 0;
    virtual void setCaptureSwitches(bool a, bool b, bool c, int mode) = 0;
    virtual int startCapture() = 0;  // 0 = capture runs, non-zero = no usable device
    virtual Frame captureFormat() = 0;
    virtual void stopCapture() = 0;
    std::function<void(const Frame&)> onFrameCaptured;
    // Displays: draws the frame into a display control (a remote slot's vshow1 or
    // an enlarged window's display), fitted to the control's size.
    virtual void drawFrame(ui::Control& display, const Frame& frame) = 0;
};

// A machine without the video component: no device, the relay never logs in.
class NullVideoComponent : public VideoComponent {
  public:
    void setServer(const std::string&, int) override {}
    void setPeerCount(int) override {}
    void login(const std::string&) override {}
    void logout() override {}
    std::string peerName(int) override { return {}; }
    int peerState(int) override { return 0; }
    void connectPeer(int, const std::string&) override {}
    void dropPeer(int) override {}
    void sendFormat(const Frame&, int) override {}
    void sendCaptureMode(int, int) override {}
    void sendFrame(const Frame&, int) override {}
    void prepareCapture() override {}
    void setCaptureSwitches(bool, bool, bool, int) override {}
    int startCapture() override { return 1; }
    Frame captureFormat() override { return {}; }
    void stopCapture() override {}
    void drawFrame(ui::Control&, const Frame&) override {}
};

}  // namespace platform
