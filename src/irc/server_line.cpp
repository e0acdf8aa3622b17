#include "irc/server_line.h"

#include "irc/message_parsing.h"

namespace korbi::irc {

ServerLine ParseServerLine(std::string_view received) {
    ServerLine parsed;
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
    return parsed;
}

std::string CutText(std::string_view text, std::size_t left, std::size_t right) {
    if (left + right >= text.size()) {
        return {};
    }
    return std::string(text.substr(left, text.size() - left - right));
}

std::string ReplyText(std::string_view params) {
    std::string text(params);
    return Crop(GetWord(2, params).size() + 2, text, 2);
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
