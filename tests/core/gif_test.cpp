// The animated-picture control: reading the records, composing the frames with
// their disposal and transparency pixel by pixel, fitting and mirroring, playing in
// virtual time with its loop count, the actions, hiding, downloads, the picture
// property and the saved properties, and the table's own flame pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "gif/ani_gif.h"
#include "gif_builder.h"
#include "platform/fake/fake_event_loop.h"
#include "platform/fake/fake_network_fetch.h"
#include "platform/fake/fake_picture_decoder.h"
#include "resources/embedded_resources.h"
#include "ui/window_system.h"

using giftest::Bytes;
using giftest::GifBuilder;

namespace {

constexpr std::uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF;
// Index 3 is the one the transparent frames name.
const std::vector<std::uint32_t> kColours = {R, G, B, W};

struct Player : ::testing::Test {
    platform::FakeEventLoop loop;
    platform::FakePictureDecoder pictures;
    platform::FakeNetworkFetch fetch{loop};
    ui::WindowSystem ws;
    ui::Control& control = ws.form("MainForm").add("ShaoPaiPlayer", ui::ControlKind::kImage);
    gif::ucAniGIF player{control, loop, pictures, fetch};
    int completed = 0;
    std::vector<int> lastFrames;

    Player() {
        control.move(0, 0, 150, 150);
        player.onLoopsCompleted = [this] { ++completed; };
        player.onLastFrameShown = [this](int frame) { lastFrames.push_back(frame); };
    }

    // The shown picture as rows of letters: R G B W for the colours, K black,
    // '.' where the background shows.
    std::vector<std::string> shown() {
        const platform::FakePixels* px = platform::fakePixels(control.picture);
        if (!px) return {};
        std::vector<std::string> rows;
        for (int y = 0; y < px->height; ++y) {
            std::string row;
            for (int x = 0; x < px->width; ++x) {
                std::uint32_t p = px->at(x, y);
                switch (p) {
                    case 0xFFFF0000:
                        row += 'R';
                        break;
                    case 0xFF00FF00:
                        row += 'G';
                        break;
                    case 0xFF0000FF:
                        row += 'B';
                        break;
                    case 0xFFFFFFFF:
                        row += 'W';
                        break;
                    case 0xFF000000:
                        row += 'K';
                        break;
                    default:
                        row += (p >> 24) == 0 ? '.' : '?';
                }
            }
            rows.push_back(row);
        }
        return rows;
    }

