#include "sound/sound.h"

namespace sound {

Sound::Sound(platform::SoundOutput& output, std::string programFolder)
    : out_(output), folder_(std::move(programFolder)) {
    voices_.fill(-1);
}

void Sound::startUp() {
    MusicOn = SoundOn = FunctionSoundOn = true;
    SoundList[6] = folder_ + std::string(effectEntry(Effect::kCountdownWarning).file);
    SoundList[7] = folder_ + std::string(kVoiceFolder);
    if (FunctionSoundOn) {
        InitSound();
        StopSound();
        PlaySound(SoundList[1], true);
        SetSoundVolume(kFullVolume);
    }
}

void Sound::shutDown() {
    if (MusicOn) StopMusic();
    if (FunctionSoundOn) StopSound();
}

bool Sound::InitSound() {
    ready_ = out_.init();
    if (!ready_) outputFailed();
    return ready_;
}

void Sound::PlaySound(const std::string& path, bool looping) {
    if (!ready_) return;
    if (effect_ >= 0) {
        bool stopped = out_.stop(effect_);
        out_.release(effect_);
        effect_ = -1;
        if (!stopped) {
            outputFailed();
            return;
        }
    }
    // A missing or unreadable file: silent, and nothing else changes.
    int buffer = out_.createBuffer(path);
    if (buffer < 0) return;
    effect_ = buffer;
    out_.play(buffer, looping);
}

void Sound::StopSound() {
    if (effect_ < 0) return;
    if (!out_.stop(effect_) || !out_.rewind(effect_)) outputFailed();
}

void Sound::SetSoundVolume(int level) {
    if (level < 0 || level > kFullVolume || effect_ < 0) return;
    if (!out_.setAttenuation(effect_, level - kFullVolume)) outputFailed();
}

void Sound::PlayVoice(const std::string& path, int channel) {
    if (channel < 0 || channel >= kVoiceChannels || !ready_) return;
    int& voice = voices_[channel];
    if (voice >= 0) {
        bool stopped = out_.stop(voice);
        out_.release(voice);
        voice = -1;
        if (!stopped) {
            outputFailed();
            return;
        }
    }
    int buffer = out_.createBuffer(path);
    if (buffer < 0) return;
    voice = buffer;
    out_.play(buffer, false);
    if (!out_.setAttenuation(buffer, kVoiceAttenuation)) outputFailed();
}

void Sound::PlaySoundEffect(const std::string& relativePath) {
    SoundPath = folder_ + relativePath;
    if (!SoundOn) return;
    PlaySound(SoundPath, false);
    SetSoundVolume(kFullVolume);
}

void Sound::PlaySoundEffect(Effect effect) {
    const EffectEntry& e = effectEntry(effect);
    if (onEffect) onEffect(std::string(e.file));
    if (e.gate == Gate::kSoundOn) {
        PlaySoundEffect(std::string(e.file));
        return;
    }
    // The countdown warning: its own slot, and only while the output is wanted.
    if (!FunctionSoundOn) return;
    PlaySound(SoundList[6], false);
    SetSoundVolume(kFullVolume);
}

std::string Sound::voiceFile(const std::string& phraseDigits) const {
    return SoundList[7] + phraseDigits + ".wav";
}

void Sound::flipMusic() {
    if (!MusicOn) {
        MusicOn = true;
        PlaySound(SoundList[1], true);
        SetSoundVolume(kFullVolume);
    } else {
        MusicOn = false;
        StopSound();
    }
}

}  // namespace sound
