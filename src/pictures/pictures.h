#pragma once
// The table's pictures by role: the decoded resources, the picture-id tables, and
// every way the table puts a picture on a control (by resource id, by an entry of
// a role's table, a card picture on a seat's card array).
#include <array>
#include <string>

#include "pictures/picture_cache.h"
#include "pictures/picture_tables.h"
#include "platform/hall_window.h"
#include "ui/form.h"

namespace pictures {

class Pictures {
  public:
    // `tableWindow` holds the card arrays; `hall` is where a rejected card picture
    // sends the player.
    Pictures(const ResourceStore& store, platform::PictureDecoder& decoder, ui::Form& tableWindow,
             platform::HallWindow& hall)
        : cache(store, decoder), tableWindow_(tableWindow), hall_(hall) {}

    PictureCache cache;
    PictureIdTables ids;

    // Fills the picture-id tables once the display scale is known.
    void load(double displayScale) { BuildPictureIdTables(ids, displayScale); }
    // A picture of a window design by name; null when there is none.
    ui::PicturePtr design(const std::string& name) { return cache.design(name); }

    // Shows resource picture id on the control; a missing picture leaves it as it was.
    void showResourcePicture(ui::Control& target, int id) {
        ShowResourcePicture(cache, target, id);
    }
    // The same for an entry of one of the picture-id tables.
    void showTablePicture(ui::Control& target, const std::string& entry) {
        showResourcePicture(target, PictureIdValue(entry));
    }
    // An entry of a role's table; entries outside the table show nothing.
    void showAvatarPicture(ui::Control& t, int index) { show(t, ids.AvatarPictureIds, index); }
    void showOkPicture(ui::Control& t, int tier) { show(t, ids.OkPictureIds, tier); }
    void showActionPicture(ui::Control& t, int entry) {
        show(t, ids.ActionButtonPictureIds, entry);
    }
    void showIndicatorPicture(ui::Control& t, int entry) {
        show(t, ids.IndicatorPictureIds, entry);
    }
    void showFinishPicture(ui::Control& t, int entry) { show(t, ids.FinishPictureIds, entry); }
    void showPlayBubblePicture(ui::Control& t, int entry) {
        show(t, ids.PlayBubblePictureIds, entry);
    }
    void showPassBubblePicture(ui::Control& t, int entry) {
        show(t, ids.PassBubblePictureIds, entry);
    }
    void showRestorePicture(ui::Control& t, int entry) { show(t, ids.RestorePictureIds, entry); }
    void showHallButtonPicture(ui::Control& t, int entry) {
        show(t, ids.HallButtonPictureIds, entry);
    }
    // The resource id of a hall-button entry (2k normal, 2k+1 hover); -1 outside the table.
    int hallButtonPictureId(int entry) const {
        return entry >= 0 && entry < static_cast<int>(ids.HallButtonPictureIds.size())
                   ? PictureIdValue(ids.HallButtonPictureIds[static_cast<std::size_t>(entry)])
                   : -1;
    }

    // The card picture of a picture index on item `item` of slot `slot`'s card array.
    void ShowCardPicture(int slot, int item, int pictureIndex) {
        pictures::ShowCardPicture({cache, ids, tableWindow_, hall_}, slot, item, pictureIndex);
    }

  private:
    template <std::size_t N>
    void show(ui::Control& target, const std::array<std::string, N>& table, int entry) {
        if (entry >= 0 && entry < static_cast<int>(N))
            showTablePicture(target, table[static_cast<std::size_t>(entry)]);
    }

    ui::Form& tableWindow_;
    platform::HallWindow& hall_;
};

}  // namespace pictures
