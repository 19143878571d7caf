#include "server/robot_client.h"

#include <algorithm>
#include <chrono>

#include "rules/validation.h"
#include "server/round_play.h"

namespace server {
namespace {

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

CardCode cardAt(const Packet& p, std::size_t at) { return CardCode(getU32LE(p, at)); }

}  // namespace

RobotClient::RobotClient(asio::io_context& io, std::string account, std::uint64_t seed)
    : socket_(io), account_(std::move(account)), bot_(makeBot(seed)), io_(io), thinkRng_(seed) {}

void RobotClient::connect(const asio::ip::tcp::endpoint& server) {
    server_ = server;
    login(false);
}

void RobotClient::login(bool again) {
    auto self = shared_from_this();
    int gen = generation_;
    socket_.async_connect(server_, [this, self, again, gen](const asio::error_code& ec) {
        if (gen != generation_) return;
        if (ec) {
            closed_ = true;
            return;
        }
        asio::error_code ignore;
        socket_.set_option(asio::ip::tcp::no_delay(true), ignore);
        // The login goes straight out, without a token; after a lost link it carries
        // the reconnect mark and the token at 261..262.
        Packet login = makePacket(CmdLogin);
        putBytes(login, 16, account_, 16);
        putBytes(login, 32, "key", 16);
        if (again) {
            login[4] = 28;
            login[261] = std::uint8_t(token_ >> 8);
            login[262] = std::uint8_t(token_ & 0xFF);
        }
        queue_.push_back(login);
        write();
        read();
    });
}

void RobotClient::lost() {
    if (reconnectOnLoss && !ended_ && !closed_ && seat_ >= 0) {
        ++reconnects_;
        ++generation_;
        asio::error_code ec;
        socket_.close(ec);
        socket_ = asio::ip::tcp::socket(io_);
        pending_.clear();
        queue_.clear();
        writing_ = false;
        login(true);
        return;
    }
    close();
}

void RobotClient::sendRaw(const std::vector<std::uint8_t>& bytes) {
    if (closed_) return;
    auto self = shared_from_this();
    auto buf = std::make_shared<std::vector<std::uint8_t>>(bytes);
    asio::async_write(socket_, asio::buffer(*buf),
                      [self, buf](const asio::error_code&, std::size_t) {});
}

void RobotClient::send(Packet p) {
    if (closed_) return;
    p[kTokenByte] = std::uint8_t(token_ >> 8);
    p[kTokenByte + 1] = std::uint8_t(token_ & 0xFF);
    if (seat_ >= 0) p[kSeatByte] = seatBit(seat_);
    queue_.push_back(p);
    if (!writing_) write();
}

void RobotClient::write() {
    if (queue_.empty() || closed_) return;
    writing_ = true;
    batch_.assign(queue_.begin(), queue_.end());
    queue_.clear();
    auto self = shared_from_this();
    int gen = generation_;
    asio::async_write(socket_, asio::buffer(batch_.data(), batch_.size() * kPacketSize),
                      [this, self, gen](const asio::error_code& ec, std::size_t) {
                          if (gen != generation_) return;
                          writing_ = false;
                          if (ec) {
                              close();
                              return;
                          }
                          write();
                      });
}

void RobotClient::close() {
    if (closed_) return;
    closed_ = true;
    asio::error_code ec;
    socket_.close(ec);
}

void RobotClient::read() {
    auto self = shared_from_this();
    int gen = generation_;
    socket_.async_read_some(
        asio::buffer(buffer_), [this, self, gen](const asio::error_code& ec, std::size_t n) {
            if (gen != generation_) return;
            if (ec) {
                lost();
                return;
            }
            pending_.insert(pending_.end(), buffer_.begin(), buffer_.begin() + n);
            std::size_t at = 0;
            while (pending_.size() - at >= kPacketSize && !closed_) {
                Packet p;
                std::copy_n(pending_.begin() + at, kPacketSize, p.begin());
                at += kPacketSize;
                if (command(p) != CmdResume)
                    token_ = std::uint16_t(p[kTokenByte] << 8 | p[kTokenByte + 1]);
                if (onPacket) onPacket(p);
                handle(p);
            }
            pending_.erase(pending_.begin(), pending_.begin() + at);
            if (!closed_) read();
        });
}

void RobotClient::removeIds(std::span<const std::uint8_t> ids) {
    for (std::uint8_t id : ids) {
        auto it = std::find_if(hand_.begin(), hand_.end(),
                               [&](CardCode c) { return rules::cardIdOf(c) == id; });
        if (it != hand_.end()) hand_.erase(it);
    }
}

void RobotClient::handle(const Packet& p) {
    switch (command(p)) {
        case CmdLogin:
            if (p[15] != 1) close();
            return;
        case CmdResume:
            if (p[15] != 1) close();
            return;
        case CmdSeat:
            if (seat_ < 0) {
                seat_ = seatOfBit(p[kSeatByte]);
                if (autoPlay) {
                    Packet ready = makePacket(CmdGameOver);
                    ready[15] = 1;
                    send(ready);
                }
            }
            return;
        case CmdDeal:
            hand_.clear();
            for (int i = 0; i < 36; ++i) hand_.push_back(cardAt(p, 16 + 4 * i));
            sortHand(hand_);
            counts_.fill(36);
            tableClass_ = rules::PlayClass::None;
            tableCards_.clear();
            tableOwner_ = -1;
            results_ = 0;
            return;
        case CmdDeclare:
            if (autoPlay && p[11] == 0 &&
                (p[8] == 1 ||
                 std::find(p.begin() + 16, p.begin() + 22, seatBit(seat_)) != p.begin() + 22)) {
                Packet a = makePacket(CmdDeclare);  // 过
                send(a);
            }
            return;
        case CmdWork:
            if (autoPlay && p[15] == 1) send(makePacket(CmdWork));  // decline: byte 12 = 0
            return;
        case CmdRevolution:
            if (!autoPlay) return;
            if (p[15] == 1 &&
                std::find(p.begin() + 16, p.begin() + 22, seatBit(seat_)) != p.begin() + 22) {
                Packet a = makePacket(CmdRevolution);
                a[8] = 1;  // no revolution
                send(a);
            } else if (p[15] == 2 && p[kSeatByte] == seatBit(seat_)) {
                Packet a = makePacket(CmdRevolution);
                a[8] = 3;  // no head
                send(a);
            }
            return;
        case CmdTribute:
            onTribute(p);
            return;
        case CmdPlayed:
            onPlayed(p);
            return;
        case CmdResult:
            if (++results_ == 3) {
                ++rounds_;
                results_ = 0;
                Packet c = makePacket(CmdGameOver);
                c[15] = rounds_ < roundsWanted ? 1 : 0;
                if (autoPlay) send(c);
                if (autoPlay && rounds_ >= roundsWanted) ended_ = true;
            }
            return;
        case CmdGameOver:
            if (p[15] == 1 && p[kSeatByte] >= 0x7F) return;
            if (p[15] != 0 && p[15] != 2) ended_ = true;
            return;
        case CmdTableClosed: {
            ended_ = true;
            Packet leave = makePacket(CmdGameOver);  // the leave routine answers a closed table
            send(leave);
            return;
        }
        default:
            return;
    }
}

void RobotClient::onTribute(const Packet& p) {
    int sub = p[11];
    int receiver = seatOfBit(p[kSeatByte]);
    if (sub == 1 && receiver == seat_ && autoPlay) {
        Packet a = makePacket(CmdTribute);
        a[8] = bot_->acceptsTribute() ? 1 : 2;
        send(a);
    } else if (sub == 2) {
        int n = std::min<int>(p[16], 12);
        if (receiver == seat_) {
            for (int k = 0; k < n; ++k) hand_.push_back(cardAt(p, 17 + 4 * k));
            sortHand(hand_);
            if (p[8] == 4 && autoPlay) {
                Cards back = bot_->chooseReturn(hand_, std::min(n, 2),
                                                std::span<const std::uint8_t>(p.data() + 76, 12));
                Packet a = makePacket(CmdTribute);
                a[8] = 0;
                a[16] = std::uint8_t(back.size());
                std::vector<std::uint8_t> ids;
                for (std::size_t k = 0; k < back.size(); ++k) {
                    a[17 + k] = std::uint8_t(rules::cardIdOf(back[k]));
                    ids.push_back(a[17 + k]);
                }
                removeIds(ids);
                send(a);
            }
        } else if (seatOfBit(p[12]) == seat_) {
            removeIds(std::span<const std::uint8_t>(p.data() + 96, std::size_t(n)));
        }
    } else if (sub == 3 && receiver == seat_) {
        int n = std::min<int>(p[16], 12);
        for (int k = 0; k < n; ++k) hand_.push_back(cardAt(p, 17 + 4 * k));
        sortHand(hand_);
    }
}

void RobotClient::onPlayed(const Packet& p) {
    int actor = seatOfBit(p[kSeatByte]);
    int next = seatOfBit(p[8]);
    int mode = p[11];
    int action = p[15];
    int n = std::min<int>(p[17], rules::kMaxPlayCards);
    if (playSentAt_ >= 0) {
        playLatencies.push_back(nowNs() - playSentAt_);
        playSentAt_ = -1;
    }
    if (n > 0 && actor >= 0 && actor != seat_) {
        tableCards_.clear();
        for (int i = 0; i < n; ++i) tableCards_.push_back(cardAt(p, 20 + 4 * i));
        tableClass_ = rules::PlayClass(p[18]);
        tableOwner_ = actor;
        counts_[actor] = std::max(0, counts_[actor] - n);
    }
    if (action == ActRoundOver) return;
    if (mode == ModeLead) {
        tableClass_ = rules::PlayClass::None;
        tableCards_.clear();
    }
    if (next != seat_ || mode < ModeLead || mode > 5 || !autoPlay) return;
    if (thinkMs <= 0) {
        takeTurn(mode);
        return;
    }
    if (!think_) think_ = std::make_unique<asio::steady_timer>(io_);
    // Half to one and a half times the think time, so tables do not move in step.
    thinkRng_ = thinkRng_ * 6364136223846793005ull + 1442695040888963407ull;
    int ms = thinkMs / 2 + int((thinkRng_ >> 33) % std::uint64_t(thinkMs + 1));
    think_->expires_after(std::chrono::milliseconds(ms));
    auto self = shared_from_this();
    think_->async_wait([this, self, mode](const asio::error_code& ec) {
        if (!ec && !closed_) takeTurn(mode);
    });
}

void RobotClient::takeTurn(int mode) {
    SeatView v;
    v.seat = seat_;
    v.hand = hand_;
    v.leading = mode == ModeLead;
    v.tableClass = tableClass_;
    Cards codes;
    for (CardCode c : tableCards_) codes.push_back(rules::tableCodeOf(c));
    v.tableCards = codes;
    v.tableOwner = tableOwner_;
    v.cardCounts = counts_;
    v.cardCounts[seat_] = int(hand_.size());
    std::optional<Cards> choice = bot_->choosePlay(v);
    Packet a = makePacket(CmdPlay);
    if (!choice || choice->empty()) {
        a[15] = 1;  // pass
    } else {
        a[15] = 2;
        a[17] = std::uint8_t(choice->size());
        Cards sel;
        for (CardCode c : *choice) sel.push_back(rules::tableCodeOf(c));
        a[18] = std::uint8_t(rules::ClassifyPlay(sel));
        std::vector<std::uint8_t> ids;
        for (std::size_t i = 0; i < choice->size(); ++i)
            ids.push_back(std::uint8_t(rules::cardIdOf((*choice)[i])));
        for (std::size_t i = 0; i < ids.size(); ++i) a[20 + i] = ids[i];
        removeIds(ids);
        // Our own play is the table play now, as the client sets it at once.
        tableCards_ = *choice;
        tableClass_ = rules::PlayClass(a[18]);
        tableOwner_ = seat_;
    }
    playSentAt_ = nowNs();
    send(a);
}

}  // namespace server
