#pragma once
// What the table shows of chat text: the word filter, the history list's line
// wrapping, the cut to the message area's width and the two-line message area
// itself. Texts are UTF-8; widths count a character the code page writes in one
// byte as 1 and every other as 2.
#include <cstddef>
#include <string>

#include "ui/control.h"
#include "ui/form.h"

namespace chat {

// Removes every word of the filter list from the text (exact, case-sensitive).
// A removal that joins the pieces of a word again removes that word too, so no
// listed word is ever left in what is shown.
std::string FilterChatText(std::string text);

// Adds the text to the list as display lines of at most `width` columns (the
// first line takes one character more, as the history always did). The text ends
// at its first zero character; an empty text adds nothing.
void WrapIntoList(ui::Control& list, const std::string& text, int width);

// The first `count` characters of the text.
std::string firstChars(const std::string& text, std::size_t count);

// The two-line message area Sysmsg 0 (upper) and 1 (lower): the text takes the
// first free line; with both taken the lower line moves up.
void PostSystemMessage(ui::Form& tableWindow, const std::string& text);

// Scrolls a list so that its last item is the top item.
void scrollToLast(ui::Control& list);

}  // namespace chat
