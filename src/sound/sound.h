#pragma once
// The table's sound: one effect channel, six voice channels (one per screen slot),
// the three switches of the settings window and the list of sound paths by slot.
// Everything here is best effort: a missing file is silent, and a failing output
// only turns 功能声音 (`FunctionSoundOn`) off.
#include <array>
#include <functional>
#include <string>

#include "platform/sound_output.h"
#include "sound/effects.h"

namespace sound {

constexpr int kVoiceChannels = 6;
constexpr int kFullVolume = 3000;        // SetSoundVolume's top level
constexpr int kVoiceAttenuation = -800;  // voices sound 8 dB below the effects
// The quick replies' voice files, beside the shared sound folders.
inline constexpr const char* kVoiceFolder = "/../common/voice/";

class Sound {
  public:
    Sound(platform::SoundOutput& output, std::string programFolder);
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // The switches; all on after start-up and changed only by the settings window
    // (and `FunctionSoundOn` by failures of the output).
    bool MusicOn = true;          // 背景音乐
    bool SoundOn = true;          // 系统声音: every catalogue effect but the warning
    bool FunctionSoundOn = true;  // 功能声音: the output, the countdown warning, music

    // Sound paths by slot: 1 background music, 6 the countdown warning, 7 the folder
    // prefix of the voice files (the shared voice folder). Slot 1 stays empty in
    // this version.
    std::array<std::string, 8> SoundList;
    // The full path of the last effect asked for through PlaySoundEffect.
    std::string SoundPath;

    // Start-up (from the table window's load): switches on, slot 6 set, the output
    // prepared and the background music started.
    void startUp();
    // Closing the table window: the music and the effect stop.
    void shutDown();

    // Prepares the output; on failure `FunctionSoundOn` goes off and nothing will
    // sound for the rest of the run.
    bool InitSound();
    // Replaces the effect channel's sound with the file, once or looping.
    void PlaySound(const std::string& path, bool looping);
    // Stops the effect and rewinds it to its start.
    void StopSound();
    // 0..3000, 3000 being full volume and 0 being 30 dB down; other levels are ignored.
    void SetSoundVolume(int level);
    // Plays the file once on voice channel 0..5, replacing only that channel's sound.
    void PlayVoice(const std::string& path, int channel);
    // Background music never has a segment of its own in this version (it plays on
    // the effect channel from slot 1), so there is nothing to stop here.
    void StopMusic() {}

    // The pattern of every event sound: `SoundPath` = program folder + the relative
    // path; while `SoundOn`, played once at full volume.
    void PlaySoundEffect(const std::string& relativePath);
    // An effect of the catalogue, obeying its switch.
    void PlaySoundEffect(Effect effect);
    // Every effect asked for, with its file, before its switch is consulted (the
    // table's tests listen here).
    std::function<void(const std::string&)> onEffect;

    // The voice file of a quick-reply phrase: slot 7 + the phrase's digits + ".wav".
    std::string voiceFile(const std::string& phraseDigits) const;
    const std::string& programFolder() const { return folder_; }
    bool outputReady() const { return ready_; }

    // The settings window's switch rows, shared by a click and by cancel.
    void flipMusic();
    void flipSoundOn() { SoundOn = !SoundOn; }
    void flipFunctionSoundOn() { FunctionSoundOn = !FunctionSoundOn; }

  private:
    void outputFailed() { FunctionSoundOn = false; }

    platform::SoundOutput& out_;
    std::string folder_;
    bool ready_ = false;  // InitSound succeeded
    int effect_ = -1;     // the effect channel's buffer
    std::array<int, kVoiceChannels> voices_;
};

}  // namespace sound
