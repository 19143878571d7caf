#pragma once
// The prompt that is up: at most one decision or turn waits for the local player at
// a time. One table says for each prompt which pictures its buttons show, what
// each button answers, which countdown group times it and what the countdown
// answers at zero.
#include <array>
#include <cstdint>

namespace table {

enum class PromptKind : std::uint8_t {
    kNone,
    kDeclare,        // the pre-declaration (预点)
    kReveal,         // the open declaration (明点)
    kWork,           // going to work with a run of one suit
    kRevolution,     // the revolution offer
    kHead,           // with or without a head
    kAcceptTribute,  // a tribute offered to the local player
    kReturn,         // cards to give back after a tribute
    kLead,           // turn modes of the played-hand command (byte 11) 1..5
    kFollow,
    kBurn,
    kYield,
    kTakeLead,
};
inline constexpr int kPromptKinds = 13;

// The turn modes of the played-hand command (byte 11) when the local player is next.
enum TurnMode : int {
    kModeNone = 0,
    kModeLead = 1,
    kModeFollow = 2,
    kModeBurn = 3,
    kModeYield = 4,
    kModeTakeLead = 5,
};

// The countdown groups: each keeps the time of its own last tick.
enum CountdownGroup : int {
    kGroupDeclare,  // the pre-declaration and the open declaration
    kGroupRevolution,
    kGroupHead,
    kGroupWork,
    kGroupAcceptTribute,
    kGroupReturn,
    kGroupLead,
    kGroupTurn,    // follow, burn, yield, take the lead
    kGroupOthers,  // the countdown at another seat
    kCountdownGroups,
};

// What a button or the countdown's zero answers.
enum class Answer : std::uint8_t {
    kNone,
    kPreDeclare,
    kOpen,
    kDeclineDeclaration,
    kGoToWork,
    kDeclineWork,
    kRevolt,
    kDeclineRevolution,
    kWithHead,
    kWithoutHead,
    kAcceptTribute,
    kDeclineTribute,
    kReturn,
    kPlayLead,  // the lead proposal raised and played
    kPass,
};

struct PromptRow {
    PromptKind kind;
    bool turnRow;      // on the Operation row (turns), else OperationNotP (decisions)
    int picture[2];    // ActionButtonPictureIds entries of the decision buttons, -1 none
    Answer answer[2];  // what the two decision buttons answer
    CountdownGroup group;
    Answer atZero;    // what the countdown answers by itself
    bool awayAtOnce;  // an away player's countdown is cut to one second
};

// Rows in PromptKind order (None has no row of use).
extern const std::array<PromptRow, kPromptKinds> kPrompts;

class Prompt {
  public:
    PromptKind kind() const { return kind_; }
    const PromptRow& row() const { return kPrompts[static_cast<std::size_t>(kind_)]; }
    bool up() const { return kind_ != PromptKind::kNone; }
    bool is(PromptKind k) const { return kind_ == k; }
    void raise(PromptKind k) { kind_ = k; }
    void clear() { kind_ = PromptKind::kNone; }
    // Ends the prompt if it is k (a prompt raised meanwhile stays up).
    void end(PromptKind k) {
        if (kind_ == k) kind_ = PromptKind::kNone;
    }

    // The turn mode the prompt offers (kModeNone for a decision).
    int turnMode() const;
    static PromptKind ofTurnMode(int mode);
    bool anyTurnMode() const { return turnMode() != kModeNone; }
    // The countdown group that times the prompt, -1 without one.
    int countdownGroup() const { return up() ? row().group : -1; }

    // The names the table's rules speak of.
    bool DeclarePending() const { return is(PromptKind::kDeclare); }
    bool RevealPending() const { return is(PromptKind::kReveal); }
    bool WorkPending() const { return is(PromptKind::kWork); }
    bool RevolutionPending() const { return is(PromptKind::kRevolution); }
    bool HeadPending() const { return is(PromptKind::kHead); }
    bool AcceptTributePending() const { return is(PromptKind::kAcceptTribute); }
    bool ReturnPending() const { return is(PromptKind::kReturn); }
    bool LeadMode() const { return is(PromptKind::kLead); }
    bool FollowMode() const { return is(PromptKind::kFollow); }
    bool BurnMode() const { return is(PromptKind::kBurn); }
    bool YieldMode() const { return is(PromptKind::kYield); }
    bool TakeLeadMode() const { return is(PromptKind::kTakeLead); }

  private:
    PromptKind kind_ = PromptKind::kNone;
};

}  // namespace table
