#pragma once
// A top-level window of the control model: its own properties, its controls (single
// or in control arrays by name and index), their z-order, hit testing and the
// handlers behaviour code registers for their events.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/event.h"

namespace ui {

constexpr int kTwipsPerPixel = 15;

enum class WindowState { kNormal, kMinimized, kMaximized };

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
};

class WindowSystem;

class Form {
  public:
    // Handlers receive the control (null for the form itself) and the event.
    using Handler = std::function<void(Control*, Event&)>;

    Form(WindowSystem& ws, std::string formName);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    WindowSystem& windows() { return *ws_; }
    const std::string& name() const { return name_; }

    // Window properties. Position and size are in twips of the screen.
    std::string caption;
    std::string tag;
    int left = 0, top = 0, width = 0, height = 0;
    bool visible = false;
    WindowState windowState = WindowState::kNormal;
    bool topmost = false;
    bool framed = false;       // drawn with the window system's own title bar
    bool acceptsFocus = true;  // false: shown without taking the keyboard from another window
    int opacity = 255;         // constant opacity of a layered window, 0..255
    std::vector<Rect> region;  // window shape in pixels; empty = the whole rectangle
    PicturePtr picture;        // background picture of the form's surface
    Rgb backColor = 0x000000;
    // Set by a handler of a mouse press to let the user drag the window by its
    // surface as by its caption; the adapter starts the move and clears it.
    bool systemMove = false;

    int pixelWidth() const { return width / kTwipsPerPixel; }
    int pixelHeight() const { return height / kTwipsPerPixel; }

    bool loaded() const { return loaded_; }
    // Loads the form if needed (running its Load handler once) and shows it.
    void show();
    void hide() { visible = false; }
    // Runs QueryUnload and Unload; the controls stay in the model (the window system
    // would recreate them at the next load), but the form is hidden and not loaded.
    bool unload();
    void load();

    // Controls. add() creates a control once; asking again returns the same one.
    Control& add(const std::string& controlName, ControlKind kind, int index = -1,
                 Control* container = nullptr);
    Control* find(const std::string& controlName, int index = -1);
    const Control* find(const std::string& controlName, int index = -1) const;
    Control& at(const std::string& controlName, int index = -1);  // throws when missing
    std::vector<Control*> array(const std::string& controlName);  // items by index order
    const std::vector<Control*>& topLevel() const { return topLevel_; }

    void bringToFront(Control& c);
    void sendToBack(Control& c);

    // The topmost visible control under a point of the form's surface (pixels),
    // descending into picture boxes; null where only the form itself is hit.
    Control* hitTest(double x, double y);
    // The point of the form's surface translated into the control's own surface.
    void toControl(const Control& c, double& x, double& y) const;
    // Absolute position of a control on the form's surface.
    void absolutePosition(const Control& c, double& x, double& y) const;
    bool effectivelyVisible(const Control& c) const;

    Control* focus = nullptr;
    void setFocus(Control* c);

    // Event routing by control name (empty = the form) and event kind; the handler
    // receives the control so control arrays share one handler.
    void on(const std::string& controlName, EventKind kind, Handler h);
    void onForm(EventKind kind, Handler h) { on("", kind, std::move(h)); }
    // Delivers an event to the control's handler, or the form's when c is null.
    // Returns whether a handler ran.
    bool fire(Control* c, Event& e);
    bool fire(Control* c, EventKind kind) {
        Event e;
        e.kind = kind;
        return fire(c, e);
    }

  private:
    std::vector<Control*>& siblings(Control& c);
    Control* hitIn(const std::vector<Control*>& list, double x, double y);

    WindowSystem* ws_;
    std::string name_;
    bool loaded_ = false;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::pair<std::string, int>, Control*> byName_;
    std::vector<Control*> topLevel_;  // back to front
    std::map<std::pair<std::string, EventKind>, Handler> handlers_;
};

}  // namespace ui
