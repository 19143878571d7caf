// Writes every sound of the table's effect catalogue as a 16-bit PCM mono WAV file
// beside the given program folder (program folder + the catalogue's relative path,
// so they land in ../common/{pk,dravik,music}/ as the hall installs them).
// Usage: soundgen <program-folder>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "sound/effects.h"
#include "sound/wav.h"
#include "synth.h"

namespace {

using namespace soundgen;
using sound::Effect;

// Note frequencies used below.
constexpr double C5 = 523.25, D5 = 587.33, E5 = 659.25, G5 = 783.99, A5 = 880.0, B5 = 987.77,
                 C6 = 1046.5, E6 = 1318.5, G6 = 1568.0, A4 = 440.0, G4 = 392.0, E4 = 329.63,
                 C4 = 261.63;

// A card put down on the cloth: a bright noise snap over a short low thump.
void snap(Track& t, std::mt19937& rng, double at, double level) {
    t.add(Noise{.start = at,
                .length = 0.09,
                .level = level,
                .attack = 0.001,
                .decay = 55,
                .lowCut = 900,
                .highCut = 7000},
          rng);
    t.add(Tone{.start = at,
               .length = 0.08,
               .freq = 190,
               .freqEnd = 110,
               .level = level * 0.6,
               .attack = 0.001,
               .decay = 45});
}

// A bell-like note: a soft tone with a quiet octave above it.
void bell(Track& t, double at, double freq, double length, double level) {
    t.add(Tone{.start = at,
               .length = length,
               .freq = freq,
               .level = level,
               .attack = 0.004,
               .decay = 5,
               .wave = Wave::kSoft});
    t.add(Tone{.start = at,
               .length = length * 0.6,
               .freq = freq * 2,
               .level = level * 0.25,
               .attack = 0.004,
               .decay = 9});
}

Track make(Effect e, std::mt19937& rng) {
    switch (e) {
        case Effect::kDeal: {  // a riffle of cards sliding out
            Track t(0.7);
            for (int i = 0; i < 9; ++i)
                t.add(Noise{.start = 0.02 + i * 0.07,
                            .length = 0.05,
                            .level = 0.5 + 0.04 * (i % 3),
                            .attack = 0.002,
                            .decay = 70,
                            .lowCut = 1500,
                            .highCut = 6000},
                      rng);
            return t;
        }
        case Effect::kCardRaised: {  // a soft upward click
            Track t(0.08);
            t.add(Tone{.length = 0.06,
                       .freq = 1300,
                       .freqEnd = 1900,
                       .level = 0.6,
                       .attack = 0.002,
                       .decay = 60});
            return t;
        }
        case Effect::kCardLowered: {  // a soft downward click
            Track t(0.08);
            t.add(Tone{.length = 0.06,
                       .freq = 1200,
                       .freqEnd = 800,
                       .level = 0.6,
                       .attack = 0.002,
                       .decay = 60});
            return t;
        }
        case Effect::kPlay: {
            Track t(0.18);
            snap(t, rng, 0.0, 0.8);
            return t;
        }
        case Effect::kPass: {  // two gentle knocks, the second lower
            Track t(0.3);
            t.add(Tone{.length = 0.09,
                       .freq = A4,
                       .level = 0.6,
                       .attack = 0.003,
                       .decay = 30,
                       .wave = Wave::kTriangle});
            t.add(Tone{.start = 0.13,
                       .length = 0.12,
                       .freq = E4,
                       .level = 0.6,
                       .attack = 0.003,
                       .decay = 25,
                       .wave = Wave::kTriangle});
            return t;
        }
        case Effect::kHint: {  // a bright single ping
            Track t(0.35);
            bell(t, 0, G6, 0.33, 0.6);
            return t;
        }
        case Effect::kRoundWon: {  // a rising major arpeggio
            Track t(1.0);
            double notes[] = {C5, E5, G5, C6};
            for (int i = 0; i < 4; ++i) bell(t, i * 0.12, notes[i], 0.55, 0.5);
            return t;
        }
        case Effect::kRoundNotWon: {  // a calm falling line
            Track t(1.0);
            double notes[] = {G5, E5, C5};
            for (int i = 0; i < 3; ++i) bell(t, i * 0.16, notes[i], 0.55, 0.5);
            return t;
        }
        case Effect::kDravikPlay: {  // a snap that opens into a bright chord
            Track t(0.7);
            snap(t, rng, 0.0, 0.8);
            for (double f : {C5, E5, G5, C6}) bell(t, 0.05, f, 0.6, 0.25);
            return t;
        }
        case Effect::kPlayRefused: {  // two low buzzes
            Track t(0.35);
            for (int i = 0; i < 2; ++i)
                t.add(Tone{.start = i * 0.16,
                           .length = 0.12,
                           .freq = 200,
                           .level = 0.6,
                           .attack = 0.004,
                           .decay = 8,
                           .wave = Wave::kTriangle});
            return t;
        }
        case Effect::kDeclareYudian: {  // two rising notes
            Track t(0.55);
            bell(t, 0, E5, 0.3, 0.55);
            bell(t, 0.15, A5, 0.38, 0.55);
            return t;
        }
        case Effect::kDeclareMingdian: {  // three rising notes
            Track t(0.7);
            bell(t, 0, E5, 0.3, 0.5);
            bell(t, 0.13, A5, 0.3, 0.5);
            bell(t, 0.26, C6 * 1.06, 0.42, 0.5);
            return t;
        }
        case Effect::kGoToWork: {  // ding-dong
            Track t(0.9);
            bell(t, 0, B5, 0.45, 0.6);
            bell(t, 0.25, G5, 0.6, 0.6);
            return t;
        }
        case Effect::kRevolution: {  // a drum roll under a rising sweep
            Track t(1.0);
            for (int i = 0; i < 12; ++i)
                t.add(Tone{.start = i * 0.06,
                           .length = 0.08,
                           .freq = 120,
                           .freqEnd = 80,
                           .level = 0.3 + 0.04 * i,
                           .attack = 0.001,
                           .decay = 35});
            t.add(Tone{.start = 0.1,
                       .length = 0.85,
                       .freq = 220,
                       .freqEnd = 880,
                       .level = 0.35,
                       .attack = 0.2,
                       .decay = 1.5,
                       .wave = Wave::kSoft});
            return t;
        }
        case Effect::kLampLit: {  // a rising chime
            Track t(1.1);
            double notes[] = {E5, G5, B5, E6};
            for (int i = 0; i < 4; ++i) bell(t, i * 0.09, notes[i], 0.8, 0.45);
            return t;
        }
        case Effect::kWithHead: {  // two bright notes up
            Track t(0.55);
            bell(t, 0, G5, 0.3, 0.55);
            bell(t, 0.14, C6, 0.4, 0.55);
            return t;
        }
        case Effect::kWithoutHead: {  // two notes down
            Track t(0.55);
            bell(t, 0, G5, 0.3, 0.55);
            bell(t, 0.14, D5, 0.4, 0.55);
            return t;
        }
        case Effect::kFall: {  // a long falling glide with a wobble
            Track t(0.75);
            t.add(Tone{.length = 0.7,
                       .freq = 800,
                       .freqEnd = 150,
                       .level = 0.6,
                       .attack = 0.01,
                       .decay = 2.5,
                       .wave = Wave::kTriangle});
            t.add(Tone{.length = 0.7,
                       .freq = 806,
                       .freqEnd = 153,
                       .level = 0.3,
                       .attack = 0.01,
                       .decay = 2.5});
            return t;
        }
        case Effect::kTakeLead: {  // an airy lift and a bright note
            Track t(0.6);
            t.add(Noise{.length = 0.35,
                        .level = 0.5,
                        .lowCut = 400,
                        .highCut = 800,
                        .highCutEnd = 5000,
                        .swell = true},
                  rng);
            bell(t, 0.25, A5, 0.33, 0.5);
            return t;
        }
        case Effect::kYield: {  // a polite falling pair
            Track t(0.5);
            t.add(Tone{.length = 0.18,
                       .freq = C5,
                       .level = 0.55,
                       .attack = 0.005,
                       .decay = 10,
                       .wave = Wave::kTriangle});
            t.add(Tone{.start = 0.18,
                       .length = 0.28,
                       .freq = A4,
                       .level = 0.55,
                       .attack = 0.005,
                       .decay = 8,
                       .wave = Wave::kTriangle});
            return t;
        }
        case Effect::kBurn: {  // a whoosh of flame with crackle
            Track t(1.0);
            t.add(Noise{.length = 0.95,
                        .level = 0.7,
                        .lowCut = 150,
                        .highCut = 500,
                        .highCutEnd = 3500,
                        .swell = true},
                  rng);
            t.crackle(0.1, 0.8, 28, 0.5, rng);
            return t;
        }
        case Effect::kBurnCaught: {  // a hiss of water on the flames
            Track t(0.8);
            t.add(Noise{.length = 0.75,
                        .level = 0.6,
                        .attack = 0.01,
                        .decay = 4,
                        .lowCut = 2500,
                        .highCut = 9000},
                  rng);
            t.add(Tone{.length = 0.4,
                       .freq = 900,
                       .freqEnd = 300,
                       .level = 0.25,
                       .attack = 0.005,
                       .decay = 6});
            return t;
        }
        case Effect::kGoOut: {  // a small fanfare
            Track t(1.0);
            double notes[] = {C5, E5, G5};
            for (int i = 0; i < 3; ++i) bell(t, i * 0.1, notes[i], 0.2, 0.45);
            for (double f : {C5, E5, G5, C6}) bell(t, 0.32, f, 0.6, 0.3);
            return t;
        }
        case Effect::kCountdownWarning: {  // a clear short tick
            Track t(0.12);
            t.add(Tone{.length = 0.05, .freq = 2000, .level = 0.7, .attack = 0.0005, .decay = 90});
            t.add(Tone{.length = 0.03, .freq = 4000, .level = 0.2, .attack = 0.0005, .decay = 150});
            return t;
        }
    }
    return Track(0.1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: soundgen <program-folder>\n";
        return 2;
    }
    namespace fs = std::filesystem;
    std::mt19937 rng(20240611);  // fixed: the same build gives the same files
    for (const sound::EffectEntry& entry : sound::kEffects) {
        fs::path out = (fs::path(argv[1]).string() + std::string(entry.file));
        out = out.lexically_normal();
        fs::create_directories(out.parent_path());
        std::vector<std::uint8_t> bytes = sound::encodeWav(make(entry.effect, rng).render(), kRate);
        std::ofstream f(out, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!f) {
            std::cerr << "soundgen: cannot write " << out << "\n";
            return 1;
        }
    }
    return 0;
}
