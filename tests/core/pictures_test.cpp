// Picture resources: the picture-id tables, the card picture check with its
// hand-over to the hall, the cached loading, the resource file writer, and the
// compiled-in picture set itself (every id a table names is there at its size;
// the flames are real looping animations).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "pictures/picture_cache.h"
#include "platform/fake/fake_platform.h"
#include "resources/embedded_resources.h"

using namespace pictures;

namespace {

constexpr double kSmall = 0.78125;

// ---- Tables ----

template <std::size_t N>
std::vector<std::string> entries(const std::array<std::string, N>& t) {
    return {t.begin(), t.end()};
}

std::vector<std::string> ids(std::initializer_list<int> list) {
    std::vector<std::string> out;
    for (int i : list) out.push_back(std::to_string(i));
    return out;
}

std::vector<std::string> run(int first, int count) {
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) out.push_back(std::to_string(first + i));
    return out;
}

TEST(PictureIdTables, EveryTableHoldsItsIdsInOrder) {
    PictureIdTables t;
    BuildPictureIdTables(t, 1.0);
    EXPECT_EQ(entries(t.HallButtonPictureIds), run(150, 20));
    EXPECT_EQ(entries(t.DialogButtonPictureIds), run(170, 8));
    EXPECT_EQ(entries(t.ActionButtonPictureIds), run(601, 30));
    EXPECT_EQ(entries(t.PassBubblePictureIds), ids({232, 235, 235, 238, 238}));
    EXPECT_EQ(entries(t.AvatarPictureIds), run(240, 20));
    EXPECT_EQ(entries(t.OkPictureIds), ids({280, 281, 282, 280}));  // not 283
    EXPECT_EQ(entries(t.PhrasePictureIds), ids({100, 101}));
    EXPECT_EQ(entries(t.PhraseHoverPictureIds), ids({102, 103}));
    EXPECT_EQ(entries(t.PlayBubblePictureIds), run(641, 13));
    EXPECT_EQ(entries(t.IndicatorPictureIds), run(631, 7));
    EXPECT_EQ(entries(t.FinishPictureIds), run(661, 6));
    EXPECT_EQ(entries(t.RestorePictureIds), ids({191, 192}));
    EXPECT_EQ(entries(t.ToolbarIconPictureIds), run(850, 13));
    EXPECT_EQ(entries(t.VideoFramePictureIds), run(870, 6));
}

TEST(PictureIdTables, CardTableNamesExactlyTheValidIndicesAtBothScales) {
    for (double scale : {1.0, kSmall}) {
        PictureIdTables t;
        BuildPictureIdTables(t, scale);
        for (int i = 0; i < 64; ++i) {
            bool valid = (i >= 3 && i <= 18) || (i >= 19 && i <= 31) || (i >= 35 && i <= 47) ||
                         (i >= 51 && i <= 63);
            EXPECT_EQ(t.CardPictureIds[i], valid ? std::to_string(i) : "") << "index " << i;
        }
    }
}

TEST(PictureIdTables, SmallLayoutUsesTheSmallHallButtonsButKeepsSend) {
    PictureIdTables t;
    BuildPictureIdTables(t, kSmall);
    EXPECT_EQ(t.HallButtonPictureIds[0], "150");
    EXPECT_EQ(t.HallButtonPictureIds[1], "151");
    EXPECT_EQ(t.HallButtonPictureIds[2], "283");
    EXPECT_EQ(t.HallButtonPictureIds[19], "300");
    std::vector<std::string> expected = ids({150, 151});
    for (const auto& id : run(283, 18)) expected.push_back(id);
    EXPECT_EQ(entries(t.HallButtonPictureIds), expected);
}

TEST(PictureIdTables, EntryValues) {
    EXPECT_EQ(PictureIdValue("601"), 601);
    EXPECT_EQ(PictureIdValue(""), 0);
    EXPECT_EQ(PictureIdValue("6x"), 0);
}

// ---- Loading and the card check ----

struct PictureFixture : ::testing::Test {
    platform::FakePlatform fake;
    PictureIdTables tables;
    PictureCache cache{resources::embeddedStore(), fake.pictures};
    ui::Form& mainForm = fake.windows.form("MainForm");
    platform::HallWindow hall{fake.hall, "DravikHall"};
    CardPictureContext context{cache, tables, mainForm, hall};
    ui::PicturePtr before = std::make_shared<ui::Picture>();

