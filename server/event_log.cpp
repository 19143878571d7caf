#include "server/event_log.h"

namespace server {

void EventLog::line(const std::string& text) {
    if (out_) {
        std::fputs(text.c_str(), out_);
        std::fputc('\n', out_);
        std::fflush(out_);
    }
    if (tap) tap(text);
}

}  // namespace server
