// The launch line and the start-up: fields, spectator form, numeric fields,
// captions, window size and scale, the login packet.
#include "app/launch.h"

#include <gtest/gtest.h>

#include "client_fixture.h"
#include "resources/embedded_resources.h"

using app::parseLaunchLine;

namespace {

TEST(LaunchLine, FieldsAndForms) {
    auto five = parseLaunchLine("  me$key$10.0.0.1$2000$home$  ");
    EXPECT_FALSE(five.SpectatorMode);
    EXPECT_EQ(five.userName, "me");
    EXPECT_EQ(five.loginKey, "key");
    EXPECT_EQ(five.serverHost, "10.0.0.1");
    EXPECT_EQ(five.serverPort, 2000);
    EXPECT_EQ(five.locationText, "home");
    EXPECT_EQ(five.connectionMode, 0);  // absent field 6
    EXPECT_EQ(five.hallCaption, "Brenmoor");

    auto spectator = parseLaunchLine("me$key$h$2000$home$12345.5");
    EXPECT_TRUE(spectator.SpectatorMode);
    EXPECT_DOUBLE_EQ(spectator.userNumber, 12345.5);

    // Fields 12 and 13 count only with field 11 exactly 1.
    auto custom = parseLaunchLine("a$b$h$1$l$0$ph$9$pu$pp$1$Hall X$Table Y$");
    EXPECT_TRUE(custom.customCaptions);
    EXPECT_EQ(custom.hallCaption, "Hall X");
    EXPECT_EQ(custom.tableCaption, "Table Y");
    EXPECT_EQ(custom.proxyHost, "ph");
    EXPECT_EQ(custom.proxyPort, 9);
    EXPECT_EQ(custom.proxyUser, "pu");
    EXPECT_EQ(custom.proxyPassword, "pp");
    auto notCustom = parseLaunchLine("a$b$h$1$l$0$ph$9$pu$pp$0$Hall X$Table Y$");
    EXPECT_FALSE(notCustom.customCaptions);
    EXPECT_EQ(notCustom.hallCaption, "Brenmoor");
    EXPECT_FALSE(parseLaunchLine("a$b$h$1$l$0$ph$9$pu$pp$x$H$T$").customCaptions);
    EXPECT_TRUE(parseLaunchLine("a$b$h$1$l$0$ph$9$pu$pp$1.0$H$T$").customCaptions);
}

TEST(LaunchLine, NumericFieldsAreSigned16Bit) {
    struct Case {
        const char* line;
        bool fails;
        int port;
    } cases[] = {
        {"a$b$h$32767$l$", false, 32767},  {"a$b$h$-32768$l$", false, -32768},
        {"a$b$h$ 80 $l$", false, 80},      {"a$b$h$2.5$l$", false, 2},
        {"a$b$h$32768$l$", true, 0},       {"a$b$h$$l$", true, 0},
        {"a$b$h$80x$l$", true, 0},         {"a$b$h$80$l$zero$", true, 0},
        {"a$b$h$1$l$0$p$99999$", true, 0}, {"me$key$h$1$home$notanumber", true, 0},
    };
    for (const Case& c : cases) {
        if (c.fails) {
            EXPECT_THROW(parseLaunchLine(c.line), app::StartupFailure) << c.line;
        } else {
            EXPECT_EQ(parseLaunchLine(c.line).serverPort, c.port) << c.line;
        }
    }
}

TEST(LaunchLine, AFieldWithoutItsDollarIsSkippedWithoutConsuming) {
    // Only two '$': fields 1 and 2 are read; the trailing text is the spectator
    // form's remainder, never a field of its own.
    auto lp = parseLaunchLine("me$key$");
    EXPECT_EQ(lp.userName, "me");
    EXPECT_EQ(lp.loginKey, "key");
    EXPECT_EQ(lp.serverHost, "");
    EXPECT_FALSE(lp.haveLocation);
}

struct StartUp : ClientFixture {};

TEST_F(StartUp, WindowSizeAndScaleAroundTheDesignScreen) {
    struct Case {
        int w, h;
        int formW, formH;  // twips
        double pic1Left, pic1Top, pic1W, pic1H;
        bool framed;
        double scale;
    } cases[] = {
        {1024, 768, 15360, 11520, 0, 0, 1024, 768, false, 1.0},
        {1025, 769, 15600, 11940, 8, 20, 1024, 768, true, 1.0},
        {1280, 1024, 15600, 11940, 8, 20, 1024, 768, true, 1.0},
        {1023, 768, 15345, 11520, 0, 0, 1023, 768, false, 0.78125},
        {800, 600, 12000, 9000, 0, 0, 800, 600, false, 0.78125},
        {1280, 700, 15600, 10500, 8, 0, 1024, 700, true, 0.78125},
    };
    for (const Case& c : cases) {
        platform::FakePlatform local;
        local.shell.screen = {c.w, c.h};
        app::Client cl(local.platform(), resources::embeddedStore());
        try {
            cl.start("me$key$127.0.0.1$2000$home$");
        } catch (const platform::ProcessEnd&) {
            FAIL() << "ended";
        }
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        EXPECT_EQ(cl.MainForm.width, c.formW);
        EXPECT_EQ(cl.MainForm.height, c.formH);
        EXPECT_DOUBLE_EQ(cl.Pic1.left, c.pic1Left);
        EXPECT_DOUBLE_EQ(cl.Pic1.top, c.pic1Top);
        EXPECT_DOUBLE_EQ(cl.Pic1.width, c.pic1W);
        EXPECT_DOUBLE_EQ(cl.Pic1.height, c.pic1H);
        EXPECT_EQ(cl.shell.framePainted(), c.framed);
        EXPECT_DOUBLE_EQ(cl.state.Scale.x, c.scale);
        EXPECT_DOUBLE_EQ(cl.state.Scale.y, c.scale);
    }
}

TEST_F(StartUp, AKeyEndingExactlyAtTheLastByteFits) {
    ASSERT_TRUE(start("me$" + std::string(240, 'k') + "$127.0.0.1$2000$home$"));
    EXPECT_EQ(client->connection.LoginPacket[271], 'k');
}

TEST_F(StartUp, LoginPacketNameAndKey) {
    struct Case {
        const char* name;
        const char* key;
        std::string at16;  // bytes 16.. up to the key's end
    } cases[] = {
        {"abcdefghijklmnop", "K", "abcdefghijklmnopK"},   // 16 characters fill 16..31
        {"abcdefghijklmnopq", "K", "abcdefghijklmnopK"},  // the 17th is overwritten
        {"ab", "key", std::string("ab") + std::string(14, '\0') + "key"},
    };
    for (const Case& c : cases) {
        platform::FakePlatform local;
        app::Client cl(local.platform(), resources::embeddedStore());
        cl.start(std::string(c.name) + "$" + c.key + "$127.0.0.1$2000$home$");
        std::string got(cl.connection.LoginPacket.begin() + 16,
                        cl.connection.LoginPacket.begin() + 16 + static_cast<long>(c.at16.size()));
        EXPECT_EQ(got, c.at16) << c.name;
        EXPECT_EQ(cl.connection.LoginPacket[3], 18);
        for (std::size_t i = 16 + c.at16.size(); i < 272; ++i)
            ASSERT_EQ(cl.connection.LoginPacket[i], 0) << i;
    }
}

TEST_F(StartUp, LoginTextThatDoesNotFitIsAStartUpFailure) {
    for (std::string line :
         {std::string("名字$key$h$1$l$"), std::string("me$") + std::string(241, 'k') + "$h$1$l$"}) {
        platform::FakePlatform local;
        local.hallWindow.open("Brenmoor");
        int restores = 0;
        local.hallWindow.onMessage = [&](std::uint32_t m, std::uint32_t w, std::uint32_t) {
            if (m == platform::WM_SYSCOMMAND && w == platform::SC_RESTORE) ++restores;
        };
        app::Client cl(local.platform(), resources::embeddedStore());
        int status = -1;
        try {
            cl.start(line);
        } catch (const platform::ProcessEnd& e) {
            status = e.status;
        }
        local.loop.drain();
        EXPECT_EQ(status, 1);
        EXPECT_TRUE(local.shell.messages.empty());
        EXPECT_GE(restores, 1);
    }
}

// Any other failure on the way (here the peer video's set-up) ends the same way.
TEST_F(StartUp, AnyFailureDuringTheStartUpRestoresTheHallAndEndsWithOne) {
    make();
    client->shell.setHooks(
        {[](const app::LaunchParameters&) { throw std::runtime_error("no video for you"); }, {}});
    ASSERT_FALSE(start("me$key$127.0.0.1$2000$home$"));
    EXPECT_EQ(endedWith, 1);
    fp.loop.drain();  // the hall's messages
    EXPECT_GE(hallCount(platform::SC_RESTORE), 2) << "at the start and after the failure";
}

TEST_F(StartUp, CustomCaptionsNameTheWindowsAndShortenTheCountdown) {
    fp.hallWindow.close();
    fp.hallWindow.open("Hall X");
    ASSERT_TRUE(start("a$b$127.0.0.1$1$l$0$ph$9$pu$pp$1$Hall X$Table Y$"));
    EXPECT_EQ(client->MainForm.caption, "Table Y");
    EXPECT_EQ(client->hall.hallCaption, "Hall X");
    EXPECT_EQ(client->state.TurnSeconds, 1);
    // The client's own endpoint is named by its caption.
    EXPECT_TRUE(fp.hall.isOpen());
    EXPECT_TRUE(fp.hallNet.endpoints.count("Table Y"));
}

TEST_F(StartUp, NoCommandLineAndSecondCopy) {
    EXPECT_FALSE(start("   "));
    EXPECT_EQ(endedWith, 0);
    ASSERT_EQ(fp.shell.messages.size(), 1u);
    EXPECT_EQ(fp.shell.messages[0].text, "本游戏需从游戏大厅中启动！");
    EXPECT_EQ(fp.shell.messages[0].title, "警告");

    platform::FakePlatform other;
    other.shell.anotherCopyRunning = true;
    app::Client second(other.platform(), resources::embeddedStore());
    EXPECT_THROW(second.start("me$key$h$1$l$"), platform::ProcessEnd);
    ASSERT_EQ(other.shell.messages.size(), 1u);
    EXPECT_EQ(other.shell.messages[0].text, "Dravik已经运行！");
}

TEST_F(StartUp, SpectatorNumberAndLocationFont) {
    ASSERT_TRUE(start("me$key$127.0.0.1$2000$一二三四五六七八九十甲$77"));
    EXPECT_TRUE(client->state.SpectatorMode);
    EXPECT_DOUBLE_EQ(client->state.PlayerInfo[0].userNumber, 77);
    ui::Control& location = client->MainForm.at("Location");
    EXPECT_EQ(location.caption, "一二三四五六七八九十甲");
    EXPECT_EQ(location.font.size, 10);  // 11 characters: two points smaller
    EXPECT_EQ(client->state.PlayerRecord[0].seatId, "me");
}

}  // namespace
