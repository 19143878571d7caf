#pragma once
// Input and control events as the behaviour code receives them.
#include <cstdint>

namespace ui {

enum class EventKind {
    kLoad,
    kUnload,
    kQueryUnload,
    kActivate,
    kResize,
    kMouseDown,
    kMouseUp,
    kMouseMove,
    kClick,
    kDblClick,
    kKeyDown,
    kKeyUp,
    kKeyPress,
    kChange,
    kGotFocus,
    kLostFocus,
};

// Mouse buttons and shift states use the window system's bit values.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftState : int { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };

struct Event {
    EventKind kind = EventKind::kClick;
    int button = 0;       // mouse events
    int shift = 0;        // mouse and key events
    double x = 0, y = 0;  // mouse events: pixels of the control's own surface
    int keyCode = 0;      // KeyDown/KeyUp: virtual key code
    int keyAscii = 0;     // KeyPress: the character (a handler may set it to 0 to swallow it)
    bool cancel = false;  // QueryUnload: set to keep the form loaded
};

// Virtual key codes the behaviour code uses.
enum KeyCode : int {
    VK_BACK = 8,
    VK_RETURN = 13,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_F1 = 112,
};

}  // namespace ui
