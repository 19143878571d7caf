#include "platform/ini_file.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "wire/gbk.h"

namespace platform {

namespace {

using Lines = std::vector<std::string>;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    while (e > b && isBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// Letters compare without case; the bytes of other characters (UTF-8 here, so all
// of them 0x80 or above) compare exactly.
bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The section a header line opens, or false for any other line.
bool headerOf(const std::string& line, std::string& name) {
    std::string t = trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    std::size_t close = t.find(']');
    if (close == std::string::npos) return false;
    name = trim(t.substr(1, close - 1));
    return true;
}

// The key of a "key=value" line, or false for comments and other lines.
bool keyOf(const std::string& line, std::string& key) {
    std::string t = trim(line);
    if (t.empty() || t.front() == ';') return false;
    std::size_t eq = t.find('=');
    if (eq == std::string::npos) return false;
    key = trim(t.substr(0, eq));
    return true;
}

Lines readLines(const std::string& path) {
    Lines lines;
    std::ifstream in(path, std::ios::binary);
    if (!in) return lines;
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string text = wire::gbkToUtf8(buffer.str());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// Written beside the file and moved over it, so a failed write never leaves half
// a file behind.
bool writeLines(const std::string& path, const Lines& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    std::string bytes = wire::utf8ToGbk(text);
    std::string temp = path + ".new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) return false;
    }
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

// The header line of the section and the line after its last line.
struct SectionRange {
    std::size_t header = 0, end = 0;
    bool found = false;
};

SectionRange findSection(const Lines& lines, const std::string& section) {
    SectionRange r;
    std::string name;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!headerOf(lines[i], name)) continue;
        if (r.found) {
            r.end = i;
            return r;
        }
        if (sameName(name, section)) {
            r.found = true;
            r.header = i;
        }
    }
    r.end = lines.size();
    return r;
}

std::size_t findKey(const Lines& lines, const SectionRange& r, const std::string& key) {
    std::string k;
    for (std::size_t i = r.header + 1; i < r.end; ++i)
        if (keyOf(lines[i], k) && sameName(k, key)) return i;
    return std::string::npos;
}

// A value is one line of the file: line breaks inside it would start new keys.
std::string oneLine(const std::string& value) {
    std::string v = value;
    for (char& c : v)
        if (c == '\r' || c == '\n') c = ' ';
    return v;
}

// Cuts the code-page text at the limit without leaving half a character.
std::string cutToLimit(const std::string& utf8) {
    std::string out;
    std::size_t bytes = 0;
    for (const std::string& ch : wire::utf8Chars(utf8)) {
        std::size_t width = wire::charToGbk(ch).value_or("?").size();
        if (bytes + width > kIniValueLimit) break;
        bytes += width;
        out += ch;
    }
    return out;
}

// Sets one key in the lines of the file.
void setKey(Lines& lines, const std::string& section, const std::string& key,
            const std::string& value) {
    const std::string line = key + "=" + oneLine(value);
    SectionRange r = findSection(lines, section);
    if (!r.found) {
        lines.push_back("[" + section + "]");
        lines.push_back(line);
        return;
    }
    std::size_t at = findKey(lines, r, key);
    if (at != std::string::npos) {
        lines[at] = line;
        return;
    }
    // After the section's last non-empty line, so blank separators stay last.
    std::size_t insert = r.end;
    while (insert > r.header + 1 && trim(lines[insert - 1]).empty()) --insert;
    lines.insert(lines.begin() + static_cast<long>(insert), line);
}

std::string valueOf(const Lines& lines, const SectionRange& r, const std::string& key) {
    if (!r.found) return "";
    std::size_t at = findKey(lines, r, key);
    if (at == std::string::npos) return "";
    const std::string& l = lines[at];
    std::string value = cutToLimit(trim(l.substr(l.find('=') + 1)));
    std::string clean;
    for (char c : value)
        if (c != '\0') clean += c;
    return trim(clean);
}

}  // namespace

void classIniFile::setPath(const std::string& folder, const std::string& name) {
    auto separator = [](char c) { return c == '/' || c == '\\'; };
    std::size_t e = folder.size();
    while (e > 0 && separator(folder[e - 1])) --e;
    std::size_t b = 0;
    while (b < name.size() && separator(name[b])) ++b;
    INIFileName = folder.substr(0, e) + "/" + name.substr(b);
}

bool classIniFile::WriteIniKey(const std::string& section, const std::string& key,
                               const std::string& value) const {
    return WriteIniKeys(section, {{key, value}});
}

bool classIniFile::WriteIniKeys(
    const std::string& section,
    const std::vector<std::pair<std::string, std::string>>& keyValues) const {
    Lines lines = readLines(INIFileName);
    for (const auto& [key, value] : keyValues) setKey(lines, section, key, value);
    return writeLines(INIFileName, lines);
}

std::string classIniFile::GetIniKey(const std::string& section, const std::string& key) const {
    return GetIniKeys(section, {key}).front();
}

std::vector<std::string> classIniFile::GetIniKeys(const std::string& section,
                                                  const std::vector<std::string>& keys) const {
    Lines lines = readLines(INIFileName);
    SectionRange r = findSection(lines, section);
    std::vector<std::string> values;
    for (const std::string& key : keys) values.push_back(valueOf(lines, r, key));
    return values;
}

void classIniFile::DelIniKey(const std::string& section, const std::string& key) const {
    Lines lines = readLines(INIFileName);
    SectionRange r = findSection(lines, section);
    if (!r.found) return;
    std::size_t at = findKey(lines, r, key);
    if (at == std::string::npos) return;
    lines.erase(lines.begin() + static_cast<long>(at));
    writeLines(INIFileName, lines);
}

void classIniFile::DelIniSec(const std::string& section) const {
    Lines lines = readLines(INIFileName);
    SectionRange r = findSection(lines, section);
    if (!r.found) return;
    lines.erase(lines.begin() + static_cast<long>(r.header),
                lines.begin() + static_cast<long>(r.end));
    writeLines(INIFileName, lines);
}

}  // namespace platform
