#pragma once
// Taking pictures out of the resources and putting them on controls.
//
// Pictures are decoded from memory, once per resource: the decoded picture is kept
// and handed to every later request, so changing a control's picture costs neither
// a decode nor any file access after the first time. A resource that does not exist
// leaves the target's picture as it was.
#include <cstdint>
#include <map>
#include <string>

#include "pictures/picture_tables.h"
#include "pictures/resource_store.h"
#include "platform/hall_window.h"
#include "platform/picture_decoder.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/window_system.h"

namespace pictures {

class PictureCache {
  public:
    PictureCache(const ResourceStore& store, platform::PictureDecoder& decoder)
        : store_(store), decoder_(decoder) {}

    // Null when the resource does not exist or is no picture.
    ui::PicturePtr resource(int id);
    // A picture of a window design by name; null when there is none.
    ui::PicturePtr design(const std::string& name);
    const ResourceStore& store() const { return store_; }

  private:
    ui::PicturePtr decode(std::span<const std::uint8_t> bytes, const std::string& key);

    const ResourceStore& store_;
    platform::PictureDecoder& decoder_;
    std::map<int, ui::PicturePtr> resources_;
    std::map<std::string, ui::PicturePtr> designs_;
};

// Writes the raw bytes of resource `id` of `type` into the file at `path` from its
// first byte on (a longer existing file is not truncated). False when there is no
// such resource or the file cannot be opened or written; never throws.
bool SaveResourceToFile(const ResourceStore& store, std::int16_t id, const std::string& type,
                        const std::string& path);

// Shows resource `id` on the target; a missing resource leaves the target unchanged.
void ShowResourcePicture(PictureCache& pictures, ui::Control& target, int id);

// What ShowCardPicture needs of the table: the table window with the card arrays
// cardImage0 .. cardImage5, and the way to the hall window for an invalid index.
struct CardPictureContext {
    PictureCache& pictures;
    const PictureIdTables& tables;
    ui::Form& tableWindow;
    platform::HallWindow& hall;
};

// True for the indices the card check turns away: (index mod 16) < 3 in the rows
// 0, 2, 3, 4, 6 and 7, and everything above 127.
bool CardPictureIndexRejected(int pictureIndex);

// Shows the picture of a card picture index on item `item` of the card array of
// screen slot `slot`. A rejected index makes the table window give way to the hall
// window (table minimised, hall restored, Talk, Score and Hero hidden) and loads
// nothing. An index that passes the check but names no card, a slot outside 0..5
// or an item that does not exist loads nothing either.
void ShowCardPicture(const CardPictureContext& context, int slot, int item, int pictureIndex);

}  // namespace pictures
