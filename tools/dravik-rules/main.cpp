// dravik-rules: answers rule questions about cards the way the table client does.
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "arguments.h"
#include "commands.h"

namespace {

constexpr const char* kUsage =
    "usage: dravik-rules sort HAND | classify CARDS | beats --mine CARDS --table CARDS\n"
    "     | validate --hand HAND --select CARDS [--table CARDS [--table-class N]]\n"
    "     | hint --hand HAND [--table CARDS] [--burning]\n"
    "     | return --hand HAND --count N [--no-return RANKS] [--select CARDS]\n"
    "     | work --hand HAND\n"
    "cards: 3..10 J Q K A 2 with an optional suit D C H S (default D), SJ, BJ;\n"
    "separated by spaces or commas\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    std::vector<std::string> words(argv + 2, argv + argc);
    // The answer is written only once the whole command succeeded, so bad input never
    // leaves half an answer on standard output.
    std::ostringstream answer;
    try {
        rules_tool::runCommand(command, words, answer);
    } catch (const rules_tool::UsageError& e) {
        std::cerr << "dravik-rules: " << e.what() << '\n';
        return 2;
    }
    std::cout << answer.str();
    return 0;
}