    void advanceTo(std::int64_t ms) { loop.advance(ms - loop.nowMs()); }
};

// ---- Reading the records ----

struct ParseCase {
    const char* name;
    Bytes file;
    std::size_t frames;
    int loops;
    int width, height;
    std::vector<int> disposals;
};

std::vector<ParseCase> parseCases() {
    const std::vector<std::uint8_t> one(4, 0);
    return {
        {"Gif87aInLowerCase",
         GifBuilder(2, 2, kColours, "gif87a").image(0, 0, 2, 2, one).bytes(),
         1,
         0,
         2,
         2,
         {0}},
        {"UnknownVersionRefused",
         GifBuilder(2, 2, kColours, "GIF90a").image(0, 0, 2, 2, one).bytes(),
         0,
         0,
         0,
         0,
         {}},
        {"NotAGif", Bytes{'P', 'N', 'G', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 0, 0, 0, 0, {}},
        {"NetscapeCountBecomesLoops",
         GifBuilder(2, 2, kColours).netscape(7).image(0, 0, 2, 2, one).bytes(),
         1,
         7,
         2,
         2,
         {0}},
        {"NetscapeIdentifierInAnyCase",
         GifBuilder(2, 2, kColours).netscape(4, "netscape2.0").image(0, 0, 2, 2, one).bytes(),
         1,
         4,
         2,
         2,
         {0}},
        {"OtherApplicationIgnored",
         GifBuilder(2, 2, kColours).netscape(4, "ANIMEXTS1.0").image(0, 0, 2, 2, one).bytes(),
         1,
         0,
         2,
         2,
         {0}},
        {"DisposalAboveThreeIsZero",
         GifBuilder(2, 2, kColours)
             .control(1, 0)
             .image(0, 0, 2, 2, one)
             .control(5, 0)
             .image(0, 0, 2, 2, one)
             .bytes(),
         2,
         0,
         2,
         2,
         {1, 0}},
        {"DisposalThreeOnTheFirstFrameIsZero",
         GifBuilder(2, 2, kColours)
             .control(3, 0)
             .image(0, 0, 2, 2, one)
             .control(3, 0)
             .image(0, 0, 2, 2, one)
             .bytes(),
         2,
         0,
         2,
         2,
         {0, 3}},
        {"DataOfTwoBytesDropped",
         GifBuilder(2, 2, kColours)
             .image(0, 0, 2, 2, one)
             .raw({0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0, 8, 0})
             .image(1, 1, 2, 2, one)
             .bytes(),
         2,
         0,
         3,
         3,
         {0, 0}},
        {"FrameWithoutAnyColourTableEndsTheParse",
         GifBuilder(4, 4)
             .image(0, 0, 2, 2, one, kColours)
             .image(0, 0, 3, 3, std::vector<std::uint8_t>(9, 0))
             .image(0, 0, 4, 4, std::vector<std::uint8_t>(16, 0), kColours)
             .bytes(),
         1,
         0,
         2,
         2,
         {0}},
        {"OverallSizeIsTheLargestEdges",
         GifBuilder(1, 1, kColours).image(3, 0, 2, 2, one).image(0, 5, 1, 1, {0}).bytes(),
         2,
         0,
         5,
         6,
         {0, 0}},
        {"UnknownIntroducerEndsTheParse",
         GifBuilder(2, 2, kColours)
             .image(0, 0, 2, 2, one)
             .raw({0x99})
             .image(0, 0, 2, 2, one)
             .bytes(),
         1,
         0,
         2,
         2,
         {0}},
        {"FrameBeyondTheSizeLimitEndsTheParse",
         GifBuilder(2, 2, kColours)
             .image(0, 0, 2, 2, one)
             .image(gif::kMaxEdge - 1, 0, 2, 2, one)
             .bytes(),
         1,
         0,
         2,
         2,
         {0}},
    };
}

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class GifParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(GifParse, RecordsAsTheFileGivesThem) {
    const ParseCase& c = GetParam();
    gif::GifFile f = gif::parseGif(c.file);
    ASSERT_EQ(f.frames.size(), c.frames);
    EXPECT_EQ(f.loops, c.loops);
    EXPECT_EQ(f.width, c.width);
    EXPECT_EQ(f.height, c.height);
    for (std::size_t i = 0; i < c.disposals.size() && i < f.frames.size(); ++i)
        EXPECT_EQ(f.frames[i].disposal, c.disposals[i]) << "frame " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Cases, GifParse, ::testing::ValuesIn(parseCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GifRecords, PalettesDelaysTransparencyAndStripOffsets) {
    gif::GifFile f = gif::parseGif(GifBuilder(4, 4, kColours)
                                       .control(2, 7, 3)
                                       .solid(0, 0, 3, 2, 0)
                                       .control(1, 0)
                                       .solid(1, 1, 2, 3, 1, {B, W})
                                       .solid(0, 0, 1, 1, 0, {G, R})
                                       .bytes());
    ASSERT_EQ(f.frames.size(), 3u);
    ASSERT_EQ(f.palettes.size(), 3u);
    EXPECT_EQ(f.palettes[0].count, 4);
    EXPECT_EQ(f.palettes[1].colors[0], B);
    EXPECT_EQ(f.palettes[2].colors[1], R);
    EXPECT_EQ(f.frames[0].palette, 0);
    EXPECT_EQ(f.frames[1].palette, 1);
    EXPECT_EQ(f.frames[2].palette, 2);
    EXPECT_EQ(f.frames[0].delayMs, 70);
    EXPECT_TRUE(f.frames[0].transparent);
    EXPECT_EQ(f.frames[0].transparentIndex, 3);
    // A frame without its own graphic control record has none of the previous one's.
    EXPECT_FALSE(f.frames[2].transparent);
    EXPECT_EQ(f.frames[2].delayMs, 0);
    EXPECT_EQ(f.frames[1].stripOffset, 3);
    EXPECT_EQ(f.frames[2].stripOffset, 5);
    EXPECT_EQ(f.stripWidth, 6);
    EXPECT_EQ(f.stripHeight, 3);
}

// ---- Truncated and corrupt files ----

TEST_F(Player, TruncatedFileKeepsTheFramesBeforeTheCut) {
    GifBuilder b(2, 2, kColours);
    b.control(0, 5).solid(0, 0, 2, 2, 0);
    const std::size_t afterFirst = b.size();
    b.control(0, 5).solid(0, 0, 2, 2, 1);
    const std::size_t afterSecond = b.size();
    b.control(0, 5).solid(0, 0, 2, 2, 2);
    const Bytes whole = b.bytes();
    struct Cut {
        std::size_t at;
        int frames;
    };
    for (Cut cut : {Cut{5, 0}, Cut{13 + 6, 0}, Cut{afterFirst + 4, 1}, Cut{afterFirst + 20, 1},
                    Cut{afterSecond - 1, 1}, Cut{afterSecond, 2}, Cut{whole.size() - 1, 3}}) {
        Bytes part(whole.begin(), whole.begin() + static_cast<long>(cut.at));
        EXPECT_EQ(player.LoadAnimatedGIF_Array(part), cut.frames > 0) << "cut at " << cut.at;
        EXPECT_EQ(player.FrameCount(), cut.frames) << "cut at " << cut.at;
        EXPECT_EQ(control.picture != nullptr, cut.frames > 0) << "cut at " << cut.at;
    }
}

TEST_F(Player, CorruptImageDataFillsTheFrameWithItsTransparentIndex) {
    player.setStretch(4);
    player.setDelayAnimation(gif::kDoNotStart);
    const Bytes garbage = {8, 4, 0xFF, 0xFF, 0xFF, 0xFF, 0};  // codes past the table
    const Bytes badCodeSize = {12, 2, 0, 0, 0};               // no GIF codes are that wide
    for (const Bytes& data : {garbage, badCodeSize}) {
        Bytes file = GifBuilder(2, 2, kColours)
                         .solid(0, 0, 2, 2, 1)
                         .control(0, 0, 3)
                         .raw({0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0})
                         .raw(data)
                         .bytes();
        ASSERT_TRUE(player.LoadAnimatedGIF_Array(file));
        ASSERT_EQ(player.FrameCount(), 2);
        player.setAction(gif::kActionStep);
        EXPECT_EQ(shown(), (std::vector<std::string>{"GG", "GG"}));
    }
}

TEST_F(Player, NothingLoadedFromMissingFileOrNonGif) {
    ASSERT_TRUE(
        player.LoadAnimatedGIF_Array(GifBuilder(2, 2, kColours).solid(0, 0, 2, 2, 0).bytes()));
    EXPECT_FALSE(player.LoadAnimatedGIF_File("/nonexistent/dir/x.gif"));
    EXPECT_EQ(player.FrameCount(), 0);
    EXPECT_EQ(control.picture, nullptr);
    EXPECT_EQ(player.LoopsRemaining(), -1);
    EXPECT_FALSE(player.LoadAnimatedGIF_Array(Bytes{'G', 'I', 'F'}));
    EXPECT_FALSE(player.LoadAnimatedGIF_Array(GifBuilder(2, 2, kColours).bytes()));  // no frame
    EXPECT_EQ(player.Action(), gif::kStopped);
}

TEST_F(Player, LoadsFromAFile) {
    const std::string path = ::testing::TempDir() + "/dravik_gif_test.gif";
    Bytes file = GifBuilder(3, 2, kColours).solid(0, 0, 3, 2, 2).solid(0, 0, 1, 1, 0).bytes();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    player.setStretch(4);
    EXPECT_TRUE(player.LoadAnimatedGIF_File(path));
    EXPECT_EQ(player.FrameCount(), 2);
    EXPECT_EQ(shown(), (std::vector<std::string>{"BBB", "BBB"}));
    std::filesystem::remove(path);
}

// ---- Composition ----

struct CompositionCase {
    const char* name;
    Bytes file;
    std::vector<std::vector<std::string>> frames;  // what each frame in turn shows
};

std::vector<CompositionCase> compositionCases() {
    return {
        {"DisposalTwoWithTransparencyShowsTheBackground",
         GifBuilder(4, 4, kColours)
             .control(1, 10)
             .solid(0, 0, 4, 4, 0)
             .control(2, 10, 3)
             .image(1, 1, 2, 2, {1, 1, 1, 3})
             .control(0, 10)
             .solid(0, 0, 1, 1, 2)
             .bytes(),
         {{"RRRR", "RRRR", "RRRR", "RRRR"},
          {"RRRR", "RGGR", "RGRR", "RRRR"},
          {"BRRR", "R..R", "R..R", "RRRR"},
          {"RRRR", "RRRR", "RRRR", "RRRR"}}},
        {"DisposalTwoWithoutTransparencyClearsToBlack",
         GifBuilder(2, 2, kColours)
             .control(2, 10)
             .solid(0, 0, 2, 2, 0)
             .control(0, 10)
             .solid(1, 1, 1, 1, 1)
             .bytes(),
         {{"RR", "RR"}, {"KK", "KG"}}},
        {"DisposalThreePutsBackWhatWasBelow",
         GifBuilder(4, 4, kColours)
             .control(0, 10)
             .solid(0, 0, 4, 4, 0)
             .control(3, 10)
             .solid(0, 0, 2, 2, 1)
             .control(0, 10, 3)
             .image(2, 2, 2, 2, {2, 2, 2, 3})
             .bytes(),
         {{"RRRR", "RRRR", "RRRR", "RRRR"},
          {"GGRR", "GGRR", "RRRR", "RRRR"},
          {"RRRR", "RRRR", "RRBB", "RRBR"}}},
        {"DisposalThreeOnTheFirstFrameLeavesIt",
         GifBuilder(2, 2, kColours)
             .control(3, 10)
             .solid(0, 0, 2, 2, 0)
             .control(0, 10)
             .solid(0, 0, 1, 1, 1)
             .bytes(),
         {{"RR", "RR"}, {"GR", "RR"}}},
        {"UncoveredPartsShowTheBackground",
         GifBuilder(3, 2, kColours)
             .control(1, 10, 3)
             .image(0, 0, 2, 1, {0, 3})
             .control(1, 10)
             .solid(2, 1, 1, 1, 2)
             .bytes(),
         {{"R..", "..."}, {"R..", "..B"}}},
        {"LocalPaletteOfEachFrame",
         GifBuilder(2, 1, kColours).solid(0, 0, 2, 1, 0).image(0, 0, 2, 1, {0, 1}, {W, B}).bytes(),
         {{"RR"}, {"WB"}}},
        {"InterlacedFrameInRowOrder",
         GifBuilder(1, 5, kColours).image(0, 0, 1, 5, {0, 1, 2, 3, 0}, {}, true).bytes(),
         {{"R", "G", "B", "W", "R"}}},
    };
}

void PrintTo(const CompositionCase& c, std::ostream* os) { *os << c.name; }

class GifComposition : public Player, public ::testing::WithParamInterface<CompositionCase> {};

TEST_P(GifComposition, EachFrameAsDrawnByHand) {
    const CompositionCase& c = GetParam();
    player.setStretch(4);
    player.setDelayAnimation(gif::kDoNotStart);
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(c.file));
    for (std::size_t k = 0; k < c.frames.size(); ++k) {
        if (k > 0) player.setAction(gif::kActionStep);
        EXPECT_EQ(shown(), c.frames[k]) << "frame shown " << k + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, GifComposition, ::testing::ValuesIn(compositionCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Player, PlayingByTheTimerComposesAsSteppingDoes) {
    player.setStretch(4);
    player.setDelayAnimation(0);
    const CompositionCase c = compositionCases()[0];
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(c.file));
    const auto& frames = c.frames;
    for (std::size_t k = 0; k < frames.size(); ++k) {
        advanceTo(100 * static_cast<int>(k));
        EXPECT_EQ(shown(), frames[k]) << "at " << loop.nowMs();
    }
}

// ---- Fitting ----

struct StretchCase {
    int stretch;
    double W, H;
    int pictureW, pictureH;
    double controlW, controlH;
};

TEST_F(Player, StretchSizesThePictureAndTheControl) {
    const Bytes file = GifBuilder(40, 20, kColours).solid(0, 0, 40, 20, 0).bytes();
    const StretchCase cases[] = {
        {0, 30, 30, 30, 20, 30, 30},  // clipped; a load in mode 0 keeps the control's size
        {0, 50, 10, 40, 10, 50, 10},
        {1, 80, 80, 80, 40, 80, 40},  // the smaller factor in both directions
        {1, 20, 20, 20, 10, 20, 10},
        {1, 30, 100, 30, 15, 30, 15},
        {2, 80, 30, 80, 30, 80, 30},  // each direction on its own
        {2, 10, 30, 10, 30, 10, 30},
        {3, 80, 80, 40, 20, 40, 20},  // only shrinks
        {3, 20, 30, 20, 10, 20, 10},
        {4, 10, 10, 40, 20, 40, 20},  // the animation's own size
    };
    for (const StretchCase& c : cases) {
        player.setStretch(c.stretch);
        control.move(5, 7, c.W, c.H);
        ASSERT_TRUE(player.LoadAnimatedGIF_Array(file));
        SCOPED_TRACE("stretch " + std::to_string(c.stretch) + " in " + std::to_string(c.W) + "x" +
                     std::to_string(c.H));
        ASSERT_TRUE(control.picture);
        EXPECT_EQ(control.picture->width, c.pictureW);
        EXPECT_EQ(control.picture->height, c.pictureH);
        EXPECT_EQ(control.width, c.controlW);
        EXPECT_EQ(control.height, c.controlH);
        EXPECT_EQ(control.left, 5);
    }
}

TEST_F(Player, ChangingStretchOrSizeRefitsTheShownFrame) {
    control.move(0, 0, 100, 100);
    ASSERT_TRUE(
        player.LoadAnimatedGIF_Array(GifBuilder(40, 20, kColours).solid(0, 0, 40, 20, 0).bytes()));
    EXPECT_EQ(control.width, 100);  // mode 1: 2.5 times
    EXPECT_EQ(control.height, 50);
    player.setStretch(4);
    EXPECT_EQ(control.picture->width, 40);
    EXPECT_EQ(control.width, 40);
    player.setStretch(7);  // ignored
    EXPECT_EQ(player.Stretch(), 4);
    player.setStretch(2);
    player.resize(10, 60);
    EXPECT_EQ(control.picture->width, 10);
    EXPECT_EQ(control.picture->height, 60);
    EXPECT_EQ(control.width, 10);
}

TEST_F(Player, ScaledFramesKeepTheirColoursAndAverageWhenShrunk) {
    player.setStretch(2);
    control.move(0, 0, 4, 2);
    ASSERT_TRUE(
        player.LoadAnimatedGIF_Array(GifBuilder(2, 1, kColours).image(0, 0, 2, 1, {0, 1}).bytes()));
    EXPECT_EQ(shown(), (std::vector<std::string>{"RRGG", "RRGG"}));
    control.move(0, 0, 1, 1);
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(
        GifBuilder(2, 2, kColours).image(0, 0, 2, 2, {0, 1, 2, 3}).bytes()));
    const platform::FakePixels* px = platform::fakePixels(control.picture);
    ASSERT_TRUE(px);
    EXPECT_EQ(px->at(0, 0), 0xFF808080u);  // red, green, blue and white in equal parts
}

// ---- Mirroring ----

TEST_F(Player, MirroredFlipsTheFramesAndMovesThemAcross) {
    player.setStretch(4);
    player.setDelayAnimation(gif::kDoNotStart);
    const Bytes file = GifBuilder(4, 2, kColours)
                           .control(1, 10)
                           .image(0, 0, 4, 2, {0, 1, 2, 3, 0, 0, 0, 0})
                           .control(1, 10, 3)
                           .image(0, 0, 2, 1, {2, 3})
                           .bytes();
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(file));
    player.setAction(gif::kActionStep);
    EXPECT_EQ(shown(), (std::vector<std::string>{"BGBW", "RRRR"}));
    struct Case {
        int style;
        std::vector<std::string> frame2;
    };
    for (const Case& c :
         {Case{gif::kMirrorLeftRight, {"WBGB", "RRRR"}},
          Case{gif::kMirrorLeftRight | gif::kMirrorTopBottom, {"RRRR", "WBGB"}},
          Case{gif::kMirrorTopBottom, {"RRRR", "BGBW"}}, Case{0, {"BGBW", "RRRR"}}}) {
        player.setMirrored(c.style);
        EXPECT_EQ(shown(), c.frame2) << "Mirrored " << c.style;
        // Frame 1 then frame 2 again: the same picture drawn afresh.
        player.setAction(gif::kActionStep);
        player.setAction(gif::kActionStep);
        EXPECT_EQ(shown(), c.frame2) << "Mirrored " << c.style << " after a pass";
    }
    player.setMirrored(5);  // ignored
    EXPECT_EQ(player.Mirrored(), 0);
    // A file loaded while mirrored is shown mirrored.
    player.setMirrored(gif::kMirrorLeftRight);
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(file));
    EXPECT_EQ(shown(), (std::vector<std::string>{"WBGR", "RRRR"}));
}

