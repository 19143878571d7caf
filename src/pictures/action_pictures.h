#pragma once
// Entries of ActionButtonPictureIds: the normal looks of the action and decision
// buttons (the hover look of k is k + 14, of the return button 28 it is 29).
namespace pictures {

constexpr int kPicDeclare = 0, kPicWork = 1, kPicReveal = 2, kPicRevolution = 3, kPicWithHead = 4,
              kPicWithoutHead = 5, kPicBurn = 6, kPicYield = 7, kPicAccept = 8, kPicDecline = 9,
              kPicTakeLead = 10, kPicPlay = 11, kPicPass = 12, kPicHint = 13, kPicReturn = 28;

constexpr int actionHoverOf(int picture) { return picture == kPicReturn ? 29 : picture + 14; }

}  // namespace pictures
