#include "irc/highlights.h"

#include "irc/formatting_codes.h"

#include <string>

namespace korbi::irc {
namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsNickChar(char c) {
    c = Lower(c);
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           std::string_view("[]\\`_^{|}-").find(c) != std::string_view::npos;
}

bool SameAt(std::string_view text, std::size_t at, std::string_view word) {
    for (std::size_t k = 0; k < word.size(); ++k) {
        if (Lower(text[at + k]) != Lower(word[k])) {
            return false;
        }
    }
    return true;
}

// Whether text holds word at at, ASCII case aside, with no nick character on either side.
bool WordAt(std::string_view text, std::size_t at, std::string_view word) {
    const std::size_t end = at + word.size();
    return end <= text.size() && SameAt(text, at, word) && (at == 0 || !IsNickChar(text[at - 1])) &&
           (end == text.size() || !IsNickChar(text[end]));
}

// Whether text holds word as a word. Every channel line goes through here: the places to
// compare are found by searching for the first letter in either case, which is quick.
bool HasWord(std::string_view text, std::string_view word) {
    if (word.empty()) {
        return false;
    }
    const char lower = Lower(word.front());
    const char upper = lower >= 'a' && lower <= 'z' ? static_cast<char>(lower - 'a' + 'A') : lower;
    for (const char first : {lower, upper}) {
        for (std::size_t at = text.find(first); at != std::string_view::npos;
             at = text.find(first, at + 1)) {
            if (WordAt(text, at, word)) {
                return true;
            }
        }
        if (upper == lower) {
            break;
        }
    }
    return false;
}

// A plain loop: find_first_of with a set of characters is many times slower here.
bool HasCodes(std::string_view text) {
    for (const char c : text) {
        if (c == kBoldCode || c == kColourCode || c == kReverseCode || c == kUnderlineCode) {
            return true;
        }
    }
    return false;
}

} // namespace

bool IsHighlight(std::string_view text, std::string_view nick, std::string_view words) {
    // Most lines carry no codes: they are searched as they are.
    std::string stripped;
    if (HasCodes(text)) {
        stripped = StripCodes(text);
        text = stripped;
    }
    if (HasWord(text, nick)) {
        return true;
    }
    while (!words.empty()) {
        const std::size_t blank = words.find(' ');
        if (HasWord(text, words.substr(0, blank))) {
            return true;
        }
        words.remove_prefix(blank == std::string_view::npos ? words.size() : blank + 1);
    }
    return false;
}

} // namespace korbi::irc