// ---- kPlaying ----

struct Checkpoint {
    std::int64_t at;
    int frame;
    int state;
};

struct TimingCase {
    const char* name;
    Bytes file;
    std::function<void(gif::ucAniGIF&)> before, after;  // around the load
    std::vector<Checkpoint> timeline;
    int completions;
};

Bytes threeFrames(int delay, int loops = -1) {
    GifBuilder b(2, 2, kColours);
    if (loops >= 0) b.netscape(loops);
    for (int i = 0; i < 3; ++i) b.control(2, delay).solid(0, 0, 2, 2, static_cast<std::uint8_t>(i));
    return b.bytes();
}

std::vector<TimingCase> timingCases() {
    auto nothing = [](gif::ucAniGIF&) {};
    auto noEarlyFrame = [](gif::ucAniGIF& p) { p.setDelayAnimation(0); };
    return {
        {"LoopCountZeroPlaysForEver",
         threeFrames(10, 0),
         noEarlyFrame,
         nothing,
         {{0, 1, gif::kPlaying},
          {100, 2, gif::kPlaying},
          {200, 3, gif::kPlaying},
          {300, 1, gif::kPlaying},
          {30000, 1, gif::kPlaying},
          {30100, 2, gif::kPlaying}},
         0},
        {"LoopsOneAfterTheLoadPlaysOnceAndClears",
         threeFrames(10, 0),
         noEarlyFrame,
         [](gif::ucAniGIF& p) { p.setLoops(1); },
         {{0, 1, gif::kPlaying},
          {299, 3, gif::kPlaying},
          {300, 0, gif::kStopped},
          {5000, 0, gif::kStopped}},
         1},
        {"LoopsBeforeTheLoadReplacedByTheFilesCount",
         threeFrames(10, 2),
         [](gif::ucAniGIF& p) {
             p.setDelayAnimation(0);
             p.setLoops(1);
         },
         nothing,
         {{300, 1, gif::kPlaying}, {599, 3, gif::kPlaying}, {600, 0, gif::kStopped}},
         1},
        {"LoopsBeforeTheLoadOfAFileWithCountZeroPlaysForEver",
         threeFrames(10, 0),
         [](gif::ucAniGIF& p) {
             p.setDelayAnimation(0);
             p.setLoops(1);
         },
         nothing,
         {{300, 1, gif::kPlaying}, {9000, 1, gif::kPlaying}},
         0},
        {"FileWithoutCountPlaysForEver",
         threeFrames(10),
         noEarlyFrame,
         nothing,
         {{9000, 1, gif::kPlaying}},
         0},
        {"DelayBelowMinFrameDelayShownForMinFrameDelay",
         threeFrames(2),
         noEarlyFrame,
         nothing,
         {{49, 1, gif::kPlaying}, {50, 2, gif::kPlaying}, {100, 3, gif::kPlaying}},
         0},
        {"DelayZeroShownForMinFrameDelay",
         threeFrames(0),
         noEarlyFrame,
         nothing,
         {{49, 1, gif::kPlaying}, {50, 2, gif::kPlaying}},
         0},
        {"RaisedMinFrameDelayHoldsLongerFrames",
         threeFrames(10),
         [](gif::ucAniGIF& p) {
             p.setDelayAnimation(0);
             p.setMinFrameDelay(250);
         },
         nothing,
         {{249, 1, gif::kPlaying}, {250, 2, gif::kPlaying}},
         0},
        {"OneFrameIsNeverAnimated",
         GifBuilder(2, 2, kColours).control(0, 1).solid(0, 0, 2, 2, 0).bytes(),
         nothing,
         [](gif::ucAniGIF& p) { p.setAction(gif::kActionPlay); },
         {{0, 1, gif::kStopped}, {60000, 1, gif::kStopped}},
         0},
        {"FirstFrameEarlyTheRestTwentyMsLater",
         threeFrames(10),
         nothing,
         nothing,
         {{0, 1, gif::kStopped},
          {19, 1, gif::kStopped},
          {20, 1, gif::kPlaying},
          {119, 1, gif::kPlaying},
          {120, 2, gif::kPlaying}},
         0},
        {"DoNotStartKeepsTheFirstFrame",
         threeFrames(10),
         [](gif::ucAniGIF& p) {
             p.setDelayAnimation(gif::kShowFirstFrameEarly | gif::kDoNotStart);
         },
         nothing,
         {{0, 1, gif::kStopped}, {5000, 1, gif::kStopped}},
         0},
    };
}

