#include "irc/notify_lists.h"

#include "platform/text_values.h"

#include <algorithm>
#include <utility>

namespace korbi::irc {

std::vector<std::string_view> ListedNicks(std::string_view list) {
    std::vector<std::string_view> nicks;
    if (list.empty()) {
        return nicks;
    }
    std::size_t start = list.find(' ');
    while (start != std::string_view::npos) {
        const std::size_t end = list.find(' ', start + 1);
        nicks.push_back(list.substr(
            start + 1, end == std::string_view::npos ? std::string_view::npos : end - start - 1));
        start = end;
    }
    return nicks;
}

namespace {

// The nicks of walked that match no nick of other, upper-cased on both sides.
std::string Missing(std::string_view walked, std::string_view other) {
    std::vector<std::string> others;
    for (const std::string_view nick : ListedNicks(other)) {
        others.push_back(platform::UpperAscii(nick));
    }
    std::string result;
    for (const std::string_view nick : ListedNicks(walked)) {
        const std::string upper = platform::UpperAscii(nick);
        if (std::find(others.begin(), others.end(), upper) == others.end()) {
            result += ' ';
            result += nick;
        }
    }
    return result;
}

} // namespace

std::string GetNewNicks(std::string_view newlis, std::string_view oldlis) {
    return Missing(newlis, oldlis);
}

std::string GetLostNicks(std::string_view newlis, std::string_view oldlis) {
    if (oldlis.empty()) {
        return {};
    }
    return Missing(oldlis, newlis);
}

std::string NotifListOf303(std::string_view params) {
    while (!params.empty() && (params.back() == '\r' || params.back() == '\n')) {
        params.remove_suffix(1);
    }
    std::string_view trailing;
    if (const std::size_t colon = params.find(" :"); colon != std::string_view::npos) {
        trailing = params.substr(colon + 2);
    } else {
        // No colon: the nicks follow the user's own nick, the first word.
        const std::size_t nick = params.find_first_not_of(' ');
        const std::size_t after = nick == std::string_view::npos ? nick : params.find(' ', nick);
        trailing = after == std::string_view::npos ? std::string_view() : params.substr(after);
    }
    std::string current;
    std::size_t start = 0;
    while (start < trailing.size()) {
        const std::size_t end = std::min(trailing.find(' ', start), trailing.size());
        if (end > start) {
            current += ' ';
            current += trailing.substr(start, end - start);
        }
        start = end + 1;
    }
    return current;
}

std::vector<std::string> IsonLines(std::string_view Notifys, std::size_t maxLine) {
    static constexpr std::string_view kCommand = "ISON ";
    static constexpr std::size_t kFraming = 2; // the line feed before, the carriage return after
    std::vector<std::string> lines;
    std::string line;
    for (const std::string_view nick : ListedNicks(Notifys)) {
        const std::size_t added = 1 + nick.size();
        if (nick.empty() || kCommand.size() + added + kFraming > maxLine) {
            continue;
        }
        if (!line.empty() && line.size() + added + kFraming > maxLine) {
            lines.push_back(std::move(line));
            line.clear();
        }
        if (line.empty()) {
            line = kCommand;
        }
        line += ' ';
        line += nick;
    }
    if (!line.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace korbi::irc
