#include "server/operator.h"

#include <unistd.h>

#include <istream>
#include <sstream>

namespace server {

OperatorConsole::OperatorConsole(asio::io_context& io, Hub& hub, EventLog& log,
                                 std::function<void()> quit)
    : in_(io), hub_(hub), log_(log), quit_(std::move(quit)) {}

void OperatorConsole::start(int fd) {
    int copy = ::dup(fd);
    if (copy < 0) return;
    asio::error_code ec;
    in_.assign(copy, ec);
    if (ec) {
        ::close(copy);
        return;
    }
    read();
}

void OperatorConsole::read() {
    asio::async_read_until(in_, buffer_, '\n', [this](const asio::error_code& ec, std::size_t) {
        if (ec) return;  // end of input: the console is simply done
        std::istream is(&buffer_);
        std::string line;
        std::getline(is, line);
        command(line);
        read();
    });
}

void OperatorConsole::command(const std::string& line) {
    std::istringstream is(line);
    std::string verb, which;
    is >> verb;
    if (verb == "quit") {
        log_.line("operator quit");
        quit_();
    } else if (verb == "close") {
        is >> which;
        std::string message;
        std::getline(is, message);
        if (!message.empty() && message[0] == ' ') message.erase(0, 1);
        if (message.empty()) message = "服务器关闭了本桌";
        int id = which == "all" ? 0 : std::atoi(which.c_str());
        if (id > 0 || which == "all")
            hub_.closeTable(id, message);
        else
            log_.line("operator: close needs a table id or all");
    } else if (!verb.empty()) {
        log_.line("operator: unknown command " + verb);
    }
}

}  // namespace server