void PrintTo(const TimingCase& c, std::ostream* os) { *os << c.name; }

class GifTiming : public Player, public ::testing::WithParamInterface<TimingCase> {};

TEST_P(GifTiming, FramesFollowTheirDelaysAndLoops) {
    const TimingCase& c = GetParam();
    c.before(player);
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(c.file));
    c.after(player);
    for (const Checkpoint& cp : c.timeline) {
        advanceTo(cp.at);
        EXPECT_EQ(player.currentFrame(), cp.frame) << "at " << cp.at;
        EXPECT_EQ(player.Action(), cp.state) << "at " << cp.at;
        EXPECT_EQ(control.picture == nullptr, cp.frame == 0) << "at " << cp.at;
    }
    EXPECT_EQ(completed, c.completions);
}

INSTANTIATE_TEST_SUITE_P(Cases, GifTiming, ::testing::ValuesIn(timingCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GifProperties, MinFrameDelayClampedAndLoopsAbsolute) {
    platform::FakeEventLoop loop;
    platform::FakePictureDecoder pictures;
    platform::FakeNetworkFetch fetch{loop};
    ui::WindowSystem ws;
    gif::ucAniGIF p(ws.form("F").add("a", ui::ControlKind::kImage), loop, pictures, fetch);
    const std::pair<int, int> delays[] = {{-3, 10}, {5, 10},        {10, 10},
                                          {11, 11}, {32700, 32700}, {40000, 32700}};
    for (auto [written, kept] : delays) {
        p.setMinFrameDelay(written);
        EXPECT_EQ(p.MinFrameDelay(), kept) << written;
    }
    p.setLoops(-4);
    EXPECT_EQ(p.loops(), 4);
    EXPECT_EQ(p.LoopsRemaining(), -1);  // nothing loaded
}

TEST_F(Player, ActionsStopPlayPauseStepAndRestart) {
    player.setDelayAnimation(0);
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(threeFrames(10)));
    advanceTo(150);
    player.setAction(gif::kActionPause);
    EXPECT_EQ(player.Action(), gif::kPaused);
    advanceTo(1000);
    EXPECT_EQ(player.currentFrame(), 2);
    player.setAction(gif::kActionStep);
    EXPECT_EQ(player.currentFrame(), 3);
    player.setAction(gif::kActionStep);
    EXPECT_EQ(player.currentFrame(), 1);  // wraps
    EXPECT_EQ(player.Action(), gif::kPaused);
    player.setAction(gif::kActionPlay);
    EXPECT_EQ(player.Action(), gif::kPlaying);
    advanceTo(1100);
    EXPECT_EQ(player.currentFrame(), 2);
    player.setAction(gif::kActionStop);
    EXPECT_EQ(player.currentFrame(), 0);
    EXPECT_EQ(player.Action(), gif::kStopped);
    EXPECT_EQ(control.picture, nullptr);
    EXPECT_EQ(player.AnimatedGIF(), nullptr);
    advanceTo(2000);
    EXPECT_EQ(player.currentFrame(), 0);
    player.setAction(gif::kActionRestart);
    EXPECT_EQ(player.currentFrame(), 1);
    EXPECT_EQ(player.Action(), gif::kPlaying);
    advanceTo(2100);
    EXPECT_EQ(player.currentFrame(), 2);
    player.setAction(9);  // no such action
    EXPECT_EQ(player.Action(), gif::kPlaying);
}

