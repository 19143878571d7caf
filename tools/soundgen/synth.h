#pragma once
// A tiny additive synthesiser for the table's effects: tones with pitch glides and
// bell or pluck envelopes, filtered noise bursts and crackle, mixed into one mono
// track and normalised to a comfortable level.
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace soundgen {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

enum class Wave {
    kSine,
    kTriangle,
    kSoft
};  // Soft: sine with a touch of second and third harmonic

struct Tone {
    double start = 0;     // seconds
    double length = 0.2;  // seconds
    double freq = 440;    // Hz at the start
    double freqEnd = 0;   // Hz at the end; 0 = no glide
    double level = 0.5;
    double attack = 0.005;  // seconds
    double decay = 8;       // exponential decay per second after the attack
    Wave wave = Wave::kSine;
};

struct Noise {
    double start = 0;
    double length = 0.1;
    double level = 0.5;
    double attack = 0.002;
    double decay = 30;
    double lowCut = 0;      // one-pole high-pass corner, Hz (0 = none)
    double highCut = 8000;  // one-pole low-pass corner at the start, Hz
    double highCutEnd = 0;  // low-pass corner at the end; 0 = fixed
    bool swell = false;     // envelope rises to the middle and falls (a whoosh)
};

class Track {
  public:
    explicit Track(double seconds) : mix_(static_cast<std::size_t>(seconds * kRate), 0.0) {}

    void add(const Tone& t) {
        double phase = 0;
        std::size_t first = index(t.start), n = index(t.length);
        for (std::size_t i = 0; i < n && first + i < mix_.size(); ++i) {
            double x = double(i) / kRate;
            double f = t.freqEnd > 0 ? t.freq + (t.freqEnd - t.freq) * x / t.length : t.freq;
            phase += 2 * kPi * f / kRate;
            double s = 0;
            switch (t.wave) {
                case Wave::kSine:
                    s = std::sin(phase);
                    break;
                case Wave::kTriangle:
                    s = 2 / kPi * std::asin(std::sin(phase));
                    break;
                case Wave::kSoft:
                    s = std::sin(phase) + 0.3 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase);
                    break;
            }
            mix_[first + i] += t.level * s * envelope(x, t.length, t.attack, t.decay);
        }
    }

    void add(const Noise& n, std::mt19937& rng) {
        std::uniform_real_distribution<double> white(-1, 1);
        double low = 0, highPrevIn = 0, highOut = 0;
        std::size_t first = index(n.start), count = index(n.length);
        for (std::size_t i = 0; i < count && first + i < mix_.size(); ++i) {
            double x = double(i) / kRate;
            double cut = n.highCutEnd > 0 ? n.highCut + (n.highCutEnd - n.highCut) * x / n.length
                                          : n.highCut;
            double a = 1 - std::exp(-2 * kPi * cut / kRate);
            low += a * (white(rng) - low);
            double s = low;
            if (n.lowCut > 0) {
                double r = std::exp(-2 * kPi * n.lowCut / kRate);
                highOut = r * (highOut + s - highPrevIn);
                highPrevIn = s;
                s = highOut;
            }
            double env = n.swell ? std::sin(kPi * x / n.length) * std::sin(kPi * x / n.length)
                                 : envelope(x, n.length, n.attack, n.decay);
            mix_[first + i] += n.level * s * env;
        }
    }

    // Short random clicks, like wood or paper catching fire.
    void crackle(double start, double length, int count, double level, std::mt19937& rng) {
        std::uniform_real_distribution<double> when(start, start + length), amp(0.3, 1.0),
            sign(-1, 1);
        for (int k = 0; k < count; ++k) {
            std::size_t at = index(when(rng));
            double a = level * amp(rng) * (sign(rng) < 0 ? -1 : 1);
            for (std::size_t i = 0; i < 40 && at + i < mix_.size(); ++i)
                mix_[at + i] += a * std::exp(-double(i) / 6) * (i % 2 ? -0.6 : 1.0);
        }
    }

    // 16-bit samples, peak at the given share of full scale, with 3 ms fades at both
    // ends so that no file starts or stops with a click.
    std::vector<std::int16_t> render(double peak = 0.7) const {
        double max = 1e-9;
        for (double s : mix_) max = std::max(max, std::abs(s));
        std::vector<std::int16_t> out(mix_.size());
        std::size_t fade = index(0.003);
        for (std::size_t i = 0; i < mix_.size(); ++i) {
            double g = 1;
            if (i < fade) g = double(i) / fade;
            if (mix_.size() - i <= fade) g = double(mix_.size() - i - 1) / fade;
            out[i] = static_cast<std::int16_t>(std::lround(mix_[i] / max * peak * g * 32767));
        }
        return out;
    }

  private:
    static std::size_t index(double seconds) { return static_cast<std::size_t>(seconds * kRate); }
    static double envelope(double x, double length, double attack, double decay) {
        double e = x < attack ? x / attack : std::exp(-(x - attack) * decay);
        double tail = length - x;  // a short release at the very end of the note
        if (tail < 0.01) e *= std::max(0.0, tail / 0.01);
        return e;
    }
    std::vector<double> mix_;
};

}  // namespace soundgen
