#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace rules_tool {

// Bad command-line input; the message is printed as one line on standard error.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The arguments after the subcommand: words before the first option are the positional
// value; an option's value is every following word up to the next "--" word, joined by
// spaces, so both `--hand "7S 8D"` and `--hand 7S 8D` work.
class Arguments {
  public:
    Arguments(const std::vector<std::string>& words, const std::vector<std::string>& valueOptions,
              const std::vector<std::string>& flags);

    const std::string& positional() const { return positional_; }
    bool has(const std::string& option) const { return values_.count(option) > 0; }
    bool flag(const std::string& name) const;
    std::optional<std::string> value(const std::string& option) const;
    std::string required(const std::string& option) const;  // throws when missing

  private:
    std::string positional_;
    std::map<std::string, std::string> values_;
    std::vector<std::string> flagsSeen_;
};

// A whole number within [low, high]; throws UsageError naming `what` otherwise.
int parseNumber(const std::string& text, int low, int high, const std::string& what);

}  // namespace rules_tool