TEST_F(Player, LoopsRemainingCountsDownAndRestartStartsAfresh) {
    player.setDelayAnimation(0);
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(threeFrames(10)));
    EXPECT_EQ(player.LoopsRemaining(), 0);  // for ever
    player.setLoops(3);
    EXPECT_EQ(player.LoopsRemaining(), 3);
    advanceTo(300);
    EXPECT_EQ(player.LoopsRemaining(), 2);
    advanceTo(600);
    EXPECT_EQ(player.LoopsRemaining(), 1);
    player.setAction(gif::kActionRestart);
    EXPECT_EQ(player.LoopsRemaining(), 3);
    advanceTo(1500);
    EXPECT_EQ(completed, 1);
    EXPECT_EQ(player.currentFrame(), 0);
    EXPECT_EQ(player.LoopsRemaining(), 3);
}

TEST_F(Player, LastFrameShownWheneverTheLastFrameIsPainted) {
    player.setDelayAnimation(0);
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(threeFrames(10)));
    advanceTo(850);  // frames 3 at 200 and 500 and 800
    EXPECT_EQ(lastFrames, (std::vector<int>{3, 3, 3}));
    lastFrames.clear();
    ASSERT_TRUE(
        player.LoadAnimatedGIF_Array(GifBuilder(2, 2, kColours).solid(0, 0, 2, 2, 0).bytes()));
    EXPECT_EQ(lastFrames, (std::vector<int>{1}));  // a one-frame file's only frame is its last
}

