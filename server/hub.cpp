#include "server/hub.h"

#include "server/messages.h"
#include "wire/seating.h"

namespace server {
namespace {

constexpr int kSweepMs = 1000;
constexpr int kTimeoutLimit = 3;  // countdown expiries in a row before a client goes away
constexpr std::size_t kExpiredKept = 4096;

// An account is what the login carries in bytes 16..31: printable ASCII only.
bool validAccount(std::string_view a) {
    if (a.empty() || a.size() > 16) return false;
    for (unsigned char c : a)
        if (c < 0x21 || c > 0x7E) return false;
    return true;
}

}  // namespace

Hub::Hub(platform::EventLoop& loop, const Options& options, EventLog& log)
    : loop_(loop),
      options_(options),
      log_(log),
      rng_(options.seed ^ 0x5EED5E55105ull),
      sweepTimer_(loop) {
    sweepTimer_.setInterval(kSweepMs);
    sweepTimer_.onTick = [this] { sweep(); };
    sweepTimer_.setEnabled(true);
}

Hub::~Hub() {
    // Tables first: their destruction must not call back into sessions.
    for (auto& [id, t] : tables_) t->setScript(nullptr);
    tables_.clear();
}

std::uint64_t Hub::open(Link& link) {
    auto s = std::make_unique<Session>();
    s->id = nextSession_++;
    s->link = &link;
    s->lastHeardMs = loop_.nowMs();
    s->chatBudgetAtMs = s->lastHeardMs;
    std::uint64_t id = s->id;
    sessions_.emplace(id, std::move(s));
    return id;
}

void Hub::receive(std::uint64_t id, const wire::GamePacket& p) {
    auto it = sessions_.find(id);
    if (it == sessions_.end()) return;
    Session& s = *it->second;
    s.lastHeardMs = loop_.nowMs();
    if (!s.loggedIn) {
        if (wire::commandOf(p) == wire::Command::kLogin) login(s, p);
        return;  // nothing else counts before a login
    }
    if (wire::commandOf(p) == wire::Command::kChat) {
        // A budget of five lines, one more every 400 ms: a flood is dropped here.
        double refill = double(s.lastHeardMs - s.chatBudgetAtMs) / 400.0;
        s.chatBudget = std::min(5.0, s.chatBudget + refill);
        s.chatBudgetAtMs = s.lastHeardMs;
        if (s.chatBudget < 1.0) return;
        s.chatBudget -= 1.0;
    }
    if (s.table) s.table->receive(s, p);
}

void Hub::login(Session& s, const wire::GamePacket& p) {
    const wire::Login l = wire::Login::decode(p);
    const std::string& account = l.userName;
    auto refuse = [&](int result) {
        s.send(loginResult(result, kTimeoutLimit, options_.turnSeconds));
        log_.line("login refused " + std::to_string(result) + " " +
                  (validAccount(account) ? account : "?"));
        drop(s);
    };
    if (!validAccount(account)) return refuse(3);
    if (l.reconnect) {
        const std::uint16_t token = l.token;
        for (auto& [id, t] : tables_)
            if (!t->ended() && t->holds(token, account)) {
                s.loggedIn = true;
                s.account = account;
                t->resume(s, token);
                return;
            }
        // A token this server holds no seat for (unknown, its hold ran out, or held
        // for another account: a server restarted since, say): the reconnect is
        // refused, so that the client goes back to the hall instead of keeping the
        // old table's cards at a new one. Only a plain login is a fresh login.
        s.send(resumeResult(false));
        log_.line("reconnect refused " + account);
        drop(s);
        return;
    }
    if (!accepting_) return refuse(2);
    if (forcedLoginResult && forcedLoginResult != 1) {
        refuse(forcedLoginResult);
        if (onForcedRefusal) onForcedRefusal();
        return;
    }
    for (auto& [id, other] : sessions_)
        if (other.get() != &s && other->loggedIn && other->account == account) return refuse(2);
    for (auto& [id, t] : tables_)
        for (int k = 0; k < kSeats; ++k)
            if (t->isHuman(k) && t->profile(k).account == account && !t->ended()) return refuse(2);
    s.loggedIn = true;
    s.account = account;
    s.token = newToken();
    s.send(loginResult(1, kTimeoutLimit, options_.turnSeconds));
    log_.line("login " + account);
    seat(s);
}

std::uint16_t Hub::newToken() {
    for (;;) {
        std::uint16_t t = std::uint16_t(rng_.below(65535) + 1);
        bool used = expiredTokens_.count(t) > 0;
        for (auto& [id, s] : sessions_) used = used || (s->loggedIn && s->token == t);
        for (auto& [id, tb] : tables_) used = used || tb->holdsToken(t);
        if (!used) return t;
    }
}

Table& Hub::tableWithFreeSeat() {
    for (auto& [id, t] : tables_)
        if (t->hasFreeHumanSeat()) return *t;
    int id = nextTable_++;
    ++tablesOpened_;
    TableContext ctx{loop_, options_, log_, *this};
    auto t =
        std::make_unique<Table>(id, ctx, options_.seed + std::uint64_t(id) * 0x9E3779B97F4A7C15ull);
    if (tablesOpened_ == 1 && onFirstTable) onFirstTable(*t);
    Table& ref = *t;
    tables_.emplace(id, std::move(t));
    return ref;
}

void Hub::seat(Session& s) { tableWithFreeSeat().seatHuman(s); }

void Hub::disconnected(std::uint64_t id) {
    auto it = sessions_.find(id);
    if (it == sessions_.end()) return;
    Session& s = *it->second;
    s.link = nullptr;
    if (s.table) s.table->connectionLost(s);
    sessions_.erase(id);
}

void Hub::drop(Session& s) {
    Link* l = s.link;
    s.link = nullptr;
    if (l) l->close();
    std::uint64_t id = s.id;
    if (s.table) s.table->connectionLost(s);
    // Erased from the loop, not here: a caller up the stack may still hold the session.
    loop_.post([this, id] { sessions_.erase(id); });
}

void Hub::sweep() {
    std::int64_t now = loop_.nowMs();
    std::vector<Session*> silent;
    for (auto& [id, s] : sessions_) {
        if (!s->link) continue;
        if (now - s->lastHeardMs > kSilenceLimitMs || (s->closeAtMs >= 0 && now >= s->closeAtMs))
            silent.push_back(s.get());
    }
    for (Session* s : silent) {
        log_.line("drop " + (s->account.empty() ? std::string("?") : s->account) +
                  (s->closeAtMs >= 0 ? " after table" : " silent"));
        drop(*s);
    }
}

void Hub::unseated(Session& s, bool tableEnded) {
    if (tableEnded) s.closeAtMs = loop_.nowMs() + kLingerMs;
}

void Hub::holdExpired(std::uint16_t token) {
    if (expiredTokens_.insert(token).second) expiredOrder_.push_back(token);
    while (expiredOrder_.size() > kExpiredKept) {
        expiredTokens_.erase(expiredOrder_.front());
        expiredOrder_.pop_front();
    }
}

void Hub::tableEnded(Table& t) {
    int id = t.id();
    // Destroyed from the loop: the table is still on the stack of this call.
    loop_.post([this, id] {
        tables_.erase(id);
        if (finished() && onFinished) onFinished();
    });
}

void Hub::closeTable(int id, const std::string& message) {
    std::vector<Table*> list;
    for (auto& [tid, t] : tables_)
        if ((id == 0 || tid == id) && !t->ended()) list.push_back(t.get());
    for (Table* t : list) t->close(message);
}

}  // namespace server
