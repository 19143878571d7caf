#pragma once
// The table client as a composition root: it owns the parts of the table window
// (each with its own state), builds each from what it needs and wires their hooks.
// The table state is the one process-wide record the parts share.
#include <string>

#include "app/shell.h"
#include "chat/bubbles.h"
#include "chat/chat.h"
#include "gif/ani_gif.h"
#include "net/connection.h"
#include "pictures/pictures.h"
#include "platform/hall_window.h"
#include "platform/platform.h"
#include "protocol/departure.h"
#include "protocol/dispatcher.h"
#include "protocol/operator.h"
#include "protocol/played_hand.h"
#include "protocol/revolution.h"
#include "protocol/round_result.h"
#include "protocol/round_start.h"
#include "protocol/seating.h"
#include "protocol/tribute.h"
#include "record/record_folder.h"
#include "record/recorder.h"
#include "sound/settings_window.h"
#include "sound/sound.h"
#include "state/table_state.h"
#include "table/action_buttons.h"
#include "table/countdown_view.h"
#include "table/display_reset.h"
#include "table/hall_buttons.h"
#include "table/hand_view.h"
#include "table/layout.h"
#include "table/notice.h"
#include "table/score_windows.h"
#include "table/table_input.h"
#include "video/video.h"

namespace app {

class Client {
  public:
    Client(platform::Platform pf, const pictures::ResourceStore& resources);
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // Shows the table window; its load handler runs the start-up with the command
    // line. Ends the process (platform::ProcessEnd) where the start-up says so.
    void start(const std::string& commandLine);

    platform::Platform pf;
    ui::Form& MainForm;
    platform::HallWindow hall;
    pictures::Pictures pictures;
    ui::Control& Pic1;
    state::TableState state;
    sound::Sound sound{pf.sound, pf.shell.programFolder()};
    // The sound settings window VosSet (opened by the hall button 设置).
    sound::SettingsWindow soundSettings{pf.windows, sound, state, pictures};
    net::Connection connection{pf, state, MainForm, hall};
    protocol::Dispatcher dispatcher{connection.send.token};
    // Every table recorded into the records folder of the program folder.
    record::Recorder recorder{pf.loop, MainForm,
                              pf.shell.programFolder() + "/" + record::kFolderName};
    // Camera pictures between the seats and the video windows.
    video::Video video{pf.video, pf.loop, pf.shell, pf.hall,  pf.windows,
                       MainForm, Pic1,    state,    pictures, protocol::kOperatorSite};
    // The animated picture on the table surface that plays the flames of burns,
    // catches and falls.
    gif::ucAniGIF ShaoPaiPlayer{MainForm.add("ShaoPaiPlayer", ui::ControlKind::kImage, -1, &Pic1),
                                pf.loop, pf.pictures, pf.fetch};

    table::HandView hand{state, MainForm, pictures, sound, pf.loop};
    table::CountdownView countdown{state, MainForm, sound};
    table::Notice notice{pf.windows, MainForm, pf.loop, pictures};
    table::ActionButtons buttons{state, pf,         MainForm, hall,      pictures,
                                 sound, connection, hand,     countdown, notice};
    table::DisplayReset reset{state, MainForm, connection, hand, buttons, countdown};
    table::ScoreWindows scores{pf.windows, pf.shell, MainForm, pictures};
    table::HallButtons hallButtons{state,      pf,        MainForm, Pic1,   hall,         pictures,
                                   connection, countdown, reset,    scores, soundSettings};
    table::TableInput input{state, pf.windows, MainForm, Pic1, hall, hand, buttons, hallButtons};
    table::Layout layout{state, MainForm, Pic1, ShaoPaiPlayer};
    // Table talk: the chat input, the chat and quick-reply windows, the speech bubbles.
    chat::SpeechBubbles bubbles{pf.loop, pf.windows, MainForm, state, pictures};
    chat::Chat chat{pf.loop,         pf.windows, MainForm, state,
                    connection.send, sound,      pictures, bubbles};

    protocol::PlayedHand playedHand{state,      pf.loop, MainForm, pictures,  sound,
                                    connection, hand,    buttons,  countdown, ShaoPaiPlayer};
    protocol::RoundStart roundStart{state,    pf.windows, MainForm,    hall,
                                    pictures, sound,      connection,  hand,
                                    buttons,  countdown,  hallButtons, reset};
    protocol::Tribute tribute{state, hand, buttons, notice, playedHand};
    protocol::Revolution revolution{state, pf.loop, MainForm, pictures,  sound,
                                    hand,  buttons, notice,   playedHand};
    protocol::Seating seating{state,    pf,         MainForm,    Pic1, hall,
                              pictures, connection, hallButtons, reset};
    protocol::Departure departure{state, pf, MainForm, hall, connection, video};
    protocol::RoundResult roundResult{state,   MainForm,  sound,       connection, hand,
                                      buttons, countdown, hallButtons, scores};

    Shell shell{pf,       state,
                MainForm, Pic1,
                hall,     pictures,
                sound,    connection,
                recorder, {layout, buttons, hallButtons, input, scores, reset, video}};

  private:
    void wireParts();
    void wireChat();
    void registerHandlers();
    std::string commandLine_;
};

}  // namespace app
