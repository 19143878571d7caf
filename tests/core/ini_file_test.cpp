// The private-profile file: path joining, key look-up without case, the empty
// string for what is missing, the 1023-character cut and the code page on disk.
#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "wire/gbk.h"

namespace {

namespace fs = std::filesystem;

struct IniFile : ::testing::Test {
    fs::path dir;
    platform::classIniFile ini;
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("dravik-ini-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        ini.setPath(dir.string(), "t.ini");
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string bytesOnDisk() const {
        std::ifstream in(ini.INIFileName, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void writeRaw(const std::string& bytes) const {
        std::ofstream(ini.INIFileName, std::ios::binary) << bytes;
    }
};

TEST(IniPath, JoinsFolderAndNameWithExactlyOneSeparator) {
    struct Case {
        const char *folder, *name, *joined;
    } cases[] = {
        {"/prog", "info.qv", "/prog/info.qv"},     {"/prog/", "/info.qv", "/prog/info.qv"},
        {"/prog//", "//info.qv", "/prog/info.qv"}, {"/prog\\\\", "\\\\info.qv", "/prog/info.qv"},
        {"/a/b", "c/d.ini", "/a/b/c/d.ini"},
    };
    for (const Case& c : cases) {
        platform::classIniFile f;
        f.setPath(c.folder, c.name);
        EXPECT_EQ(f.INIFileName, c.joined) << c.folder << " + " << c.name;
    }
}

TEST_F(IniFile, MissingFileSectionOrKeyReadsAsTheEmptyString) {
    EXPECT_EQ(ini.GetIniKey("s", "k"), "");
    ASSERT_TRUE(ini.WriteIniKey("s", "k", "v"));
    EXPECT_EQ(ini.GetIniKey("s", "other"), "");
    EXPECT_EQ(ini.GetIniKey("other", "k"), "");
    EXPECT_EQ(ini.GetIniKey("s", "k"), "v");
}

TEST_F(IniFile, SectionsAndKeysMatchWithoutCaseAndAreRewrittenInPlace) {
    ASSERT_TRUE(ini.WriteIniKey("juNum:1", "count( 0 )", "3"));
    ASSERT_TRUE(ini.WriteIniKey("juNum:2", "count( 0 )", "5"));
    ASSERT_TRUE(ini.WriteIniKey("JUNUM:1", "COUNT( 0 )", "4"));
    EXPECT_EQ(ini.GetIniKey("junum:1", "Count( 0 )"), "4");
    EXPECT_EQ(ini.GetIniKey("juNum:2", "count( 0 )"), "5");
    // One line per key: the rewrite replaced the old line, kept the first spelling
    // of the section and added no second section.
    std::string disk = bytesOnDisk();
    EXPECT_EQ(disk, "[juNum:1]\r\nCOUNT( 0 )=4\r\n[juNum:2]\r\ncount( 0 )=5\r\n");
}

TEST_F(IniFile, ValuesAreTrimmedAndZeroCharactersDropped) {
    writeRaw(std::string("[s]\r\na =  x y \t\r\nb=p\0q\r\n", 22));
    EXPECT_EQ(ini.GetIniKey("s", "a"), "x y");
    EXPECT_EQ(ini.GetIniKey("s", "b"), "pq");
}

TEST_F(IniFile, TextIsStoredInTheCodePageAndReadBack) {
    ASSERT_TRUE(ini.WriteIniKey("s", "k", "玩家获第 1 名"));
    EXPECT_EQ(bytesOnDisk(), "[s]\r\nk=" + wire::utf8ToGbk("玩家获第 1 名") + "\r\n");
    EXPECT_EQ(ini.GetIniKey("s", "k"), "玩家获第 1 名");
}

TEST_F(IniFile, LongValuesAreCutAt1023BytesWithoutHalfACharacter) {
    ASSERT_TRUE(ini.WriteIniKey("s", "ascii", std::string(1500, 'a')));
    EXPECT_EQ(ini.GetIniKey("s", "ascii"), std::string(1023, 'a'));
    // 1 + 511 double-byte characters fill 1023 bytes exactly; with two leading
    // letters the last character would be split, so it is left out.
    std::string wide;
    for (int i = 0; i < 600; ++i) wide += "金";
    ASSERT_TRUE(ini.WriteIniKey("s", "one", "a" + wide));
    ASSERT_TRUE(ini.WriteIniKey("s", "two", "ab" + wide));
    std::string expect511;
    for (int i = 0; i < 511; ++i) expect511 += "金";
    std::string expect510;
    for (int i = 0; i < 510; ++i) expect510 += "金";
    EXPECT_EQ(ini.GetIniKey("s", "one"), "a" + expect511);
    EXPECT_EQ(ini.GetIniKey("s", "two"), "ab" + expect510);
}

TEST_F(IniFile, ALineBreakInAValueCannotCreateAKey) {
    ASSERT_TRUE(ini.WriteIniKey("s", "name", "x\r\ncount( 0 )=99"));
    EXPECT_EQ(ini.GetIniKey("s", "count( 0 )"), "");
    EXPECT_EQ(ini.GetIniKey("s", "name"), "x  count( 0 )=99");
}

TEST_F(IniFile, DeletesKeysAndSections) {
    ASSERT_TRUE(ini.WriteIniKey("a", "k", "1"));
    ASSERT_TRUE(ini.WriteIniKey("a", "j", "2"));
    ASSERT_TRUE(ini.WriteIniKey("b", "k", "3"));
    ini.DelIniKey("A", "K");
    EXPECT_EQ(ini.GetIniKey("a", "k"), "");
    EXPECT_EQ(ini.GetIniKey("a", "j"), "2");
    ini.DelIniSec("a");
    EXPECT_EQ(ini.GetIniKey("a", "j"), "");
    EXPECT_EQ(ini.GetIniKey("b", "k"), "3");
}

TEST_F(IniFile, AFolderThatDoesNotExistFailsTheWrite) {
    ini.setPath((dir / "missing").string(), "t.ini");
    EXPECT_FALSE(ini.WriteIniKey("s", "k", "v"));
    EXPECT_EQ(ini.GetIniKey("s", "k"), "");
}

}  // namespace
