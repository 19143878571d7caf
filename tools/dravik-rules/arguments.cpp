#include "arguments.h"

#include <algorithm>
#include <charconv>

namespace rules_tool {
namespace {

bool isOption(const std::string& word) { return word.size() > 2 && word.rfind("--", 0) == 0; }

void appendWord(std::string& to, const std::string& word) {
    if (!to.empty()) to += ' ';
    to += word;
}

bool contains(const std::vector<std::string>& list, const std::string& s) {
    return std::find(list.begin(), list.end(), s) != list.end();
}

}  // namespace

Arguments::Arguments(const std::vector<std::string>& words,
                     const std::vector<std::string>& valueOptions,
                     const std::vector<std::string>& flags) {
    std::string* current = &positional_;
    for (const std::string& word : words) {
        if (!isOption(word)) {
            appendWord(*current, word);
            continue;
        }
        const std::string name = word.substr(2);
        if (contains(flags, name)) {
            flagsSeen_.push_back(name);
            current = &positional_;
            continue;
        }
        if (!contains(valueOptions, name)) throw UsageError("unknown option " + word);
        if (values_.count(name)) throw UsageError("option " + word + " given twice");
        current = &values_[name];
    }
    for (const auto& [name, text] : values_)
        if (text.empty()) throw UsageError("option --" + name + " needs a value");
}

bool Arguments::flag(const std::string& name) const { return contains(flagsSeen_, name); }

std::optional<std::string> Arguments::value(const std::string& option) const {
    auto it = values_.find(option);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

std::string Arguments::required(const std::string& option) const {
    auto v = value(option);
    if (!v) throw UsageError("missing option --" + option);
    return *v;
}

int parseNumber(const std::string& text, int low, int high, const std::string& what) {
    int n = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < low || n > high)
        throw UsageError(what + " must be a number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + text + "'");
    return n;
}

}  // namespace rules_tool
