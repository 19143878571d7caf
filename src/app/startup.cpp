// The start-up: the load handler of the table window.
#include <cstring>

#include "app/client.h"
#include "wire/gbk.h"

namespace app {

void Client::startUp(const std::string& commandLine) {
    try {
        // 1. The chat input's work text starts empty.
        connection.send.ChatText.clear();
        // 2. One copy per hall bus.
        if (!pf.shell.claimSingleInstance()) {
            pf.shell.messageBox("Dravik已经运行！", "警告", platform::MB_OK);
            hall.restore();
            pf.shell.end(0);
        }
        // 3. The hall comes back on every start.
        hall.restore();
        // 4. Initial values.
        state.TurnSeconds = 10;
        state.AutoPlay = false;
        state.Away = false;
        // 5 and 6. Window size and display scale.
        sizeWindow();
        applyDisplayScale();
        // 7. Pump state, sound, counters.
        for (auto& s : connection.slots) s = net::TickSlot{};
        state.LoginSent = false;
        sound.startUp();
        state.SilenceTicks = 0;
        state.GameResetDone = false;
        state.SeatedCount = 0;
        state.HandInGame = 0;
        state.RoundNumber = 0;
        state.GamesPlayed = 0;
        state.RoundInGame = 0;
        MainForm.at("LabJS").caption = "0";
        MainForm.at("LabHS").caption = "0";
        // 8. Pictures and the first layout step.
        pictures.load(state.Scale.x);
        firstLayout();
        // 9. The launch line.
        std::string line = trimBlanks(commandLine);
        if (line.empty()) {
            pf.shell.messageBox("本游戏需从游戏大厅中启动！", "警告", platform::MB_OK);
            pf.shell.end(0);
        }
        launch = parseLaunchLine(line);
        state.SpectatorMode = launch.SpectatorMode;
        hall.hallCaption = launch.hallCaption;
        if (launch.haveLocation) {
            ui::Control& location = MainForm.at("Location");
            if (state.Scale.x < 1) location.font.size = 10;
            if (wire::utf8Chars(launch.locationText).size() > 10) location.font.size -= 2;
            location.caption = launch.locationText;
        }
        if (launch.SpectatorMode) state.PlayerInfo[0].userNumber = launch.userNumber;
        state.PlayerRecord[0].seatId = launch.userName;
        // 10. Peer video.
        setUpPeerVideo();
        // 11. Connecting.
        ui::Control& sys0 = MainForm.at("Sysmsg", 0);
        sys0.items.clear();
        sys0.items.push_back("正在连接服务器...");
        connection.TimerBong.setEnabled(false);
        // 12. Captions.
        if (launch.customCaptions) {
            MainForm.caption = launch.tableCaption;
            state.TurnSeconds = 1;
            state.AutoPlay = false;
        } else {
            hall.hallCaption = kDefaultHallCaption;
        }
        // 13. The login packet.
        buildLoginPacket();
        // 14. Connect.
        connection.setTarget({launch.serverHost,
                              launch.serverPort,
                              launch.connectionMode,
                              {launch.proxyHost, launch.proxyPort, launch.proxyUser,
                               launch.proxyPassword, launch.serverHost, launch.serverPort}});
        connection.connect();
        // 15. Shown, then the second layout step.
        MainForm.visible = true;
        secondLayout();
        // 16.
        state.PlayerRecord[0].seatBit = 0;
        state.ResumedGame = false;
        if (launch.SpectatorMode) {
            state.RoundNumber = 0;
            state.GamesPlayed = 0;
            state.RoundInGame = 0;
        }
        // 17. The hall's messages reach the table window from here on.
        subclassWindow();
    } catch (const StartupFailure&) {
        hall.restore();
        pf.shell.end(1);
    }
}

void Client::sizeWindow() {
    platform::ScreenSize screen = pf.shell.screenSize();
    constexpr int tw = ui::kTwipsPerPixel;
    if (screen.height > 768) {
        MainForm.height = 11940;
        MainForm.top = 0;
        framePainted = true;
        Pic1.height = (MainForm.height - 420) / tw;
        Pic1.top = 300 / tw;
    } else {
        MainForm.height = screen.height * tw;
        MainForm.top = 0;
        Pic1.height = screen.height;
        Pic1.top = 0;
    }
    if (screen.width > 1024) {
        MainForm.width = 15600;
        MainForm.left = 0;
        framePainted = true;
        Pic1.width = (MainForm.width - 240) / tw;
        Pic1.left = 120 / tw;
    } else {
        MainForm.width = screen.width * tw;
        MainForm.left = 0;
        Pic1.width = screen.width;
        Pic1.left = 0;
    }
}

void Client::applyDisplayScale() {
    platform::ScreenSize screen = pf.shell.screenSize();
    ui::Control& dilan = MainForm.at("imgDilan");
    ui::Control& dinglan = MainForm.at("imgDinglan");
    if (screen.width < 1024 || screen.height < 768) {
        state.Scale = {800.0 / 1024.0, 600.0 / 768.0};
        MainForm.at("Chat").font.size = 12;
        ui::Control& pic2 = MainForm.at("Pic2");
        if (pic2.picture) Pic1.picture = pic2.picture;
        MainForm.sendToBack(Pic1);
        MainForm.at("Sysmsg", 0).font.size = 8;
        MainForm.at("Sysmsg", 1).font.size = 8;
        dilan.stretch = true;
        dilan.width = 800;
        dilan.height = 117 * state.Scale.y;
        dinglan.stretch = true;
        dinglan.width = 800;
        dinglan.height = 96 * state.Scale.y;
    } else {
        state.Scale = {1.0, 1.0};
    }
    dinglan.move(0, 0);
    // The height of Pic1 in twips divided by 15: its height in pixels.
    dilan.move(0, Pic1.height - dilan.height + 3 * state.Scale.y);
    for (const char* side : {"ImageML", "ImageMR"}) {
        ui::Control& c = MainForm.at(side);
        c.stretch = true;
        c.top = 300 * state.Scale.y;
        c.width = 85 * state.Scale.x;
        c.height = 86 * state.Scale.y;
    }
    MainForm.at("ImageML").left = 0;
    MainForm.at("ImageMR").left = 938 * state.Scale.y;
}

void Client::buildLoginPacket() {
    connection.LoginPacket.fill(0);
    connection.LoginPacket[2] = 0;
    connection.LoginPacket[3] = 18;
    auto writeText = [this](const std::string& text, std::size_t at) {
        for (const std::string& ch : wire::utf8Chars(text)) {
            auto code = wire::charToGbk(ch);
            if (!code || code->size() != 1)
                throw StartupFailure("login packet: a character that needs two bytes");
            if (at > 271) throw StartupFailure("login packet: text runs past the packet");
            connection.LoginPacket[at++] = static_cast<std::uint8_t>((*code)[0]);
        }
    };
    writeText(launch.userName, 16);
    writeText(launch.loginKey, 32);
}

}  // namespace app
