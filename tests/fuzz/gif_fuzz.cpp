// Arbitrary bytes into the animated-picture control: loaded as a GIF file, then a
// few hundred ticks of playing with the fit, the mirroring and the actions changed
// on the way, and the same bytes again mirrored, stretched and decoded at once. No
// file may make the control read or write outside its strip, its composition or
// its tables, nor loop without end.
#include <algorithm>
#include <cstdint>
#include <span>

#include "gif/ani_gif.h"
#include "platform/fake/fake_event_loop.h"
#include "platform/fake/fake_network_fetch.h"
#include "platform/fake/fake_picture_decoder.h"
#include "ui/window_system.h"

namespace {

void play(gif::ucAniGIF& player, platform::FakeEventLoop& loop, int ticks) {
    for (int t = 0; t < ticks; ++t) {
        switch (t % 50) {
            case 10:
                player.setMirrored((t / 50) % 4);
                break;
            case 20:
                player.setStretch((t / 50) % 5);
                break;
            case 25:
                player.setLoops(2);
                break;
            case 30:
                player.setAction(gif::kActionRestart);
                break;
            case 40:
                player.resize(60 + t % 90, 40 + t % 70);
                break;
            default:
                break;
        }
        if (t % 4 == 3) {
            player.setAction(gif::kActionStep);
            player.setAction(gif::kActionPlay);
        } else {
            loop.advance(10 * (1 + t % 7));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::FakeEventLoop loop;
    platform::FakePictureDecoder pictures;
    platform::FakeNetworkFetch fetch{loop};
    ui::WindowSystem ws;
    ui::Control& control = ws.form("MainForm").add("ShaoPaiPlayer", ui::ControlKind::kImage);
    control.move(0, 0, 48, 36);
    gif::ucAniGIF player(control, loop, pictures, fetch);
    player.setMinFrameDelay(10);
    player.setStretch(4);
    const std::span<const std::uint8_t> bytes(data, size);
    if (!player.LoadAnimatedGIF_Array(bytes)) return 0;
    // Up to 50 x 50 pixels three hundred ticks; larger animations fewer, and the
    // largest only the load, so that one input stays quick under the sanitizers.
    const long area = static_cast<long>(player.ActualWidth()) * player.ActualHeight();
    if (area > 512L * 512L) return 0;
    const int ticks = static_cast<int>(std::clamp(300L * 2500L / std::max(area, 1L), 8L, 300L));
    play(player, loop, ticks);

    player.setMirrored(gif::kMirrorLeftRight | gif::kMirrorTopBottom);
    player.setStretch(2);
    player.setDelayAnimation(0);
    player.LoadAnimatedGIF_Array(bytes);
    play(player, loop, ticks / 4);
    return 0;
}
