#pragma once
// The whole fake platform in one object, for tests: virtual time, an in-memory
// socket and hall, a recording shell, header-only picture decoding, a recording sound
// output, a video relay whose peer entries the test names,
// downloads the test answers by hand.
#include "platform/fake/fake_event_loop.h"
#include "platform/fake/fake_hall_bus.h"
#include "platform/fake/fake_network_fetch.h"
#include "platform/fake/fake_picture_decoder.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_socket.h"
#include "platform/fake/fake_sound_output.h"
#include "platform/fake/fake_video.h"
#include "platform/platform.h"

namespace platform {

struct FakePlatform {
    FakeEventLoop loop;
    FakeSocket socket{loop};
    FakeHallNetwork hallNet{loop};
    FakeHallBus hall{hallNet};
    FakeHallBus hallWindow{hallNet};  // the hall program's own window
    FakeShell shell;
    FakePictureDecoder pictures;
    FakeSoundOutput sound{loop};
    FakeVideoComponent video;
    ui::WindowSystem windows;
    FakeNetworkFetch fetch{loop};

    Platform platform() {
        return Platform{loop, socket, hall, shell, pictures, sound, video, windows, fetch};
    }
};

}  // namespace platform
