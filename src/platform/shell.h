#pragma once
// The shell seam: message boxes, opening documents, ending the process, the
// single-instance check, the program folder, the screen size and the local time
// of day.
#include <string>

namespace platform {

// Thrown by Shell::end so that nothing after the end of the process runs; the
// adapters catch it where they call into behaviour code and end with its status.
struct ProcessEnd {
    int status;
};

enum MessageBoxButtons { MB_OK = 0, MB_OKCANCEL = 1, MB_YESNO = 4 };
enum MessageBoxResult { ID_OK = 1, ID_CANCEL = 2, ID_YES = 6, ID_NO = 7 };

struct ScreenSize {
    int width = 1024, height = 768;  // pixels
};

struct TimeOfDay {
    int hour = 0, minute = 0, second = 0;
};

struct LocalDateTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class Shell {
  public:
    virtual ~Shell() = default;
    virtual int messageBox(const std::string& text, const std::string& title,
                           int buttons = MB_OK) = 0;
    virtual void openDocument(const std::string& target) = 0;
    // True when this is the only running copy for this hall bus; a second copy
    // gets false.
    virtual bool claimSingleInstance() = 0;
    virtual std::string programFolder() = 0;
    virtual ScreenSize screenSize() = 0;
    // The local wall-clock time, for the times the message area shows.
    virtual TimeOfDay timeOfDay();
    // The local date and time, for the names of photos.
    virtual LocalDateTime localDateTime();
    // Starts another program without waiting for it and without taking the focus.
    virtual void startProgram(const std::string& path, const std::string& arguments) {
        (void)path, (void)arguments;
    }
    // Ends the process with the status; never returns.
    [[noreturn]] void end(int status) { throw ProcessEnd{status}; }
};

}  // namespace platform
