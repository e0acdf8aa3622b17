#include "irc/outgoing_line.h"

namespace korbi::irc {
namespace {

constexpr std::string_view kLineBreaks("\r\n\0", 3);
constexpr std::string_view kReceivedLineEnd = "\r\n";

} // namespace

bool IsOneWord(std::string_view word) {
    return !word.empty() && word.find_first_of(std::string_view(" \r\n\0", 4)) == word.npos;
}

std::string OutgoingLine(std::string_view line) {
    std::string_view end;
    if (line.ends_with(kReceivedLineEnd)) {
        end = kReceivedLineEnd;
        line.remove_suffix(end.size());
    }
    return std::string(line.substr(0, line.find_first_of(kLineBreaks))) + std::string(end);
}

} // namespace korbi::irc
