#include "chat/text.h"

#include <array>
#include <string_view>
#include <vector>

#include "wire/gbk.h"

namespace chat {

namespace {

// The words the table never shows, in the order they are removed.
constexpr std::array<std::string_view, 11> kFilteredWords{"法轮功",   "他妈的", "她妈的", "它妈的",
                                                          "婊子养的", "婊子",   "淫",     "色情",
                                                          "黄色",     "shit",   "fuck"};

// Columns of one character: 1 when the code page writes it in one byte (or has
// no code for it and writes '?'), 2 for a double-byte character.
int columns(const std::string& ch) {
    auto code = wire::charToGbk(ch);
    return code && code->size() == 2 ? 2 : 1;
}

void removeAll(std::string& text, std::string_view word) {
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word))
        text.erase(at, word.size());
}

}  // namespace

std::string FilterChatText(std::string text) {
    // Removing one word can join the pieces of an earlier one ("fufuckck"), so the
    // list is applied until nothing changes.
    for (std::string before; before != text;) {
        before = text;
        for (std::string_view word : kFilteredWords) removeAll(text, word);
    }
    return text;
}

void WrapIntoList(ui::Control& list, const std::string& text, int width) {
    std::vector<std::string> chars = wire::utf8Chars(text.substr(0, text.find('\0')));
    const std::size_t n = chars.size();
    auto join = [&](std::size_t from, std::size_t to) {  // 0-based, to exclusive
        std::string s;
        for (std::size_t k = from; k < to && k < n; ++k) s += chars[k];
        return s;
    };
    // i and c count from 1 as the history's wrapping always did.
    std::size_t c = 1;
    int u = 0;
    for (std::size_t i = 1; i <= n; ++i) {
        if (u >= width || i == n) {
            if (c == 1) {
                list.items.push_back(join(0, i));
                c = i + 1;
            } else if (i == n) {
                list.items.push_back(join(c - 1, n));
            } else {
                list.items.push_back(join(c - 1, i - 1));
                c = i;
            }
            u = 0;
        }
        u += columns(chars[i - 1]);
    }
}

std::string firstChars(const std::string& text, std::size_t count) {
    std::vector<std::string> chars = wire::utf8Chars(text);
    std::string out;
    for (std::size_t k = 0; k < chars.size() && k < count; ++k) out += chars[k];
    return out;
}

void PostSystemMessage(ui::Form& tableWindow, const std::string& text) {
    ui::Control& upper = tableWindow.at("Sysmsg", 0);
    ui::Control& lower = tableWindow.at("Sysmsg", 1);
    auto line = [](const ui::Control& c) { return c.items.empty() ? std::string() : c.items[0]; };
    if (line(upper).empty() && line(lower).empty()) {
        upper.items.assign(1, text);
    } else if (line(lower).empty()) {
        lower.items.assign(1, text);
    } else {
        upper.items.assign(1, line(lower));
        lower.items.assign(1, text);
    }
}

void scrollToLast(ui::Control& list) {
    list.topIndex = list.items.empty() ? 0 : static_cast<int>(list.items.size()) - 1;
}

}  // namespace chat
