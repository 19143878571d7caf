// The score window Score (one round's result columns) and the result-history
// window Hero (one line per round), as designed: every control in slot order.
// What they show is written by the seat packet and the round result.
#include "table/score_windows.h"

namespace table {

namespace {

using ui::Control;
using ui::ControlKind;

constexpr ui::Rgb kListColour = 0xFFC080;

void styleList(Control& list) {
    list.backColor = kListColour;
    list.font.size = 10.5;
    list.font.bold = true;
}

// A transparent click area over one of the two painted buttons in the corner.
void clickArea(ui::Form& f, int index, double left, double top, double w, double h) {
    Control& c = f.add("Image1", ControlKind::kImage, index);
    c.transparent = true;
    c.move(left, top, w, h);
}

void nameLabel(ui::Form& f, int slot, double left, double top, double w) {
    Control& id = f.add("ID", ControlKind::kLabel, slot);
    id.move(left, top, w, 22);
    id.transparent = true;
    id.caption = "玩家" + std::to_string(slot + 1);
}

void avatar(ui::Form& f, int slot, double left, double top, double w, double h) {
    Control& t = f.add("Tou", ControlKind::kImage, slot);
    t.stretch = true;
    t.move(left, top, w, h);
}

void createScore(ui::Form& f) {
    f.caption = "战绩板";
    f.width = 750 * ui::kTwipsPerPixel;
    f.height = 450 * ui::kTwipsPerPixel;
    const double touLeft[6] = {8, 130, 250, 378, 507, 632};
    const double idLeft[6] = {56, 176, 296, 424, 552, 680};
    const double stateLeft[6] = {8, 128, 248, 376, 504, 632};
    for (int s = 0; s < 6; ++s) {
        avatar(f, s, touLeft[s], 26, 47, 41);
        nameLabel(f, s, idLeft[s], 40, s == 3 ? 70 : 62);
        const double w = s >= 2 && s <= 4 ? 121 : 113;
        Control& column = f.add("State", ControlKind::kListBox, s);
        column.move(stateLeft[s], 80, w, 302);
        styleList(column);
        Control& total = f.add("State", ControlKind::kListBox, s + 6);
        total.move(stateLeft[s], 392, w, 50);
        styleList(total);
    }
    clickArea(f, 0, 712, 0, 17, 25);
    clickArea(f, 1, 736, 0, 17, 25);
}

void createHero(ui::Form& f) {
    f.caption = "英雄榜";
    f.width = 750 * ui::kTwipsPerPixel;
    f.height = 500 * ui::kTwipsPerPixel;
    Control& heading = f.add("Label1", ControlKind::kLabel);
    heading.caption = "盘  数";
    heading.transparent = true;
    heading.move(32, 32, 46, 14);
    Control& num = f.add("Num", ControlKind::kListBox);
    num.move(7, 80, 99, 352);
    styleList(num);
    Control& totals = f.add("Label2", ControlKind::kLabel);
    totals.caption = "输赢总分：";
    totals.transparent = true;
    totals.move(8, 440, 97, 49);
    const double touLeft[6] = {112, 216, 323, 432, 544, 648};
    const double idLeft[6] = {152, 256, 368, 472, 584, 688};
    const double gradeLeft[6] = {112, 216, 322, 431, 544, 648};
    const double gradeWidth[6] = {97, 100, 102, 105, 97, 97};
    const double sumLeft[6] = {112, 216, 328, 432, 544, 656};
    const double sumWidth[6] = {97, 105, 97, 105, 97, 89};
    for (int s = 0; s < 6; ++s) {
        avatar(f, s, touLeft[s], 32, 41, 41);
        nameLabel(f, s, idLeft[s], 48, s == 2 ? 46 : 54);
        Control& grade = f.add("Grade", ControlKind::kListBox, s);
        grade.move(gradeLeft[s], 80, gradeWidth[s], 352);
        styleList(grade);
        Control& sum = f.add("sunScore", ControlKind::kLabel, s);
        sum.transparent = true;
        sum.move(sumLeft[s], 440, sumWidth[s], 49);
    }
    clickArea(f, 0, 704, 8, 25, 17);
    clickArea(f, 1, 728, 8, 25, 17);
}

}  // namespace

ScoreWindows::ScoreWindows(ui::WindowSystem& windows, platform::Shell& shell, ui::Form& tableWindow,
                           pictures::Pictures& pictures)
    : windows_(windows), shell_(shell), table_(tableWindow), pictures_(pictures) {}

void ScoreWindows::create() {
    // Each window is as large as its painted panel.
    for (const char* name : {"Score", "Hero"}) windows_.form(name).picture = pictures_.design(name);
    createScore(Score());
    createHero(Hero());
}

void ScoreWindows::centreOnTable(ui::Form& f) {
    f.left = table_.left + (table_.width - f.width) / 2;
    f.top = table_.top + (table_.height - f.height) / 2;
}

}  // namespace table
