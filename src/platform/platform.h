#pragma once
// Everything the behaviour code reaches of the machine, handed to the client at
// construction. The Qt adapter fills it with real parts, the fake adapter with
// virtual-time parts for tests.
#include "platform/event_loop.h"
#include "platform/hall_bus.h"
#include "platform/network_fetch.h"
#include "platform/picture_decoder.h"
#include "platform/shell.h"
#include "platform/sound_output.h"
#include "platform/tcp_socket.h"
#include "platform/video_component.h"
#include "ui/window_system.h"

namespace platform {

struct Platform {
    EventLoop& loop;
    TcpSocket& socket;
    HallBus& hall;
    Shell& shell;
    PictureDecoder& pictures;
    SoundOutput& sound;
    VideoComponent& video;
    ui::WindowSystem& windows;
    NetworkFetch& fetch;
};

}  // namespace platform
