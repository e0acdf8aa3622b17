#pragma once
// What makes a line ask for the user's attention: the own nick or one of the user's highlight
// words, said as a word.
#include <string_view>

namespace korbi::irc {

// Whether text contains nick, or one of words (separated by blanks), as a word: in any ASCII
// case, and with no character that may be part of a nick (letters, digits, "[]\`_^{|}-")
// right before or after it, so "joe" is found in "joe: hi" and "@joe!" but not in "joey".
// Formatting codes are left out first: a bold nick is still the nick.
bool IsHighlight(std::string_view text, std::string_view nick, std::string_view words);

} // namespace korbi::irc
