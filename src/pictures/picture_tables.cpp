#include "pictures/picture_tables.h"

#include <charconv>

namespace pictures {

namespace {

template <std::size_t N>
void put(std::array<std::string, N>& table, std::size_t index, int id) {
    table[index] = std::to_string(id);
}

}  // namespace

void BuildPictureIdTables(PictureIdTables& t, double displayScale) {
    t = PictureIdTables{};
    for (int i = 1; i <= 2; ++i) put(t.RestorePictureIds, i - 1, 190 + i);
    for (int i = 1; i <= 6; ++i) put(t.FinishPictureIds, i - 1, 660 + i);
    for (int i = 1; i <= 7; ++i) put(t.IndicatorPictureIds, i - 1, 630 + i);
    for (int i = 0; i <= 1; ++i) {
        put(t.PhrasePictureIds, i, 100 + i);
        put(t.PhraseHoverPictureIds, i, 102 + i);
    }
    const int pass[] = {232, 235, 235, 238, 238};
    for (int i = 0; i < 5; ++i) put(t.PassBubblePictureIds, i, pass[i]);
    // Suit 0 runs on past the aces and twos into the two jokers (16, 17) and the
    // back (18); the other suits stop at their twos.
    for (int suit = 0; suit <= 3; ++suit) {
        for (int rank = 3; rank <= 18; ++rank) {
            if (rank > 15 && suit != 0) break;
            put(t.CardPictureIds, rank + 16 * suit, rank + 16 * suit);
        }
    }
    for (int i = 0; i <= 19; ++i) {
        if (displayScale >= 1.0 || i < 2)
            put(t.HallButtonPictureIds, i, 150 + i);
        else
            put(t.HallButtonPictureIds, i, 281 + i);
    }
    for (int i = 0; i <= 7; ++i) put(t.DialogButtonPictureIds, i, 170 + i);
    for (int i = 1; i <= 30; ++i) put(t.ActionButtonPictureIds, i - 1, 600 + i);
    for (int i = 0; i <= 19; ++i) put(t.AvatarPictureIds, i, 240 + i);
    for (int i = 0; i <= 3; ++i) put(t.OkPictureIds, i, 280 + i);
    put(t.OkPictureIds, 3, 280);
    for (int i = 1; i <= 13; ++i) put(t.PlayBubblePictureIds, i - 1, 640 + i);
    for (int i = 0; i <= 12; ++i) put(t.ToolbarIconPictureIds, i, 850 + i);
    for (int i = 0; i <= 5; ++i) put(t.VideoFramePictureIds, i, 870 + i);
}

int PictureIdValue(const std::string& entry) {
    int value = 0;
    auto [end, ec] = std::from_chars(entry.data(), entry.data() + entry.size(), value);
    if (ec != std::errc() || end != entry.data() + entry.size()) return 0;
    return value;
}

}  // namespace pictures
