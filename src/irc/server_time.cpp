#include "irc/server_time.h"

#include "irc/server_line.h"

#include <string>

namespace korbi::irc {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number written by count digits at from; nullopt when one of them is not a digit.
std::optional<int> Digits(std::string_view text, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t k = from; k < from + count; ++k) {
        if (!IsDigit(text[k])) {
            return std::nullopt;
        }
        value = value * 10 + (text[k] - '0');
    }
    return value;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar (H. Hinnant's method).
std::int64_t DaysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<std::int64_t>(era) * 146097 + dayOfEra - 719468;
}

// The milliseconds of ".123Z", ".5Z" or "Z" at the end of text; nullopt for another ending.
std::optional<int> FractionAndZone(std::string_view rest) {
    if (rest == "Z") {
        return 0;
    }
    if (rest.size() < 3 || rest.front() != '.' || rest.back() != 'Z') {
        return std::nullopt;
    }
    const std::string_view digits = rest.substr(1, rest.size() - 2);
    int millis = 0;
    for (std::size_t k = 0; k < digits.size(); ++k) {
        if (!IsDigit(digits[k])) {
            return std::nullopt;
        }
        if (k < 3) {
            millis = millis * 10 + (digits[k] - '0');
        }
    }
    for (std::size_t k = digits.size(); k < 3; ++k) {
        millis *= 10;
    }
    return millis;
}

} // namespace

std::optional<std::int64_t> ParseServerTime(std::string_view text) {
    constexpr std::string_view kShape = "0000-00-00T00:00:00";
    if (text.size() <= kShape.size()) {
        return std::nullopt;
    }
    for (std::size_t k = 0; k < kShape.size(); ++k) {
        if (kShape[k] != '0' && text[k] != kShape[k]) {
            return std::nullopt;
        }
    }
    const auto year = Digits(text, 0, 4);
    const auto month = Digits(text, 5, 2);
    const auto day = Digits(text, 8, 2);
    const auto hour = Digits(text, 11, 2);
    const auto minute = Digits(text, 14, 2);
    const auto second = Digits(text, 17, 2);
    const auto millis = FractionAndZone(text.substr(kShape.size()));
    if (!year || !month || !day || !hour || !minute || !second || !millis) {
        return std::nullopt;
    }
    // A leap second (":60") is within the shape; it counts as the next second.
    if (*month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month) || *hour > 23 ||
        *minute > 59 || *second > 60) {
        return std::nullopt;
    }
    const std::int64_t seconds =
        DaysFromCivil(*year, *month, *day) * 86400 + *hour * 3600 + *minute * 60 + *second;
    return seconds * 1000 + *millis;
}

std::optional<std::int64_t> TagTime(std::string_view tags) {
    if (tags.empty()) {
        return std::nullopt;
    }
    const std::optional<std::string> value = TagValue(tags, "time");
    return value ? ParseServerTime(*value) : std::nullopt;
}

} // namespace korbi::irc
