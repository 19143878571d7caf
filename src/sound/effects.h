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
    Deal,              // the hand is dealt
    CardRaised,        // a card is raised by a click, or by the go-to-work check
    CardLowered,       // a raised card is lowered by a click
    Play,              // an ordinary play, or a Dravik play that continues a run
    Pass,              // a seat passes
    Hint,              // the hint shows a candidate
    RoundWon,          // round result, the local player's result is above 0
    RoundNotWon,       // round result otherwise
    DravikPlay,        // the first Dravik play of a run
    PlayRefused,       // the local play is refused
    DeclareYudian,     // a seat declares 预点
    DeclareMingdian,   // a seat declares 明点
    GoToWork,          // a seat goes to work (上班)
    Revolution,        // 革命
    LampLit,           // a seat's lamp is lit
    WithHead,          // with-head announced
    WithoutHead,       // without-head announced
    Fall,              // a seat falls (大落)
    TakeLead,          // a seat takes the lead (接风)
    Yield,             // a seat yields (让牌)
    Burn,              // a seat burns (烧牌)
    BurnCaught,        // a burn is caught
    GoOut,             // a seat goes out
    CountdownWarning,  // each countdown second below 6
};

// Which switch an effect obeys: the event sounds follow 系统声音 (`SoundOn`), the
// countdown warning follows 功能声音 (`FunctionSoundOn`).
enum class Gate { SoundOn, FunctionSoundOn };

struct EffectEntry {
    Effect effect;
    std::string_view name;  // for messages and tests
    std::string_view file;  // relative to the program folder
    Gate gate;
};

inline constexpr std::array<EffectEntry, 24> kEffects{{
    {Effect::Deal, "Deal", "/../common/pk/sys010.wav", Gate::SoundOn},
    {Effect::CardRaised, "CardRaised", "/../common/pk/sys020.wav", Gate::SoundOn},
    {Effect::CardLowered, "CardLowered", "/../common/pk/sys030.wav", Gate::SoundOn},
    {Effect::Play, "Play", "/../common/pk/sys070.wav", Gate::SoundOn},
    {Effect::Pass, "Pass", "/../common/pk/sys080.wav", Gate::SoundOn},
    {Effect::Hint, "Hint", "/../common/pk/sys110.wav", Gate::SoundOn},
    {Effect::RoundWon, "RoundWon", "/../common/pk/sys121.wav", Gate::SoundOn},
    {Effect::RoundNotWon, "RoundNotWon", "/../common/pk/sys150.wav", Gate::SoundOn},
    {Effect::DravikPlay, "DravikPlay", "/../common/dravik/dravikpai.wav", Gate::SoundOn},
    {Effect::PlayRefused, "PlayRefused", "/../common/dravik/chupaifeifa.wav", Gate::SoundOn},
    {Effect::DeclareYudian, "DeclareYudian", "/../common/dravik/yudian.wav", Gate::SoundOn},
    {Effect::DeclareMingdian, "DeclareMingdian", "/../common/dravik/mingdian.wav", Gate::SoundOn},
    {Effect::GoToWork, "GoToWork", "/../common/dravik/shangban.wav", Gate::SoundOn},
    {Effect::Revolution, "Revolution", "/../common/dravik/geming.wav", Gate::SoundOn},
    {Effect::LampLit, "LampLit", "/../common/dravik/kaidian.wav", Gate::SoundOn},
    {Effect::WithHead, "WithHead", "/../common/dravik/yaotou.wav", Gate::SoundOn},
    {Effect::WithoutHead, "WithoutHead", "/../common/dravik/wutou.wav", Gate::SoundOn},
    {Effect::Fall, "Fall", "/../common/dravik/daluo.wav", Gate::SoundOn},
    {Effect::TakeLead, "TakeLead", "/../common/dravik/jiefeng.wav", Gate::SoundOn},
    {Effect::Yield, "Yield", "/../common/dravik/rangpai.wav", Gate::SoundOn},
    {Effect::Burn, "Burn", "/../common/dravik/shaopai.wav", Gate::SoundOn},
    {Effect::BurnCaught, "BurnCaught", "/../common/dravik/jieshao.wav", Gate::SoundOn},
    {Effect::GoOut, "GoOut", "/../common/dravik/zouke.wav", Gate::SoundOn},
    {Effect::CountdownWarning, "CountdownWarning", "/../common/music/tishi.wav",
     Gate::FunctionSoundOn},
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
static_assert(static_cast<std::size_t>(Effect::CountdownWarning) + 1 == kEffects.size(),
              "every effect needs a row");

}  // namespace sound
