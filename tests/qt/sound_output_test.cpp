// The Qt sound output: "no sound" can be forced, and where a device exists it
// accepts the generated files and refuses missing or broken ones at once.
#include <gtest/gtest.h>

#include <QMediaDevices>
#include <cstdlib>
#include <fstream>

#include "platform/qt/qt_sound_output.h"
#include "sound/effects.h"

namespace {

struct EnvGuard {
    EnvGuard() { unsetenv("DRAVIK_NO_SOUND"); }
    ~EnvGuard() { unsetenv("DRAVIK_NO_SOUND"); }
};

TEST(QtSoundOutput, NoSoundCanBeForced) {
    EnvGuard env;
    setenv("DRAVIK_NO_SOUND", "1", 1);
    platform::QtSoundOutput out;
    EXPECT_FALSE(out.init());
    // An output that did not start makes no buffers.
    std::string file = std::string(DRAVIK_BINARY_DIR) + "/tree/dravik" +
                       std::string(sound::effectEntry(sound::Effect::kPlay).file);
    EXPECT_EQ(out.createBuffer(file), -1);
}

TEST(QtSoundOutput, StartsExactlyWhenThereIsAnAudioOutput) {
    EnvGuard env;
    platform::QtSoundOutput out;
    EXPECT_EQ(out.init(), !QMediaDevices::audioOutputs().isEmpty());
}

TEST(QtSoundOutput, TakesGoodFilesAndRefusesMissingOrBrokenOnes) {
    EnvGuard env;
    platform::QtSoundOutput out;
    if (!out.init()) GTEST_SKIP() << "no audio output on this machine";
    std::string file = std::string(DRAVIK_BINARY_DIR) + "/tree/dravik" +
                       std::string(sound::effectEntry(sound::Effect::kPlay).file);
    int b = out.createBuffer(file);
    ASSERT_GE(b, 0);
    out.play(b, false);
    EXPECT_TRUE(out.setAttenuation(b, -800));
    EXPECT_TRUE(out.stop(b));
    EXPECT_TRUE(out.rewind(b));
    out.release(b);
    EXPECT_FALSE(out.stop(b));
    EXPECT_EQ(out.createBuffer("/nonexistent/x.wav"), -1);
    std::string broken = testing::TempDir() + "broken.wav";
    std::ofstream(broken) << "RIFF....WAVEjunk";
    EXPECT_EQ(out.createBuffer(broken), -1);
}

}  // namespace
