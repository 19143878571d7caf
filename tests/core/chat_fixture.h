#pragma once
// A seated table for the chat: six named players (slot s holds seat s, the own
// seat is seat 0), the chat input, the chat packets the socket writes, and the
// chat packets the server sends.
#include <filesystem>
#include <fstream>

#include "result_support.h"
#include "wire/chat.h"
#include "wire/gbk.h"

struct ChatTable : SeatedTable {
    ui::Control& input() { return client->MainForm.at("Chat"); }
    ui::Control& history() { return fp.windows.form("Talk").at("Text1"); }
    ui::Form& huifu() { return fp.windows.form("huifu"); }
    std::string sysmsg(int line) {
        auto& items = client->MainForm.at("Sysmsg", line).items;
        return items.empty() ? std::string() : items[0];
    }
    // Types the text and presses Enter in the chat input.
    void enter(const std::string& text) {
        input().caption = text;
        ui::Event e;
        e.kind = ui::EventKind::kKeyPress;
        e.keyAscii = ui::VK_RETURN;
        client->MainForm.fire(&input(), e);
    }
    void avatar(int slot) {
        client->MainForm.fire(&client->MainForm.at("Tou", slot), ui::EventKind::kClick);
    }
    // The chat packets written to the socket in the next ticks.
    std::vector<wire::Chat> flushChat() {
        EXPECT_TRUE(advance(150));
        std::vector<wire::Chat> out;
        for (const auto& p : sentPackets())
            if (p[3] == 19) out.push_back(wire::Chat::decode(p));
        return out;
    }
    static std::uint8_t bit(int slot) { return static_cast<std::uint8_t>(1 << slot); }
    static wire::GamePacket line(int from, const std::string& text, int to = -1) {
        wire::Chat c;
        c.sender = from < 0 ? 0 : bit(from);
        c.isPrivate = to >= 0;
        c.addressee = to >= 0 ? bit(to) : 0;
        c.text = text;
        return c.encode();
    }
    static wire::GamePacket phrase(int from, int index, int list = 1, int variant = 1) {
        wire::Chat c;
        c.sender = bit(from);
        c.kind = wire::ChatKind::kVoice;
        c.phrase = {1,
                    0,
                    static_cast<std::uint8_t>(variant),
                    static_cast<std::uint8_t>(list),
                    static_cast<std::uint8_t>(index / 100),
                    static_cast<std::uint8_t>(index / 10 % 10),
                    static_cast<std::uint8_t>(index % 10)};
        return c.encode();
    }
    // A phrase file of n phrases "phrase 1".."phrase n" in the program folder.
    void writePhrases(int n) {
        std::ofstream f(folder / "chat.ini");
        f << "[chat]\r\nnum=" << n << "\r\n";
        for (int i = 1; i <= n; ++i) f << i << "=phrase " << i << "\r\n";
    }
    bool blinking() { return client->connection.slots[net::kSlotBlink].flag; }
    // The files created on the sound output since the last call.
    std::vector<std::string> soundFiles() {
        std::vector<std::string> out;
        for (auto& c : fp.sound.calls)
            if (c.op == platform::FakeSoundOutput::Op::kCreate) out.push_back(c.path);
        fp.sound.calls.clear();
        return out;
    }
    std::string voice(const std::string& digits) {
        return folder.string() + "/../common/voice/" + digits + ".wav";
    }
};
