// The animated-picture control with the table's flames (pictures 633 to 635):
// loading each picture (its records and every frame decoded), and one tick of
// playing — the next frame composed and made a picture — alone and painted as the
// table window paints it, whole or only the control's rectangle.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "gif/ani_gif.h"
#include "platform/fake/fake_event_loop.h"
#include "platform/fake/fake_network_fetch.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_render.h"
#include "resources/embedded_resources.h"
#include "ui/window_system.h"

namespace {

// The table window at the full size with the player where the layout puts it.
struct Table {
    platform::FakeEventLoop loop;
    platform::QtPictureDecoder pictures;
    platform::FakeNetworkFetch fetch{loop};
    ui::WindowSystem ws;
    ui::Form& form = ws.form("MainForm");
    ui::Control& pic1 = form.add("Pic1", ui::ControlKind::kPictureBox);
    ui::Control& control = form.add("ShaoPaiPlayer", ui::ControlKind::kImage, -1, &pic1);
    gif::ucAniGIF player{control, loop, pictures, fetch};
    std::span<const std::uint8_t> bytes;

    explicit Table(int id) : bytes(resources::embeddedStore().bytes(id)) {
        form.width = 1024 * ui::kTwipsPerPixel;
        form.height = 768 * ui::kTwipsPerPixel;
        pic1.move(0, 0, 1024, 768);
        auto design = resources::embeddedStore().design("Pic1");
        pic1.picture = pictures.decode({design.begin(), design.end()}, "design:Pic1");
        control.move(437, 250, 150, 150);
    }
};

void BM_GifLoadFlame(benchmark::State& state) {
    Table t(static_cast<int>(state.range(0)));
    t.player.setDelayAnimation(gif::kDoNotStart);  // every frame decoded by the load
    for (auto _ : state) benchmark::DoNotOptimize(t.player.LoadAnimatedGIF_Array(t.bytes));
    state.counters["frames"] = t.player.FrameCount();
}
BENCHMARK(BM_GifLoadFlame)->Arg(633)->Arg(634)->Arg(635)->Unit(benchmark::kMicrosecond);

// One tick: 100 ms of virtual time, the frame delay of the flames.
void BM_GifTick(benchmark::State& state) {
    Table t(static_cast<int>(state.range(0)));
    t.player.setDelayAnimation(0);
    t.player.LoadAnimatedGIF_Array(t.bytes);
    for (auto _ : state) {
        t.loop.advance(100);
        benchmark::DoNotOptimize(t.control.picture);
    }
}
BENCHMARK(BM_GifTick)->Arg(633)->Arg(634)->Arg(635)->Unit(benchmark::kMicrosecond);

void tickAndPaint(benchmark::State& state, bool onlyTheControl) {
    Table t(static_cast<int>(state.range(0)));
    t.player.setDelayAnimation(0);
    t.player.LoadAnimatedGIF_Array(t.bytes);
    QImage window(1024, 768, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        t.loop.advance(100);
        QPainter p(&window);
        if (onlyTheControl)
            p.setClipRect(QRectF(t.control.left, t.control.top, t.control.width, t.control.height));
        platform::paintForm(p, t.form, false);
    }
}

void BM_GifTickPaintWindow(benchmark::State& state) { tickAndPaint(state, false); }
BENCHMARK(BM_GifTickPaintWindow)->Arg(633)->Arg(634)->Arg(635)->Unit(benchmark::kMicrosecond);

void BM_GifTickPaintControl(benchmark::State& state) { tickAndPaint(state, true); }
BENCHMARK(BM_GifTickPaintControl)->Arg(633)->Arg(634)->Arg(635)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
