// The table's sound against a recording output in virtual time: the effect channel,
// the voice channels, the switches and their gates, failures of files and of the
// output, and the settings window VosSet.
#include "sound/sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "client_fixture.h"
#include "platform/fake/fake_event_loop.h"
#include "platform/fake/fake_hall_bus.h"
#include "platform/fake/fake_picture_decoder.h"
#include "platform/fake/fake_sound_output.h"
#include "resources/embedded_resources.h"
#include "sound/settings_window.h"

using platform::FakeSoundOutput;
using sound::Effect;
using Op = FakeSoundOutput::Op;

namespace {

const std::string kFolder = "/opt/hall/dravik";

std::string fileOf(Effect e) { return kFolder + std::string(sound::effectEntry(e).file); }

struct SoundFixture : ::testing::Test {
    platform::FakeEventLoop loop;
    FakeSoundOutput out{loop};
    sound::Sound s{out, kFolder};

    void SetUp() override { s.startUp(); }

    int count(Op op) const {
        return int(std::count_if(out.calls.begin(), out.calls.end(),
                                 [op](const FakeSoundOutput::Call& c) { return c.op == op; }));
    }
    std::vector<std::string> sounding() const { return out.soundingPaths(); }
};

TEST_F(SoundFixture, StartUpPreparesTheOutputAndTheWarningSlotAndLeavesMusicSilent) {
    EXPECT_TRUE(s.MusicOn && s.SoundOn && s.FunctionSoundOn);
    EXPECT_TRUE(s.outputReady());
    EXPECT_EQ(s.SoundList[6], kFolder + "/../common/music/tishi.wav");
    ASSERT_FALSE(out.calls.empty());
    EXPECT_EQ(out.calls.front().op, Op::kInit);
    // The background music slot is empty: the attempt finds no file, nothing sounds.
    EXPECT_EQ(count(Op::kCreate), 1);
    EXPECT_EQ(out.calls.back().path, "");
    EXPECT_TRUE(sounding().empty());
    EXPECT_TRUE(s.FunctionSoundOn);
}

TEST_F(SoundFixture, ANewEffectCutsOffThePreviousOne) {
    s.PlaySoundEffect(Effect::kPlay);
    int first = out.lastBufferOf(fileOf(Effect::kPlay));
    loop.advance(10);
    EXPECT_EQ(sounding(), std::vector<std::string>{fileOf(Effect::kPlay)});
    s.PlaySoundEffect(Effect::kPass);
    int second = out.lastBufferOf(fileOf(Effect::kPass));
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    // The first was stopped at 10 ms, long before its own end, and let go.
    EXPECT_EQ(out.buffers[first].stoppedMs, 10);
    EXPECT_TRUE(out.buffers[first].released);
    EXPECT_EQ(sounding(), std::vector<std::string>{fileOf(Effect::kPass)});
    EXPECT_EQ(out.buffers[second].attenuation, 0);  // full volume
    EXPECT_EQ(out.buffers[second].looping, false);
    EXPECT_EQ(s.SoundPath, fileOf(Effect::kPass));
}

TEST_F(SoundFixture, VolumeLevelsOutsideTheRangeAreIgnored) {
    s.PlaySound(fileOf(Effect::kHint), false);
    int b = out.lastBufferOf(fileOf(Effect::kHint));
    s.SetSoundVolume(1000);
    ASSERT_EQ(out.buffers[b].attenuation, -2000);
    struct Case {
        int level;
        int attenuation;  // expected after the call
    } cases[] = {{3001, -2000}, {-1, -2000}, {30000, -2000}, {0, -3000}, {2999, -1}, {3000, 0}};
    for (const Case& c : cases) {
        s.SetSoundVolume(c.level);
        EXPECT_EQ(out.buffers[b].attenuation, c.attenuation) << "level " << c.level;
    }
    EXPECT_TRUE(s.FunctionSoundOn);
}

TEST_F(SoundFixture, VoicesKeepToTheirOwnChannels) {
    s.PlaySoundEffect(Effect::kDeal);
    s.PlayVoice("/v/a.wav", 3);
    loop.advance(10);
    s.PlayVoice("/v/b.wav", 4);
    EXPECT_EQ(sounding(),
              (std::vector<std::string>{fileOf(Effect::kDeal), "/v/a.wav", "/v/b.wav"}));
    EXPECT_EQ(out.buffers[out.lastBufferOf("/v/b.wav")].attenuation, -800);
    // A new voice on channel 3 replaces only channel 3's.
    s.PlayVoice("/v/c.wav", 3);
    EXPECT_EQ(sounding(),
              (std::vector<std::string>{fileOf(Effect::kDeal), "/v/b.wav", "/v/c.wav"}));
    // A new effect leaves the voices alone.
    s.PlaySoundEffect(Effect::kPass);
    EXPECT_EQ(sounding(),
              (std::vector<std::string>{"/v/b.wav", "/v/c.wav", fileOf(Effect::kPass)}));
    // Channels outside 0..5 do nothing at all.
    std::size_t calls = out.calls.size();
    s.PlayVoice("/v/d.wav", 6);
    s.PlayVoice("/v/d.wav", -1);
    EXPECT_EQ(out.calls.size(), calls);
}

TEST_F(SoundFixture, EachEffectObeysItsSwitch) {
    // 系统声音 off: the event sounds stay silent, the countdown warning still sounds.
    s.SoundOn = false;
    std::size_t calls = out.calls.size();
    s.PlaySoundEffect(Effect::kBurn);
    EXPECT_EQ(out.calls.size(), calls);
    EXPECT_EQ(s.SoundPath, fileOf(Effect::kBurn));  // the path is still built
    s.PlaySoundEffect(Effect::kCountdownWarning);
    EXPECT_EQ(sounding(), std::vector<std::string>{s.SoundList[6]});
    // 功能声音 off: the warning is silent, the event sounds play again with 系统声音.
    s.SoundOn = true;
    s.FunctionSoundOn = false;
    loop.advance(1000);
    s.PlaySoundEffect(Effect::kCountdownWarning);
    EXPECT_TRUE(sounding().empty());
    s.PlaySoundEffect(Effect::kLampLit);
    EXPECT_EQ(sounding(), std::vector<std::string>{fileOf(Effect::kLampLit)});
}

TEST_F(SoundFixture, EveryEventSoundPlaysItsOwnFileBesideTheProgramFolder) {
    for (const sound::EffectEntry& e : sound::kEffects) {
        s.PlaySoundEffect(e.effect);
        std::string want =
            e.gate == sound::Gate::kSoundOn ? kFolder + std::string(e.file) : s.SoundList[6];
        EXPECT_EQ(out.playedPaths().back(), want) << e.name;
    }
}

TEST_F(SoundFixture, AMissingFileChangesNothing) {
    s.PlaySoundEffect(Effect::kPlay);
    int old = out.lastBufferOf(fileOf(Effect::kPlay));
    out.missing.insert(fileOf(Effect::kFall));
    s.PlaySoundEffect(Effect::kFall);
    // Silence (the previous effect was already stopped), and the output is still fine.
    EXPECT_TRUE(sounding().empty());
    EXPECT_TRUE(out.buffers[old].released);
    EXPECT_TRUE(s.FunctionSoundOn);
    // Nothing refers to the released buffer any more: volume and stop find no effect.
    std::size_t calls = out.calls.size();
    s.SetSoundVolume(3000);
    s.StopSound();
    EXPECT_EQ(out.calls.size(), calls);
    EXPECT_TRUE(s.FunctionSoundOn);
    s.PlaySoundEffect(Effect::kPlay);
    EXPECT_EQ(sounding(), std::vector<std::string>{fileOf(Effect::kPlay)});
}

TEST_F(SoundFixture, StopSoundRewindsTheEffect) {
    s.PlaySound(fileOf(Effect::kBurn), true);
    int b = out.lastBufferOf(fileOf(Effect::kBurn));
    loop.advance(5000);
    EXPECT_TRUE(out.sounding(b));  // looping
    s.StopSound();
    EXPECT_FALSE(out.sounding(b));
    EXPECT_EQ(out.calls.back().op, Op::kRewind);
    EXPECT_FALSE(out.buffers[b].released);
}

struct OutputFailure {
    const char* name;
    void (*breakIt)(FakeSoundOutput&);
    void (*then)(sound::Sound&);
};

const OutputFailure kFailures[] = {
    {"stop", [](FakeSoundOutput& o) { o.stopFails = true; },
     [](sound::Sound& s) { s.PlaySoundEffect(Effect::kPass); }},
    {"rewind", [](FakeSoundOutput& o) { o.rewindFails = true; },
     [](sound::Sound& s) { s.StopSound(); }},
    {"volume", [](FakeSoundOutput& o) { o.attenuationFails = true; },
     [](sound::Sound& s) { s.SetSoundVolume(3000); }},
};

TEST_F(SoundFixture, AFailingOutputTurnsFunctionSoundOffButEffectsAreStillTried) {
    for (const OutputFailure& f : kFailures) {
        SCOPED_TRACE(f.name);
        out.stopFails = out.rewindFails = out.attenuationFails = false;
        s.FunctionSoundOn = true;
        s.PlaySoundEffect(Effect::kPlay);
        f.breakIt(out);
        f.then(s);
        EXPECT_FALSE(s.FunctionSoundOn);
        EXPECT_TRUE(s.SoundOn);
        out.stopFails = out.rewindFails = out.attenuationFails = false;
        int created = count(Op::kCreate);
        s.PlaySoundEffect(Effect::kYield);
        EXPECT_EQ(count(Op::kCreate), created + 1);
    }
}

TEST(SoundStartUp, WithoutAnOutputEverythingRunsSilently) {
    platform::FakeEventLoop loop;
    FakeSoundOutput out{loop};
    out.initSucceeds = false;
    sound::Sound s{out, kFolder};
    s.startUp();
    EXPECT_FALSE(s.FunctionSoundOn);
    EXPECT_TRUE(s.SoundOn);
    EXPECT_TRUE(s.MusicOn);
    EXPECT_EQ(s.SoundList[6], kFolder + "/../common/music/tishi.wav");
    // Every operation works and the output hears of none of them.
    s.PlaySoundEffect(Effect::kPlay);
    s.FunctionSoundOn = true;
    s.PlaySoundEffect(Effect::kCountdownWarning);
    s.PlayVoice("/v/a.wav", 2);
    s.SetSoundVolume(3000);
    s.StopSound();
    s.flipMusic();
    s.flipMusic();
    s.shutDown();
    ASSERT_EQ(out.calls.size(), 1u);
    EXPECT_EQ(out.calls[0].op, Op::kInit);
}

TEST(SoundStartUp, NullOutputFailsToStart) {
    platform::NullSoundOutput out;
    sound::Sound s{out, kFolder};
    s.startUp();
    EXPECT_FALSE(s.FunctionSoundOn);
    EXPECT_FALSE(s.outputReady());
}

TEST_F(SoundFixture, ShutDownStopsTheEffectOnlyWhileFunctionSoundIsOn) {
    s.PlaySound(fileOf(Effect::kBurn), true);
    int b = out.lastBufferOf(fileOf(Effect::kBurn));
    s.FunctionSoundOn = false;
    s.shutDown();
    EXPECT_TRUE(out.sounding(b));
    s.FunctionSoundOn = true;
    s.shutDown();
    EXPECT_FALSE(out.sounding(b));
}

TEST(SoundPaths, VoiceFileIsTheVoiceSlotThenTheDigits) {
    platform::NullSoundOutput out;
    sound::Sound s{out, kFolder};
    EXPECT_EQ(s.voiceFile("1210003"), "1210003.wav");
    s.SoundList[7] = "/voices/";
    EXPECT_EQ(s.voiceFile("1210003"), "/voices/1210003.wav");
}

TEST(SoundGain, AttenuationMapsToLinearGain) {
    struct Case {
        int hundredthsDb;
        double gain;
    } cases[] = {{0, 1.0},      {-2000, 0.1},  {-800, 0.398107}, {-3000, 0.0316228},
                 {-10000, 0.0}, {-12000, 0.0}, {500, 1.0}};
    for (const Case& c : cases)
        EXPECT_NEAR(platform::attenuationToGain(c.hundredthsDb), c.gain, 1e-5) << c.hundredthsDb;
}

// The settings window ------------------------------------------------------------

struct SettingsFixture : SoundFixture {
    ui::WindowSystem windows;
    state::TableState state;
    platform::FakePictureDecoder decoder;
    platform::FakeHallNetwork hallNet{loop};
    platform::FakeHallBus bus{hallNet};
    platform::HallWindow hall{bus};
    pictures::Pictures pictures{resources::embeddedStore(), decoder, windows.form("MainForm"),
                                hall};
    bool picturesLoaded = (pictures.load(1.0), true);
    sound::SettingsWindow w{windows, s, state, pictures};
    ui::Form& VosSet = w.VosSet;

