// The sound files of the built tree: every effect of the catalogue lies beside the
// program folder as the hall installs it, and is a 16-bit PCM WAV the output can
// play. Also the WAV reader that the output uses to refuse broken files.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "sound/effects.h"
#include "sound/wav.h"

namespace {

TEST(SoundFiles, EveryCatalogueFileIsInTheBuiltTreeAsA16BitPcmWav) {
    const std::string programFolder = std::string(DRAVIK_BINARY_DIR) + "/tree/dravik";
    for (const sound::EffectEntry& e : sound::kEffects) {
        std::string path = programFolder + std::string(e.file);
        auto f = sound::readWavFile(path);
        ASSERT_TRUE(f) << e.name << ": missing or not a WAV file: " << path;
        EXPECT_EQ(f->formatTag, 1) << e.name;
        EXPECT_EQ(f->bitsPerSample, 16) << e.name;
        EXPECT_EQ(f->channels, 1) << e.name;
        EXPECT_GE(f->sampleRate, 8000) << e.name;
        // At least 20 ms of sound, and the data ends on a whole sample.
        EXPECT_GE(f->dataBytes, std::size_t(f->sampleRate) * 2 / 50) << e.name;
        EXPECT_EQ(f->dataBytes % 2, 0u) << e.name;
    }
}

TEST(SoundFiles, EveryEffectHasItsOwnFile) {
    for (std::size_t i = 0; i < sound::kEffects.size(); ++i)
        for (std::size_t j = i + 1; j < sound::kEffects.size(); ++j)
            EXPECT_NE(sound::kEffects[i].file, sound::kEffects[j].file);
}

TEST(WavReader, ReadsWhatTheEncoderWritesAndRefusesBrokenFiles) {
    std::vector<std::uint8_t> good = sound::encodeWav({0, 1000, -1000, 32767}, 22050);
    auto f = sound::parseWav(good);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->sampleRate, 22050);
    EXPECT_EQ(f->dataBytes, 8u);

    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    auto truncated = good;
    truncated.resize(good.size() - 3);  // the data chunk claims more than is there
    auto noRiff = good;
    noRiff[0] = 'X';
    auto hugeChunk = good;
    hugeChunk[16] = hugeChunk[17] = hugeChunk[18] = hugeChunk[19] = 0xFF;  // fmt size
    auto noData = good;
    noData.resize(36);  // RIFF header and format chunk only
    Case cases[] = {{"empty", {}},        {"truncated", truncated},
                    {"not RIFF", noRiff}, {"huge chunk", hugeChunk},
                    {"no data", noData},  {"short", {'R', 'I', 'F', 'F'}}};
    for (const Case& c : cases) EXPECT_FALSE(sound::parseWav(c.bytes)) << c.name;
    EXPECT_FALSE(sound::readWavFile("/nonexistent/x.wav"));
}

}  // namespace

namespace {

// The quick replies of the built tree: the phrase file in the program folder, and,
// when the build had a speech synthesizer, every voice file a phrase code can name
// (man and woman, partner and opponent variant) as a PCM WAV the output plays.
TEST(SoundFiles, EveryQuickReplyHasItsFourVoices) {
    const std::string tree = std::string(DRAVIK_BINARY_DIR) + "/tree";
    std::ifstream ini(tree + "/dravik/chat.ini");
    ASSERT_TRUE(ini) << "the build writes chat.ini into the program folder";
    std::string line;
    int phrases = 0;
    while (std::getline(ini, line))
        if (line.rfind("num=", 0) == 0) phrases = std::stoi(line.substr(4));
    EXPECT_GE(phrases, 12);
    if (!std::ifstream(tree + "/common/voice/.voices-generated"))
        GTEST_SKIP() << "built without espeak-ng: the quick replies are silent";
    for (int index = 0; index < phrases; ++index)
        for (const char* voice : {"100", "101", "110", "111"}) {
            char name[32];
            std::snprintf(name, sizeof name, "%s1%03d.wav", voice, index);
            auto f = sound::readWavFile(tree + "/common/voice/" + name);
            ASSERT_TRUE(f) << name;
            EXPECT_EQ(f->formatTag, 1) << name;
            EXPECT_GE(f->channels, 1) << name;
            // At least half a second of speech.
            EXPECT_GE(f->dataBytes, std::size_t(f->sampleRate) * f->channels) << name;
        }
}

}  // namespace
