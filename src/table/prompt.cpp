#include "table/prompt.h"

#include "pictures/action_pictures.h"

namespace table {

namespace {

using namespace pictures;  // the picture entries
constexpr int kNone = -1;
using A = Answer;
using K = PromptKind;

}  // namespace

const std::array<PromptRow, kPromptKinds> kPrompts = {{
    {K::kNone, false, {kNone, kNone}, {A::kNone, A::kNone}, kGroupOthers, A::kNone, false},
    {K::kDeclare,
     false,
     {kPicDeclare, kPicPass},
     {A::kPreDeclare, A::kDeclineDeclaration},
     kGroupDeclare,
     A::kDeclineDeclaration,
     true},
    {K::kReveal,
     false,
     {kPicReveal, kPicPass},
     {A::kOpen, A::kDeclineDeclaration},
     kGroupDeclare,
     A::kDeclineDeclaration,
     true},
    {K::kWork,
     false,
     {kPicWork, kPicPass},
     {A::kGoToWork, A::kDeclineWork},
     kGroupWork,
     A::kDeclineWork,
     true},
    {K::kRevolution,
     false,
     {kPicRevolution, kPicPass},
     {A::kRevolt, A::kDeclineRevolution},
     kGroupRevolution,
     A::kDeclineRevolution,
     true},
    {K::kHead,
     false,
     {kPicWithHead, kPicWithoutHead},
     {A::kWithHead, A::kWithoutHead},
     kGroupHead,
     A::kWithoutHead,
     true},
    {K::kAcceptTribute,
     false,
     {kPicAccept, kPicDecline},
     {A::kAcceptTribute, A::kDeclineTribute},
     kGroupAcceptTribute,
     A::kDeclineTribute,
     false},
    {K::kReturn,
     false,
     {kPicReturn, kNone},
     {A::kReturn, A::kNone},
     kGroupReturn,
     A::kReturn,
     true},
    {K::kLead, true, {kNone, kNone}, {A::kNone, A::kNone}, kGroupLead, A::kPlayLead, false},
    {K::kFollow, true, {kNone, kNone}, {A::kNone, A::kNone}, kGroupTurn, A::kPass, false},
    {K::kBurn, true, {kNone, kNone}, {A::kNone, A::kNone}, kGroupTurn, A::kPass, false},
    {K::kYield, true, {kNone, kNone}, {A::kNone, A::kNone}, kGroupTurn, A::kPass, false},
    {K::kTakeLead, true, {kNone, kNone}, {A::kNone, A::kNone}, kGroupTurn, A::kPass, false},
}};

int Prompt::turnMode() const {
    if (kind_ < K::kLead) return kModeNone;
    return static_cast<int>(kind_) - static_cast<int>(K::kLead) + kModeLead;
}

PromptKind Prompt::ofTurnMode(int mode) {
    if (mode < kModeLead || mode > kModeTakeLead) return K::kNone;
    return static_cast<PromptKind>(static_cast<int>(K::kLead) + mode - kModeLead);
}

}  // namespace table