TEST_F(Player, HidingPausesAndShowingResumes) {
    player.setDelayAnimation(0);
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(threeFrames(10)));
    advanceTo(150);
    player.setVisible(false);
    EXPECT_FALSE(control.visible);
    EXPECT_EQ(player.Action(), gif::kPaused);
    advanceTo(5000);
    EXPECT_EQ(player.currentFrame(), 2);
    player.setVisible(true);
    EXPECT_TRUE(control.visible);
    EXPECT_EQ(player.Action(), gif::kPlaying);
    advanceTo(5100);
    EXPECT_EQ(player.currentFrame(), 3);

    // What the user paused or what its loops stopped stays so across hide and show.
    player.setAction(gif::kActionPause);
    player.setVisible(false);
    player.setVisible(true);
    EXPECT_EQ(player.Action(), gif::kPaused);
    player.setAction(gif::kActionPlay);
    player.setLoops(1);
    advanceTo(6000);
    ASSERT_EQ(player.currentFrame(), 0);
    player.setVisible(false);
    player.setVisible(true);
    advanceTo(7000);
    EXPECT_EQ(player.currentFrame(), 0);
    EXPECT_EQ(player.Action(), gif::kStopped);

    // Hidden between a load and its deferred start (the first frame shown early), it
    // waits for the show.
    player.setDelayAnimation(gif::kShowFirstFrameEarly);
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(threeFrames(10)));
    player.setVisible(false);
    advanceTo(8000);
    EXPECT_EQ(player.currentFrame(), 1);
    EXPECT_EQ(player.Action(), gif::kPaused);
    player.setVisible(true);
    advanceTo(8100);
    EXPECT_EQ(player.currentFrame(), 2);
}

