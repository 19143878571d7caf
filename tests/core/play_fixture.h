#pragma once
// A seated client in the play phase: seat 0 is the own seat (seat bit 1), so seat s
// is screen slot s and its seat bit is 1 << s. Builds deal and played-hand packets,
// records the sound effects and reads back what the client sent.
#include <string>
#include <utility>
#include <vector>

#include "client_fixture.h"
#include "rules/notation.h"
#include "rules/validation.h"
#include "wire/play.h"
#include "wire/round_start.h"
#include "wire/tribute.h"

struct PlayTable : ClientFixture {
    std::vector<std::string> sounds;

    void SetUp() override {
        startConnected();
        client->state.LoginAccepted = true;
        client->state.PlayerRecord[0].seatBit = 1;
        client->sound.onEffect = [this](const std::string& path) { sounds.push_back(path); };
    }

    static std::uint8_t bit(int slot) { return static_cast<std::uint8_t>(1 << slot); }

    static std::vector<rules::CardCode> cards(const std::string& notation) {
        auto parsed = rules::parseCards(notation);
        EXPECT_TRUE(parsed.ok()) << parsed.error;
        return parsed.cards;
    }

    // The deal of 36 cards, each with CardId = its deal position + 1.
    static wire::GamePacket dealPacket(const std::vector<rules::CardCode>& list) {
        wire::Deal d;
        for (std::size_t i = 0; i < d.cards.size() && i < list.size(); ++i)
            d.cards[i] = (static_cast<std::uint32_t>(list[i]) & 0x00FFFFFF) |
                         static_cast<std::uint32_t>(i + 1) << 24;
        return d.encode();
    }
    // Deals the cards (padded with 3s to 36), each with CardId = its deal position + 1.
    void dealHand(const std::string& notation) {
        std::vector<rules::CardCode> list = cards(notation);
        while (list.size() < 36) list.push_back(rules::composeCard(3, 1, 0, 0));
        client->roundStart.HandleDeal(wire::Deal::decode(dealPacket(list)));
        sounds.clear();
    }
    // Deals exactly these cards: the 3s the deal pads with are taken out again.
    void holdOnly(const std::string& notation) {
        dealHand(notation);
        rules::Hand& h = hand();
        const int keep = static_cast<int>(cards(notation).size());
        while (h.count() > keep) {
            int last = h.count() - 1;
            client->hand.cardImage(0, h.imageIndex(last)).visible = false;
            h.removeAt(last);
        }
    }

    struct Played {
        int actor = 1;
        int action = 2;
        int next = 2;
        int seconds = 10;
        int mode = 2;
        int event = 0;
        std::string cards;
        int playClass = -1;  // -1: classified from the cards
    };
    // Seat 1 burns with `cards`; seat 2 is next.
    static Played burnBy1(std::string cards = "AS AH") {
        Played burn;
        burn.action = 3;
        burn.cards = std::move(cards);
        return burn;
    }
    static wire::GamePacket played(const Played& d) {
        wire::PlayedHand h;
        h.actor = bit(d.actor);
        h.next = bit(d.next);
        h.seconds = static_cast<std::uint8_t>(d.seconds);
        h.mode = static_cast<wire::TurnMode>(d.mode);
        h.action = static_cast<wire::PlayedAction>(d.action);
        h.event = static_cast<wire::PlayEvent>(d.event);
        std::vector<rules::CardCode> list =
            d.cards.empty() ? std::vector<rules::CardCode>{} : PlayTable::cards(d.cards);
        h.count = static_cast<std::uint8_t>(list.size());
        h.playClass = static_cast<std::uint8_t>(
            d.playClass >= 0 ? d.playClass : static_cast<int>(rules::ClassifyPlay(list)));
        std::copy_n(list.begin(), std::min<std::size_t>(list.size(), h.cards.size()),
                    h.cards.begin());
        return h.encode();
    }
    bool handle(const Played& d) {
        wire::GamePacket p = played(d);
        return guarded([&] { client->playedHand.HandlePlayedHand(wire::PlayedHand::decode(p)); });
    }
    // The turn handed to the local player in a mode, after slot 5 played or passed.
    void myTurn(int mode, const std::string& onTable = "", int seconds = 10) {
        Played d;
        d.actor = 5;
        d.action = onTable.empty() ? 0 : 2;
        d.next = 0;
        d.mode = mode;
        d.seconds = seconds;
        d.cards = onTable;
        ASSERT_TRUE(handle(d));
        sounds.clear();
    }

    rules::Hand& hand() { return client->state.PlayerRecord[0].cards; }
    ui::Control& cardAt(int pos) { return client->hand.cardImage(0, hand().imageIndex(pos)); }
    ui::Control& ctl(const std::string& name, int index = -1) {
        return client->MainForm.at(name, index);
    }
    void raise(int pos) { cardAt(pos).top = client->state.HandTop - cardAt(pos).height / 5; }
    bool raised(int pos) { return cardAt(pos).top < client->state.HandTop; }
    std::vector<int> raisedPositions() {
        std::vector<int> out;
        for (int i = 0; i < hand().count(); ++i)
            if (raised(i)) out.push_back(i);
        return out;
    }
    std::string handText() { return rules::formatCards(hand().codes()); }

    bool fire(const std::string& name, int index, ui::EventKind kind) {
        return guarded([&] { client->MainForm.fire(&ctl(name, index), kind); });
    }
    bool press(int item) { return fire("Operation", item, ui::EventKind::kClick); }

    // The packets the pump has written since the last call (it writes one a tick).
    std::vector<wire::GamePacket> sentPackets() {
        EXPECT_TRUE(advance(500));
        return takeSentPackets();
    }
    int soundCount(const std::string& file) {
        int n = 0;
        for (const auto& s : sounds)
            if (s.size() >= file.size() &&
                s.compare(s.size() - file.size(), file.size(), file) == 0)
                ++n;
        return n;
    }
    // The resource id of the picture a control shows ("" for none).
    std::string tagOf(const std::string& name, int index = -1) {
        const ui::PicturePtr& p = ctl(name, index).picture;
        if (!p || p->key.rfind("res:", 0) != 0) return "";
        return p->key.substr(4);
    }
};
