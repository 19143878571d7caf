#pragma once
// Camera pictures between the seats: the local capture over the own avatar, the
// relay socket's peer entries bound to the players at the table, the frames sent
// to each peer (thinned out until the peer takes every frame), received frames
// drawn into the slot of the player who sent them, and the video windows with
// their command icons: hide and show again, enlarged windows, photos, the album
// and the music box.
//
// Everything the component does goes through platform::VideoComponent; the
// controls are those of the table window (PicLocal, ImgKuang, ImgShow, vshow1,
// ImCmd, placed by the table layout) and the enlarged windows frm_Local and
// frm_Remote1..frm_Remote5.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "pictures/pictures.h"
#include "platform/event_loop.h"
#include "platform/hall_bus.h"
#include "platform/shell.h"
#include "platform/video_component.h"
#include "state/table_state.h"
#include "ui/window_system.h"

namespace video {

constexpr int kPeers = 5;         // peer entries 1..5 of the relay socket
constexpr int kRelayPort = 8888;  // the relay beside the game server
constexpr int kCaptureMode = 2;   // also sent to each peer with the format
constexpr int kRedisplayMs = 30;  // a slot's one-shot redisplay
constexpr int kZoomDrawMs = 100;  // Timer_Zoom
constexpr const char* kNoDevice = "您没有视频设备或您的视频源正在使用。";
constexpr const char* kPhotoTaken = "照相成功,照片保存在本机相册中。";

// Peer states of the relay socket the client relies on.
constexpr int kStateFree = 1;        // below: the entry is free
constexpr int kStateConnected = 10;  // from here: connected
constexpr int kStateAsked = 14;      // 14 and 15: the peer asked for video
constexpr int kStateEveryFrame = 15;

// The three sizes of an enlarged window.
enum class ZoomSize { Small, Normal, Large };

class Video {
  public:
    // `portalHost` is the host of the game portal (the music box's command line
    // and its download page).
    Video(platform::VideoComponent& component, platform::EventLoop& loop, platform::Shell& shell,
          platform::HallBus& bus, ui::WindowSystem& windows, ui::Form& table, ui::Control& surface,
          state::TableState& state, pictures::Pictures& pictures, std::string portalHost);
    ~Video();
    Video(const Video&) = delete;
    Video& operator=(const Video&) = delete;

    // Stops the playing sound before the music box starts.
    std::function<void()> stopSound;
    // The player information window beside a remote display; the hook is called
    // only when that window is not visible and the slot has a player.
    std::function<void(int slot)> showVideoInformation;

    // Start-up: the relay socket at the game server's host, five entries, login.
    void setUpPeerVideo(const std::string& serverHost, const std::string& userName);
    // The local capture over the own avatar; without a device the message area says so.
    void startLocalCapture();
    bool captureRunning() const { return captureRunning_; }
    // The seat packet of a player in slot k != 0 (once the relay has logged in).
    void registerVideoPeer(int slot, const std::string& account);

    // The leave routine: every remote slot's video cleared, its peer dropped, its
    // enlarged window unloaded; the received frames emptied.
    void leave();
    // A player left (slot 1..5): the slot's video hidden and cleared.
    void clearSlot(int slot);
    // Every peer entry bound to that account is dropped.
    void dropPeersNamed(const std::string& account);
    // The table window minimised: the visible enlarged windows go.
    void unloadZoomWindows();
    // The table window's unload: log out, close the capture device.
    void shutDown();

    // The two-line system message area Sysmsg 0 and 1.
    void PostSystemMessage(const std::string& text);

    // Commands of the table window (the icons' handlers call these).
    void clickCommand(int index);  // ImCmd(index)
    void showAgain(int slot);      // ImgShow(slot)
    void toggleZoom(int slot);
    void zoomButton(int slot, int button);  // ImgCmd 0 close, 1 larger, 2 smaller
    void takePhoto(int slot);
    void openAlbum();
    void musicBox();

    // What the tests and the client read.
    const platform::Frame& latestFrame(int slot) const { return latest_[idx(slot)]; }
    bool relayLoggedIn() const { return relayLoggedIn_; }
    bool relayLoginSeen() const { return relayLoginSeen_; }
    bool videoHidden(int slot) const { return hidden_[idx(slot)]; }
    int sendSkip(int entry) const { return skip_[idx(entry)]; }
    int zoomSlot() const { return zoomSlot_; }
    ZoomSize zoomSize(int slot) const { return size_[idx(slot)]; }
    ui::Form& zoomWindow(int slot);
    static std::string zoomWindowName(int slot);
    std::string photoFolder() const;
    // The file name of a photo taken at that moment.
    static std::string photoFileName(const platform::LocalDateTime& t);

  private:
    static std::size_t idx(int i) { return static_cast<std::size_t>(i); }
    ui::Control* tableControl(const char* name, int index) { return table_.find(name, index); }
    void setVisible(const char* name, int index, bool visible);
    void setIconsVisible(int slot, bool visible);
    void hideSlotControls(int slot);
    void hideSlot(int slot);

    // Component events.
    void onLogin(int status);
    void onPeerState(int entry, int state);
    void onFrameCaptured(const platform::Frame& f);
    void onFrameReceived(int entry, const platform::Frame& f);
    void redisplay(int slot);
    void connectByRule(int slot, const std::string& account, bool loginRule);

    // Command icons and the enlarged windows.
    void wireTableEvents();
    void showIconPictures(int slot, int hoverIndex);
    void createZoomWindow(int slot);
    void layOutZoomWindow(int slot);
    void placeZoomWindow(int slot);
    void startZoomDraw(int slot);
    void ensurePhotoFolder() const;

    platform::VideoComponent& component_;
    platform::EventLoop& loop_;
    platform::Shell& shell_;
    platform::HallBus& bus_;
    ui::WindowSystem& windows_;
    ui::Form& table_;
    ui::Control& surface_;
    state::TableState& state_;
    pictures::Pictures& pictures_;
    std::string portalHost_;

    std::array<platform::Frame, 6> latest_{};  // LatestFrame[0..5]
    std::array<bool, 6> hidden_{};             // VideoHidden[1..5]
    std::array<bool, 6> shown_{};              // VideoShown[1..5]
    std::array<int, 6> skip_{};                // SendSkip[1..5], by peer entry
    std::array<ZoomSize, 6> size_{};
    bool captureRunning_ = false;
    bool relayLoggedIn_ = false;
    bool relayLoginSeen_ = false;
    int zoomSlot_ = 0;
    std::array<std::unique_ptr<platform::Timer>, 6> redisplay_;  // Timer_Vshow1..5
    platform::Timer zoomTimer_;                                  // Timer_Zoom
};

}  // namespace video
