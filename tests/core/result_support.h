#pragma once
// A seated client with six named players and a program folder of its own, and
// the round-result packets the server sends: two result records each.
#include <filesystem>
#include <vector>

#include "client_fixture.h"
#include "wire/result.h"

struct ResultRecord {
    int slot = 0;  // the own seat is seat 0, so a slot's seat bit is 1 << slot
    int place = 1;
    int outcome = 1;  // 1 won, 2 lost, 0 drawn
    std::uint64_t first = 0, second = 0;
    int stuffyPays = 0, stuffyTo = 0;  // slot that receives the stuffy tribute
    int burnGets = 0, burnFrom = 0;
    int pointCards = 0;
    int fallCards = 0, fallFrom = 0;
    std::vector<std::uint8_t> cards;  // one byte a card: rank code | suit bit << 4
    int level = 0;
    int sweep = 0;
};

struct SeatedTable : ClientFixture {
    std::filesystem::path folder;

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 (std::string("dravik-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        fp.shell.folder = folder.string();
        startConnected();
        client->state.LoginAccepted = true;
        for (int s = 0; s < 6; ++s) {
            client->state.PlayerRecord[static_cast<std::size_t>(s)].seatBit =
                static_cast<std::uint8_t>(1 << s);
            client->state.PlayerInfo[static_cast<std::size_t>(s)].nickname =
                "p" + std::to_string(s);
        }
        fp.socket.takeSent();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    static wire::ResultRecord record(const ResultRecord& r) {
        auto bitOf = [](int slot) { return static_cast<std::uint8_t>(1 << slot); };
        wire::ResultRecord w;
        w.seat = bitOf(r.slot);
        w.place = static_cast<std::uint8_t>(r.place);
        w.outcome = static_cast<wire::Outcome>(r.outcome);
        w.firstAmount = r.first;
        w.secondAmount = r.second;
        w.stuffyPays = static_cast<std::uint8_t>(r.stuffyPays);
        w.stuffyReceiver = r.stuffyPays ? bitOf(r.stuffyTo) : 0;
        w.burnReceives = static_cast<std::uint8_t>(r.burnGets);
        w.burnPayer = r.burnGets ? bitOf(r.burnFrom) : 0;
        w.pointCards = static_cast<std::uint8_t>(r.pointCards);
        w.fallCards = static_cast<std::uint8_t>(r.fallCards);
        w.fallPayer = r.fallCards ? bitOf(r.fallFrom) : 0;
        w.cardCount = static_cast<std::uint8_t>(std::min(r.cards.size(), w.cards.size()));
        std::copy_n(r.cards.begin(), w.cardCount, w.cards.begin());
        w.level = static_cast<std::uint8_t>(r.level);
        w.sweep = static_cast<std::uint8_t>(r.sweep);
        return w;
    }
    // One result packet: the first record in columns 16..115 at bytes 16..115, the
    // second in the same columns 100 bytes further on.
    static wire::GamePacket resultPacket(const ResultRecord& a, const ResultRecord& b,
                                         int currency = 1, std::uint32_t stake = 500) {
        wire::RoundResult w;
        w.stake = stake;
        w.currency = static_cast<std::uint8_t>(currency);
        w.records = {record(a), record(b)};
        wire::GamePacket p = w.encode();
        // A record with more cards than its row holds keeps its count, as a hostile
        // server would send it.
        const ResultRecord* both[2] = {&a, &b};
        for (std::size_t i = 0; i < 2; ++i)
            if (both[i]->cards.size() > wire::kMaxRevealedCards)
                p[i * wire::RoundResult::kSecondRecordShift + wire::ResultRecord::kCardCountCol] =
                    static_cast<std::uint8_t>(both[i]->cards.size());
        return p;
    }
    // Six records, slot s at place s + 1: slots 0, 2, 4 (the own side) win 20
    // with a first amount of 30 unless the records say otherwise.
    static std::vector<ResultRecord> plainRound() {
        std::vector<ResultRecord> r(6);
        for (int s = 0; s < 6; ++s) {
            r[static_cast<std::size_t>(s)].slot = s;
            r[static_cast<std::size_t>(s)].place = s + 1;
            r[static_cast<std::size_t>(s)].outcome = s % 2 == 0 ? 1 : 2;
            r[static_cast<std::size_t>(s)].first = 30;
            r[static_cast<std::size_t>(s)].second = 20;
        }
        return r;
    }
    void playResult(const std::vector<ResultRecord>& r, int currency = 1,
                    std::uint32_t stake = 500) {
        for (int i = 0; i < 3; ++i)
            client->roundResult.HandleResult(wire::RoundResult::decode(
                resultPacket(r[static_cast<std::size_t>(2 * i)],
                             r[static_cast<std::size_t>(2 * i + 1)], currency, stake)));
    }
    ui::Form& score() { return fp.windows.form("Score"); }
    ui::Form& hero() { return fp.windows.form("Hero"); }
    std::vector<std::string>& lines(int list) { return score().at("State", list).items; }
    std::vector<wire::GamePacket> sentPackets() { return takeSentPackets(); }
    // The resource picture a control shows (kept in its tag until the picture set
    // is on the client).
    // The resource id of the picture a control shows (-1 for none).
    static int shownId(const ui::Control& c) {
        if (!c.picture || c.picture->key.rfind("res:", 0) != 0) return -1;
        return std::stoi(c.picture->key.substr(4));
    }
};
