#include "server/options.h"

#include <charconv>

namespace server {
namespace {

template <class T>
bool number(const std::string& s, T& out, T lo, T hi) {
    T v{};
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size() || v < lo || v > hi) return false;
    out = v;
    return true;
}

}  // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error) {
    Options o;
    const std::string usage =
        "usage: dravik-server [--port P] [--host ADDR] [--bots N] [--seed S] [--turn-seconds T]"
        " [--fast] [--rounds N] [--scenario FILE] [--quiet] [--relay-port P] [--bot-video]";
    bool turnGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& v) {
            if (i + 1 >= args.size()) return false;
            v = args[++i];
            return true;
        };
        std::string v;
        bool ok = true;
        if (a == "--fast") {
            o.fast = true;
        } else if (a == "--bot-video") {
            o.botVideo = true;
        } else if (a == "--quiet") {
            o.quiet = true;
        } else if (a == "--port") {
            ok = value(v) && number(v, o.port, 0, 32767);
        } else if (a == "--relay-port") {
            ok = value(v) && number(v, o.relayPort, 0, 65535);
        } else if (a == "--host") {
            ok = value(o.host) && !o.host.empty();
        } else if (a == "--bots") {
            ok = value(v) && number(v, o.bots, 0, 5);
        } else if (a == "--seed") {
            ok = value(v) && number<std::uint64_t>(v, o.seed, 0, UINT64_MAX);
        } else if (a == "--turn-seconds") {
            ok = value(v) && number(v, o.turnSeconds, 1, 255);
            turnGiven = true;
        } else if (a == "--rounds") {
            ok = value(v) && number(v, o.rounds, 0, 1000000);
        } else if (a == "--scenario") {
            ok = value(o.scenario) && !o.scenario.empty();
        } else {
            ok = false;
        }
        if (!ok) {
            error = "bad option " + a + "\n" + usage;
            return std::nullopt;
        }
    }
    if (o.fast && !turnGiven) o.turnSeconds = 3;
    return o;
}

}  // namespace server
