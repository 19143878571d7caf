// Closing the table window ends the program: the hall's messages no longer reach
// it, the sounds stop, the video link logs out and every other window goes with
// it. No leave packet is sent on this path.
#include "app/client.h"

namespace app {

void Client::onTableUnload() {
    pf.hall.close();
    sound.shutDown();
    video.shutDown();
    for (ui::Form* f : pf.windows.forms())
        if (f != &MainForm) f->unload();
    pf.shell.end(0);
}

}  // namespace app
