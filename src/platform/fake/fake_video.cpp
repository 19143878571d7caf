#include "platform/fake/fake_video.h"

#include "ui/form.h"

namespace platform {

void FakeVideoComponent::drawFrame(ui::Control& display, const platform::Frame& f) {
    drawn.push_back(
        {display.form->name() + "/" + display.name + "(" + std::to_string(display.index) + ")", f});
}

}  // namespace platform
