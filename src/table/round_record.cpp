// The game record file "info.qv" in the program folder: after every round a copy
// of the score window's twelve lists, one section per round ("juNum:" + number),
// so any earlier round can be shown again. The disconnect reset deletes the file.
#include <algorithm>

#include "platform/ini_file.h"
#include "table/score_windows.h"

namespace table {

namespace {

constexpr int kLists = 12;
// A list box counts its lines in 16 bits; a count beyond that in the file is not
// one this client wrote.
constexpr std::size_t kMaxLines = 32767;

std::string sectionOf(std::int16_t round) { return "juNum:" + std::to_string(round); }
std::string countKey(int list) { return "count( " + std::to_string(list) + " )"; }
std::string lineKey(int list, std::size_t line) {
    return countKey(list) + "( " + std::to_string(line) + " )";
}

// The integer part of the number the text starts with (blanks and a sign
// allowed); 0 when it starts with no number.
long long integerPart(const std::string& v) {
    std::size_t i = 0;
    while (i < v.size() && (v[i] == ' ' || v[i] == '\t')) ++i;
    bool negative = false;
    if (i < v.size() && (v[i] == '-' || v[i] == '+')) negative = v[i++] == '-';
    long long n = 0;
    for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i) {
        n = n * 10 + (v[i] - '0');
        if (n > 1'000'000'000) break;
    }
    return negative ? -n : n;
}

// Lines are written in double quotes: the reader trims the blanks around a value,
// and the score window's lines begin with blanks that are part of their layout.
std::string quoted(const std::string& line) { return "\"" + line + "\""; }
std::string unquoted(const std::string& v) {
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') return v.substr(1, v.size() - 2);
    return v;
}

}  // namespace

std::string ScoreWindows::roundRecordPath() {
    platform::classIniFile ini;
    ini.setPath(shell_.programFolder(), "info.qv");
    return ini.INIFileName;
}

void ScoreWindows::SaveRoundRecord(std::int16_t round) {
    platform::classIniFile ini;
    ini.INIFileName = roundRecordPath();
    const std::string section = sectionOf(round);
    ui::Form& score = windows_.form("Score");
    std::vector<std::pair<std::string, std::string>> keys;
    for (int i = 0; i < kLists; ++i) {
        const auto& lines = score.at("State", i).items;
        keys.emplace_back(countKey(i), std::to_string(lines.size()));
        for (std::size_t j = 0; j < lines.size(); ++j)
            keys.emplace_back(lineKey(i, j), quoted(lines[j]));
    }
    ini.WriteIniKeys(section, keys);
}

void ScoreWindows::LoadRoundRecord(std::int16_t round) {
    if (round == 0) return;
    platform::classIniFile ini;
    ini.INIFileName = roundRecordPath();
    const std::string section = sectionOf(round);
    ui::Form& score = windows_.form("Score");
    std::vector<std::string> countKeys;
    for (int i = 0; i < kLists; ++i) countKeys.push_back(countKey(i));
    const std::vector<std::string> counts = ini.GetIniKeys(section, countKeys);
    for (int i = 0; i < kLists; ++i) {
        const std::string& v = counts[static_cast<std::size_t>(i)];
        if (v.empty()) return;  // no such round: what is shown stays
        const auto n =
            static_cast<std::size_t>(std::clamp<long long>(integerPart(v), 0, kMaxLines));
        std::vector<std::string> lineKeys;
        for (std::size_t j = 0; j < n; ++j) lineKeys.push_back(lineKey(i, j));
        const std::vector<std::string> texts = ini.GetIniKeys(section, lineKeys);
        auto& lines = score.at("State", i).items;
        lines.resize(n, " ");
        for (std::size_t j = 0; j < n; ++j) {
            const std::string t = unquoted(texts[j]);
            lines[j] = t.empty() ? " " : t;
        }
    }
}

}  // namespace table
