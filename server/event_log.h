#pragma once
// One line per table event on standard output, flushed at once, so a test or an
// operator can follow a table as it happens.
#include <cstdio>
#include <functional>
#include <string>

namespace server {

class EventLog {
  public:
    explicit EventLog(std::FILE* out) : out_(out) {}
    void line(const std::string& text);
    // Also receives every line (tests read the table's story from it).
    std::function<void(const std::string&)> tap;

  private:
    std::FILE* out_;
};

}  // namespace server