TEST_F(Player, ClearedControlStillHitsOverItsWholeRectangle) {
    player.setDelayAnimation(0);
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(threeFrames(10, 1)));
    control.move(30, 40);
    advanceTo(300);
    ASSERT_EQ(control.picture, nullptr);
    EXPECT_EQ(ws.form("MainForm").hitTest(31, 41), &control);
}

TEST_F(Player, LoadingWhileHiddenPlaysAndShowingDoesNotRestart) {
    // The table hides the control, loads the next picture and shows it again.
    player.setDelayAnimation(0);
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(threeFrames(10)));
    advanceTo(150);
    player.setVisible(false);
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(threeFrames(10)));
    player.setLoops(1);
    player.setVisible(true);
    advanceTo(250);
    EXPECT_EQ(player.currentFrame(), 2);
    advanceTo(450);
    EXPECT_EQ(player.currentFrame(), 0);
    EXPECT_EQ(completed, 1);
}

// ---- The picture property and the saved properties ----

TEST_F(Player, AnimatedGIFWriteLoadsTheStoredFileAndNothingClears) {
    player.setStretch(4);
    ui::PicturePtr decoded = pictures.decode(threeFrames(10), "res:1");
    ASSERT_TRUE(decoded && decoded->stored);
    player.setAnimatedGIF(decoded);
    EXPECT_EQ(player.FrameCount(), 3);
    EXPECT_EQ(player.AnimatedGIF(), control.picture);
    EXPECT_EQ(shown(), (std::vector<std::string>{"RR", "RR"}));
    player.setAnimatedGIF(nullptr);
    EXPECT_EQ(player.FrameCount(), 0);
    EXPECT_EQ(control.picture, nullptr);
    EXPECT_EQ(player.Action(), gif::kStopped);
    advanceTo(1000);
    EXPECT_EQ(control.picture, nullptr);
    // A picture that holds no GIF file leaves the control empty.
    auto plain = std::make_shared<ui::Picture>();
    player.setAnimatedGIF(plain);
    EXPECT_EQ(player.FrameCount(), 0);
}

TEST_F(Player, SavedPropertiesDefaultsAndKeys) {
    gif::PropertyBag empty;
    player.ReadProperties(empty);
    EXPECT_EQ(player.MinFrameDelay(), 50);
    EXPECT_EQ(player.Stretch(), 1);
    EXPECT_EQ(player.loops(), 0);
    EXPECT_EQ(player.DelayAnimation(), 1);
    EXPECT_EQ(player.Mirrored(), 0);
    EXPECT_EQ(player.MousePointer(), 0);
    EXPECT_EQ(player.MouseIcon(), nullptr);
    EXPECT_TRUE(player.Enabled());
    EXPECT_EQ(player.FrameCount(), 0);
    gif::PropertyBag written;
    player.WriteProperties(written);
    EXPECT_TRUE(written.values.empty()) << "defaults are not written";

    gif::PropertyBag bag;
    bag.values = {
        {"GIF", threeFrames(10, 0)}, {"Delay", 5},  {"Stretch", 4},      {"Loops", -2},
        {"DelayLoad", -1},           {"Mirror", 1}, {"MousePointer", 2}, {"Enabled", false}};
    player.ReadProperties(bag);
    EXPECT_EQ(player.MinFrameDelay(), 10);
    EXPECT_EQ(player.Stretch(), 4);
    EXPECT_EQ(player.loops(), 2);
    EXPECT_EQ(player.DelayAnimation(), 1);
    EXPECT_EQ(player.Mirrored(), 1);
    EXPECT_EQ(player.MousePointer(), 2);
    EXPECT_FALSE(control.enabled);
    EXPECT_EQ(player.FrameCount(), 3);
    EXPECT_EQ(control.width, 2);

    gif::PropertyBag again;
    player.WriteProperties(again);
    EXPECT_EQ(again.read("GIF", Bytes()), threeFrames(10, 0));
    EXPECT_EQ(again.read("Delay", 0), 10);
    EXPECT_EQ(again.read("Loops", 0), 2);
    EXPECT_EQ(again.read("Mirror", 0), 1);
    EXPECT_EQ(again.read("Enabled", true), false);
    EXPECT_FALSE(again.values.count("DelayLoad"));

    player.setMouseIcon(std::make_shared<ui::Picture>());
    EXPECT_EQ(player.MousePointer(), 99);
}

// ---- Downloads ----

TEST_F(Player, DownloadValidatedThenLoaded) {
    std::vector<std::pair<int, int>> validated;
    int failed = 0;
    player.onRemoteGIFValidated = [&](int w, int h, bool&) { validated.emplace_back(w, h); };
    player.onRemoteGIFFailed = [&] { ++failed; };
    player.LoadAnimatedGIF_Remote("http://example.invalid/a.gif");
    ASSERT_EQ(fetch.requests.size(), 1u);
    EXPECT_EQ(fetch.requests[0]->address, "http://example.invalid/a.gif");
    EXPECT_EQ(player.FrameCount(), 0);
    Bytes file =
        GifBuilder(300, 2, kColours).netscape(0).solid(0, 0, 2, 2, 0).solid(0, 0, 2, 2, 1).bytes();
    fetch.answer(0, true, file);
    loop.drain();
    EXPECT_EQ(validated, (std::vector<std::pair<int, int>>{{300, 2}}));
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(player.FrameCount(), 2);
}

