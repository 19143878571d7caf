#pragma once
// The table's sound effects: one row per event with its WAV file, relative to the
// program folder, and the switch that lets it play. Every caller names an effect
// from here; the generator of the installed sound files walks the same table, so a
// file can never be asked for that the build does not lay out.
//
// Header-only and free of the rest of the core so that the build-time generator can
// use it without linking the client.
#include <array>
#include <cstddef>
#include <string_view>

namespace sound {

enum class Effect {
    kDeal,              // the hand is dealt
    kCardRaised,        // a card is raised by a click, or by the go-to-work check
    kCardLowered,       // a raised card is lowered by a click
    kPlay,              // an ordinary play, or a Dravik play that continues a run
    kPass,              // a seat passes
    kHint,              // the hint shows a candidate
    kRoundWon,          // round result, the local player's result is above 0
    kRoundNotWon,       // round result otherwise
    kDravikPlay,        // the first Dravik play of a run
    kPlayRefused,       // the local play is refused
    kDeclareYudian,     // a seat declares 预点
    kDeclareMingdian,   // a seat declares 明点
    kGoToWork,          // a seat goes to work (上班)
    kRevolution,        // 革命
    kLampLit,           // a seat's lamp is lit
    kWithHead,          // with-head announced
    kWithoutHead,       // without-head announced
    kFall,              // a seat falls (大落)
    kTakeLead,          // a seat takes the lead (接风)
    kYield,             // a seat yields (让牌)
    kBurn,              // a seat burns (烧牌)
    kBurnCaught,        // a burn is caught
    kGoOut,             // a seat goes out
    kCountdownWarning,  // each countdown second below 6
};

// Which switch an effect obeys: the event sounds follow 系统声音 (`SoundOn`), the
// countdown warning follows 功能声音 (`FunctionSoundOn`).
enum class Gate { kSoundOn, kFunctionSoundOn };

struct EffectEntry {
    Effect effect;
    std::string_view name;  // for messages and tests
    std::string_view file;  // relative to the program folder
    Gate gate;
};

inline constexpr std::array<EffectEntry, 24> kEffects{{
    {Effect::kDeal, "Deal", "/../common/pk/sys010.wav", Gate::kSoundOn},
    {Effect::kCardRaised, "CardRaised", "/../common/pk/sys020.wav", Gate::kSoundOn},
    {Effect::kCardLowered, "CardLowered", "/../common/pk/sys030.wav", Gate::kSoundOn},
    {Effect::kPlay, "Play", "/../common/pk/sys070.wav", Gate::kSoundOn},
    {Effect::kPass, "Pass", "/../common/pk/sys080.wav", Gate::kSoundOn},
    {Effect::kHint, "Hint", "/../common/pk/sys110.wav", Gate::kSoundOn},
    {Effect::kRoundWon, "RoundWon", "/../common/pk/sys121.wav", Gate::kSoundOn},
    {Effect::kRoundNotWon, "RoundNotWon", "/../common/pk/sys150.wav", Gate::kSoundOn},
    {Effect::kDravikPlay, "DravikPlay", "/../common/dravik/dravikpai.wav", Gate::kSoundOn},
    {Effect::kPlayRefused, "PlayRefused", "/../common/dravik/chupaifeifa.wav", Gate::kSoundOn},
    {Effect::kDeclareYudian, "DeclareYudian", "/../common/dravik/yudian.wav", Gate::kSoundOn},
    {Effect::kDeclareMingdian, "DeclareMingdian", "/../common/dravik/mingdian.wav", Gate::kSoundOn},
    {Effect::kGoToWork, "GoToWork", "/../common/dravik/shangban.wav", Gate::kSoundOn},
    {Effect::kRevolution, "Revolution", "/../common/dravik/geming.wav", Gate::kSoundOn},
    {Effect::kLampLit, "LampLit", "/../common/dravik/kaidian.wav", Gate::kSoundOn},
    {Effect::kWithHead, "WithHead", "/../common/dravik/yaotou.wav", Gate::kSoundOn},
    {Effect::kWithoutHead, "WithoutHead", "/../common/dravik/wutou.wav", Gate::kSoundOn},
    {Effect::kFall, "Fall", "/../common/dravik/daluo.wav", Gate::kSoundOn},
    {Effect::kTakeLead, "TakeLead", "/../common/dravik/jiefeng.wav", Gate::kSoundOn},
    {Effect::kYield, "Yield", "/../common/dravik/rangpai.wav", Gate::kSoundOn},
    {Effect::kBurn, "Burn", "/../common/dravik/shaopai.wav", Gate::kSoundOn},
    {Effect::kBurnCaught, "BurnCaught", "/../common/dravik/jieshao.wav", Gate::kSoundOn},
    {Effect::kGoOut, "GoOut", "/../common/dravik/zouke.wav", Gate::kSoundOn},
    {Effect::kCountdownWarning, "CountdownWarning", "/../common/music/tishi.wav",
     Gate::kFunctionSoundOn},
}};

// The row of an effect. The table is in enum order (checked below), so this is a
// plain index.
constexpr const EffectEntry& effectEntry(Effect e) { return kEffects[static_cast<std::size_t>(e)]; }

namespace detail {
constexpr bool tableInEnumOrder() {
    for (std::size_t i = 0; i < kEffects.size(); ++i)
        if (static_cast<std::size_t>(kEffects[i].effect) != i) return false;
    return true;
}
}  // namespace detail
static_assert(detail::tableInEnumOrder(), "kEffects must list every effect in enum order");
static_assert(static_cast<std::size_t>(Effect::kCountdownWarning) + 1 == kEffects.size(),
              "every effect needs a row");

}  // namespace sound
