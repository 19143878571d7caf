#pragma once
// The whole real platform in one object.
#include "platform/platform.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/qt_hall_bus.h"
#include "platform/qt/qt_network_fetch.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_socket.h"
#include "platform/qt/qt_sound_output.h"
#include "platform/qt/qt_video.h"
#include "platform/qt/qt_windows.h"

namespace platform {

struct QtPlatform {
    QtEventLoop loop;
    QtSocket socket;
    QtHallBus hall;
    QtShell shell{hall.directory()};
    QtPictureDecoder pictures;
    QtSoundOutput sound;
    QtVideoComponent video;
    ui::WindowSystem windows;
    QtWindows adapter{windows};
    QtNetworkFetch fetch;

    Platform platform() {
        return Platform{loop, socket, hall, shell, pictures, sound, video, windows, fetch};
    }
};

}  // namespace platform
