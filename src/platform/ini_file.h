#pragma once
// classIniFile: one private-profile (INI) file, read and written key by key the
// way the system's profile-string reader and writer do it. Section and key names
// match without regard to letter case; the text on disk is in the ANSI code page
// (GBK), the text in the program UTF-8.
#include <string>
#include <utility>
#include <vector>

namespace platform {

class classIniFile {
  public:
    // The full path of the file.
    std::string INIFileName;

    // Joins a folder and a file name with exactly one separator: every trailing
    // separator of the folder and every leading one of the name is dropped.
    void setPath(const std::string& folder, const std::string& name);

    // Writes the value, creating the file and the section when they are missing.
    // False when the file cannot be written.
    bool WriteIniKey(const std::string& section, const std::string& key,
                     const std::string& value) const;
    // The value with blanks trimmed and zero characters removed; the empty string
    // for a missing file, section or key. A value is read into a buffer of 1024
    // characters, so at most 1023 are returned.
    std::string GetIniKey(const std::string& section, const std::string& key) const;
    // Many keys of one section with one read and one write of the file, as a
    // sequence of WriteIniKey calls would leave it.
    bool WriteIniKeys(const std::string& section,
                      const std::vector<std::pair<std::string, std::string>>& keyValues) const;
    // Many keys of one section with one read, each as GetIniKey gives it.
    std::vector<std::string> GetIniKeys(const std::string& section,
                                        const std::vector<std::string>& keys) const;
    // Removes the key; removes the whole section.
    void DelIniKey(const std::string& section, const std::string& key) const;
    void DelIniSec(const std::string& section) const;
};

// The longest value the reader returns, in code-page bytes.
constexpr std::size_t kIniValueLimit = 1023;

}  // namespace platform
