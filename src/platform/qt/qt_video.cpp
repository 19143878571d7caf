#include "platform/qt/qt_video.h"

#include <QBuffer>
#include <QCamera>
#include <QImageReader>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QPainter>
#include <QVideoFrame>
#include <QVideoSink>
#include <cstdlib>
#include <cstring>

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

Frame QtVideoComponent::toBmp(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP")) return {};
    return Frame(bytes.begin(), bytes.end());
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

Frame QtVideoComponent::jpegToBmp(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "JPEG");
    // A peer's picture arrives at the capture size; one that claims to be huge is
    // not decoded at all, so a hostile peer cannot make us allocate for it.
    const QSize claimed = reader.size();
    if (!claimed.isValid() || claimed.width() > kMaxPeerSide || claimed.height() > kMaxPeerSide)
        return {};
    if (claimed != QSize(kWidth, kHeight)) reader.setScaledSize(QSize(kWidth, kHeight));
    QImage img = reader.read();
    if (img.isNull()) return {};
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
