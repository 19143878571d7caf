#pragma once
// Every picture the generator draws: the numbered resources and the pictures of
// the window designs, each with its file format and how to draw it.
#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "gif_writer.h"

namespace picgen {

struct Picture {
    int id = 0;        // resource id; 0 for a window-design picture
    std::string name;  // design picture name (empty for resources)
    bool jpeg = false;
    GifOptions gif;
    std::function<std::vector<QImage>()> draw;  // one frame, or the frames of an animation

    std::string fileName() const {
        return (id ? std::to_string(id) : name) + (jpeg ? ".jpg" : ".gif");
    }
};

using Catalogue = std::vector<Picture>;

// Helpers for the drawing modules.
inline void addResource(Catalogue& c, int id, std::function<QImage()> draw,
                        GifOptions options = {}) {
    c.push_back(Picture{id, {}, false, options, [draw] { return std::vector<QImage>{draw()}; }});
}
inline void addDesign(Catalogue& c, const std::string& name, std::function<QImage()> draw,
                      GifOptions options = {}) {
    c.push_back(Picture{0, name, false, options, [draw] { return std::vector<QImage>{draw()}; }});
}

// The drawing modules, one per family of pictures.
void addCards(Catalogue& c);
void addButtons(Catalogue& c);
void addAvatars(Catalogue& c);
void addBubbles(Catalogue& c);
void addMarks(Catalogue& c);  // lamps, ready marks, status labels, finishing places
void addFlames(Catalogue& c);
void addIcons(Catalogue& c);
void addVideoFrames(Catalogue& c);
void addTableDesigns(Catalogue& c);   // table background, decorations, frame skin, clock
void addWindowDesigns(Catalogue& c);  // dialogs and panels

Catalogue catalogue();

}  // namespace picgen
