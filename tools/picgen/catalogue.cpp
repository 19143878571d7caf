#include "catalogue.h"

namespace picgen {

Catalogue catalogue() {
    Catalogue c;
    addCards(c);
    addButtons(c);
    addAvatars(c);
    addBubbles(c);
    addMarks(c);
    addFlames(c);
    addIcons(c);
    addVideoFrames(c);
    addTableDesigns(c);
    addWindowDesigns(c);
    return c;
}

}  // namespace picgen
