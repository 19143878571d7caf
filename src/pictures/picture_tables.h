#pragma once
// The picture-id tables: which picture resource each role shows, as the decimal
// text of its id. Filled once at start-up, after the display scale is known, and
// never changed afterwards. Unfilled entries are empty and never used.
#include <array>
#include <string>

namespace pictures {

struct PictureIdTables {
    std::array<std::string, 64> CardPictureIds;        // index = PictureIndex
    std::array<std::string, 20> HallButtonPictureIds;  // 2k normal, 2k+1 hover
    std::array<std::string, 8> DialogButtonPictureIds;
    std::array<std::string, 30> ActionButtonPictureIds;  // hover = normal + 14
    std::array<std::string, 5> PassBubblePictureIds;     // one per other seat
    std::array<std::string, 20> AvatarPictureIds;
    std::array<std::string, 4> OkPictureIds;
    std::array<std::string, 2> PhrasePictureIds;
    std::array<std::string, 2> PhraseHoverPictureIds;
    std::array<std::string, 13> PlayBubblePictureIds;
    std::array<std::string, 7> IndicatorPictureIds;  // lamps, flames, status labels
    std::array<std::string, 6> FinishPictureIds;
    std::array<std::string, 2> RestorePictureIds;
    std::array<std::string, 13> ToolbarIconPictureIds;
    std::array<std::string, 6> VideoFramePictureIds;
};

// Toolbar screen-size icons, used by number rather than through a table.
constexpr int kSmallScreenIconId = 863;
constexpr int kLargeScreenIconId = 864;

// displayScale is 1.0 or 0.78125; the small layout has its own hall buttons.
void BuildPictureIdTables(PictureIdTables& tables, double displayScale);

// The number an entry names; an empty or non-numeric entry gives 0, which is no
// resource.
int PictureIdValue(const std::string& entry);

}  // namespace pictures
