// Closing the table window ends the program: the hall's messages no longer reach
// it, the sounds stop, the video link logs out and every other window goes with
// it. No leave packet is sent on this path.
#include "app/shell.h"

namespace app {

void Shell::onTableUnload() {
    pf_.hall.close();
    sound_.shutDown();
    parts_.video.shutDown();
    for (ui::Form* f : pf_.windows.forms())
        if (f != &table_) f->unload();
    pf_.shell.end(0);
}

}  // namespace app
