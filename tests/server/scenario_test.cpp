// Scenarios: the parser refuses what it cannot run, and every shipped scenario runs to
// its end against a robot client over loopback.
#include "server/scenario.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "loopback_fixture.h"

using namespace server;
using servertest::Loopback;

namespace {

TEST(ScenarioParse, RefusesMalformedLines) {
    struct Case {
        const char* text;
        const char* error;
    };
    for (const Case& c :
         {Case{"dance", "unknown verb"}, Case{"send human", "malformed send"},
          Case{"expect human two", "malformed expect"}, Case{"wait soon", "malformed wait"},
          Case{"hand seat0 7X", "line 1"}, Case{"tribute 1", "malformed tribute"},
          Case{"drop human twice", "malformed drop"}}) {
        std::string error;
        EXPECT_EQ(Scenario::parse(c.text, error), nullptr) << c.text;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.text << ": " << error;
    }
    std::string error;
    auto ok = Scenario::parse(
        "# a comment\n\nname x # trailing\nsend all 6 cards=7S#40 text=\"a # b\"\nlogin 2\n",
        error);
    ASSERT_NE(ok, nullptr) << error;
    EXPECT_EQ(ok->loginResult(), 2);
}

// A scenario against one robot client at a table of five bots.
struct ScenarioOutcome {
    bool passed = false;
    bool done = false;
    std::vector<wire::GamePacket> got;
    std::vector<std::string> lines;
};

ScenarioOutcome runScenario(const std::string& text) {
    ScenarioOutcome r;
    std::string error;
    auto sc = Scenario::parse(text, error);
    EXPECT_NE(sc, nullptr) << error;
    if (!sc) return r;
    Loopback lb(servertest::fastOptions(5, 9));
    sc->onDone = [&](bool ok) {
        r.done = true;
        r.passed = ok;
    };
    lb.hub.onFirstTable = [&](Table& t) { sc->attach(t, lb.loop, lb.log); };
    lb.hub.forcedLoginResult = sc->loginResult();
    lb.hub.onForcedRefusal = [&] { sc->onDone(true); };
    auto c = lb.client("player", 3);
    c->reconnectOnLoss = true;
    c->onPacket = [&](const wire::GamePacket& p) { r.got.push_back(p); };
    EXPECT_TRUE(lb.run([&] { return r.done; }, 50'000'000));
    // What the client still has coming after the last line (handlers ready now only).
    for (int i = 0; i < 200; ++i) lb.io.poll();
    r.lines = lb.lines;
    // The scenario's alarms run on the loopback's event loop: it goes first.
    lb.hub.onFirstTable = nullptr;
    lb.hub.onForcedRefusal = nullptr;
    sc.reset();
    return r;
}

std::string fileText(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(ScenarioRun, EveryShippedScenarioRunsToItsEnd) {
    std::filesystem::path dir = std::filesystem::path(DRAVIK_SOURCE_DIR) / "server" / "scenarios";
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        if (e.path().extension() == ".txt") files.push_back(e.path());
    ASSERT_GE(files.size(), 10u);
    // Every inbound command code (and the sub-codes that select a handler) is produced
    // by at least one of them.
    std::set<std::string> seen;
    for (const auto& f : files) {
        SCOPED_TRACE(f.filename().string());
        if (std::getenv("SERVER_TEST_LOG")) std::printf("== %s\n", f.filename().c_str());
        ScenarioOutcome r = runScenario(fileText(f));
        EXPECT_TRUE(r.done);
        EXPECT_TRUE(r.passed);
        for (const wire::GamePacket& p : r.got) {
            int c = int(wire::commandOf(p));
            std::string key = std::to_string(c);
            switch (c) {
                case 2:
                    key += "/" + std::to_string(p[11]) + "/" + std::to_string(p[8]);
                    break;
                case 3:
                    key += "/" + std::to_string(p[15]);
                    break;
                case 4:
                    key += "/" + std::to_string(p[8]);
                    break;
                case 5:
                    key += "/" + std::to_string(p[15]);
                    break;
                case 6:
                    seen.insert("6a" + std::to_string(p[15]));
                    seen.insert("6m" + std::to_string(p[11]));
                    seen.insert("6e" + std::to_string(p[16]));
                    break;
                case 8:
                    key += "/" + std::to_string(p[11]) + (p[11] == 2 && p[8] == 4 ? "k4" : "");
                    break;
                case 16:
                    key += "/" + std::string(p[15] == 1 ? (p[6] == 0x7F ? "all" : "some") : "gold");
                    break;
                case 18:
                case 29:
                    key += "/" + std::to_string(p[15]);
                    break;
                default:
                    break;
            }
            seen.insert(key);
        }
    }
    for (const char* want :
         {"1",     "2/0/1", "2/0/2", "2/1/1",  "2/1/2",   "3/1",     "3/0",  "4/1",
          "4/2",   "5/1",   "5/2",   "5/3",    "5/4",     "5/5",     "5/6",  "6a0",
          "6a1",   "6a2",   "6a3",   "6a4",    "6a5",     "6a9",     "6a10", "6m1",
          "6m2",   "6m3",   "6m4",   "6m5",    "6e1",     "6e2",     "6e3",  "8/1",
          "8/2k4", "8/3",   "9",     "16/all", "16/some", "16/gold", "18/1", "18/2",
          "18/3",  "19",    "20",    "21",     "22",      "23",      "29/1", "29/0"})
        EXPECT_TRUE(seen.count(want)) << "no scenario produces " << want;
}

}  // namespace
