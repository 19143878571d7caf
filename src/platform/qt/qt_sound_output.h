#pragma once
// Sound output on Qt Multimedia: one QSoundEffect per buffer on the default audio
// output. Without an audio output (no device or no sound server, as under the
// offscreen platform) or with DRAVIK_NO_SOUND=1, init fails and the client runs
// silently.
#include <QAudioDevice>
#include <map>

#include "platform/sound_output.h"

class QSoundEffect;

namespace platform {

class QtSoundOutput : public SoundOutput {
  public:
    QtSoundOutput();
    ~QtSoundOutput() override;

    bool init() override;
    int createBuffer(const std::string& wavPath) override;
    void play(int buffer, bool loop) override;
    bool stop(int buffer) override;
    bool rewind(int buffer) override;
    bool setAttenuation(int buffer, int hundredthsDb) override;
    void release(int buffer) override;

  private:
    QSoundEffect* find(int buffer) const;

    bool ready_ = false;
    QAudioDevice device_;
    int nextId_ = 0;
    std::map<int, QSoundEffect*> buffers_;  // owned
};

}  // namespace platform
