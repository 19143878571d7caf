// The video link: the test picture made a BMP frame, the frame compressed to JPEG
// for the link and turned back into BMP on arrival, a frame drawn into a display,
// and the whole way from one component through the relay (on its own thread, as
// in the server) to the other component's frame event, with the bytes each frame
// takes on the link.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <asio.hpp>
#include <thread>

#include "platform/qt/qt_video.h"
#include "server/relay.h"
#include "ui/window_system.h"

namespace {

using platform::QtVideoComponent;

platform::Frame testFrame(int n) {
    return QtVideoComponent::toBmp(QtVideoComponent::testPicture("player", n));
}

void BM_TestPictureToBmp(benchmark::State& state) {
    int n = 0;
    for (auto _ : state) benchmark::DoNotOptimize(testFrame(n++));
}
BENCHMARK(BM_TestPictureToBmp);

void BM_BmpToJpeg(benchmark::State& state) {
    const platform::Frame bmp = testFrame(7);
    std::size_t bytes = 0;
    for (auto _ : state) bytes = static_cast<std::size_t>(QtVideoComponent::toJpeg(bmp).size());
    state.counters["jpeg_bytes"] = static_cast<double>(bytes);
    state.counters["bmp_bytes"] = static_cast<double>(bmp.size());
}
BENCHMARK(BM_BmpToJpeg);

void BM_JpegToBmp(benchmark::State& state) {
    const QByteArray jpeg = QtVideoComponent::toJpeg(testFrame(7));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            QtVideoComponent::jpegToBmp(reinterpret_cast<const std::uint8_t*>(jpeg.constData()),
                                        static_cast<std::size_t>(jpeg.size())));
}
BENCHMARK(BM_JpegToBmp);

// The decoding alone, for comparison with the whole step above.
void BM_JpegDecodeOnly(benchmark::State& state) {
    const QByteArray jpeg = QtVideoComponent::toJpeg(testFrame(7));
    for (auto _ : state) {
        QImage img;
        benchmark::DoNotOptimize(img.loadFromData(jpeg, "JPEG"));
    }
}
BENCHMARK(BM_JpegDecodeOnly);

void BM_DrawFrame(benchmark::State& state) {
    QtVideoComponent component;
    ui::WindowSystem ws;
    ui::Control& display = ws.form("MainForm").add("vshow1", ui::ControlKind::kPictureBox, 1);
    display.move(0, 0, 116, 95);
    const platform::Frame bmp = testFrame(7);
    for (auto _ : state) component.drawFrame(display, bmp);
}
BENCHMARK(BM_DrawFrame);

// The relay on its own thread, two components logged in and connected to each
// other; each iteration is one frame from handing it over to its arrival.
void BM_FrameThroughTheRelay(benchmark::State& state) {
    asio::io_context io;
    server::Relay relay(io, nullptr);
    std::string error;
    const int port = relay.listen("127.0.0.1", 0, error);
    if (port <= 0) {
        state.SkipWithError(error.c_str());
        return;
    }
    auto work = asio::make_work_guard(io);
    std::thread relayThread([&] { io.run(); });

    QtVideoComponent a, b;
    int received = 0;
    b.onFrameReceived = [&](int, const platform::Frame&) { ++received; };
    for (auto* c : {&a, &b}) {
        c->setServer("127.0.0.1", port);
        c->setPeerCount(5);
    }
    a.login("ann");
    b.login("bob");
    a.connectPeer(1, "bob");
    b.connectPeer(1, "ann");
    auto spin = [](const std::function<bool()>& done) {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        return done();
    };
    if (!spin([&] { return a.peerState(1) >= 14; })) {
        state.SkipWithError("the components did not connect");
    } else {
        int n = 0;
        for (auto _ : state) {
            const platform::Frame bmp = testFrame(n++);
            const int before = received;
            a.sendFrame(bmp, 1);
            if (!spin([&] { return received > before; })) {
                state.SkipWithError("a frame was lost");
                break;
            }
        }
        state.counters["link_bytes_per_frame"] =
            a.linkFramesSent() ? static_cast<double>(a.linkBytesSent()) / a.linkFramesSent() : 0;
    }
    a.logout();
    b.logout();
    asio::post(io, [&] { relay.stop(); });
    work.reset();
    relayThread.join();
}
BENCHMARK(BM_FrameThroughTheRelay)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
