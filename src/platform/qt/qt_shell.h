#pragma once
// The shell on Qt, with the automation contract: DRAVIK_AUTOMATION=1 answers message
// boxes with their default button after printing "messagebox: <title>: <text>" to
// standard error; DRAVIK_SCREEN=WxH and DRAVIK_HOME=dir override the screen size and
// the program folder.
#include "platform/shell.h"

namespace platform {

class QtShell : public Shell {
  public:
    explicit QtShell(std::string busDirectory);
    int messageBox(const std::string& text, const std::string& title, int buttons) override;
    void openDocument(const std::string& target) override;
    bool claimSingleInstance() override;
    std::string programFolder() override;
    ScreenSize screenSize() override;
    void startProgram(const std::string& path, const std::string& arguments) override;

  private:
    std::string busDir_;
};

}  // namespace platform
