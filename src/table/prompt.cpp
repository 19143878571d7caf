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
    {K::None, false, {kNone, kNone}, {A::None, A::None}, kGroupOthers, A::None, false},
    {K::Declare,
     false,
     {kPicDeclare, kPicPass},
     {A::PreDeclare, A::DeclineDeclaration},
     kGroupDeclare,
     A::DeclineDeclaration,
     true},
    {K::Reveal,
     false,
     {kPicReveal, kPicPass},
     {A::Open, A::DeclineDeclaration},
     kGroupDeclare,
     A::DeclineDeclaration,
     true},
    {K::Work,
     false,
     {kPicWork, kPicPass},
     {A::GoToWork, A::DeclineWork},
     kGroupWork,
     A::DeclineWork,
     true},
    {K::Revolution,
     false,
     {kPicRevolution, kPicPass},
     {A::Revolt, A::DeclineRevolution},
     kGroupRevolution,
     A::DeclineRevolution,
     true},
    {K::Head,
     false,
     {kPicWithHead, kPicWithoutHead},
     {A::WithHead, A::WithoutHead},
     kGroupHead,
     A::WithoutHead,
     true},
    {K::AcceptTribute,
     false,
     {kPicAccept, kPicDecline},
     {A::AcceptTribute, A::DeclineTribute},
     kGroupAcceptTribute,
     A::DeclineTribute,
     false},
    {K::Return, false, {kPicReturn, kNone}, {A::Return, A::None}, kGroupReturn, A::Return, true},
    {K::Lead, true, {kNone, kNone}, {A::None, A::None}, kGroupLead, A::PlayLead, false},
    {K::Follow, true, {kNone, kNone}, {A::None, A::None}, kGroupTurn, A::Pass, false},
    {K::Burn, true, {kNone, kNone}, {A::None, A::None}, kGroupTurn, A::Pass, false},
    {K::Yield, true, {kNone, kNone}, {A::None, A::None}, kGroupTurn, A::Pass, false},
    {K::TakeLead, true, {kNone, kNone}, {A::None, A::None}, kGroupTurn, A::Pass, false},
}};

int Prompt::turnMode() const {
    if (kind_ < K::Lead) return kModeNone;
    return static_cast<int>(kind_) - static_cast<int>(K::Lead) + kModeLead;
}

PromptKind Prompt::ofTurnMode(int mode) {
    if (mode < kModeLead || mode > kModeTakeLead) return K::None;
    return static_cast<PromptKind>(static_cast<int>(K::Lead) + mode - kModeLead);
}

}  // namespace table
