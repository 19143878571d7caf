#include "record/replay.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <sstream>

#include "record/action_text.h"

namespace record {

namespace {

// The side panel that lists what the player did.
constexpr const char* kPanelForm = "ReplayActions";
constexpr const char* kPanelList = "Actions";

std::string speedText(double speed) {
    std::ostringstream s;
    s << speed;
    return s.str();
}

}  // namespace

Replay::Replay(ReplayLoop& loop, ui::WindowSystem& windows, ui::Form& tableWindow, RecordFile file,
               Hooks hooks)
    : loop_(loop),
      windows_(windows),
      table_(tableWindow),
      file_(std::move(file)),
      hooks_(std::move(hooks)),
      next_(loop),
      totalInbound_(file_.inboundCount()) {
    next_.onTick = [this] { tick(); };
}

void Replay::start(std::size_t from) {
    ui::Form& panel = windows_.form(kPanelForm);
    if (!panel.find(kPanelList)) {
        panel.caption = "回放：玩家的操作";
        panel.width = 220 * ui::kTwipsPerPixel;  // beside a framed table on a 1280-pixel screen
        panel.height = 400 * ui::kTwipsPerPixel;
        panel.add(kPanelList, ui::ControlKind::kListBox).move(0, 0, 220, 400);
    }
    panel.show();
    // The packets before `from` go through as fast as the clock allows.
    const double speed = loop_.speed();
    loop_.setSpeed(1000);
    while (!done_ && fedInbound_ < from && feedOne()) {
    }
    loop_.setSpeed(speed);
    originMs_ = loop_.nowMs() - (at_ > 0 ? file_.entries[at_ - 1].ms : 0);
    if (done_) return;
    showCaption();
    arm();
}

void Replay::placePanel(int screenWidth) {
    ui::Form* panel = windows_.find(kPanelForm);
    if (!panel) return;
    const double right = table_.left + table_.width;
    const bool room = right + panel->width <= screenWidth * ui::kTwipsPerPixel;
    panel->left = room ? right : 0;
    panel->top = room ? table_.top : 0;
}

void Replay::feedEntry() {
    feeding_ = true;
    Entry& e = file_.entries[at_++];
    if (e.direction == Direction::Outbound) {
        if (const std::string text = actionText(e.packet); !text.empty()) {
            std::ostringstream line;
            line << e.ms / 1000 << "." << (e.ms / 100) % 10 << "s " << text;
            if (ui::Form* panel = windows_.find(kPanelForm)) {
                // The newest line stays in view.
                ui::Control& list = panel->at(kPanelList);
                list.items.push_back(line.str());
                list.topIndex = static_cast<int>(list.items.size()) - 1;
            }
        }
        if (hooks_.outbound) hooks_.outbound(e.packet);
    } else {
        ++fedInbound_;
        if (hooks_.inbound) hooks_.inbound(e.packet);
    }
    feeding_ = false;
    showCaption();
}

bool Replay::feedOne() {
    const std::size_t before = fedInbound_;
    while (!done_ && at_ < file_.entries.size() && fedInbound_ == before) feedEntry();
    return fedInbound_ != before;
}

void Replay::tick() {
    next_.setEnabled(false);
    if (paused_ || done_) return;
    // A key may pause the replay while a handler waits.
    while (!done_ && !paused_ && at_ < file_.entries.size() && file_.entries[at_].ms <= clockMs())
        feedEntry();
    arm();
}

void Replay::arm() {
    if (done_ || paused_) return;
    if (at_ >= file_.entries.size()) {
        finish();
        return;
    }
    const std::int64_t due = file_.entries[at_].ms - clockMs();
    next_.setInterval(static_cast<int>(std::clamp<std::int64_t>(due, 1, INT32_MAX)));
    next_.setEnabled(true);
}

void Replay::stop() {
    if (done_) return;
    next_.setEnabled(false);
    finish();
}

void Replay::finish() {
    done_ = true;
    showCaption();
    if (hooks_.finished) hooks_.finished(statusMessage(file_.status));
}

void Replay::togglePause() {
    if (done_) return;
    paused_ = !paused_;
    if (paused_) {
        pausedAtMs_ = clockMs();
        next_.setEnabled(false);
    } else {
        originMs_ = loop_.nowMs() - pausedAtMs_;
        arm();
    }
    showCaption();
}

void Replay::step() {
    if (!paused_ || done_ || feeding_) return;
    if (at_ < file_.entries.size()) {
        feedOne();
        pausedAtMs_ = file_.entries[at_ - 1].ms;
    }
    if (!done_ && at_ >= file_.entries.size()) finish();
}

void Replay::changeSpeed(int direction) {
    const auto begin = std::begin(kSpeeds), end = std::end(kSpeeds);
    auto it = std::lower_bound(begin, end, loop_.speed());
    if (direction > 0 && it != end && *it <= loop_.speed()) ++it;
    if (direction < 0) it = it == begin ? begin : it - 1;
    if (it == end) return;
    // The replay clock reads the same before and after the change.
    const std::int64_t before = clockMs();
    loop_.setSpeed(*it);
    originMs_ = loop_.nowMs() - before;
    if (!paused_ && !feeding_) arm();
    showCaption();
}

void Replay::faster() { changeSpeed(+1); }
void Replay::slower() { changeSpeed(-1); }

void Replay::showCaption() {
    std::string caption = "回放 " + std::to_string(fedInbound_) + "/" +
                          std::to_string(totalInbound_) + " ×" + speedText(loop_.speed());
    if (done_)
        caption += " 结束";
    else if (paused_)
        caption += " 暂停";
    table_.caption = caption;
}

void Replay::wireKeys() {
    table_.onForm(ui::EventKind::kKeyDown, [this](ui::Control*, ui::Event& e) {
        if (e.keyCode == ui::VK_SPACE) togglePause();
        if (e.keyCode == ui::VK_RIGHT) step();
    });
    table_.onForm(ui::EventKind::kKeyPress, [this](ui::Control*, ui::Event& e) {
        if (e.keyAscii == '+' || e.keyAscii == '=') faster();
        if (e.keyAscii == '-') slower();
        if (e.keyAscii == ' ') e.keyAscii = 0;
    });
}

}  // namespace record
