#pragma once
// Sound output seam: buffers made from WAV files, played once or looping, stopped,
// rewound, with an attenuation in hundredths of a decibel (0 = full, -10000 =
// silent). Every buffer sounds independently of the others: the behaviour code
// decides which buffer a new sound replaces.
#include <cmath>
#include <string>

namespace platform {

class SoundOutput {
  public:
    virtual ~SoundOutput() = default;
    // Prepares the output for the table window; false when there is no usable
    // device. Nothing else is called on an output whose init failed.
    virtual bool init() = 0;
    // A buffer for the WAV file, or -1 when the file is missing or unreadable.
    virtual int createBuffer(const std::string& wavPath) = 0;
    virtual void play(int buffer, bool loop) = 0;
    // These three return false when the output itself failed.
    virtual bool stop(int buffer) = 0;
    virtual bool rewind(int buffer) = 0;
    virtual bool setAttenuation(int buffer, int hundredthsDb) = 0;
    virtual void release(int buffer) = 0;
};

// The linear gain of an attenuation for outputs that take a volume factor:
// hundredths of a decibel, so gain = 10^(hundredthsDb / 2000). -10000 and below are
// silence; anything above 0 is full volume (an output cannot amplify).
inline double attenuationToGain(int hundredthsDb) {
    if (hundredthsDb <= -10000) return 0.0;
    if (hundredthsDb >= 0) return 1.0;
    return std::pow(10.0, hundredthsDb / 2000.0);
}

// The output of a machine without sound: init fails, nothing plays.
class NullSoundOutput : public SoundOutput {
  public:
    bool init() override { return false; }
    int createBuffer(const std::string&) override { return -1; }
    void play(int, bool) override {}
    bool stop(int) override { return true; }
    bool rewind(int) override { return true; }
    bool setAttenuation(int, int) override { return true; }
    void release(int) override {}
};

}  // namespace platform
