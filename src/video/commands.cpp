// The command icons ImCmd under each video area, hiding and showing a slot again,
// photos, the album and the music box.
#include <filesystem>
#include <fstream>

#include "video/video.h"

namespace video {

namespace {

constexpr int kIconsPerSlot = 4;
constexpr int kHoverOffset = 4;  // ToolbarIconPictureIds: 0..3 normal, 4..7 highlighted
constexpr int kBell = 8;         // 8 and 9: the bell in two colours
constexpr const char* kLocalTips[kIconsPerSlot] = {"像册", "放大", "拍照", "月光宝盒"};
constexpr const char* kIncomplete = "您的大厅安装不完整，请重新安装或到网站上下载独立的安装程序！";
constexpr std::uint32_t kMusicBoxMessage = 1135;

}  // namespace

void Video::wireTableEvents() {
    for (int i = 0; i < kIconsPerSlot * 6; ++i) {
        ui::Control& icon = table_.add("ImCmd", ui::ControlKind::kImage, i, &surface_);
        if (i < kIconsPerSlot) icon.toolTipText = kLocalTips[i];
    }
    table_.on("ImCmd", ui::EventKind::kClick,
              [this](ui::Control* c, ui::Event&) { clickCommand(c->index); });
    table_.on("ImCmd", ui::EventKind::kMouseMove, [this](ui::Control* c, ui::Event&) {
        showIconPictures(c->index / kIconsPerSlot, c->index);
    });
    table_.on("PicLocal", ui::EventKind::kMouseMove,
              [this](ui::Control* c, ui::Event&) { showIconPictures(c->index, -1); });
    table_.on("ImgShow", ui::EventKind::kClick,
              [this](ui::Control* c, ui::Event&) { showAgain(c->index); });
    table_.on("vshow1", ui::EventKind::kMouseMove, [this](ui::Control* c, ui::Event&) {
        ui::Form* info = windows_.find("Information");
        const int slot = c->index;
        if (slot < 1 || slot > kPeers || (info && info->visible)) return;
        if (state_.PlayerRecord[idx(slot)].seatId.empty()) return;
        if (showVideoInformation) showVideoInformation(slot);
    });
}

// The slot's icons in their normal look, the one under the pointer (if any)
// highlighted.
void Video::showIconPictures(int slot, int hoverIndex) {
    for (int i = slot * kIconsPerSlot; i < (slot + 1) * kIconsPerSlot; ++i) {
        ui::Control* icon = tableControl("ImCmd", i);
        if (!icon) continue;
        const int command = i % kIconsPerSlot;
        const bool hover = i == hoverIndex;
        // A remote slot's fourth icon has no command: it shows the bell (8, hover 9).
        const int entry = slot > 0 && command == 3 ? kBell + (hover ? 1 : 0)
                                                   : command + (hover ? kHoverOffset : 0);
        pictures_.showTablePicture(*icon, pictures_.ids.ToolbarIconPictureIds[idx(entry)]);
    }
}

void Video::setIconsVisible(int slot, bool visible) {
    if (visible) showIconPictures(slot, -1);
    for (int i = slot * kIconsPerSlot; i < (slot + 1) * kIconsPerSlot; ++i)
        if (ui::Control* icon = tableControl("ImCmd", i)) {
            icon->visible = visible;
            if (visible) table_.bringToFront(*icon);
        }
}

void Video::clickCommand(int index) {
    if (index < 0 || index >= kIconsPerSlot * 6) return;
    const int slot = index / kIconsPerSlot;
    // Slot 0: album, enlarge, photo, music box; slots 1..5: hide, enlarge, photo, none.
    switch (index % kIconsPerSlot) {
        case 0:
            if (slot == 0)
                openAlbum();
            else
                hideSlot(slot);
            break;
        case 1:
            toggleZoom(slot);
            break;
        case 2:
            takePhoto(slot);
            break;
        default:
            if (slot == 0) musicBox();
            break;
    }
}

void Video::hideSlot(int slot) {
    if (hidden_[idx(slot)]) return;
    hidden_[idx(slot)] = true;
    setVisible("PicLocal", slot, false);
    setIconsVisible(slot, false);
    setVisible("vshow1", slot, false);
    setVisible("ImgKuang", slot, false);
    if (ui::Form* w = windows_.find(zoomWindowName(slot)); w && w->visible) w->hide();
    if (ui::Control* b = tableControl("ImgShow", slot)) {
        // The show-again button wears the camera icon.
        pictures_.showTablePicture(*b, pictures_.ids.ToolbarIconPictureIds[0]);
        b->visible = true;
        table_.bringToFront(*b);
    }
}

void Video::showAgain(int slot) {
    if (slot < 1 || slot > kPeers) return;
    hidden_[idx(slot)] = false;
    setVisible("ImgShow", slot, false);
    setVisible("ImgKuang", slot, true);
    setVisible("PicLocal", slot, true);
    setIconsVisible(slot, true);
    if (ui::Control* display = tableControl("vshow1", slot)) {
        display->visible = true;
        table_.bringToFront(*display);
    }
    redisplay_[idx(slot)]->setEnabled(true);
}

std::string Video::photoFolder() const { return shell_.programFolder() + "/photo"; }

void Video::ensurePhotoFolder() const {
    std::error_code ec;
    std::filesystem::create_directories(photoFolder(), ec);
}

std::string Video::photoFileName(const platform::LocalDateTime& t) {
    std::string name;
    for (int part : {t.year, t.month, t.day, t.hour, t.minute, t.second})
        name += std::to_string(part);
    return name + ".bmp";
}

void Video::takePhoto(int slot) {
    if (slot < 0 || slot > kPeers) return;
    ensurePhotoFolder();
    const std::string path = photoFolder() + "/" + photoFileName(shell_.localDateTime());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const platform::Frame& f = latest_[idx(slot)];
    out.write(reinterpret_cast<const char*>(f.data()), static_cast<std::streamsize>(f.size()));
    out.close();
    PostSystemMessage(kPhotoTaken);
}

void Video::openAlbum() {
    ensurePhotoFolder();
    shell_.openDocument(photoFolder());
}

void Video::musicBox() {
    if (bus_.exists("musicbox")) {
        bus_.send("musicbox", kMusicBoxMessage, 0, 0);
        return;
    }
    if (stopSound) stopSound();
    const std::string program = shell_.programFolder() + "/../../plugin/music.exe";
    std::error_code ec;
    if (std::filesystem::exists(program, ec)) {
        shell_.startProgram(program, state_.PlayerInfo[0].seatKey + "$$" + portalHost_ + "$");
        return;
    }
    if (shell_.messageBox(kIncomplete, "Brenmoor提示", platform::MB_OKCANCEL) == platform::ID_OK)
        shell_.openDocument("http://" + portalHost_ + "/magic.php");
}

}  // namespace video
