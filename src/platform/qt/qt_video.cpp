#include "platform/qt/qt_video.h"

#include <QBuffer>
#include <QCamera>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QPainter>
#include <QVideoFrame>
#include <QVideoSink>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/qt/qt_event_loop.h"
#include "platform/qt/qt_picture.h"

namespace platform {

namespace {

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

}  // namespace

QtVideoComponent::QtVideoComponent() {
    reconnect_.setSingleShot(true);
    reconnect_.setInterval(kReconnectMs);
    QObject::connect(&reconnect_, &QTimer::timeout, &context_, [this] { connectRelay(); });
    QObject::connect(&socket_, &QTcpSocket::connected, &context_,
                     [this] { write(wire::encodeRelayText(wire::RelayType::kLogin, user_)); });
    QObject::connect(&socket_, &QTcpSocket::readyRead, &context_, [this] { onBytes(); });
    // A lost or refused relay: every peer is off the relay until it is back.
    auto lost = [this] {
        reader_ = wire::RelayReader();
        QtEventLoop::guard([&] {
            for (int e = 1; e <= peerCount_; ++e)
                if (entries_[static_cast<std::size_t>(e)].state > 1) setState(e, 1);
            if (onLogin) onLogin(0);
        });
        if (wantLogin_) reconnect_.start();
    };
    QObject::connect(&socket_, &QTcpSocket::disconnected, &context_, lost);
    QObject::connect(
        &socket_, &QTcpSocket::errorOccurred, &context_,
        [this, lost](QAbstractSocket::SocketError) {
            if (socket_.state() != QAbstractSocket::ConnectedState && !reconnect_.isActive())
                lost();
        });
    pattern_.setInterval(kFrameMs);
    QObject::connect(&pattern_, &QTimer::timeout, &context_,
                     [this] { captured(testPicture(user_, patternFrame_++)); });
}

QtVideoComponent::~QtVideoComponent() {
    wantLogin_ = false;
    QObject::disconnect(&socket_, nullptr, &context_, nullptr);
    socket_.abort();
}

void QtVideoComponent::setServer(const std::string& host, int port) {
    host_ = host;
    const std::string override = env("DRAVIK_RELAY_PORT");
    port_ = override.empty() ? port : std::atoi(override.c_str());
}

void QtVideoComponent::setPeerCount(int n) { peerCount_ = std::clamp(n, 0, 5); }

void QtVideoComponent::login(const std::string& userName) {
    user_ = userName;
    wantLogin_ = true;
    connectRelay();
}

void QtVideoComponent::connectRelay() {
    if (!wantLogin_ || port_ <= 0 || port_ > 65535) return;
    socket_.abort();
    reader_ = wire::RelayReader();
    socket_.connectToHost(QString::fromStdString(host_), static_cast<quint16>(port_));
}

void QtVideoComponent::logout() {
    wantLogin_ = false;
    reconnect_.stop();
    QObject::disconnect(&socket_, nullptr, &context_, nullptr);
    socket_.abort();
}

void QtVideoComponent::write(const wire::RelayBytes& bytes) {
    if (socket_.state() != QAbstractSocket::ConnectedState) return;
    socket_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

std::string QtVideoComponent::peerName(int entry) {
    return validEntry(entry) ? entries_[static_cast<std::size_t>(entry)].name : std::string();
}

int QtVideoComponent::peerState(int entry) {
    return validEntry(entry) ? entries_[static_cast<std::size_t>(entry)].state : 0;
}

void QtVideoComponent::connectPeer(int entry, const std::string& account) {
    if (!validEntry(entry) || !wire::validRelayName(account)) return;
    Entry& e = entries_[static_cast<std::size_t>(entry)];
    if (e.name != account && !e.name.empty())
        write(wire::encodeRelayText(wire::RelayType::kUnwant, e.name));
    e.name = account;
    e.state = 1;
    // The relay answers with how the peer stands; a relay not yet logged in gets
    // every bound entry again at its login result.
    write(wire::encodeRelayText(wire::RelayType::kWant, account));
}

void QtVideoComponent::dropPeer(int entry) {
    if (!validEntry(entry)) return;
    Entry& e = entries_[static_cast<std::size_t>(entry)];
    if (!e.name.empty()) write(wire::encodeRelayText(wire::RelayType::kUnwant, e.name));
    e = Entry{};
}

void QtVideoComponent::sendData(wire::RelayKind kind, int entry,
                                std::span<const std::uint8_t> data) {
    if (!validEntry(entry)) return;
    const Entry& e = entries_[static_cast<std::size_t>(entry)];
    if (e.name.empty() || e.state < 10) return;
    write(wire::encodeRelayData(wire::RelayType::kData, kind, e.name, data));
}

void QtVideoComponent::sendFormat(const Frame& format, int entry) {
    sendData(wire::RelayKind::kFormat, entry, format);
}

void QtVideoComponent::sendCaptureMode(int mode, int entry) {
    const std::uint8_t b = static_cast<std::uint8_t>(mode);
    sendData(wire::RelayKind::kMode, entry, {&b, 1});
}

void QtVideoComponent::sendFrame(const Frame& frame, int entry) {
    if (frame.empty() || !validEntry(entry)) return;
    if (frame != lastBmp_) {
        lastBmp_ = frame;
        lastJpeg_ = toJpeg(frame);
    }
    if (lastJpeg_.isEmpty() ||
        lastJpeg_.size() > static_cast<qsizetype>(wire::kRelayMaxPayload / 2))
        return;
    const auto* p = reinterpret_cast<const std::uint8_t*>(lastJpeg_.constData());
    const std::size_t before = linkBytes_;
    sendData(wire::RelayKind::kFrame, entry, {p, static_cast<std::size_t>(lastJpeg_.size())});
    if (entries_[static_cast<std::size_t>(entry)].state >= 10) {
        linkBytes_ = before + static_cast<std::size_t>(lastJpeg_.size());
        ++linkFrames_;
    }
}

void QtVideoComponent::onBytes() {
    const QByteArray bytes = socket_.readAll();
    reader_.feed({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                  static_cast<std::size_t>(bytes.size())},
                 [this](wire::RelayMessage& m) { onMessage(m); });
}

void QtVideoComponent::onMessage(wire::RelayMessage& m) {
    switch (m.type) {
        case wire::RelayType::kLoginResult: {
            const int status = m.payload.empty() ? 0 : m.payload[0];
            if (status == wire::kRelayLoggedIn)
                for (int e = 1; e <= peerCount_; ++e)
                    if (!entries_[static_cast<std::size_t>(e)].name.empty())
                        write(wire::encodeRelayText(wire::RelayType::kWant,
                                                    entries_[static_cast<std::size_t>(e)].name));
            QtEventLoop::guard([&] {
                if (onLogin) onLogin(status);
            });
            break;
        }
        case wire::RelayType::kPeer:
            if (auto p = wire::decodeRelayPeer(m.payload)) onPeer(*p);
            break;
        case wire::RelayType::kDataFrom:
            if (auto d = wire::decodeRelayData(m.payload)) onData(*d);
            break;
        default:
            break;
    }
}

void QtVideoComponent::setState(int e, int state) {
    Entry& entry = entries_[static_cast<std::size_t>(e)];
    if (entry.state == state) return;
    entry.state = state;
    if (onPeerState) onPeerState(e, state);
}

void QtVideoComponent::onPeer(const wire::RelayPeer& p) {
    QtEventLoop::guard([&] {
        for (int e = 1; e <= peerCount_; ++e) {
            const Entry& entry = entries_[static_cast<std::size_t>(e)];
            if (entry.name != p.name) continue;
            int state = 1;
            if (p.flags & wire::kPeerOnline)
                state = (p.flags & wire::kPeerWantsYou) ? std::max(entry.state, 14) : 12;
            if (state == 14 && entry.state == 15) state = 15;
            setState(e, state);
        }
    });
}

void QtVideoComponent::onData(const wire::RelayData& d) {
    int e = 0;
    for (int i = 1; i <= peerCount_ && e == 0; ++i)
        if (entries_[static_cast<std::size_t>(i)].name == d.name) e = i;
    if (e == 0) return;  // nobody asked for this sender
    switch (d.kind) {
        case wire::RelayKind::kFormat:
            // We have the peer's format: from now on it may send every frame.
            write(
                wire::encodeRelayData(wire::RelayType::kData, wire::RelayKind::kReady, d.name, {}));
            break;
        case wire::RelayKind::kReady:
            if (entries_[static_cast<std::size_t>(e)].state >= 14)
                QtEventLoop::guard([&] { setState(e, 15); });
            break;
        case wire::RelayKind::kFrame: {
            Frame bmp = jpegToBmp(d.data.data(), d.data.size());
            if (bmp.empty()) return;
            QtEventLoop::guard([&] {
                if (onFrameReceived) onFrameReceived(e, bmp);
            });
            break;
        }
        default:
            break;
    }
}

int QtVideoComponent::startCapture() {
    if (capturing_) return 0;
    const std::string mode = env("DRAVIK_CAMERA");
    if (mode == "pattern") {
        pattern_.start();
        capturing_ = true;
        return 0;
    }
    if (mode == "none") return 1;
    const QCameraDevice device = QMediaDevices::defaultVideoInput();
    if (device.isNull()) return 1;
    camera_ = std::make_unique<QCamera>(device);
    session_ = std::make_unique<QMediaCaptureSession>();
    sink_ = std::make_unique<QVideoSink>();
    session_->setCamera(camera_.get());
    session_->setVideoSink(sink_.get());
    QObject::connect(sink_.get(), &QVideoSink::videoFrameChanged, &context_,
                     [this](const QVideoFrame& f) { onCameraFrame(f); });
    camera_->start();
    if (!camera_->isActive() && camera_->error() != QCamera::NoError) {
        session_.reset();
        sink_.reset();
        camera_.reset();
        return 1;  // the device is busy or cannot be used
    }
    sinceFrame_.start();
    capturing_ = true;
    return 0;
}

void QtVideoComponent::onCameraFrame(const QVideoFrame& frame) {
    if (sinceFrame_.isValid() && sinceFrame_.elapsed() < kFrameMs) return;
    sinceFrame_.restart();
    captured(frame.toImage());
}

void QtVideoComponent::captured(const QImage& image) {
    Frame bmp =
        toBmp(image.scaled(kWidth, kHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    if (bmp.empty()) return;
    QtEventLoop::guard([&] {
        if (onFrameCaptured) onFrameCaptured(bmp);
    });
}

Frame QtVideoComponent::captureFormat() {
    const std::string f = std::to_string(kWidth) + "x" + std::to_string(kHeight) + " BMP24";
    return Frame(f.begin(), f.end());
}

void QtVideoComponent::stopCapture() {
    pattern_.stop();
    if (camera_) camera_->stop();
    session_.reset();
    sink_.reset();
    camera_.reset();
    capturing_ = false;
}

void QtVideoComponent::drawFrame(ui::Control& display, const Frame& frame) {
    QImage img;
    if (frame.empty() || !img.loadFromData(frame.data(), static_cast<int>(frame.size()), "BMP"))
        return;
    const int w = std::max(1, static_cast<int>(display.width));
    const int h = std::max(1, static_cast<int>(display.height));
    display.picture = makePicture(img.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                                  "video:" + display.name + std::to_string(display.index));
}

// A 24-bit BMP file: the 14-byte file header, the 40-byte information header, then
// the rows bottom-up in blue, green, red order, each padded to four bytes.
Frame QtVideoComponent::toBmp(const QImage& image) {
    if (image.isNull()) return {};
    // Read as 32-bit pixels: what the decoders give, so usually no conversion at all.
    const bool direct =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    const QImage rgb = direct ? image : image.convertToFormat(QImage::Format_RGB32);
    const int w = rgb.width(), h = rgb.height();
    const std::size_t row = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t(3);
    const std::size_t size = 54 + row * static_cast<std::size_t>(h);
    Frame out(size, 0);
    auto put = [&](std::size_t at, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out[at + static_cast<std::size_t>(i)] = (v >> (8 * i)) & 0xFF;
    };
    out[0] = 'B';
    out[1] = 'M';
    put(2, static_cast<std::uint32_t>(size), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(w), 4);
    put(22, static_cast<std::uint32_t>(h), 4);
    put(26, 1, 2);   // planes
    put(28, 24, 2);  // bits per pixel
    put(34, static_cast<std::uint32_t>(row * static_cast<std::size_t>(h)), 4);
    put(38, 2835, 4);  // 72 dots per inch
    put(42, 2835, 4);
    for (int y = 0; y < h; ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        std::uint8_t* dst = out.data() + 54 + row * static_cast<std::size_t>(h - 1 - y);
        for (int x = 0; x < w; ++x) {
            dst[3 * x] = static_cast<std::uint8_t>(qBlue(src[x]));
            dst[3 * x + 1] = static_cast<std::uint8_t>(qGreen(src[x]));
            dst[3 * x + 2] = static_cast<std::uint8_t>(qRed(src[x]));
        }
    }
    return out;
}

QByteArray QtVideoComponent::toJpeg(const Frame& bmp) {
    QImage img;
    if (!img.loadFromData(bmp.data(), static_cast<int>(bmp.size()), "BMP")) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!img.save(&buffer, "JPEG", 75)) return {};
    return bytes;
}

namespace {

// The size a JPEG file declares in its frame header, read before anything is
// decoded; nothing when the markers do not lead to one.
std::optional<QSize> declaredJpegSize(const std::uint8_t* d, std::size_t n) {
    if (n < 4 || d[0] != 0xFF || d[1] != 0xD8) return std::nullopt;
    std::size_t at = 2;
    while (at + 4 <= n) {
        if (d[at] != 0xFF) return std::nullopt;
        const std::uint8_t m = d[at + 1];
        if (m == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        const std::size_t length = std::size_t(d[at + 2]) << 8 | d[at + 3];
        const bool frame = m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
        if (frame) {
            if (at + 9 > n) return std::nullopt;
            return QSize(d[at + 7] << 8 | d[at + 8], d[at + 5] << 8 | d[at + 6]);
        }
        if (length < 2) return std::nullopt;
        at += 2 + length;
    }
    return std::nullopt;
}

}  // namespace

Frame QtVideoComponent::jpegToBmp(const std::uint8_t* data, std::size_t size) {
    // A picture that claims to be huge is not decoded at all, so a hostile peer
    // cannot make us allocate for it.
    const auto declared = declaredJpegSize(data, size);
    if (!declared || declared->isEmpty() || declared->width() > kMaxPeerSide ||
        declared->height() > kMaxPeerSide)
        return {};
    QImage img;
    if (!img.loadFromData(data, static_cast<int>(size), "JPEG")) return {};
    // A peer's picture arrives at the capture size.
    if (img.size() != QSize(kWidth, kHeight))
        img = img.scaled(kWidth, kHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return toBmp(img);
}

QImage QtVideoComponent::testPicture(const std::string& name, int frameNumber) {
    QImage img(kWidth, kHeight, QImage::Format_RGB888);
    const int hue = (frameNumber * 6) % 360;
    img.fill(QColor::fromHsv(hue, 120, 90));
    QPainter p(&img);
    // A stripe that sweeps across, so a still picture is easy to tell from a live one.
    const int x = (frameNumber * 8) % (kWidth + 30) - 30;
    p.fillRect(x, 0, 30, kHeight, QColor(240, 240, 240, 160));
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(18);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 30, kWidth, 40), Qt::AlignCenter, QString::fromStdString(name));
    font.setPixelSize(12);
    font.setBold(false);
    p.setFont(font);
    p.drawText(QRect(0, 80, kWidth, 20), Qt::AlignCenter, QString::number(frameNumber));
    return img;
}

}  // namespace platform
