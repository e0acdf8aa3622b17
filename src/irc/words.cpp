#include "irc/words.h"

namespace korbi::irc {

std::string GetWord(long n, std::string_view s) {
    std::size_t start = 0;
    long counter = 1;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != ' ') {
            continue;
        }
        if (counter == n) {
            return std::string(s.substr(start, i - start));
        }
        ++counter;
        start = i + 1;
    }
    return std::string(s.substr(start));
}

long GetNumWords(std::string_view s) {
    long count = 1;
    for (const char c : s) {
        if (c == ' ') {
            ++count;
        }
    }
    return count;
}

std::string FirstWord(std::string_view text) {
    return std::string(text.substr(0, text.find(' ')));
}

std::string AfterFirstWord(std::string_view text) {
    const std::size_t blank = text.find(' ');
    return blank == std::string_view::npos ? std::string() : std::string(text.substr(blank + 1));
}

std::string WordsFrom(long i, std::string_view text) {
    std::size_t start = 0;
    for (long word = 1; word < i; ++word) {
        const std::size_t blank = text.find(' ', start);
        if (blank == std::string_view::npos) {
            return {};
        }
        start = blank + 1;
    }
    return std::string(text.substr(start));
}

std::string JoinedWords(long i, std::string_view text) {
    if (i > GetNumWords(text)) {
        return {};
    }
    return WordsFrom(i, text) + " ";
}

std::string CutText(std::string_view text, std::size_t left, std::size_t right) {
    if (left + right >= text.size()) {
        return {};
    }
    return std::string(text.substr(left, text.size() - left - right));
}

std::string Crop(std::size_t leftVal, std::string& strr, std::size_t rightVal) {
    if (leftVal != rightVal) {
        if (strr.size() > leftVal) {
            strr.erase(0, leftVal);
        }
        if (strr.size() > rightVal) {
            strr.erase(strr.size() - rightVal);
        }
    }
    return strr;
}

std::string WithoutLineEnd(std::string_view text) {
    if (text.size() >= 2 && text[text.size() - 2] == '\r') {
        text.remove_suffix(2);
    } else if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    return std::string(text);
}

std::string WithoutColon(std::string_view text) {
    if (!text.empty() && text.front() == ':') {
        text.remove_prefix(1);
    }
    return std::string(text);
}

} // namespace korbi::irc
