#include "platform/text_values.h"

#include <cmath>
#include <cstdio>

namespace korbi::platform {

double NumericValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    double value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        double scale = 0.1;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value += (text[i] - '0') * scale;
            scale /= 10;
            ++i;
        }
    }
    return negative ? -value : value;
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    return std::nearbyint(value); // the default rounding mode is to nearest, ties to even
}

std::int64_t RoundedValue(std::string_view text, std::int64_t low, std::int64_t high) {
    const double rounded = RoundHalfEven(NumericValue(text));
    if (!(rounded >= static_cast<double>(low))) {
        return low;
    }
    if (rounded > static_cast<double>(high)) {
        return high;
    }
    return static_cast<std::int64_t>(rounded);
}

std::string NumberText(double value) {
    if (value == 0) {
        value = 0; // no "-0"
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    return value >= 0 ? " " + text : text;
}

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'a' && x <= 'z') {
            x = static_cast<char>(x - 'a' + 'A');
        }
        if (y >= 'a' && y <= 'z') {
            y = static_cast<char>(y - 'a' + 'A');
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

std::string TrimLeftBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string TrimRightBlanks(std::string_view text) {
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string TrimBlanks(std::string_view text) {
    return TrimLeftBlanks(TrimRightBlanks(text));
}

std::vector<std::string_view> SplitAtBlanks(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    for (std::size_t blank = text.find(' '); blank != std::string_view::npos;
         blank = text.find(' ', start)) {
        words.push_back(text.substr(start, blank - start));
        start = blank + 1;
    }
    words.push_back(text.substr(start));
    return words;
}

} // namespace korbi::platform
