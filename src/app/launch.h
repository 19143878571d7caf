#pragma once
// The launch line the hall starts the client with: up to thirteen '$'-terminated
// fields; a line that does not end in '$' is the spectator form (five fields and a
// number).
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace app {

// A run-time failure during start-up: the hall window is restored and the process
// ends with status 1, without a message.
struct StartupFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct LaunchParameters {
    std::string userName;
    std::string loginKey;
    std::string serverHost;
    std::int16_t serverPort = 0;
    std::string locationText;
    bool haveLocation = false;
    std::int16_t connectionMode = 0;
    std::string proxyHost;
    std::int16_t proxyPort = 0;
    std::string proxyUser;
    std::string proxyPassword;
    bool customCaptions = false;
    std::string hallCaption;
    std::string tableCaption;

    bool SpectatorMode = false;
    double userNumber = 0;  // the number after the fifth field of a spectator line
};

// Parses a trimmed, non-empty command line. Throws StartupFailure for a numeric
// field that is not a signed 16-bit number or a spectator number that is no number.
// hallCaption is "Brenmoor" unless customCaptions.
LaunchParameters parseLaunchLine(const std::string& commandLine);

std::string trimBlanks(const std::string& s);
// The window system's conversion of a text to a signed 16-bit integer: blanks around
// it allowed, a decimal fraction rounds half to even; nullopt when it is no number or
// out of range.
std::optional<std::int16_t> toInteger16(const std::string& s);
std::optional<double> toDouble(const std::string& s);

constexpr const char* kDefaultHallCaption = "Brenmoor";
constexpr const char* kDefaultTableCaption = "dravik";
// Said at start-up when the table window's endpoint on the hall bus cannot be opened.
constexpr const char* kHallEndpointFailedText =
    "无法接收大厅的消息：本桌结束后请从大厅重新启动Dravik。";

}  // namespace app
