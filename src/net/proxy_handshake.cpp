#include "net/proxy_handshake.h"

#include <optional>

#include "net/proxy_requests.h"

namespace net {

namespace {

constexpr const char* kMethodsRefused = "请求代理失败！";
constexpr const char* kAuthenticationRefused = "代理服务器用户验证失败！";
constexpr const char* kTunnelRefused = "通过代理连接主站失败！";
// The proxy neither accepted the connection in time nor could be connected to.
constexpr const char* kProxyUnreachable = "连接代理服务器失败！";

// The message of a refused step, by the step whose reply was awaited.
const char* refusalText(int step) {
    switch (step) {
        case kGreetingSent:
            return kMethodsRefused;
        case kAuthenticationSent:
            return kAuthenticationRefused;
        case kConnectSent:
            return kTunnelRefused;
        default:
            return nullptr;
    }
}

}  // namespace

ProxyHandshake::ProxyHandshake(platform::TcpSocket& socket, platform::Shell& shell,
                               platform::EventLoop& loop, Hooks hooks)
    : socket_(socket), shell_(shell), loop_(loop), hooks_(std::move(hooks)) {}

void ProxyHandshake::start(const ProxySettings& settings) {
    const std::uint64_t attempt = ++attempt_;
    settings_ = settings;
    phase_ = true;
    step_ = kProxyNoReply;
    buffer_.resetIndices();
    socket_.setRemote(settings.proxyHost, static_cast<std::uint16_t>(settings.proxyPort));
    socket_.connect();
    if (!waitForProxy(attempt)) return;
    sendRequest(kGreetingToSend);
    if (hooks_.proxyConnected) hooks_.proxyConnected();
}

// Waits while other events run: timers, socket events and the hall's messages go
// on meanwhile, and any of them may leave or restart the handshake.
bool ProxyHandshake::waitForProxy(std::uint64_t attempt) {
    const std::int64_t deadline = loop_.nowMs() + kConnectTimeoutMs;
    for (;;) {
        if (attempt != attempt_) return false;
        const int state = socket_.state();
        if (state == platform::kSockConnected) return true;
        if (state != platform::kSockConnecting || loop_.nowMs() >= deadline) break;
        loop_.wait(kConnectPollMs);
    }
    refuse(kProxyUnreachable);
    return false;
}

void ProxyHandshake::onBytes(const platform::Bytes& bytes) {
    if (!phase_) return;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!buffer_.put(bytes[i])) {
            if (hooks_.restoreHall) hooks_.restoreHall();
            shell_.end(0);
        }
        if (replyComplete()) {
            judge(std::span(bytes).subspan(i + 1));
            return;
        }
    }
}

void ProxyHandshake::onPeerClosed() {
    if (!phase_) return;
    if (const char* text = refusalText(step_)) refuse(text);
}

void ProxyHandshake::leave() {
    ++attempt_;
    phase_ = false;
}

bool ProxyHandshake::replyComplete() const {
    std::size_t length = 0;
    switch (step_) {
        case kGreetingSent:
        case kAuthenticationSent:
            length = socks::kShortReplyLength;
            break;
        case kConnectSent:
            length = socks::connectReplyLength(buffer_);
            break;
        default:
            return false;
    }
    return length != 0 && buffer_.pending() >= length;
}

// Each reply is judged by its first two bytes: the version and the status.
void ProxyHandshake::judge(std::span<const std::uint8_t> following) {
    const std::uint8_t version = buffer_.at(0);
    const std::uint8_t status = buffer_.at(1);
    switch (step_) {
        case kGreetingSent:
            // The proxy picks one of the two methods offered: 0 needs no
            // authentication, 2 wants the user name and password.
            if (version == 5 && (status == 0 || status == 2))
                sendRequest(status == 2 ? kAuthenticationToSend : kConnectToSend);
            else
                refuse(kMethodsRefused);
            break;
        case kAuthenticationSent:
            if (version == 1 && status == 0)
                sendRequest(kConnectToSend);
            else
                refuse(kAuthenticationRefused);
            break;
        case kConnectSent:
            if (version == 5 && status == 0)
                openTunnel(following);
            else
                refuse(kTunnelRefused);
            break;
        default:
            break;
    }
}

// Every request starts a new reply at position 0 and is written whole at once.
void ProxyHandshake::sendRequest(ProxyStepNumber step) {
    step_ = step;
    std::optional<platform::Bytes> request;
    switch (step) {
        case kGreetingToSend:
            request = socks::greeting();
            break;
        case kAuthenticationToSend:
            request = socks::authenticationRequest(settings_.proxyUser, settings_.proxyPassword);
            break;
        case kConnectToSend:
            request = socks::connectRequest(settings_.serverHost, settings_.serverPort);
            break;
        default:
            return;
    }
    if (!request) {
        // A game server address that no connect request can carry.
        refuse(kTunnelRefused);
        return;
    }
    buffer_.resetIndices();
    step_ = step + 1;
    socket_.send(*request);
}

void ProxyHandshake::openTunnel(std::span<const std::uint8_t> following) {
    phase_ = false;
    if (hooks_.tunnelOpened)
        hooks_.tunnelOpened(platform::Bytes(following.begin(), following.end()));
}

// The message box first, then the socket closed; nothing more is judged meanwhile.
void ProxyHandshake::refuse(const char* text) {
    const std::uint64_t attempt = attempt_;
    step_ = kProxyNoReply;
    shell_.messageBox(text, "", platform::MB_OK);
    // A connection started while the box was open is not this one's to close.
    if (attempt == attempt_) socket_.close();
}

}  // namespace net
