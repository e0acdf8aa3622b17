#include "irc/message_parsing.h"

namespace korbi::irc {

std::string GetNick(std::string_view s) {
    const std::size_t bang = s.find('!');
    std::string_view nick = s.substr(0, bang);
    if (!nick.empty() && nick.front() == ':') {
        nick.remove_prefix(1);
    }
    return std::string(nick);
}

std::string GetMsgSource(std::string_view line) {
    if (line.empty() || line.front() != ':') {
        return {};
    }
    std::string first = GetWord(1, line);
    if (first.size() > 1) {
        first.erase(0, 1);
    }
    return first;
}

std::string GetMsgCommand(std::string_view line) {
    const bool hasSource = !line.empty() && line.front() == ':';
    return GetWord(hasSource ? 2 : 1, line);
}

std::string GetMsgParams(std::string_view line) {
    // Joining words k..n each behind one blank gives back the line from the blank that ends
    // the command word, so one search replaces the word-by-word walk.
    const bool hasSource = !line.empty() && line.front() == ':';
    const int blanksBefore = hasSource ? 2 : 1; // the blank that precedes word k
    std::size_t position = std::string_view::npos;
    std::size_t from = 0;
    for (int i = 0; i < blanksBefore; ++i) {
        position = line.find(' ', from);
        if (position == std::string_view::npos) {
            return {};
        }
        from = position + 1;
    }
    return std::string(line.substr(position));
}

std::string GetMachine(std::string_view s) {
    const std::size_t at = s.find('@');
    if (at == std::string_view::npos) {
        return {};
    }
    std::string_view rest = s.substr(at);
    if (rest.size() > 1) {
        rest.remove_prefix(1);
    }
    return std::string(rest);
}

} // namespace korbi::irc
