#include "record/record_folder.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "record/record_format.h"

namespace record {

namespace fs = std::filesystem;

std::string recordFileName(std::int64_t launchTime, const std::string& room) {
    const std::time_t t = static_cast<std::time_t>(launchTime);
    std::tm local{};
    localtime_r(&t, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string safeRoom;
    for (char c : room) {
        const auto b = static_cast<unsigned char>(c);
        safeRoom += b < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' ||
                            c == '"' || c == '<' || c == '>' || c == '|'
                        ? '_'
                        : c;
    }
    if (safeRoom.size() > 120) safeRoom.resize(120);
    // A cut in the middle of a UTF-8 character drops the character's start too.
    while (!safeRoom.empty() && (static_cast<unsigned char>(safeRoom.back()) & 0x80)) {
        const std::size_t last = safeRoom.size() - 1;
        std::size_t start = last;
        while (start > 0 && (static_cast<unsigned char>(safeRoom[start]) & 0xC0) == 0x80) --start;
        const auto lead = static_cast<unsigned char>(safeRoom[start]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (last - start + 1 == length) break;
        safeRoom.resize(start);
    }
    return std::string(stamp) + (safeRoom.empty() ? "" : "-" + safeRoom) + kExtension;
}

std::vector<std::string> listRecords(const std::string& folder) {
    std::vector<std::string> out;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec) || it->path().extension() != kExtension) continue;
        out.push_back(it->path().string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool keepNewest(const std::string& folder, std::size_t keep) {
    const std::vector<std::string> files = listRecords(folder);
    bool ok = true;
    for (std::size_t i = 0; i + keep < files.size(); ++i) {
        std::error_code ec;
        if (!fs::remove(files[i], ec)) ok = false;
    }
    return ok;
}

}  // namespace record
