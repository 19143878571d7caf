#pragma once
// The server without its transport: sessions, login and reconnect, the keep-alive
// watch, and the tables. A transport opens a session per connection and hands it whole
// packets; tests drive it with in-memory links on the virtual-time loop.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>

#include "platform/event_loop.h"
#include "server/event_log.h"
#include "server/options.h"
#include "server/session.h"
#include "server/table.h"

namespace server {

class Hub : public TableHost {
  public:
    Hub(platform::EventLoop& loop, const Options& options, EventLog& log);
    ~Hub() override;

    // Called with the first table the hub opens (a scenario scripts it, scenario.h).
    std::function<void(Table&)> onFirstTable;

    std::uint64_t open(Link& link);
    void receive(std::uint64_t session, const wire::GamePacket& p);
    // The transport lost the connection.
    void disconnected(std::uint64_t session);

    // Operator commands: close a table (by id; 0 = every table) with a message.
    void closeTable(int id, const std::string& message);
    // No new logins from now on.
    void stopAccepting() { accepting_ = false; }

    // True once --rounds was given and every table that ever opened has ended.
    bool finished() const { return options_.rounds > 0 && tablesOpened_ > 0 && tables_.empty(); }
    // Called whenever `finished()` may have become true.
    std::function<void()> onFinished;

    std::size_t sessionCount() const { return sessions_.size(); }
    const std::map<int, std::unique_ptr<Table>>& tables() const { return tables_; }

    // TableHost
    void unseated(Session& s, bool tableEnded) override;
    void holdExpired(std::uint16_t token) override;
    void tableEnded(Table& t) override;
    void disconnect(Session& s) override { drop(s); }

    // When set, decides the result of every fresh login (1 accepts); scenarios use it
    // to produce the refusals.
    int forcedLoginResult = 0;
    std::function<void()> onForcedRefusal;

    static constexpr int kSilenceLimitMs = 30000;
    static constexpr int kLingerMs = 10000;  // an ended table's clients get this long to go

  private:
    void login(Session& s, const wire::GamePacket& p);
    void seat(Session& s);
    void drop(Session& s);
    void sweep();
    std::uint16_t newToken();
    Table& tableWithFreeSeat();

    platform::EventLoop& loop_;
    const Options& options_;
    EventLog& log_;
    Rng rng_;
    std::unordered_map<std::uint64_t, std::unique_ptr<Session>> sessions_;
    std::map<int, std::unique_ptr<Table>> tables_;
    std::set<std::uint16_t> expiredTokens_;
    std::deque<std::uint16_t> expiredOrder_;
    platform::Timer sweepTimer_;
    std::uint64_t nextSession_ = 1;
    int nextTable_ = 1;
    int tablesOpened_ = 0;
    bool accepting_ = true;
};

}  // namespace server
