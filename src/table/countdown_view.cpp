#include "table/countdown_view.h"

namespace table {

namespace {

constexpr std::uint32_t kGreen = 0x00FF00, kRed = 0xFF0000;
constexpr std::uint32_t kContinueGreen = 0x00C000, kContinueRed = 0xE00000;

}  // namespace

CountdownView::CountdownView(state::TableState& state, ui::Form& tableWindow, sound::Sound& sound)
    : state_(state), table_(tableWindow), sound_(sound) {}

void CountdownView::placeAt(int slot) {
    const double s = state_.Scale.x;
    ui::Control& timeImg = table_.at("Time_Img");
    ui::Control& number = table_.at("Number");
    auto bottomOf = [this](const char* name) {
        const ui::Control& c = table_.at(name);
        return c.top + c.height;
    };
    switch (slot) {
        case 0:
            timeImg.move(10 * s, (s < 1 ? 570 : 578) * s);
            break;
        case 1:
            timeImg.move(6 * s, bottomOf("name1"));
            break;
        case 2:
            timeImg.move(160 * s, 108 * s);
            break;
        case 3:
            timeImg.move(500 * s, 108 * s);
            break;
        case 4:
            timeImg.move(845 * s, 108 * s);
            break;
        case 5:
            timeImg.move(1024 * s - timeImg.width - 4 * s, bottomOf("name2"));
            break;
        default:
            return;
    }
    number.move(timeImg.left + 48 * s, timeImg.top + 5 * s);
}

void CountdownView::startAt(int slot, int seconds) {
    hide();
    placeAt(slot);
    state_.CountdownSeconds = seconds;
    ui::Control& number = table_.at("Number");
    number.caption = std::to_string(seconds);
    number.foreColor = kGreen;
    show();
}

void CountdownView::show() {
    ui::Control& timeImg = table_.at("Time_Img");
    ui::Control& number = table_.at("Number");
    timeImg.visible = number.visible = true;
    table_.bringToFront(timeImg);
    table_.bringToFront(number);
}

void CountdownView::showNumber() {
    ui::Control& number = table_.at("Number");
    number.caption = std::to_string(state_.CountdownSeconds);
    if (state_.CountdownSeconds < 6) {
        number.foreColor = kRed;
        sound_.PlaySoundEffect(sound::Effect::kCountdownWarning);
    } else {
        number.foreColor = kGreen;
    }
}

void CountdownView::tick() {
    --state_.CountdownSeconds;
    showNumber();
}

void CountdownView::hide() {
    table_.at("Time_Img").visible = false;
    table_.at("Number").visible = false;
}

void CountdownView::startContinue() {
    state_.CountdownSeconds = 15;
    ui::Control& number = table_.at("Number");
    number.caption = "15";
    number.foreColor = kContinueGreen;
    number.visible = true;
}

void CountdownView::continueTick() {
    --state_.CountdownSeconds;
    ui::Control& number = table_.at("Number");
    number.caption = std::to_string(state_.CountdownSeconds);
    number.foreColor = state_.CountdownSeconds > 5 ? kContinueGreen : kContinueRed;
}

}  // namespace table
