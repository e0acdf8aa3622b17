#include "irc/server_line.h"

#include "irc/message_parsing.h"

namespace korbi::irc {

ServerLine ParseServerLine(std::string_view received) {
    ServerLine parsed;
    if (received.starts_with('@')) {
        const std::size_t blank = received.find(' ');
        parsed.tags = std::string(
            received.substr(1, blank == std::string_view::npos ? received.size() - 1 : blank - 1));
        const std::size_t rest = received.find_first_not_of(' ', blank);
        received = rest == std::string_view::npos ? std::string_view() : received.substr(rest);
    }
    parsed.line = std::string(received);
    // Only the carriage return that ends the line may lack its line feed; one found earlier
    // (a line handed in by other means) is text, and a line feed added there would stay
    // inside the texts.
    if (!parsed.line.empty() && parsed.line.find('\r') == parsed.line.size() - 1) {
        parsed.line += '\n';
    }
    parsed.source = GetMsgSource(parsed.line);
    parsed.command = GetMsgCommand(parsed.line);
    parsed.params = GetMsgParams(parsed.line);
    parsed.sender = GetNick(parsed.source);
    parsed.m_words = 1;
    for (std::size_t i = 0; i < parsed.params.size(); ++i) {
        if (parsed.params[i] != ' ') {
            continue;
        }
        if (parsed.m_words < ServerLine::kKeptStarts) {
            parsed.m_starts[parsed.m_words] = i + 1;
        }
        ++parsed.m_words;
    }
    return parsed;
}

std::size_t ServerLine::WordIndex(long n) const {
    return n >= 1 && static_cast<std::size_t>(n) <= m_words ? static_cast<std::size_t>(n) - 1
                                                            : m_words - 1;
}

std::size_t ServerLine::StartOf(std::size_t index) const {
    if (index < kKeptStarts) {
        return m_starts[index];
    }
    std::size_t start = m_starts[kKeptStarts - 1];
    for (std::size_t word = kKeptStarts - 1; word < index; ++word) {
        start = params.find(' ', start) + 1;
    }
    return start;
}

std::string ServerLine::Word(long n) const {
    if (m_words == 0) { // not made by ParseServerLine
        return {};
    }
    const std::size_t index = WordIndex(n);
    const std::size_t start = StartOf(index);
    const std::size_t end = index + 1 < m_words ? params.find(' ', start) : params.size();
    return params.substr(start, end - start);
}

std::string ServerLine::Param(long n) const {
    // Only the last word carries the line end.
    const bool last = m_words > 0 && WordIndex(n) + 1 == m_words;
    return last ? WithoutLineEnd(Word(n)) : Word(n);
}

std::optional<std::string> TagValue(std::string_view tags, std::string_view key) {
    while (!tags.empty()) {
        const std::size_t end = tags.find(';');
        const std::string_view tag = tags.substr(0, end);
        tags = end == std::string_view::npos ? std::string_view() : tags.substr(end + 1);
        const std::size_t equals = tag.find('=');
        if (tag.substr(0, equals) != key) {
            continue;
        }
        std::string value;
        if (equals == std::string_view::npos) {
            return value;
        }
        // The escapes of tag values: "\:" is ";", "\s" a blank, "\\" a backslash.
        const std::string_view raw = tag.substr(equals + 1);
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != '\\') {
                value += raw[i];
                continue;
            }
            if (i + 1 == raw.size()) {
                break; // a lone backslash at the end stands for nothing
            }
            const char next = raw[++i];
            value += next == ':'   ? ';'
                     : next == 's' ? ' '
                     : next == 'r' ? '\r'
                     : next == 'n' ? '\n'
                                   : next;
        }
        return value;
    }
    return std::nullopt;
}

std::string ReplyText(std::string_view params) {
    std::string text(params);
    return Crop(GetWord(2, params).size() + 2, text, 2);
}

} // namespace korbi::irc
