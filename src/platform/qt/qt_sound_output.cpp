#include "platform/qt/qt_sound_output.h"

#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <cstdlib>
#include <cstring>

#include "sound/wav.h"

namespace platform {

QtSoundOutput::QtSoundOutput() = default;

QtSoundOutput::~QtSoundOutput() {
    for (auto& [id, effect] : buffers_) delete effect;
}

bool QtSoundOutput::init() {
    if (const char* off = std::getenv("DRAVIK_NO_SOUND"); off && std::strcmp(off, "1") == 0)
        return false;
    if (QMediaDevices::audioOutputs().isEmpty()) return false;
    device_ = QMediaDevices::defaultAudioOutput();
    if (device_.isNull()) return false;
    ready_ = true;
    return true;
}

int QtSoundOutput::createBuffer(const std::string& wavPath) {
    if (!ready_ || wavPath.empty()) return -1;
    // QSoundEffect reports a bad file only later, through its status; the caller
    // needs the answer now, so the file is read and its header checked here.
    auto format = sound::readWavFile(wavPath);
    if (!format || format->formatTag != 1 || format->channels < 1) return -1;
    auto* effect = new QSoundEffect(device_);
    effect->setSource(QUrl::fromLocalFile(QString::fromStdString(wavPath)));
    int id = nextId_++;
    buffers_[id] = effect;
    return id;
}

QSoundEffect* QtSoundOutput::find(int buffer) const {
    auto it = buffers_.find(buffer);
    return it == buffers_.end() ? nullptr : it->second;
}

void QtSoundOutput::play(int buffer, bool loop) {
    if (QSoundEffect* e = find(buffer)) {
        e->setLoopCount(loop ? QSoundEffect::Infinite : 1);
        // Before the file has loaded, QSoundEffect keeps the request and plays once
        // it is ready.
        e->play();
    }
}

bool QtSoundOutput::stop(int buffer) {
    QSoundEffect* e = find(buffer);
    if (!e) return false;
    e->stop();
    return true;
}

// A stopped QSoundEffect starts from the beginning at its next play, so a rewind
// only has to find the buffer.
bool QtSoundOutput::rewind(int buffer) { return find(buffer) != nullptr; }

bool QtSoundOutput::setAttenuation(int buffer, int hundredthsDb) {
    QSoundEffect* e = find(buffer);
    if (!e) return false;
    e->setVolume(static_cast<float>(attenuationToGain(hundredthsDb)));
    return true;
}

void QtSoundOutput::release(int buffer) {
    auto it = buffers_.find(buffer);
    if (it == buffers_.end()) return;
    it->second->stop();
    delete it->second;
    buffers_.erase(it);
}

}  // namespace platform
