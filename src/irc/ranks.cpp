#include "irc/ranks.h"

#include <algorithm>

namespace korbi::irc {

PrefixToken PrefixOf005(std::string_view params) {
    constexpr std::string_view kKey = "PREFIX=";
    std::size_t start = 0;
    while (start < params.size()) {
        std::size_t end = params.find(' ', start);
        if (end == std::string_view::npos) {
            end = params.size();
        }
        std::string_view token = params.substr(start, end - start);
        start = end + 1;
        if (token.starts_with(':')) {
            break; // the trailing "are supported by this server"
        }
        if (!token.starts_with(kKey)) {
            continue;
        }
        token.remove_prefix(kKey.size());
        if (token.empty()) {
            return {true, ""};
        }
        const std::size_t close = token.find(')');
        if (!token.starts_with('(') || close == std::string_view::npos) {
            return {};
        }
        const std::string_view modes = token.substr(1, close - 1);
        const std::string_view marks = token.substr(close + 1);
        // A mark that is a blank, a colon or a comma, or a count that differs from the modes,
        // would turn ordinary nicks into marks: the token is then not taken.
        if (marks.size() != modes.size() || marks.find_first_of(" :,\r\n") != marks.npos) {
            return {};
        }
        return {true, std::string(marks)};
    }
    return {};
}

std::size_t RankLength(std::string_view entry, std::string_view marks) {
    std::size_t length = 0;
    while (length < entry.size() && marks.find(entry[length]) != std::string_view::npos) {
        ++length;
    }
    return length;
}

std::string WithoutRanks(std::string_view entry, std::string_view marks) {
    return std::string(entry.substr(RankLength(entry, marks)));
}

std::string RanksOf(std::string_view entry, std::string_view marks) {
    return std::string(entry.substr(0, RankLength(entry, marks)));
}

std::size_t RankOrder(std::string_view entry, std::string_view marks) {
    std::size_t best = marks.size();
    for (const char mark : entry.substr(0, RankLength(entry, marks))) {
        best = std::min(best, marks.find(mark));
    }
    return best;
}

std::string HighestRankEntry(std::string_view entry, std::string_view marks) {
    const std::size_t order = RankOrder(entry, marks);
    const std::string nick = WithoutRanks(entry, marks);
    return order < marks.size() ? marks[order] + nick : nick;
}

} // namespace korbi::irc
