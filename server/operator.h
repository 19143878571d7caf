#pragma once
// Operator commands read line by line from a descriptor (standard input):
//   close <table id | all> [message]   closes tables with command 22
//   quit                               stops the server
#include <asio.hpp>
#include <functional>
#include <string>

#include "server/event_log.h"
#include "server/hub.h"

namespace server {

class OperatorConsole {
  public:
    OperatorConsole(asio::io_context& io, Hub& hub, EventLog& log, std::function<void()> quit);
    // Starts reading; a descriptor that cannot be read (closed, a file at its end) is left alone.
    void start(int fd);
    // One command line; also what tests call.
    void command(const std::string& line);

  private:
    void read();

    asio::posix::stream_descriptor in_;
    asio::streambuf buffer_;
    Hub& hub_;
    EventLog& log_;
    std::function<void()> quit_;
};

}  // namespace server
