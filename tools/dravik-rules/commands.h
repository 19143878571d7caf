#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace rules_tool {

// Runs one subcommand on its arguments and writes its answer to `out`. Throws UsageError
// for bad input (unknown subcommand, token or option, missing option).
void runCommand(const std::string& command, const std::vector<std::string>& words,
                std::ostream& out);

}  // namespace rules_tool
