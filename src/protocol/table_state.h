#pragma once
// Everything the client knows about the table: six player records and six player
// infos indexed by screen slot (0 = the local player, then clockwise), and the
// scalar fields of connection, game progress, prompts, chat and presentation.
#include <array>
#include <cstdint>
#include <string>

#include "rules/hand.h"
#include "rules/play.h"

namespace protocol {

constexpr int kSeats = 6;
struct PlayerRecordEntry {
    std::string seatId;
    std::uint8_t seatBit = 0;
    int handLeft = 0, handTop = 0;
    // The slot's cards: code and the item of the slot's card picture array showing
    // it; cards.count() is the card count.
    rules::Hand cards;
    int finishPlace = 0;
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
};

struct DisplayScale {
    double x = 1.0, y = 1.0;
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
    bool GameStarted = false;
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

    // Presentation.
    DisplayScale Scale;
    int HandTop = 0;

    // Hand and play.
    bool GroupSelect = false;     // a click selects every card of the clicked rank
    bool OnlyThreesLeft = false;  // every card left in the own hand is a 3
    bool RevealsCleared = false;
    bool GameDecided = false;
    rules::TablePlay TablePlay;
};

// The seat index of a seat bit: the position of its highest set bit after the
// upper two bits are masked off (0 and 1 both give 0).
int seatIndex(std::uint8_t seatBit);
// The screen slot of a seat bit as seen from the own seat bit.
int screenSlot(std::uint8_t seatBit, std::uint8_t ownSeatBit);

}  // namespace protocol
