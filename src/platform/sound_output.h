#pragma once
// Sound output seam: buffers made from WAV files, played once or looping, stopped,
// rewound, with an attenuation in hundredths of a decibel (0 = full, -10000 = silent).
#include <string>

namespace platform {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Prepares the output for the table window; false when there is no usable device.
    virtual bool init() = 0;
    // A buffer for the WAV file, or -1 when the file is missing or unreadable.
    virtual int createBuffer(const std::string& wavPath) = 0;
    virtual void play(int buffer, bool loop) = 0;
    virtual void stop(int buffer) = 0;
    virtual void rewind(int buffer) = 0;
    virtual void setAttenuation(int buffer, int hundredthsDb) = 0;
    virtual void release(int buffer) = 0;
};

// The output of a machine without sound: init fails, nothing plays.
class NullSoundOutput : public SoundOutput {
public:
    bool init() override { return false; }
    int createBuffer(const std::string&) override { return -1; }
    void play(int, bool) override {}
    void stop(int) override {}
    void rewind(int) override {}
    void setAttenuation(int, int) override {}
    void release(int) override {}
};

}  // namespace platform
