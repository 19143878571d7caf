// The peer-to-peer part: the relay login, peer entries for the players at the
// table, the local capture, frames out to the peers and frames in to the slots.
#include "video/video.h"

namespace video {

Video::Video(platform::VideoComponent& component, platform::EventLoop& loop, platform::Shell& shell,
             platform::HallBus& bus, ui::WindowSystem& windows, ui::Form& table,
             ui::Control& surface, state::TableState& state, pictures::Pictures& pictures,
             std::string portalHost)
    : component_(component),
      loop_(loop),
      shell_(shell),
      bus_(bus),
      windows_(windows),
      table_(table),
      surface_(surface),
      state_(state),
      pictures_(pictures),
      portalHost_(std::move(portalHost)),
      zoomTimer_(loop, kZoomDrawMs) {
    size_.fill(ZoomSize::Normal);
    // Every slot gets the same one-shot redisplay.
    for (int k = 1; k <= kPeers; ++k)
        redisplay_[idx(k)] =
            std::make_unique<platform::Timer>(loop_, kRedisplayMs, [this, k] { redisplay(k); });
    zoomTimer_.onTick = [this] {
        zoomTimer_.setEnabled(false);
        ui::Form& w = zoomWindow(zoomSlot_);
        component_.drawFrame(w.add("vshow1", ui::ControlKind::kPictureBox),
                             latest_[idx(zoomSlot_)]);
    };
    component_.onLogin = [this](int status) { onLogin(status); };
    component_.onPeerState = [this](int entry, int s) { onPeerState(entry, s); };
    component_.onFrameCaptured = [this](const platform::Frame& f) { onFrameCaptured(f); };
    component_.onFrameReceived = [this](int entry, const platform::Frame& f) {
        onFrameReceived(entry, f);
    };
    wireTableEvents();
}

// The component outlives the part: its events must not reach it any more.
Video::~Video() {
    component_.onLogin = nullptr;
    component_.onPeerState = nullptr;
    component_.onFrameCaptured = nullptr;
    component_.onFrameReceived = nullptr;
}

void Video::setVisible(const char* name, int index, bool visible) {
    if (ui::Control* c = tableControl(name, index)) c->visible = visible;
}

void Video::setUpPeerVideo(const std::string& serverHost, const std::string& userName) {
    component_.setServer(serverHost, kRelayPort);
    component_.setPeerCount(kPeers);
    component_.login(userName);
    relayLoggedIn_ = false;
}

void Video::startLocalCapture() {
    ui::Control& cap = table_.add("vcap1", ui::ControlKind::kPictureBox, -1, &surface_);
    cap.visible = false;
    cap.backColor = 0x000000;
    component_.prepareCapture();
    if (ui::Control* tou = tableControl("Tou", 0))
        cap.move(tou->left, tou->top, tou->width, tou->height - 7 * state_.Scale.x);
    component_.setCaptureSwitches(true, true, false, kCaptureMode);
    if (component_.startCapture() != 0) {
        captureRunning_ = false;
        PostSystemMessage(kNoDevice);
        return;
    }
    captureRunning_ = true;
    ui::Control& strip = table_.add("PicLocal", ui::ControlKind::kPictureBox, 0, &surface_);
    strip.visible = true;
    cap.visible = true;
    table_.bringToFront(strip);
    table_.bringToFront(cap);
    setIconsVisible(0, true);
}

void Video::onLogin(int status) {
    if (status != 2) {
        relayLoggedIn_ = false;
        return;
    }
    if (!relayLoggedIn_ && !relayLoginSeen_) {
        relayLoginSeen_ = true;
        for (int k = 1; k <= kPeers; ++k) {
            const std::string& a = state_.PlayerRecord[idx(k)].seatId;
            if (!a.empty()) connectByRule(k, a, true);
        }
    }
    relayLoggedIn_ = true;
}

void Video::registerVideoPeer(int slot, const std::string& account) {
    if (!relayLoginSeen_ || slot < 1 || slot > kPeers || account.empty()) return;
    connectByRule(slot, account, false);
}

// The seat packet's rule stops at the entry already bound to the name and otherwise
// takes the last free entry, starting from the slot's own; the login rule goes
// through all entries from entry 1.
void Video::connectByRule(int slot, const std::string& account, bool loginRule) {
    int e = loginRule ? 1 : slot;
    for (int i = 1; i <= kPeers; ++i) {
        const bool match = component_.peerName(i) == account;
        if (match || component_.peerState(i) < kStateFree) e = i;
        if (match && !loginRule) break;
    }
    if (component_.peerState(e) < kStateConnected) component_.connectPeer(e, account);
}

void Video::onPeerState(int entry, int s) {
    if (entry < 1 || entry > kPeers) return;
    if (s != kStateAsked && s != kStateEveryFrame) return;
    component_.sendFormat(component_.captureFormat(), entry);
    component_.sendCaptureMode(kCaptureMode, entry);
    component_.sendFrame(latest_[0], entry);
}

// The first three frames go to a peer that is connected but does not yet take every
// frame, then one of every 21 until it does.
void Video::onFrameCaptured(const platform::Frame& f) {
    latest_[0] = f;
    for (int e = 1; e <= kPeers; ++e) {
        const int s = component_.peerState(e);
        if (s < kStateConnected) continue;
        int& skip = skip_[idx(e)];
        if (s == kStateEveryFrame) {
            component_.sendFrame(f, e);
        } else if (skip <= 2) {
            component_.sendFrame(f, e);
            ++skip;
        } else if (skip > 22) {
            skip = 3;
            component_.sendFrame(f, e);
        } else {
            ++skip;
        }
    }
    if (ui::Control* cap = tableControl("vcap1", -1); cap && captureRunning_)
        component_.drawFrame(*cap, f);  // the capture control's own preview
    ui::Form* local = windows_.find("frm_Local");
    if (local && local->visible) {
        ui::Control& display = local->add("vshow1", ui::ControlKind::kPictureBox);
        component_.drawFrame(display, f);
        display.visible = true;
        local->bringToFront(display);
    }
}

void Video::onFrameReceived(int entry, const platform::Frame& f) {
    if (entry < 1 || entry > kPeers) return;
    const std::string name = component_.peerName(entry);
    if (name.empty()) return;
    int k = 0;
    for (int i = 1; i <= kPeers && k == 0; ++i)
        if (state_.PlayerRecord[idx(i)].seatId == name) k = i;
    if (k == 0) return;
    latest_[idx(k)] = f;
    if (component_.peerState(entry) < kStateConnected || hidden_[idx(k)]) return;
    ui::Control* display = tableControl("vshow1", k);
    if (!display) return;
    if (!display->visible && !shown_[idx(k)]) {
        setVisible("ImgKuang", k, true);
        setVisible("PicLocal", k, true);
        setIconsVisible(k, true);
        redisplay_[idx(k)]->setEnabled(true);
        display->visible = true;
        table_.bringToFront(*display);
        component_.drawFrame(*display, latest_[idx(k)]);
        shown_[idx(k)] = true;
    } else {
        component_.drawFrame(*display, f);
    }
    ui::Form* zoom = windows_.find(zoomWindowName(k));
    if (zoom && zoom->visible) {
        ui::Control& d = zoom->add("vshow1", ui::ControlKind::kPictureBox);
        component_.drawFrame(d, f);
        d.visible = true;
    }
}

void Video::redisplay(int slot) {
    redisplay_[idx(slot)]->setEnabled(false);
    ui::Control* strip = tableControl("PicLocal", slot);
    ui::Control* display = tableControl("vshow1", slot);
    if (!strip || !strip->visible || !display) return;
    for (int i = 0; i < 2; ++i) component_.drawFrame(*display, latest_[idx(slot)]);
}

void Video::hideSlotControls(int slot) {
    for (const char* name : {"PicLocal", "ImgShow", "ImgKuang", "vshow1"})
        setVisible(name, slot, false);
    setIconsVisible(slot, false);
}

void Video::leave() {
    for (int k = 1; k <= kPeers; ++k) {
        hidden_[idx(k)] = shown_[idx(k)] = false;
        skip_[idx(k)] = 0;
        hideSlotControls(k);
        component_.dropPeer(k);
        if (ui::Form* w = windows_.find(zoomWindowName(k))) w->unload();
    }
    for (int k = 1; k <= kPeers; ++k) latest_[idx(k)].clear();
}

void Video::clearSlot(int slot) {
    if (slot < 1 || slot > kPeers) return;
    hideSlotControls(slot);
    hidden_[idx(slot)] = shown_[idx(slot)] = false;
    skip_[idx(slot)] = 0;
    if (ui::Form* w = windows_.find(zoomWindowName(slot))) w->hide();
    latest_[idx(slot)].clear();
}

void Video::dropPeersNamed(const std::string& account) {
    if (account.empty()) return;
    for (int e = 1; e <= kPeers; ++e)
        if (component_.peerName(e) == account) component_.dropPeer(e);
}

void Video::unloadZoomWindows() {
    for (int s = 0; s <= kPeers; ++s)
        if (ui::Form* w = windows_.find(zoomWindowName(s)); w && w->visible) w->unload();
}

void Video::shutDown() {
    component_.logout();
    if (captureRunning_) component_.stopCapture();
}

// Sysmsg 0 is the upper line, 1 the lower; a new line goes to the first empty one,
// and when both hold text the lower moves up.
void Video::PostSystemMessage(const std::string& text) {
    ui::Control* upper = tableControl("Sysmsg", 0);
    ui::Control* lower = tableControl("Sysmsg", 1);
    if (!upper || !lower) return;
    auto line = [](const ui::Control* c) { return c->items.empty() ? std::string() : c->items[0]; };
    if (line(lower).empty() && line(upper).empty()) {
        upper->items.assign(1, text);
    } else if (line(lower).empty()) {
        lower->items.assign(1, text);
    } else {
        upper->items.assign(1, line(lower));
        lower->items.assign(1, text);
    }
}

}  // namespace video
