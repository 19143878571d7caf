#pragma once
// The video component on Qt: the relay socket on QTcpSocket (wire/relay.h), the
// capture through Qt Multimedia's default camera, or a moving test picture with the
// player's name when DRAVIK_CAMERA=pattern, and displays that draw a frame fitted
// to their control. Frames are BMP images at the seam and JPEG on the relay link.
//
// Peer states: 0 free, 1 bound but the peer is not on the relay, 12 connected
// (both on the relay), 14 the peer asked for our video, 15 the peer has our
// format and takes every frame.
//
// Environment: DRAVIK_CAMERA=pattern (test picture) or none (no camera);
// DRAVIK_RELAY_PORT=P reaches the relay on P instead of the port the client asks
// for (tests that run several servers at once).
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <array>
#include <memory>

#include "platform/video_component.h"
#include "wire/relay.h"

class QCamera;
class QMediaCaptureSession;
class QVideoSink;
class QVideoFrame;

namespace platform {

class QtVideoComponent : public VideoComponent {
  public:
    static constexpr int kWidth = 160, kHeight = 120;  // the captured frame
    static constexpr int kFrameMs = 100;               // at most ten frames a second
    static constexpr int kReconnectMs = 3000;
    static constexpr int kMaxPeerSide = 1920;  // larger pictures from a peer are dropped

    QtVideoComponent();
    ~QtVideoComponent() override;

    void setServer(const std::string& host, int port) override;
    void setPeerCount(int n) override;
    void login(const std::string& userName) override;
    void logout() override;
    std::string peerName(int entry) override;
    int peerState(int entry) override;
    void connectPeer(int entry, const std::string& account) override;
    void dropPeer(int entry) override;
    void sendFormat(const Frame& format, int entry) override;
    void sendCaptureMode(int mode, int entry) override;
    void sendFrame(const Frame& frame, int entry) override;

    void prepareCapture() override {}
    void setCaptureSwitches(bool, bool, bool, int) override {}
    int startCapture() override;
    Frame captureFormat() override;
    void stopCapture() override;
    void drawFrame(ui::Control& display, const Frame& frame) override;

    // Figures for the benchmark: JPEG bytes sent and frames sent.
    std::uint64_t linkBytesSent() const { return linkBytes_; }
    std::uint64_t linkFramesSent() const { return linkFrames_; }

    // BMP <-> JPEG as the link carries them; empty on failure.
    static Frame toBmp(const QImage& image);
    static QByteArray toJpeg(const Frame& bmp);
    static Frame jpegToBmp(const std::uint8_t* data, std::size_t size);
    // The test picture: a moving stripe and the player's name.
    static QImage testPicture(const std::string& name, int frameNumber);

  private:
    struct Entry {
        std::string name;
        int state = 0;
    };
    bool validEntry(int e) const { return e >= 1 && e <= peerCount_; }
    void connectRelay();
    void write(const wire::RelayBytes& bytes);
    void onBytes();
    void onMessage(wire::RelayMessage& m);
    void onPeer(const wire::RelayPeer& p);
    void onData(const wire::RelayData& d);
    void setState(int e, int state);
    void sendData(wire::RelayKind kind, int entry, std::span<const std::uint8_t> data);
    void captured(const QImage& image);
    void onCameraFrame(const QVideoFrame& frame);

    QObject context_;
    QTcpSocket socket_;
    QTimer reconnect_;
    wire::RelayReader reader_;
    std::string host_, user_;
    int port_ = 0;
    int peerCount_ = 5;
    bool wantLogin_ = false;
    std::array<Entry, 6> entries_{};

    QTimer pattern_;
    int patternFrame_ = 0;
    std::unique_ptr<QCamera> camera_;
    std::unique_ptr<QMediaCaptureSession> session_;
    std::unique_ptr<QVideoSink> sink_;
    QElapsedTimer sinceFrame_;
    bool capturing_ = false;

    Frame lastBmp_;        // the last frame encoded, and its JPEG: a frame goes to
    QByteArray lastJpeg_;  // up to five peers but is compressed once
    std::uint64_t linkBytes_ = 0, linkFrames_ = 0;
};

}  // namespace platform