    std::string shown(const char* name, int index) {
        const ui::PicturePtr& p = VosSet.at(name, index).picture;
        return p ? p->key : "";
    }
    void click(const char* name, int index) {
        VosSet.fire(&VosSet.at(name, index), ui::EventKind::kClick);
    }
};

TEST_F(SettingsFixture, OpensWithTheSwitchPicturesAndTheTableColour) {
    EXPECT_EQ(VosSet.name(), "VosSet");
    EXPECT_EQ(VosSet.caption, "音效设置");
    EXPECT_EQ(VosSet.pixelWidth(), 220);
    EXPECT_EQ(VosSet.pixelHeight(), 330);
    state.PlayerInfo[0].textB = "00";
    VosSet.show();
    for (int row = 0; row < 3; ++row) EXPECT_EQ(shown("Command2", row), "res:174") << row;
    EXPECT_EQ(shown("Command2", 3), "res:176");
    EXPECT_EQ(shown("Command1", 0), "res:170");
    EXPECT_EQ(shown("Command1", 1), "res:172");
    ui::Control& okButton = VosSet.at("Command1", 0);
    ui::Control& cancelButton = VosSet.at("Command1", 1);
    EXPECT_EQ(okButton.left, 28);
    EXPECT_EQ(okButton.top, 264);
    EXPECT_EQ(okButton.width, 65);
    EXPECT_EQ(okButton.height, 30);
    EXPECT_DOUBLE_EQ(cancelButton.left, 28 + 1.4 * 65);
    // The window's own design (with the row labels) is its background; the switches
    // are one row apart (the labels' 26 pixels and 3 between).
    ASSERT_TRUE(VosSet.picture);
    EXPECT_EQ(VosSet.picture->key, "design:VosSet");
    for (int row = 1; row < 4; ++row)
        EXPECT_EQ(VosSet.at("Command2", row).top, VosSet.at("Command2", row - 1).top + 29);
}

TEST_F(SettingsFixture, AnyOtherTableColourShowsGreen) {
    state.PlayerInfo[0].textB = "01";
    VosSet.show();
    EXPECT_EQ(shown("Command2", 3), "res:177");
}

TEST_F(SettingsFixture, SystemSoundOffThenCancelTurnsItBackOnAndOkKeepsItOff) {
    for (bool pressOk : {false, true}) {
        SCOPED_TRACE(pressOk ? "OK" : "cancel");
        VosSet.show();
        click("Command2", 1);
        EXPECT_FALSE(s.SoundOn);
        EXPECT_EQ(shown("Command2", 1), "res:175");
        EXPECT_TRUE(w.pending[1]);
        click("Command1", pressOk ? 0 : 1);
        EXPECT_FALSE(VosSet.visible);
        EXPECT_EQ(w.pending, (std::array<bool, 4>{}));
        EXPECT_EQ(s.SoundOn, !pressOk);
        EXPECT_EQ(shown("Command2", 1), pressOk ? "res:175" : "res:174");
        loop.advance(1000);
        s.PlaySoundEffect(Effect::kPlay);
        EXPECT_EQ(sounding().size(), pressOk ? 0u : 1u);
        s.SoundOn = true;  // for the next round
        VosSet.at("Command2", 1).picture = nullptr;
    }
}

TEST_F(SettingsFixture, CancelOnlyUndoesRowsChangedAnOddNumberOfTimes) {
    VosSet.show();
    click("Command2", 2);  // 功能声音 off
    click("Command2", 2);  // and on again: no longer pending
    click("Command2", 1);  // 系统声音 off
    click("Command2", 3);  // table colour: only marked
    EXPECT_EQ(w.pending, (std::array<bool, 4>{false, true, false, true}));
    EXPECT_TRUE(s.FunctionSoundOn);
    click("Command1", 1);
    EXPECT_TRUE(s.SoundOn);
    EXPECT_TRUE(s.FunctionSoundOn);
    EXPECT_EQ(shown("Command2", 2), "res:174");
    EXPECT_EQ(shown("Command2", 3), "res:177");
}

TEST_F(SettingsFixture, MusicRowStopsAndRestartsTheMusicSlot) {
    s.SoundList[1] = "/music/bg.wav";
    VosSet.show();
    // Turning music on plays slot 1 looping at full volume; turning it off stops it.
    s.MusicOn = false;
    click("Command2", 0);
    EXPECT_TRUE(s.MusicOn);
    int bg = out.lastBufferOf("/music/bg.wav");
    ASSERT_GE(bg, 0);
    loop.advance(10000);
    EXPECT_TRUE(out.sounding(bg));
    EXPECT_EQ(out.buffers[bg].attenuation, 0);
    EXPECT_EQ(shown("Command2", 0), "res:174");
    click("Command1", 0);
    VosSet.show();
    click("Command2", 0);
    EXPECT_FALSE(s.MusicOn);
    EXPECT_FALSE(out.sounding(bg));
    EXPECT_EQ(shown("Command2", 0), "res:175");
    // Cancel flips it back, music and picture.
    click("Command1", 1);
    EXPECT_TRUE(s.MusicOn);
    EXPECT_EQ(out.playedPaths().back(), "/music/bg.wav");
    EXPECT_TRUE(out.sounding(out.lastBufferOf("/music/bg.wav")));
    EXPECT_EQ(shown("Command2", 0), "res:174");
}

TEST_F(SettingsFixture, MusicOnWithAnEmptySlotStopsTheEffectAndPlaysNothing) {
    VosSet.show();
    s.MusicOn = false;
    s.PlaySoundEffect(Effect::kBurn);
    click("Command2", 0);
    EXPECT_TRUE(s.MusicOn);
    EXPECT_TRUE(sounding().empty());
    EXPECT_TRUE(s.FunctionSoundOn);
}

TEST_F(SettingsFixture, OpenedAfterAFailedOutputTheFunctionRowOffersToTurnItOn) {
    s.FunctionSoundOn = false;
    VosSet.show();
    EXPECT_EQ(shown("Command2", 2), "res:175");
    click("Command2", 2);
    EXPECT_TRUE(s.FunctionSoundOn);
    EXPECT_EQ(shown("Command2", 2), "res:174");
}

}  // namespace

