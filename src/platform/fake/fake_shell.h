#pragma once
// A shell that records message boxes and opened documents, answers boxes from a
// queue (default: the first button) and reports a configurable screen and clock.
#include <deque>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace platform {

struct ShownMessage {
    std::string text, title;
    int buttons;
};

class FakeShell : public Shell {
  public:
    int messageBox(const std::string& text, const std::string& title, int buttons) override {
        messages.push_back({text, title, buttons});
        if (!answers.empty()) {
            int a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == MB_YESNO ? ID_YES : ID_OK;
    }
    void openDocument(const std::string& target) override { opened.push_back(target); }
    bool claimSingleInstance() override { return !anotherCopyRunning; }
    std::string programFolder() override { return folder; }
    ScreenSize screenSize() override { return screen; }
    TimeOfDay timeOfDay() override { return clock; }
    LocalDateTime localDateTime() override { return date; }
    void startProgram(const std::string& path, const std::string& arguments) override {
        started.push_back(path + "|" + arguments);
    }

    std::vector<ShownMessage> messages;
    std::deque<int> answers;
    std::vector<std::string> opened;
    bool anotherCopyRunning = false;
    std::string folder = "/tmp/dravik-test";
    ScreenSize screen{1280, 1024};
    TimeOfDay clock{9, 5, 7};
    LocalDateTime date{2026, 1, 11, 9, 5, 7};
    std::vector<std::string> started;  // "path|arguments"
};

}  // namespace platform
