#pragma once
// A seated client with six named players and a program folder of its own, and
// the round-result packets the server sends: two result records each.
#include <filesystem>
#include <vector>

#include "client_fixture.h"

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

    static void put(wire::GamePacket& p, std::size_t base, const ResultRecord& r) {
        auto at = [&](std::size_t col) -> std::uint8_t& { return p[base + col]; };
        at(16) = static_cast<std::uint8_t>(1 << r.slot);
        at(17) = static_cast<std::uint8_t>(r.place);
        at(18) = static_cast<std::uint8_t>(r.outcome);
        for (int b = 0; b < 8; ++b) {
            at(19 + static_cast<std::size_t>(b)) = static_cast<std::uint8_t>(r.first >> (8 * b));
            at(27 + static_cast<std::size_t>(b)) = static_cast<std::uint8_t>(r.second >> (8 * b));
        }
        at(35) = static_cast<std::uint8_t>(r.stuffyPays);
        at(36) = static_cast<std::uint8_t>(r.stuffyPays ? 1 << r.stuffyTo : 0);
        at(37) = static_cast<std::uint8_t>(r.burnGets);
        at(38) = static_cast<std::uint8_t>(r.burnGets ? 1 << r.burnFrom : 0);
        at(39) = static_cast<std::uint8_t>(r.pointCards);
        at(40) = static_cast<std::uint8_t>(r.fallCards);
        at(41) = static_cast<std::uint8_t>(r.fallCards ? 1 << r.fallFrom : 0);
        at(42) = static_cast<std::uint8_t>(r.cards.size());
        for (std::size_t k = 0; k < r.cards.size(); ++k) at(43 + k) = r.cards[k];
        at(97) = static_cast<std::uint8_t>(r.level);
        at(98) = static_cast<std::uint8_t>(r.sweep);
    }
    // One result packet: the first record in columns 16..115 at bytes 16..115, the
    // second in the same columns 100 bytes further on.
    static wire::GamePacket resultPacket(const ResultRecord& a, const ResultRecord& b,
                                        int currency = 1, std::uint32_t stake = 500) {
        wire::GamePacket p = wire::makePacket(9);
        p[8] = static_cast<std::uint8_t>(stake >> 24);
        p[9] = static_cast<std::uint8_t>(stake >> 16);
        p[10] = static_cast<std::uint8_t>(stake >> 8);
        p[11] = static_cast<std::uint8_t>(stake);
        p[15] = static_cast<std::uint8_t>(currency);
        put(p, 0, a);
        // The second record's columns 16..99 sit at bytes 116..199; its columns
        // must not reach into the first record's bytes.
        put(p, 100, b);
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
            client->HandleResult(resultPacket(r[static_cast<std::size_t>(2 * i)],
                                              r[static_cast<std::size_t>(2 * i + 1)], currency,
                                              stake));
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
