#pragma once
// A sound output that records every call and models what would be heard: a buffer
// sounds from play until it is stopped or released, or until its length has passed
// in virtual time (looping buffers sound until stopped). Failures of the output and
// missing files are switched on per test. Like a real output, it fails every call
// on a buffer that was already released.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "platform/sound_output.h"

namespace platform {

class FakeSoundOutput : public SoundOutput {
  public:
    enum class Op { kInit, kCreate, kPlay, kStop, kRewind, kAttenuate, kRelease };
    struct Call {
        Call(Op o, int b = -1, std::string p = {}, int v = 0)
            : op(o), buffer(b), path(std::move(p)), value(v) {}
        Op op;
        int buffer;        // -1 for Init and for a failed Create
        std::string path;  // Create
        int value;         // Play: 1 = looping; Attenuate: hundredths of a decibel
    };
    struct Buffer {
        std::string path;
        bool looping = false;
        bool released = false;
        int attenuation = 0;
        int plays = 0;
        std::int64_t startedMs = -1;  // last play; -1 = never played
        std::int64_t stoppedMs = -1;  // last stop or release after that play
    };

    explicit FakeSoundOutput(EventLoop& loop) : loop_(loop) {}

    // Test switches.
    bool initSucceeds = true;
    bool stopFails = false, rewindFails = false, attenuationFails = false;
    std::set<std::string> missing;  // files that do not exist (the empty path never does)
    int lengthMs = 400;             // how long every file sounds when played once

    std::vector<Call> calls;
    std::vector<Buffer> buffers;  // by buffer id

    bool init() override {
        calls.emplace_back(Call{Op::kInit});
        return initSucceeds;
    }
    int createBuffer(const std::string& path) override {
        if (path.empty() || missing.count(path)) {
            calls.emplace_back(Call{Op::kCreate, -1, path});
            return -1;
        }
        buffers.push_back(Buffer{path});
        int id = static_cast<int>(buffers.size()) - 1;
        calls.emplace_back(Call{Op::kCreate, id, path});
        return id;
    }
    void play(int b, bool loop) override {
        calls.emplace_back(Call{Op::kPlay, b, {}, loop ? 1 : 0});
        Buffer& buf = buffers.at(b);
        buf.looping = loop;
        ++buf.plays;
        buf.startedMs = loop_.nowMs();
        buf.stoppedMs = -1;
    }
    bool stop(int b) override {
        calls.emplace_back(Call{Op::kStop, b});
        if (stopFails || buffers.at(b).released) return false;
        halt(buffers.at(b));
        return true;
    }
    bool rewind(int b) override {
        calls.emplace_back(Call{Op::kRewind, b});
        return !rewindFails && !buffers.at(b).released;
    }
    bool setAttenuation(int b, int hundredthsDb) override {
        calls.emplace_back(Call{Op::kAttenuate, b, {}, hundredthsDb});
        if (attenuationFails || buffers.at(b).released) return false;
        buffers.at(b).attenuation = hundredthsDb;
        return true;
    }
    void release(int b) override {
        calls.emplace_back(Call{Op::kRelease, b});
        Buffer& buf = buffers.at(b);
        halt(buf);
        buf.released = true;
    }

    // Whether the buffer is audible now.
    bool sounding(int b) const {
        const Buffer& buf = buffers.at(b);
        if (buf.released || buf.startedMs < 0 || buf.stoppedMs >= 0) return false;
        return buf.looping || loop_.nowMs() < buf.startedMs + lengthMs;
    }
    // The files audible now, in the order their buffers were made.
    std::vector<std::string> soundingPaths() const {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < buffers.size(); ++i)
            if (sounding(static_cast<int>(i))) out.push_back(buffers[i].path);
        return out;
    }
    // The files played, in order.
    std::vector<std::string> playedPaths() const {
        std::vector<std::string> out;
        for (const Call& c : calls)
            if (c.op == Op::kPlay) out.push_back(buffers.at(c.buffer).path);
        return out;
    }
    // The last buffer made from the file, or -1.
    int lastBufferOf(const std::string& path) const {
        for (int i = static_cast<int>(buffers.size()) - 1; i >= 0; --i)
            if (buffers[i].path == path) return i;
        return -1;
    }

  private:
    void halt(Buffer& buf) {
        if (buf.startedMs >= 0 && buf.stoppedMs < 0) buf.stoppedMs = loop_.nowMs();
    }
    EventLoop& loop_;
};

}  // namespace platform
