#pragma once
// One control of a form: image, picture box, label, list box or text box. Behaviour
// code reads and writes the fields directly, the way the window system's properties
// are read and written; the adapter paints what it finds after every callback.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/picture.h"

namespace ui {

class Form;

enum class ControlKind { kImage, kPictureBox, kLabel, kListBox, kTextBox };

using Rgb = std::uint32_t;  // 0xRRGGBB

struct Font {
    std::string name = "宋体";
    double size = 9;
    bool bold = false;
};

enum class Align { kLeft, kRight, kCenter };

struct Control {
    Control(Form& owner, std::string controlName, int controlIndex, ControlKind controlKind,
            Control* parent)
        : form(&owner),
          name(std::move(controlName)),
          index(controlIndex),
          kind(controlKind),
          container(parent) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form* form;
    std::string name;
    int index;  // item index in a control array, -1 for a single control
    ControlKind kind;
    Control* container;  // the picture box it sits in; null = the form's own surface

    // Position and size in pixels of the container's surface.
    double left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    bool enabled = true;

    PicturePtr picture;
    bool stretch = false;  // image: scale the picture to the control's size

    std::string caption;  // label caption, or the text of a text box
    Rgb foreColor = 0x000000;
    Rgb backColor = 0xFFFFFF;
    bool transparent = false;  // BackStyle 0: nothing behind the text or picture is painted
    Font font;
    bool autoSize = false;
    Align alignment = Align::kLeft;
    std::string toolTipText;
    std::string tag;
    int mousePointer = 0;

    // List box.
    std::vector<std::string> items;
    int topIndex = 0;
    int listIndex = -1;

    // Text box.
    int selStart = 0;
    int selLength = 0;
    int maxLength = 0;  // 0 = unlimited

    // Picture box: the controls inside it, back to front.
    std::vector<Control*> children;

    // Assigning a picture, as the window system does: an image that does not
    // stretch (and a picture box that sizes itself) takes the size of its picture
    // each time one is assigned, also when it is the picture it shows already, so a
    // control resized meanwhile shows its picture at the picture's size again.
    void setPicture(const PicturePtr& p) {
        picture = p;
        if (p && ((kind == ControlKind::kImage && !stretch) ||
                  (kind == ControlKind::kPictureBox && autoSize))) {
            width = p->width;
            height = p->height;
        }
    }
    void move(double l, double t) { left = l, top = t; }
    void move(double l, double t, double w, double h) { left = l, top = t, width = w, height = h; }
    bool contains(double x, double y) const {
        return x >= left && y >= top && x < left + width && y < top + height;
    }
};

// The first item a list box shows, given the height of one row: its top index, held
// back so that a list scrolled to its end still fills its rows (the window system
// never scrolls past the point where the last item stands on the bottom row).
inline int firstShownItem(const Control& list, int rowHeight) {
    const int rows = std::max(1, static_cast<int>(list.height) / std::max(1, rowHeight));
    const int last = std::max(0, static_cast<int>(list.items.size()) - rows);
    return std::clamp(list.topIndex, 0, last);
}

}  // namespace ui