    PictureFixture() {
        BuildPictureIdTables(tables, 1.0);
        fake.hallWindow.open("DravikHall");
        for (int slot = 0; slot < 6; ++slot)
            for (int item = 0; item < 3; ++item)
                mainForm.add("cardImage" + std::to_string(slot), ui::ControlKind::kImage, item)
                    .picture = before;
        for (const char* name : {"Talk", "Score", "Hero"}) fake.windows.form(name).show();
        mainForm.show();
    }
    ui::Control& card(int slot, int item) {
        return mainForm.at("cardImage" + std::to_string(slot), item);
    }
    bool gaveWayToHall() {
        bool restored = false;
        for (const auto& m : fake.hallNet.log)
            restored |= m == platform::HallMessage{"DravikHall", platform::WM_SYSCOMMAND,
                                                   platform::SC_RESTORE, 0};
        return restored && mainForm.windowState == ui::WindowState::kMinimized &&
               !fake.windows.form("Talk").visible && !fake.windows.form("Score").visible &&
               !fake.windows.form("Hero").visible;
    }
    bool untouched() {
        return fake.hallNet.log.empty() && mainForm.windowState == ui::WindowState::kNormal &&
               fake.windows.form("Score").visible;
    }
};

TEST_F(PictureFixture, CardIndicesShowTheirOwnResource) {
    // 3: three of diamonds, 16/17: the jokers, 18: the back, 63: two of spades.
    for (int index : {3, 16, 17, 18, 19, 47, 63}) {
        ShowCardPicture(context, 2, 1, index);
        ASSERT_TRUE(card(2, 1).picture) << index;
        EXPECT_EQ(card(2, 1).picture->key, "res:" + std::to_string(index));
        EXPECT_EQ(card(2, 1).picture->width, 61);
        EXPECT_EQ(card(2, 1).picture->height, 81);
    }
    EXPECT_TRUE(untouched());
}

TEST_F(PictureFixture, RejectedIndicesGiveWayToTheHallAndLoadNothing) {
    for (int index : {0, 2, 32, 34, 50, 66, 97, 128, 500}) {
        SCOPED_TRACE(index);
        fake.hallNet.log.clear();
        mainForm.windowState = ui::WindowState::kNormal;
        for (const char* name : {"Talk", "Score", "Hero"}) fake.windows.form(name).show();
        ShowCardPicture(context, 0, 0, index);
        EXPECT_TRUE(gaveWayToHall());
        EXPECT_EQ(card(0, 0).picture, before);
    }
}

TEST_F(PictureFixture, IndicesThatPassTheCheckButNameNoCardLoadNothing) {
    // 80 (row 5) and 115 pass the check but lie past the card table; -20 passes
    // it too (row -1): none may read outside the table.
    for (int index : {80, 115, -20}) {
        ShowCardPicture(context, 1, 0, index);
        EXPECT_EQ(card(1, 0).picture, before) << index;
    }
    EXPECT_TRUE(untouched());
}

TEST_F(PictureFixture, UnknownSlotOrItemLoadsNothing) {
    ShowCardPicture(context, 6, 0, 18);
    ShowCardPicture(context, -1, 0, 18);
    ShowCardPicture(context, 0, 40, 18);  // no such item
    for (int slot = 0; slot < 6; ++slot) EXPECT_EQ(card(slot, 0).picture, before);
    EXPECT_TRUE(untouched());
}

