#include "irc/highlights.h"

#include "irc/formatting_codes.h"

#include <string>

namespace korbi::irc {
namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = Lower(c);
    }
    return lower;
}

bool IsNickChar(char c) {
    c = Lower(c);
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           std::string_view("[]\\`_^{|}-").find(c) != std::string_view::npos;
}

// Whether lowered text holds lowered word with no nick character on either side.
bool HasWord(std::string_view text, std::string_view word) {
    if (word.empty()) {
        return false;
    }
    for (std::size_t at = text.find(word); at != std::string_view::npos;
         at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        const bool openBefore = at == 0 || !IsNickChar(text[at - 1]);
        const bool openAfter = end == text.size() || !IsNickChar(text[end]);
        if (openBefore && openAfter) {
            return true;
        }
    }
    return false;
}

} // namespace

bool IsHighlight(std::string_view text, std::string_view nick, std::string_view words) {
    const std::string plain = LowerAscii(StripCodes(text));
    if (HasWord(plain, LowerAscii(nick))) {
        return true;
    }
    const std::string wanted = LowerAscii(words);
    std::string_view rest = wanted;
    while (!rest.empty()) {
        const std::size_t blank = rest.find(' ');
        if (HasWord(plain, rest.substr(0, blank))) {
            return true;
        }
        rest.remove_prefix(blank == std::string_view::npos ? rest.size() : blank + 1);
    }
    return false;
}

} // namespace korbi::irc
