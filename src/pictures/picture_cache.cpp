#include "pictures/picture_cache.h"

#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <vector>

namespace pictures {

ui::PicturePtr PictureCache::decode(std::span<const std::uint8_t> bytes, const std::string& key) {
    if (bytes.empty()) return nullptr;
    return decoder_.decode(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), key);
}

ui::PicturePtr PictureCache::resource(int id) {
    auto it = resources_.find(id);
    if (it != resources_.end()) return it->second;
    auto p = decode(store_.bytes(id), "res:" + std::to_string(id));
    // Only pictures are kept: a missing id stays a cheap lookup every time.
    if (p) resources_.emplace(id, p);
    return p;
}

ui::PicturePtr PictureCache::design(const std::string& name) {
    auto it = designs_.find(name);
    if (it != designs_.end()) return it->second;
    auto p = decode(store_.design(name), "design:" + name);
    if (p) designs_.emplace(name, p);
    return p;
}

bool SaveResourceToFile(const ResourceStore& store, std::int16_t id, const std::string& type,
                        const std::string& path) {
    if (strcasecmp(type.c_str(), "GIF") != 0) return false;
    auto bytes = store.bytes(id);
    if (bytes.empty()) return false;
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return ::close(fd) == 0;
}

void ShowResourcePicture(PictureCache& pictures, ui::Control& target, int id) {
    if (auto p = pictures.resource(id)) target.setPicture(p);
}

bool CardPictureIndexRejected(int pictureIndex) {
    if (pictureIndex > 127) return true;
    int rank = pictureIndex % 16;  // both truncate toward zero
    int row = pictureIndex / 16;
    bool emptyRow = row == 0 || row == 2 || row == 3 || row == 4 || row == 6 || row == 7;
    return rank < 3 && emptyRow;
}

void ShowCardPicture(const CardPictureContext& c, int slot, int item, int pictureIndex) {
    if (CardPictureIndexRejected(pictureIndex)) {
        c.tableWindow.windowState = ui::WindowState::kMinimized;
        c.hall.restore();
        for (const char* name : {"Talk", "Score", "Hero"}) {
            if (ui::Form* f = c.tableWindow.windows().find(name)) f->hide();
        }
        return;
    }
    // Indices that pass the check yet lie outside the table (negative ones in the
    // unchecked rows, 64..127) name no card: nothing is shown rather than reading
    // past the table.
    if (pictureIndex < 0 || pictureIndex >= static_cast<int>(c.tables.CardPictureIds.size()))
        return;
    if (slot < 0 || slot > 5) return;
    ui::Control* target = c.tableWindow.find("cardImage" + std::to_string(slot), item);
    if (!target) return;
    ShowResourcePicture(c.pictures, *target, PictureIdValue(c.tables.CardPictureIds[pictureIndex]));
}

}  // namespace pictures
