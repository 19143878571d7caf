#pragma once
// Everything the client knows about the table: six player records and six player
// infos indexed by screen slot (0 = the local player, then clockwise), and the
// scalar fields of connection, game progress, prompts, chat and presentation.
#include <array>
#include <cstdint>
#include <string>

#include "rules/hand.h"
#include "rules/play.h"

namespace state {

constexpr int kSeats = 6;

struct PlayerRecordEntry {
    std::string seatId;             // account name of the player in this slot; empty = free
    std::uint8_t seatBit = 0;       // the slot's seat bit (slot 0: the own seat bit)
    int handLeft = 0, handTop = 0;  // anchor of the slot's card area
    // Slot 0: the own hand. Other slots: the card pictures the played row uses.
    // cards.count() is the card count.
    rules::Hand cards;
    int finishPlace = 0;  // 1..6 once the slot is out this round, else 0

    friend bool operator==(const PlayerRecordEntry& a, const PlayerRecordEntry& b) {
        if (a.seatId != b.seatId || a.seatBit != b.seatBit || a.handLeft != b.handLeft ||
            a.handTop != b.handTop || a.finishPlace != b.finishPlace ||
            a.cards.count() != b.cards.count())
            return false;
        for (int i = 0; i < rules::kHandCapacity; ++i)
            if (!(a.cards.entry(i) == b.cards.entry(i))) return false;
        return true;
    }
};

struct PlayerInfoEntry {
    std::string nickname;
    std::string avatarCode;
    std::uint8_t sex = 0;
    std::string location;
    double points = 0, credit = 0, gold = 0, statB = 0;
    std::string levelText;
    double statC = 0, statD = 0, statE = 0;
    std::int32_t loginCount = 0, dropCount = 0, winCount = 0, lossCount = 0;
    std::string seatKey;
    std::string title;
    std::string textB, textC;
    double userNumber = 0;

    friend bool operator==(const PlayerInfoEntry&, const PlayerInfoEntry&) = default;
};

struct DisplayScale {
    double x = 1.0, y = 1.0;
    friend bool operator==(const DisplayScale&, const DisplayScale&) = default;
};

struct TableState {
    std::array<PlayerRecordEntry, kSeats> PlayerRecord{};
    std::array<PlayerInfoEntry, kSeats> PlayerInfo{};

    // Connection and seating.
    bool LoginAccepted = false;
    bool LoginSent = false;
    bool InGame = false;
    bool SpectatorMode = false;
    int SeatedCount = 0;
    int SeatPacketsSeen = 0;
    bool GameResetDone = false;
    bool ExitConfirmed = false;
    bool ResumedGame = false;
    bool TableBroken = false;  // set by leaving and the departure notice; a seat packet clears it
    std::string AdUrl;
    int SilenceTicks = 0;

    // Game progress.
    int HandInGame = 0;
    int CardsDealt = 0;
    int RoundNumber = 0, RoundInGame = 0, GamesPlayed = 0;
    int ResultPacketsSeen = 0;
    std::int32_t RoundStake = 0;
    std::array<double, kSeats> GameScore{};
    // Set with InGame by the first prompt of a game (the pre-declaration); cleared
    // only by the disconnect reset.
    bool GameBegun = false;
    bool GameDecided = false;  // the current game is decided; cleared by the display reset
    bool FreeToLeave = false;
    std::array<int, 2> RevolutionSlots{-1, -1};
    int BestSameSuitCount = 0;

    // Decision prompts and countdown.
    bool DeclarePending = false, RevealPending = false, RevolutionPending = false,
         HeadPending = false, WorkPending = false;
    bool PromptActive = false;
    bool PlayToken = false;
    bool MyTurn = false;
    int CountdownSeconds = 0;
    int TurnSeconds = 10;
    int TimeoutLimit = 0;
    int TimeoutCount = 0;
    bool AutoPlay = false;
    bool Away = false;

    // Chat.
    bool ChatSendAllowed = true;
    bool PrivateChatArmed = false;
    std::uint8_t PrivateChatTarget = 0;
    std::string PrivateChatPrefix;

    // Presentation and sound.
    DisplayScale Scale;
    int HandTop = 0;
    bool SoundOn = true;
    std::string SoundPath;  // the last sound effect asked for

    // Hand and play.
    bool GroupSelect = false;     // a click selects every card of the clicked rank
    bool OnlyThreesLeft = false;  // every card left in the own hand is a 3
    bool RevealsCleared = false;
    rules::TablePlay TablePlay;

    friend bool operator==(const TableState&, const TableState&) = default;
};

// The hand reset: every slot's card list emptied (its first nine entries to code 0
// and no picture), the round result's per-game count cleared, SeatPacketsSeen to 0,
// InGame cleared.
void handReset(TableState& state);

// Empties a player's profile from the nickname through the loss count (texts empty,
// numbers and sex 0); the seat key, title, the texts after it and the user number
// keep their values.
void clearProfile(PlayerInfoEntry& info);

// The seat bit of a seat byte: the upper two bits carry nothing.
constexpr std::uint8_t seatBitOf(std::uint8_t seatByte) { return seatByte & 0x3F; }
// The seat index of a seat bit: the position of its highest set bit after the
// upper two bits are masked off (0 and 1 both give 0).
int seatIndex(std::uint8_t seatBit);
// The screen slot of a seat bit as seen from the own seat bit.
int screenSlot(std::uint8_t seatBit, std::uint8_t ownSeatBit);

}  // namespace state
