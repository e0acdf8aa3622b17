#include "commands/variables.h"

#include "platform/text_values.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace korbi::commands {

namespace {

constexpr std::string_view VersionText = "KorBi iRC Client 1.0b2";

// Word numbers far beyond any real parameter text; clamping there keeps the arithmetic small.
constexpr std::int64_t WordNumberLimit = 1'000'000'000;

std::string TwoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

bool StartsWithNoCase(std::string_view word, std::string_view prefix) {
    return word.size() >= prefix.size() &&
           platform::EqualsNoCase(word.substr(0, prefix.size()), prefix);
}

// $CHR(n): n stands between the "(" and the last character of the word. A code that is
// missing, not a number, 0, 10, 13 or beyond 255 gives an empty word: NUL, line feed and
// carriage return cannot travel inside a protocol line (the last two would end it and start a
// line of their own), and there is no character above 255 in an 8-bit line.
std::string CharacterOf(std::string_view word) {
    const std::string_view number =
        word.size() > 6 ? word.substr(5, word.size() - 6) : std::string_view();
    const std::int64_t code = platform::RoundedValue(number, 0, 256);
    if (code < 1 || code > 255 || code == '\n' || code == '\r') {
        return {};
    }
    return std::string(1, static_cast<char>(static_cast<unsigned char>(code)));
}

// $ASC(c): the code of the byte after the "(", an empty word when there is none.
std::string CodeOf(std::string_view word) {
    if (word.size() < 6) {
        return {};
    }
    return std::to_string(static_cast<unsigned char>(word[5]));
}

} // namespace

DateTime CurrentDateTime() {
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string TimeText(const DateTime& when) {
    return TwoDigits(when.hour) + ":" + TwoDigits(when.minute) + ":" + TwoDigits(when.second);
}

std::string DateText(const DateTime& when) {
    char year[16];
    std::snprintf(year, sizeof year, "%04d", when.year);
    return TwoDigits(when.month) + "-" + TwoDigits(when.day) + "-" + year;
}

VariableExpander::VariableExpander(const VariableContext& context)
    : m_context(context), m_paramWords(platform::SplitAtBlanks(context.params)) {}

std::optional<std::string> VariableExpander::ValueOf(std::string_view word) const {
    if (word.empty() || word.front() != '$') {
        return std::nullopt;
    }
    const std::string upper = platform::UpperAscii(word);
    if (upper == "$ME") {
        return m_context.NickName;
    }
    if (upper == "$NICK") {
        return m_context.nick;
    }
    if (upper == "$CHAN") {
        return m_context.chan;
    }
    if (upper == "$PHOTO") {
        return m_context.PhotoPict;
    }
    if (upper == "$YOURDEFPICT") {
        return m_context.YourDefaultPict;
    }
    if (upper == "$OTHERDEFPICT") {
        return m_context.OtherDefaultPict;
    }
    if (upper == "$SERVER") {
        return m_context.serverName;
    }
    if (upper == "$VERSION") {
        return std::string(VersionText);
    }
    if (upper == "$IP") {
        return m_context.localIp;
    }
    if (upper == "$HOST") {
        return m_context.localHost;
    }
    if (upper == "$NUMUSER" || upper == "$MEMBERS") {
        return platform::NumberText(static_cast<double>(m_context.numUsers));
    }
    if (upper == "$TOPIC") {
        return m_context.topic;
    }
    if (upper == "$TIME") {
        return TimeText(m_context.now);
    }
    if (upper == "$DATE") {
        return DateText(m_context.now);
    }
    if (StartsWithNoCase(word, "$CHR(")) {
        return CharacterOf(word);
    }
    if (StartsWithNoCase(word, "$ASC(")) {
        return CodeOf(word);
    }
    if (word.starts_with("$$")) {
        return Parameter(word.substr(2));
    }
    if (word.starts_with("$*")) {
        return ParametersFrom(word.substr(2));
    }
    return std::nullopt;
}

// Parameter k is word k + 1 of the parameter text (its word 1 is the empty word before the
// leading blank). A word that does not exist, on either side, is an empty word.
std::string VariableExpander::Parameter(std::string_view number) const {
    const std::int64_t k = platform::RoundedValue(number, -1, WordNumberLimit);
    const std::int64_t index = k + 1; // 1-based word number
    if (index < 1 || index > static_cast<std::int64_t>(m_paramWords.size())) {
        return {};
    }
    return std::string(m_paramWords[static_cast<std::size_t>(index - 1)]);
}

// Parameters k to the last, each followed by one blank.
std::string VariableExpander::ParametersFrom(std::string_view number) const {
    const std::int64_t k = platform::RoundedValue(number, 0, WordNumberLimit);
    std::string run;
    for (auto i = static_cast<std::size_t>(k); i < m_paramWords.size(); ++i) {
        run += m_paramWords[i];
        run += ' ';
    }
    return run;
}

std::string ExpandVars(std::string_view text, const VariableContext& context) {
    const VariableExpander expander(context);
    std::string result;
    result.reserve(text.size() + 1);
    for (const std::string_view word : platform::SplitAtBlanks(text)) {
        if (const auto value = expander.ValueOf(word)) {
            result += *value;
        } else {
            result += word;
        }
        result += ' ';
    }
    return result;
}

} // namespace korbi::commands