TEST_F(Player, DownloadFailuresAndCancel) {
    int failed = 0, validated = 0;
    player.onRemoteGIFFailed = [&] { ++failed; };
    player.onRemoteGIFValidated = [&](int, int, bool& Cancel) {
        ++validated;
        Cancel = true;
    };
    const Bytes good = GifBuilder(2, 2, kColours).solid(0, 0, 2, 2, 0).bytes();
    Bytes wrongSignature = good;
    wrongSignature[4] = '8';  // "GIF88a"
    const Bytes fifteen = {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0, 0, 0, 0, 0};
    const Bytes fourteen(fifteen.begin(), fifteen.end() - 1);
    struct Case {
        bool ok;
        Bytes body;
        int failed, validated;
    };
    for (const Case& c :
         {Case{false, good, 1, 0}, Case{true, fourteen, 1, 0}, Case{true, wrongSignature, 1, 0},
          Case{true, fifteen, 0, 1}, Case{true, good, 0, 1}}) {
        failed = validated = 0;
        player.LoadAnimatedGIF_Remote("http://example.invalid/b.gif");
        fetch.answer(fetch.requests.size() - 1, c.ok, c.body);
        loop.drain();
        EXPECT_EQ(failed, c.failed);
        EXPECT_EQ(validated, c.validated);
        EXPECT_EQ(player.FrameCount(), 0) << "a cancelled download is not loaded";
    }
}

TEST_F(Player, ANewDownloadDropsTheOneInFlight) {
    player.LoadAnimatedGIF_Remote("http://example.invalid/1.gif");
    player.LoadAnimatedGIF_Remote("http://example.invalid/2.gif");
    EXPECT_TRUE(fetch.requests[0]->cancelled);
    fetch.answer(0, true, threeFrames(10));
    fetch.answer(1, true, GifBuilder(2, 2, kColours).solid(0, 0, 2, 2, 0).bytes());
    loop.drain();
    EXPECT_EQ(player.FrameCount(), 1);
}

TEST(GifDownload, DestroyingTheControlCancelsItsDownload) {
    platform::FakeEventLoop loop;
    platform::FakePictureDecoder pictures;
    platform::FakeNetworkFetch fetch{loop};
    ui::WindowSystem ws;
    auto p = std::make_unique<gif::ucAniGIF>(ws.form("F").add("a", ui::ControlKind::kImage), loop,
                                             pictures, fetch);
    p->LoadAnimatedGIF_Remote("http://example.invalid/1.gif");
    p.reset();
    fetch.answer(0, true, threeFrames(10));
    loop.drain();  // would reach the destroyed control
    EXPECT_TRUE(fetch.requests[0]->cancelled);
}

// ---- The table's flames ----

TEST_F(Player, FlamePicturesOfTheTable) {
    const auto& store = resources::embeddedStore();
    struct Flame {
        int id;
        int frames;
    };
    for (Flame f : {Flame{633, 3}, Flame{634, 15}, Flame{635, 9}}) {
        auto bytes = store.bytes(f.id);
        ASSERT_FALSE(bytes.empty()) << f.id;
        ASSERT_TRUE(player.LoadAnimatedGIF_Array(bytes)) << f.id;
        EXPECT_EQ(player.FrameCount(), f.frames) << f.id;
        EXPECT_EQ(player.ActualWidth(), 150);
        EXPECT_EQ(player.ActualHeight(), 150);
        EXPECT_EQ(player.loops(), 0) << f.id;
        const platform::FakePixels* px = platform::fakePixels(control.picture);
        ASSERT_TRUE(px);
        EXPECT_EQ(px->at(0, 0) >> 24, 0u) << "the corner shows the table";
        EXPECT_EQ(px->at(75, 120) >> 24, 255u) << "the fire covers the middle";
    }
}

TEST_F(Player, TheFallPlaysOnceAndTheBurnKeepsBurning) {
    const auto& store = resources::embeddedStore();
    // The fall: loaded, then loops 1; frame 1 at once, the rest 20 ms later, 100 ms each.
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(store.bytes(635)));
    player.setLoops(1);
    advanceTo(919);
    EXPECT_EQ(player.currentFrame(), 9);
    advanceTo(920);
    EXPECT_EQ(player.currentFrame(), 0);
    EXPECT_EQ(control.picture, nullptr);
    EXPECT_EQ(completed, 1);
    // The burn: loops 1 first, then the load takes the file's count 0.
    player.setLoops(1);
    ASSERT_TRUE(player.LoadAnimatedGIF_Array(store.bytes(633)));
    EXPECT_EQ(player.loops(), 0);
    std::set<std::string> keys;
    for (int t = 1; t <= 60; ++t) {
        loop.advance(100);
        ASSERT_TRUE(control.picture);
        keys.insert(control.picture->key);
    }
    EXPECT_EQ(keys.size(), 3u) << "all three frames keep coming";
    EXPECT_EQ(completed, 1);
}

}  // namespace
