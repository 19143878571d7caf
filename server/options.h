#pragma once
// The server's command line.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace server {

struct Options {
    int port = 0;                    // 0: pick a free port in 20000..32767
    std::string host = "127.0.0.1";  // listen address
    int bots = 0;                    // seats filled by bots at every table (0..5)
    std::uint64_t seed = 1;          // deals and bot choices
    int turnSeconds = 15;            // countdown of prompts and turns
    bool fast = false;               // short countdowns and instant bots (tests)
    int rounds = 0;                  // stop after this many rounds per table; 0: never
    std::string scenario;            // a scenario file scripting the first table
    bool quiet = false;              // no event lines (load runs)
    int relayPort = 8888;            // the video relay; 0: no relay
    bool botVideo = false;           // bots show a test picture on the relay

    // Derived pacing, in milliseconds.
    int botDelayMinMs() const { return fast ? 0 : 500; }
    int botDelayMaxMs() const { return fast ? 0 : 1500; }
    // How long the server waits past a countdown before answering for a seat itself.
    // Two seconds with --fast: a client's countdown acts up to a second after its
    // last shown second, and the answer still has to cross the link.
    int graceMs() const { return fast ? 2000 : 5000; }
    // The client's continue countdown always runs 15 s; waiting less would end the
    // table under a player who lets it continue for him.
    int continueSeconds() const { return 15; }
};

// Parses argv; on error returns nothing and fills `error` with a usage line.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace server
