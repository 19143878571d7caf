#include "platform/qt/qt_socket.h"

#include "platform/qt/qt_event_loop.h"

namespace platform {

QtSocket::QtSocket() {
    QObject::connect(&socket_, &QTcpSocket::readyRead, [this] {
        QByteArray data = socket_.readAll();
        Bytes b(data.begin(), data.end());
        QtEventLoop::guard([&] {
            if (onData) onData(b);
        });
    });
    QObject::connect(&socket_, &QTcpSocket::errorOccurred, [this](QAbstractSocket::SocketError e) {
        if (e == QAbstractSocket::RemoteHostClosedError) {
            QtEventLoop::guard([&] {
                if (onClosed) onClosed();
            });
        } else {
            failed_ = true;
        }
    });
}

void QtSocket::setRemote(const std::string& host, int port) {
    host_ = host;
    port_ = port;
}

void QtSocket::connect() {
    failed_ = false;
    socket_.abort();
    socket_.connectToHost(QString::fromStdString(host_), static_cast<quint16>(port_));
}

void QtSocket::close() {
    failed_ = false;
    socket_.abort();
}

int QtSocket::state() const {
    switch (socket_.state()) {
        case QAbstractSocket::ConnectedState:
            return kSockConnected;
        case QAbstractSocket::HostLookupState:
        case QAbstractSocket::ConnectingState:
            return kSockConnecting;
        case QAbstractSocket::ClosingState:
            return kSockClosing;
        default:
            return failed_ ? kSockError : kSockClosed;
    }
}

void QtSocket::send(const std::uint8_t* data, std::size_t size) {
    socket_.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
}

}  // namespace platform