// The client's start-up -----------------------------------------------------------

namespace {

using SoundStartUpInClient = ClientFixture;

TEST_F(SoundStartUpInClient, TheTableStartsItsSoundFromTheProgramFolder) {
    fp.shell.folder = "/srv/hall/dravik";
    ASSERT_TRUE(start("me$key$127.0.0.1$2000$home$"));
    app::Client& c = *client;
    EXPECT_TRUE(c.sound.outputReady());
    EXPECT_EQ(c.sound.SoundList[6], "/srv/hall/dravik/../common/music/tishi.wav");
    ASSERT_FALSE(fp.sound.calls.empty());
    EXPECT_EQ(fp.sound.calls.front().op, Op::kInit);
    c.sound.PlaySoundEffect(Effect::kDeal);
    EXPECT_EQ(fp.sound.soundingPaths(),
              std::vector<std::string>{"/srv/hall/dravik/../common/pk/sys010.wav"});
    // The settings window belongs to the table and finds its pictures.
    ui::Form& vosSet = fp.windows.form("VosSet");
    vosSet.show();
    ASSERT_TRUE(vosSet.at("Command2", 1).picture);
    EXPECT_EQ(vosSet.at("Command2", 1).picture->key, "res:174");
}

TEST_F(SoundStartUpInClient, WithoutASoundDeviceTheTableStillStarts) {
    fp.sound.initSucceeds = false;
    ASSERT_TRUE(start("me$key$127.0.0.1$2000$home$"));
    EXPECT_FALSE(client->sound.FunctionSoundOn);
    EXPECT_TRUE(client->sound.SoundOn);
    EXPECT_EQ(fp.sound.calls.size(), 1u);
}

}  // namespace

// Closing the table window ------------------------------------------------------

namespace {

using TableWindowClose = ClientFixture;

TEST_F(TableWindowClose, SilencesTheTableClosesTheOtherWindowsAndEndsTheProcess) {
    ASSERT_TRUE(start("me$key$127.0.0.1$2000$home$"));
    app::Client& c = *client;
    c.sound.PlaySoundEffect(Effect::kDeal);
    ASSERT_FALSE(fp.sound.soundingPaths().empty());
    ui::Form& vosSet = fp.windows.form("VosSet");
    vosSet.show();
    ASSERT_TRUE(fp.hall.isOpen());
    int status = -1;
    try {
        c.MainForm.unload();
    } catch (const platform::ProcessEnd& end) {
        status = end.status;
    }
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(fp.sound.soundingPaths().empty());
    EXPECT_FALSE(vosSet.loaded());
    EXPECT_FALSE(fp.hall.isOpen());
    EXPECT_EQ(c.connection.send.SendRing.pending(), 0u) << "no leave packet on this path";
}

}  // namespace
