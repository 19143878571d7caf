#include "app/launch.h"

#include <cmath>
#include <cstdlib>

namespace app {

std::string trimBlanks(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    std::size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

std::optional<double> toDouble(const std::string& s) {
    std::string t = trimBlanks(s);
    if (t.empty()) return std::nullopt;
    // Only plain decimal numbers: no hex, no inf/nan words.
    for (char c : t)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.' ||
              c == 'e' || c == 'E'))
            return std::nullopt;
    char* end = nullptr;
    double v = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size()) return std::nullopt;
    return v;
}

std::optional<std::int16_t> toInteger16(const std::string& s) {
    auto d = toDouble(s);
    if (!d) return std::nullopt;
    double r = std::nearbyint(*d);  // default rounding mode: half to even
    if (r < -32768.0 || r > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(r);
}

namespace {

std::int16_t numericField(const std::string& field) {
    auto v = toInteger16(field);
    if (!v) throw StartupFailure("launch line: not a 16-bit number: " + field);
    return *v;
}

}  // namespace

LaunchParameters parseLaunchLine(const std::string& commandLine) {
    LaunchParameters lp;
    std::string line = trimBlanks(commandLine);
    lp.SpectatorMode = line.empty() || line.back() != '$';
    std::string rest = line;
    int fieldsRead = 0;
    for (int k = 1; k <= 13; ++k) {
        std::size_t dollar = rest.find('$');
        if (dollar == std::string::npos) continue;  // skipped: nothing consumed
        std::string field = rest.substr(0, dollar);
        rest = rest.substr(dollar + 1);
        ++fieldsRead;
        switch (k) {
            case 1:
                lp.userName = field;
                break;
            case 2:
                lp.loginKey = field;
                break;
            case 3:
                lp.serverHost = field;
                break;
            case 4:
                lp.serverPort = numericField(field);
                break;
            case 5:
                lp.locationText = field;
                lp.haveLocation = true;
                if (lp.SpectatorMode) {
                    auto n = toDouble(rest);
                    if (!n) throw StartupFailure("launch line: spectator number: " + rest);
                    lp.userNumber = *n;
                }
                break;
            case 6:
                lp.connectionMode = numericField(field);
                break;
            case 7:
                lp.proxyHost = field;
                break;
            case 8:
                lp.proxyPort = numericField(field);
                break;
            case 9:
                lp.proxyUser = field;
                break;
            case 10:
                lp.proxyPassword = field;
                break;
            case 11: {
                auto v = toDouble(field);
                lp.customCaptions = v && *v == 1.0;
                break;
            }
            case 12:
                lp.hallCaption = field;
                break;
            case 13:
                lp.tableCaption = field;
                break;
        }
    }
    (void)fieldsRead;
    if (!lp.customCaptions) lp.hallCaption = kDefaultHallCaption;
    return lp;
}

}  // namespace app