TEST_F(PictureFixture, MissingResourceLeavesThePictureAndNoTemporaryFile) {
    auto folder =
        std::filesystem::temp_directory_path() / ("dravik-pictures-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    fake.shell.folder = folder.string();
    ui::Control& c = card(0, 2);
    ShowResourcePicture(cache, c, 999);
    EXPECT_EQ(c.picture, before);
    EXPECT_FALSE(std::filesystem::exists(folder / "tmp.GIF"));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    std::filesystem::remove_all(folder);
}

TEST_F(PictureFixture, APictureIsDecodedOnceAndSharedAfterwards) {
    ShowResourcePicture(cache, card(0, 0), 601);
    int decodes = fake.pictures.decodes;
    ShowResourcePicture(cache, card(0, 1), 615);
    ShowResourcePicture(cache, card(0, 0), 615);
    ShowResourcePicture(cache, card(0, 1), 601);
    ShowResourcePicture(cache, card(0, 0), 601);
    EXPECT_EQ(fake.pictures.decodes, decodes + 1);
    EXPECT_EQ(card(0, 0).picture, card(0, 1).picture);
    EXPECT_EQ(card(0, 0).picture->key, "res:601");
}

// ---- The resource file writer ----

std::string slurp(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

TEST(SaveResourceToFile, WritesRawBytesOverTheStartOfTheFile) {
    MemoryResourceStore store;
    store.resources[7] = {'G', 'I', 'F', '8', '9', 'a'};
    auto path = std::filesystem::temp_directory_path() /
                ("dravik-save-" + std::to_string(::getpid()) + ".GIF");
    {
        std::ofstream f(path, std::ios::binary);
        f << "0123456789";
    }
    EXPECT_TRUE(SaveResourceToFile(store, 7, "GIF", path.string()));
    EXPECT_EQ(slurp(path), "GIF89a6789");  // overwritten from the start, not truncated
    EXPECT_FALSE(SaveResourceToFile(store, 8, "GIF", path.string()));
    EXPECT_FALSE(SaveResourceToFile(store, 7, "WAVE", path.string()));
    EXPECT_FALSE(SaveResourceToFile(store, 7, "GIF", "/nonexistent-dir/tmp.GIF"));
    std::filesystem::remove(path);
    EXPECT_FALSE(SaveResourceToFile(store, 999, "GIF", path.string()));
    EXPECT_FALSE(std::filesystem::exists(path));
}

// ---- The compiled-in picture set ----

struct Size {
    int w, h;
};

// Sizes by role, as the resources are laid out.
Size expectedSize(int id) {
    auto in = [id](int a, int b) { return id >= a && id <= b; };
    if (in(3, 63)) return {61, 81};
    if (in(100, 103)) return {57, 13};
    if (in(150, 151)) return {48, 30};
    if (in(152, 169)) return {55, 31};
    if (in(170, 173)) return {70, 29};
    if (in(174, 177)) return {64, 26};
    if (in(191, 192)) return {61, 24};
    if (id == 232 || id == 235) return {131, 102};
    if (id == 238) return {129, 100};
    if (id == 241) return {87, 92};
    if (in(240, 259)) return {85, 90};
    if (in(280, 282)) return {70, 29};
    if (in(283, 300)) return {43, 24};
    if (in(601, 630)) return {66, 38};
    if (in(631, 632)) return {30, 30};
    if (in(633, 635)) return {150, 150};
    if (in(636, 637)) return {80, 40};
    if (in(641, 653)) return {131, 102};
    if (in(661, 666)) return {80, 30};
    if (in(860, 862)) return {17, 16};
    if (in(850, 864)) return {16, 14};
    return {0, 0};  // the video frames: JPEG, size their own
}

std::vector<int> everyTableId() {
    std::vector<int> out{kSmallScreenIconId, kLargeScreenIconId};
    for (double scale : {1.0, kSmall}) {
        PictureIdTables t;
        BuildPictureIdTables(t, scale);
        auto add = [&](const auto& table) {
            for (const auto& e : table)
                if (!e.empty()) out.push_back(PictureIdValue(e));
        };
        add(t.CardPictureIds), add(t.HallButtonPictureIds), add(t.DialogButtonPictureIds);
        add(t.ActionButtonPictureIds), add(t.PassBubblePictureIds), add(t.AvatarPictureIds);
        add(t.OkPictureIds), add(t.PhrasePictureIds), add(t.PhraseHoverPictureIds);
        add(t.PlayBubblePictureIds), add(t.IndicatorPictureIds), add(t.FinishPictureIds);
        add(t.RestorePictureIds), add(t.ToolbarIconPictureIds), add(t.VideoFramePictureIds);
    }
    return out;
}

TEST(EmbeddedPictures, EveryTableIdDecodesAtItsSizeInItsFormat) {
    platform::FakePictureDecoder decoder;
    PictureCache cache(resources::embeddedStore(), decoder);
    for (int id : everyTableId()) {
        SCOPED_TRACE(id);
        auto bytes = resources::embeddedStore().bytes(id);
        ASSERT_GE(bytes.size(), 6u);
        bool jpeg = id >= 870 && id <= 875;
        if (jpeg)
            EXPECT_TRUE(bytes[0] == 0xFF && bytes[1] == 0xD8);
        else
            EXPECT_EQ(std::memcmp(bytes.data(), "GIF89a", 6), 0);
        ui::PicturePtr p = cache.resource(id);
        ASSERT_TRUE(p);
        if (!jpeg) {
            EXPECT_EQ(p->width, expectedSize(id).w);
            EXPECT_EQ(p->height, expectedSize(id).h);
        }
    }
    EXPECT_TRUE(resources::embeddedStore().bytes(999).empty());
}

// The blocks of a GIF file that matter for playing it.
struct GifBlocks {
    bool wellFormed = false;
    int frames = 0;
    std::vector<int> delays;  // one per graphic control extension
    bool transparency = false;
    int loopCount = -1;  // -1: no NETSCAPE2.0 block
};

GifBlocks readGif(std::span<const std::uint8_t> b) {
    GifBlocks g;
    std::size_t i = 0;
    auto need = [&](std::size_t n) {
        if (i + n > b.size()) throw std::out_of_range("truncated GIF");
    };
    auto subBlocks = [&] {
        std::vector<std::vector<std::uint8_t>> out;
        for (;;) {
            need(1);
            std::size_t n = b[i++];
            if (n == 0) return out;
            need(n);
            out.emplace_back(b.begin() + i, b.begin() + i + n);
            i += n;
        }
    };
    try {
        need(13);
        if (std::memcmp(b.data(), "GIF89a", 6) != 0) return g;
        std::uint8_t flags = b[10];
        i = 13;
        if (flags & 0x80) i += 3u << ((flags & 7) + 1);
        for (;;) {
            need(1);
            std::uint8_t kind = b[i++];
            if (kind == 0x3B) break;
            if (kind == 0x21) {
                need(1);
                std::uint8_t label = b[i++];
                auto blocks = subBlocks();
                if (label == 0xF9 && !blocks.empty() && blocks[0].size() == 4) {
                    g.delays.push_back(blocks[0][1] | (blocks[0][2] << 8));
                    g.transparency |= (blocks[0][0] & 1) != 0;
                }
                if (label == 0xFF && blocks.size() >= 2 &&
                    std::string(blocks[0].begin(), blocks[0].end()) == "NETSCAPE2.0" &&
                    blocks[1].size() == 3 && blocks[1][0] == 1)
                    g.loopCount = blocks[1][1] | (blocks[1][2] << 8);
            } else if (kind == 0x2C) {
                need(10);
                std::uint8_t f = b[i + 8];
                i += 9;
                if (f & 0x80) i += 3u << ((f & 7) + 1);
                need(1);
                ++i;  // LZW code size
                subBlocks();
                ++g.frames;
            } else {
                return g;
            }
        }
    } catch (const std::out_of_range&) {
        return g;
    }
    g.wellFormed = true;
    return g;
}

TEST(EmbeddedPictures, FlamesAreLoopingAnimationsOfTenHundredthsAFrame) {
    struct Case {
        int id, frames;
    } cases[] = {{633, 3}, {634, 15}, {635, 9}};
    for (auto [id, frames] : cases) {
        SCOPED_TRACE(id);
        GifBlocks g = readGif(resources::embeddedStore().bytes(id));
        ASSERT_TRUE(g.wellFormed);
        EXPECT_EQ(g.frames, frames);
        EXPECT_EQ(g.delays, std::vector<int>(frames, 10));
        EXPECT_EQ(g.loopCount, 0);
    }
    for (int id : {18, 601, 240, 641, 850}) {
        GifBlocks g = readGif(resources::embeddedStore().bytes(id));
        ASSERT_TRUE(g.wellFormed) << id;
        EXPECT_EQ(g.frames, 1) << id;
    }
}

TEST(EmbeddedPictures, WindowDesignPicturesHaveTheirWindowsSizes) {
    struct Case {
        const char* name;
        int w, h;
    } cases[] = {
        {"Pic1", 1024, 768},        {"Pic2", 800, 600},         {"imgDilan", 1024, 117},
        {"imgDinglan", 1024, 96},   {"ImageML", 85, 86},        {"ImageMR", 85, 86},
        {"Skin", 46, 220},          {"Information", 220, 330},  {"Score", 750, 450},
        {"Hero", 750, 500},         {"ChuPai", 178, 63},        {"frmTishi", 300, 100},
        {"VosSet", 220, 330},       {"Time_Img", 81, 38},       {"imgSpeakBox0", 174, 92},
        {"imgSpeakBox1", 198, 92},  {"imgSpeakBox2", 208, 104}, {"imgSpeakBox3", 208, 104},
        {"imgSpeakBox4", 208, 104}, {"imgSpeakBox5", 208, 104},
    };
    platform::FakePictureDecoder decoder;
    PictureCache cache(resources::embeddedStore(), decoder);
    for (auto [name, w, h] : cases) {
        SCOPED_TRACE(name);
        ui::PicturePtr p = cache.design(name);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->width, w);
        EXPECT_EQ(p->height, h);
        EXPECT_EQ(p->key, std::string("design:") + name);
    }
    for (const char* name : {"frmExit", "frmOtherExit"}) EXPECT_TRUE(cache.design(name)) << name;
    EXPECT_FALSE(cache.design("NoSuchWindow"));
}

TEST(EmbeddedPictures, SpeechBubblesAreOpaqueSoTheirWindowCanCutTheBackgroundColourAway) {
    // The bubble window takes the colour of pixel (0, 0) as the background to cut
    // away; a transparent pixel there would have no colour to compare with.
    for (int slot = 0; slot < 6; ++slot) {
        GifBlocks g =
            readGif(resources::embeddedStore().design("imgSpeakBox" + std::to_string(slot)));
        ASSERT_TRUE(g.wellFormed) << slot;
        EXPECT_FALSE(g.transparency) << slot;
    }
}

}  // namespace
