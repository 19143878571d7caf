// What the score window Score and the result-history window Hero do: centred on
// the table window when they load, dragged by their surface, hidden by the two
// click areas, and a double click on a history line shows that round in Score.
#include "table/score_windows.h"

namespace table {

void ScoreWindows::historyToScore(const ui::Control& list) {
    ui::Form& score = windows_.form("Score");
    if (score.visible) score.hide();
    LoadRoundRecord(static_cast<std::int16_t>(list.listIndex + 1));
    score.show();
}

void ScoreWindows::wireEvents() {
    using ui::EventKind;
    ui::Form& score = windows_.form("Score");
    score.onForm(EventKind::kLoad,
                 [this, &score](ui::Control*, ui::Event&) { centreOnTable(score); });
    score.onForm(EventKind::kMouseDown, [&score](ui::Control*, ui::Event& e) {
        if (e.button == ui::kLeftButton) score.systemMove = true;
    });
    score.on("Image1", EventKind::kClick, [&score](ui::Control*, ui::Event&) { score.hide(); });

    ui::Form& hero = windows_.form("Hero");
    hero.onForm(EventKind::kLoad, [this, &hero](ui::Control*, ui::Event&) {
        hero.windowState = ui::WindowState::kNormal;
        centreOnTable(hero);
        for (int s = 0; s < 6; ++s) {
            ui::Control& grade = hero.at("Grade", s);
            if (!grade.items.empty()) grade.topIndex = static_cast<int>(grade.items.size()) - 1;
        }
    });
    hero.onForm(EventKind::kMouseMove, [&hero](ui::Control*, ui::Event& e) {
        if (e.button & ui::kLeftButton) hero.systemMove = true;
    });
    hero.on("Image1", EventKind::kClick, [&hero](ui::Control*, ui::Event&) { hero.hide(); });
    for (const char* list : {"Grade", "Num"})
        hero.on(list, EventKind::kDblClick,
                [this](ui::Control* c, ui::Event&) { historyToScore(*c); });
}

}  // namespace table
