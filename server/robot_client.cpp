#include "server/robot_client.h"

#include <algorithm>
#include <chrono>

#include "rules/validation.h"
#include "server/round_play.h"
#include "wire/departure.h"
#include "wire/play.h"
#include "wire/round_start.h"
#include "wire/seating.h"
#include "wire/tribute.h"

namespace server {
namespace {

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

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
        wire::Login login;
        login.userName = account_;
        login.loginKey = "key";
        login.reconnect = again;
        login.token = again ? token_ : 0;
        queue_.push_back(login.encode());
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

void RobotClient::send(wire::GamePacket p) {
    if (closed_) return;
    p[wire::kTokenByte] = std::uint8_t(token_ >> 8);
    p[wire::kTokenByte + 1] = std::uint8_t(token_ & 0xFF);
    if (seat_ >= 0) p[wire::kSeatByte] = wire::seatBit(seat_);
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
    asio::async_write(socket_, asio::buffer(batch_.data(), batch_.size() * wire::kPacketSize),
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
            while (pending_.size() - at >= wire::kPacketSize && !closed_) {
                wire::GamePacket p;
                std::copy_n(pending_.begin() + at, wire::kPacketSize, p.begin());
                at += wire::kPacketSize;
                if (wire::commandOf(p) != wire::Command::kResume)
                    token_ = std::uint16_t(p[wire::kTokenByte] << 8 | p[wire::kTokenByte + 1]);
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

// The robot's own seat bit in its answers is stamped by send().
void RobotClient::handle(const wire::GamePacket& p) {
    using wire::Command;
    switch (wire::commandOf(p)) {
        case Command::kLogin:
            if (wire::LoginResult::decode(p).result != wire::LoginOutcome::kAccepted) close();
            return;
        case Command::kResume:
            if (!wire::ResumeResult::decode(p).resumed) close();
            return;
        case Command::kSeat:
            if (seat_ < 0) {
                seat_ = wire::seatOfBit(wire::Seat::decode(p).ownSeat);
                if (autoPlay)
                    send(wire::LeaveOrContinue{0, wire::GameOverCase::kContinue}.encode());
            }
            return;
        case Command::kDeal: {
            const wire::Deal d = wire::Deal::decode(p);
            hand_.assign(d.cards.begin(), d.cards.end());
            sortHand(hand_);
            counts_.fill(36);
            tableClass_ = rules::PlayClass::kNone;
            tableCards_.clear();
            tableOwner_ = -1;
            results_ = 0;
            return;
        }
        case Command::kDeclaration: {
            const wire::Declaration d = wire::Declaration::decode(p);
            if (autoPlay && d.stage == wire::DeclarationStage::kPrompt &&
                (d.kind == wire::DeclareKind::kPreDeclare ||
                 d.offered.offers(wire::seatBit(seat_))))
                send(wire::DeclarationAnswer{0, wire::DeclareKind::kDecline}.encode());  // 过
            return;
        }
        case Command::kWork:
            if (autoPlay && wire::Work::decode(p).stage == wire::WorkStage::kPrompt)
                send(wire::WorkAnswer{0, 0, 0}.encode());  // decline: count 0
            return;
        case Command::kRevolution: {
            if (!autoPlay) return;
            const wire::Revolution r = wire::Revolution::decode(p);
            if (r.stage == wire::RevolutionStage::kRevolutionPrompt &&
                r.offered.offers(wire::seatBit(seat_)))
                send(wire::RevolutionAnswer{0, wire::RevolutionChoice::kDecline}.encode());
            else if (r.stage == wire::RevolutionStage::kHeadPrompt &&
                     r.actor == wire::seatBit(seat_))
                send(wire::RevolutionAnswer{0, wire::RevolutionChoice::kNoHead}.encode());
            return;
        }
        case Command::kTribute:
            onTribute(wire::Tribute::decode(p));
            return;
        case Command::kPlayedHand:
            onPlayed(wire::PlayedHand::decode(p));
            return;
        case Command::kResult:
            if (++results_ == 3) {
                ++rounds_;
                results_ = 0;
                const auto which = rounds_ < roundsWanted ? wire::GameOverCase::kContinue
                                                          : wire::GameOverCase::kLeave;
                if (autoPlay) send(wire::LeaveOrContinue{0, which}.encode());
                if (autoPlay && rounds_ >= roundsWanted) ended_ = true;
            }
            return;
        case Command::kGameOver: {
            const wire::GameOver g = wire::GameOver::decode(p);
            if (g.which == wire::GameOverCase::kContinue && g.seats >= wire::GameOver::kAllContinue)
                return;
            if (g.which != wire::GameOverCase::kLeave && g.which != wire::GameOverCase::kNothing)
                ended_ = true;
            return;
        }
        case Command::kTableClosed:
            ended_ = true;
            // The leave routine answers a closed table.
            send(wire::LeaveOrContinue{0, wire::GameOverCase::kLeave}.encode());
            return;
        default:
            return;
    }
}

void RobotClient::onTribute(const wire::Tribute& t) {
    const int receiver = wire::seatOfBit(t.receiver);
    const int n = t.count;
    if (t.stage == wire::TributeStage::kOffer && receiver == seat_ && autoPlay) {
        const auto choice =
            bot_->acceptsTribute() ? wire::TributeChoice::kAccept : wire::TributeChoice::kDecline;
        send(wire::TributeAnswer{0, choice, 0, {}}.encode());
    } else if (t.stage == wire::TributeStage::kMade) {
        if (receiver == seat_) {
            hand_.insert(hand_.end(), t.cards.begin(), t.cards.begin() + n);
            sortHand(hand_);
            if (t.kind == wire::kTributeKindWithReturn && autoPlay) {
                Cards back = bot_->chooseReturn(hand_, std::min(n, 2), t.noReturnRanks);
                wire::TributeAnswer a{0, wire::TributeChoice::kReturn, 0, {}};
                a.count = std::uint8_t(std::min<std::size_t>(back.size(), wire::kMaxReturnCards));
                for (std::size_t k = 0; k < a.count; ++k)
                    a.ids[k] = std::uint8_t(rules::cardIdOf(back[k]));
                removeIds(std::span<const std::uint8_t>(a.ids.data(), a.count));
                send(a.encode());
            }
        } else if (wire::seatOfBit(t.giver) == seat_) {
            removeIds(std::span<const std::uint8_t>(t.giverIds.data(), std::size_t(n)));
        }
    } else if (t.stage == wire::TributeStage::kReturned && receiver == seat_) {
        hand_.insert(hand_.end(), t.cards.begin(), t.cards.begin() + n);
        sortHand(hand_);
    }
}

void RobotClient::onPlayed(const wire::PlayedHand& h) {
    const int actor = wire::seatOfBit(h.actor);
    const int next = wire::seatOfBit(h.next);
    const int n = h.count;
    if (playSentAt_ >= 0) {
        playLatencies.push_back(nowNs() - playSentAt_);
        playSentAt_ = -1;
    }
    if (n > 0 && actor >= 0 && actor != seat_) {
        tableCards_.assign(h.cards.begin(), h.cards.begin() + n);
        tableClass_ = rules::PlayClass(h.playClass);
        tableOwner_ = actor;
        counts_[actor] = std::max(0, counts_[actor] - n);
    }
    if (h.action == wire::PlayedAction::kRoundOver) return;
    const wire::TurnMode mode = h.mode;
    if (mode == wire::TurnMode::kLead) {
        tableClass_ = rules::PlayClass::kNone;
        tableCards_.clear();
    }
    const bool choosing = mode >= wire::TurnMode::kLead && mode <= wire::TurnMode::kTakeLead;
    if (next != seat_ || !choosing || !autoPlay) return;
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

void RobotClient::takeTurn(wire::TurnMode mode) {
    SeatView v;
    v.seat = seat_;
    v.hand = hand_;
    v.leading = mode == wire::TurnMode::kLead;
    v.tableClass = tableClass_;
    Cards codes;
    for (CardCode c : tableCards_) codes.push_back(rules::tableCodeOf(c));
    v.tableCards = codes;
    v.tableOwner = tableOwner_;
    v.cardCounts = counts_;
    v.cardCounts[seat_] = int(hand_.size());
    std::optional<Cards> choice = bot_->choosePlay(v);
    wire::Play a;
    if (!choice || choice->empty()) {
        a.action = wire::PlayAction::kPass;
    } else {
        a.action = wire::PlayAction::kPlayCards;
        a.count = std::uint8_t(std::min<std::size_t>(choice->size(), wire::kMaxPlayCards));
        Cards sel;
        for (CardCode c : *choice) sel.push_back(rules::tableCodeOf(c));
        a.playClass = std::uint8_t(rules::ClassifyPlay(sel));
        for (std::size_t i = 0; i < a.count; ++i)
            a.ids[i] = std::uint8_t(rules::cardIdOf((*choice)[i]));
        removeIds(std::span<const std::uint8_t>(a.ids.data(), a.count));
        // Our own play is the table play now, as the client sets it at once.
        tableCards_ = *choice;
        tableClass_ = rules::PlayClass(a.playClass);
        tableOwner_ = seat_;
    }
    playSentAt_ = nowNs();
    send(a.encode());
}

}  // namespace server
