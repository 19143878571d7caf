// The start-up: the load handler of the table window.
#include <cstring>

#include "app/shell.h"
#include "wire/gbk.h"

namespace app {

void Shell::startUp(const std::string& commandLine) {
    try {
        // 1. The chat input's work text starts empty.
        connection_.send.ChatText.clear();
        // 2. One copy per hall bus.
        if (!pf_.shell.claimSingleInstance()) {
            pf_.shell.messageBox("Dravik已经运行！", "警告", platform::MB_OK);
            hall_.restore();
            pf_.shell.end(0);
        }
        // 3. The hall comes back on every start.
        hall_.restore();
        // 4 to 8.
        prepareTable();
        // 9. The launch line.
        std::string line = trimBlanks(commandLine);
        if (line.empty()) {
            pf_.shell.messageBox("本游戏需从游戏大厅中启动！", "警告", platform::MB_OK);
            pf_.shell.end(0);
        }
        launch_ = parseLaunchLine(line);
        state_.SpectatorMode = launch_.SpectatorMode;
        hall_.hallCaption = launch_.hallCaption;
        if (launch_.haveLocation) showLocation(launch_.locationText);
        if (launch_.SpectatorMode) state_.PlayerInfo[0].userNumber = launch_.userNumber;
        state_.PlayerRecord[0].seatId = launch_.userName;
        // 10. Peer video.
        if (hooks_.setUpPeerVideo) hooks_.setUpPeerVideo(launch_);
        // 11. Connecting.
        ui::Control& sys0 = table_.at("Sysmsg", 0);
        sys0.items.clear();
        sys0.items.push_back("正在连接服务器...");
        connection_.TimerBong.setEnabled(false);
        // 12. Captions.
        if (launch_.customCaptions) {
            table_.caption = launch_.tableCaption;
            state_.TurnSeconds = 1;
            state_.AutoPlay = false;
        } else {
            hall_.hallCaption = kDefaultHallCaption;
        }
        // 13. The login packet.
        buildLoginPacket();
        // 14. Connect.
        connection_.setTarget({launch_.serverHost,
                               launch_.serverPort,
                               launch_.connectionMode,
                               {launch_.proxyHost, launch_.proxyPort, launch_.proxyUser,
                                launch_.proxyPassword, launch_.serverHost, launch_.serverPort}});
        recorder_.begin({launch_.userName, launch_.locationText, state_.Scale.x});
        connection_.connect();
        // 15. Shown, then the second layout step.
        showTable();
        if (hooks_.startLocalCapture) hooks_.startLocalCapture();
        // 16.
        state_.PlayerRecord[0].seatBit = 0;
        state_.ResumedGame = false;
        if (launch_.SpectatorMode) {
            state_.RoundNumber = 0;
            state_.GamesPlayed = 0;
            state_.RoundInGame = 0;
        }
        // 17. The hall's messages reach the table window from here on; the endpoint
        // is named by the table window's caption.
        // Without it the table plays on, but the hall cannot reach this client again:
        // the player hears of it now rather than when the hall's messages go unanswered.
        if (!pf_.hall.open(table_.caption))
            pf_.shell.messageBox(kHallEndpointFailedText, "警告", platform::MB_OK);
    } catch (const std::exception&) {
        // A failure of any kind during the start-up: the hall comes back and the
        // program ends with its failure status.
        hall_.restore();
        pf_.shell.end(1);
    }
}

// Steps 4 to 8 of the start-up, which a replayed table takes too: initial values,
// window size and display scale, pump state, sound, counters, pictures and the
// first layout step.
void Shell::prepareTable() {
    // 4. Initial values.
    state_.TurnSeconds = 10;
    state_.AutoPlay = false;
    state_.Away = false;
    // 5 and 6. Window size and display scale.
    sizeWindow();
    applyDisplayScale();
    // 7. Pump state, sound, counters.
    for (auto& s : connection_.slots) s = net::TickSlot{};
    state_.LoginSent = false;
    sound_.startUp();
    state_.SilenceTicks = 0;
    state_.GameResetDone = false;
    state_.SeatedCount = 0;
    state_.HandInGame = 0;
    state_.RoundNumber = 0;
    state_.GamesPlayed = 0;
    state_.RoundInGame = 0;
    table_.at("LabJS").caption = "0";
    table_.at("LabHS").caption = "0";
    // 8. Pictures and the first layout step.
    pictures_.load(state_.Scale.x);
    parts_.layout.firstLayout();
    parts_.hallButtons.showHallButtonPictures();
    if (showPhraseButtons) showPhraseButtons();
    parts_.input.wireEvents();
    parts_.buttons.wireEvents();
    parts_.hallButtons.wireEvents();
    parts_.scores.wireEvents();
}

// The room's name in the table window.
void Shell::showLocation(const std::string& room) {
    ui::Control& location = table_.at("Location");
    if (state_.Scale.x < 1) location.font.size = 10;
    if (wire::utf8Chars(room).size() > 10) location.font.size -= 2;
    location.caption = room;
}

// The table window shown, then the second layout step.
void Shell::showTable() {
    table_.visible = true;
    parts_.layout.secondLayout();
    parts_.buttons.showRestoreButtonPicture();
    // The seats' card anchors and the hand's resting line are known from here
    // on, before the first game's reset.
    parts_.reset.displayReset();
}

void Shell::sizeWindow() {
    platform::ScreenSize screen = pf_.shell.screenSize();
    constexpr int tw = ui::kTwipsPerPixel;
    if (screen.height > 768) {
        table_.height = 11940;
        table_.top = 0;
        framePainted_ = true;
        Pic1.height = (table_.height - 420) / tw;
        Pic1.top = 300 / tw;
    } else {
        table_.height = screen.height * tw;
        table_.top = 0;
        Pic1.height = screen.height;
        Pic1.top = 0;
    }
    if (screen.width > 1024) {
        table_.width = 15600;
        table_.left = 0;
        framePainted_ = true;
        Pic1.width = (table_.width - 240) / tw;
        Pic1.left = 120 / tw;
    } else {
        table_.width = screen.width * tw;
        table_.left = 0;
        Pic1.width = screen.width;
        Pic1.left = 0;
    }
}

void Shell::applyDisplayScale() {
    platform::ScreenSize screen = pf_.shell.screenSize();
    ui::Control& dilan = table_.at("imgDilan");
    ui::Control& dinglan = table_.at("imgDinglan");
    if (screen.width < 1024 || screen.height < 768) {
        state_.Scale = {800.0 / 1024.0, 600.0 / 768.0};
        table_.at("Chat").font.size = 12;
        ui::Control& pic2 = table_.at("Pic2");
        if (pic2.picture) Pic1.picture = pic2.picture;
        table_.sendToBack(Pic1);
        table_.at("Sysmsg", 0).font.size = 8;
        table_.at("Sysmsg", 1).font.size = 8;
        dilan.stretch = true;
        dilan.width = 800;
        dilan.height = 117 * state_.Scale.y;
        dinglan.stretch = true;
        dinglan.width = 800;
        dinglan.height = 96 * state_.Scale.y;
    } else {
        state_.Scale = {1.0, 1.0};
    }
    dinglan.move(0, 0);
    // The height of Pic1 in twips divided by 15: its height in pixels.
    dilan.move(0, Pic1.height - dilan.height + 3 * state_.Scale.y);
    for (const char* side : {"ImageML", "ImageMR"}) {
        ui::Control& c = table_.at(side);
        c.stretch = true;
        c.top = 300 * state_.Scale.y;
        c.width = 85 * state_.Scale.x;
        c.height = 86 * state_.Scale.y;
    }
    table_.at("ImageML").left = 0;
    table_.at("ImageMR").left = 938 * state_.Scale.y;
}

void Shell::buildLoginPacket() {
    connection_.LoginPacket.fill(0);
    connection_.LoginPacket[2] = 0;
    connection_.LoginPacket[3] = 18;
    auto writeText = [this](const std::string& text, std::size_t at) {
        for (const std::string& ch : wire::utf8Chars(text)) {
            auto code = wire::charToGbk(ch);
            if (!code || code->size() != 1)
                throw StartupFailure("login packet: a character that needs two bytes");
            if (at > 271) throw StartupFailure("login packet: text runs past the packet");
            connection_.LoginPacket[at++] = static_cast<std::uint8_t>((*code)[0]);
        }
    };
    writeText(launch_.userName, 16);
    writeText(launch_.loginKey, 32);
}

}  // namespace app
