#pragma once
// What the proxy tests share: a real SOCKS5 proxy (microsocks, a Debian package
// installed by scripts/setup.sh) started on a free loopback port, the real socket
// with everything written to it kept, and loopback ports a launch line can carry.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <vector>

#include "platform/qt/qt_socket.h"

namespace proxytest {

using platform::Bytes;

// A loopback port that nothing listens on (taken and given back at once), below
// 32768: the launch line reads its ports as signed 16-bit numbers.
inline quint16 freeLoopbackPort() {
    static quint16 next = static_cast<quint16>(20000 + ::getpid() % 10000);
    for (int tries = 0; tries < 12768; ++tries) {
        const quint16 port = next;
        next = next >= 32767 ? 20000 : static_cast<quint16>(next + 1);
        QTcpServer probe;
        if (probe.listen(QHostAddress::LocalHost, port)) return port;
    }
    return 0;
}

// Runs the event loop until `done` or the time is up, with `step` after every
// 20 ms slice.
inline bool runUntil(const std::function<bool()>& done, int ms,
                     const std::function<void()>& step = {}) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
        if (step) step();
    }
    return done();
}

// The real socket, with everything written to it kept for the test to read.
class RecordingSocket : public platform::TcpSocket {
  public:
    RecordingSocket() {
        inner_.onData = [this](const Bytes& b) {
            if (onData) onData(b);
        };
        inner_.onClosed = [this] {
            if (onClosed) onClosed();
        };
    }
    void setRemote(const std::string& host, int port) override { inner_.setRemote(host, port); }
    void connect() override { inner_.connect(); }
    void close() override { inner_.close(); }
    int state() const override { return inner_.state(); }
    using platform::TcpSocket::send;
    void send(const std::uint8_t* data, std::size_t size) override {
        written.emplace_back(data, data + size);
        inner_.send(data, size);
    }
    std::vector<Bytes> written;

  private:
    platform::QtSocket inner_;
};

// microsocks on a free loopback port, with a user and password when given; it is
// killed with this object.
class Microsocks {
  public:
    ~Microsocks() { stop(); }

    // Starts it and waits until it takes connections.
    ::testing::AssertionResult start(const QString& user = {}, const QString& password = {}) {
        const QString program = QStandardPaths::findExecutable("microsocks");
        if (program.isEmpty())
            return ::testing::AssertionFailure()
                   << "microsocks is not installed: scripts/setup.sh installs it (Debian "
                      "package microsocks); the proxy tests need a real SOCKS5 proxy";
        port_ = freeLoopbackPort();
        QStringList args{"-i", "127.0.0.1", "-p", QString::number(port_)};
        if (!user.isEmpty()) args << "-u" << user << "-P" << password;
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(program, args);
        if (!process_.waitForStarted(5000))
            return ::testing::AssertionFailure() << "microsocks did not start";
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 5000) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port_);
            if (probe.waitForConnected(200)) return ::testing::AssertionSuccess();
            if (process_.state() != QProcess::Running)
                return ::testing::AssertionFailure()
                       << "microsocks ended: " << process_.readAll().toStdString();
            QEventLoop pause;
            QTimer::singleShot(50, &pause, &QEventLoop::quit);
            pause.exec();
        }
        return ::testing::AssertionFailure()
               << "microsocks does not take connections on port " << port_;
    }

    void stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.kill();
        process_.waitForFinished(5000);
    }

    quint16 port() const { return port_; }

  private:
    QProcess process_;
    quint16 port_ = 0;
};

}  // namespace proxytest
