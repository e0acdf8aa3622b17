#include "irc/message_split.h"

namespace korbi::irc {
namespace {

constexpr std::size_t kLineEndBytes = 2;
// A budget below this (a target of hundreds of bytes) still sends something in each part.
constexpr std::size_t kSmallestPart = 16;

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

struct Cut {
    std::size_t end;     // the part is text[0, end)
    std::size_t skipped; // 1 when the part ends at a blank, which no part keeps
};

// Where the part that starts text ends, for a text longer than budget.
Cut PartEnd(std::string_view text, std::size_t budget) {
    const std::size_t blank = text.rfind(' ', budget);
    if (blank != std::string_view::npos && blank > 0) {
        return {blank, 1};
    }
    std::size_t end = budget;
    while (end > 0 && IsContinuationByte(text[end])) {
        --end;
    }
    return {end > 0 ? end : budget, 0};
}

} // namespace

std::size_t RelayPrefixBytes(std::string_view ownSource) {
    return ownSource.empty() ? kUnknownSourceAllowance : ownSource.size() + 2;
}

std::vector<std::string> SplitMessage(std::string_view command, std::string_view target,
                                      std::string_view text, std::size_t prefixBytes) {
    const std::size_t fixed = prefixBytes + command.size() + 1 + target.size() + 2 + kLineEndBytes;
    const std::size_t budget =
        fixed + kSmallestPart < kMaxWireLine ? kMaxWireLine - fixed : kSmallestPart;
    std::vector<std::string> parts;
    while (text.size() > budget) {
        const Cut cut = PartEnd(text, budget);
        parts.emplace_back(text.substr(0, cut.end));
        text.remove_prefix(cut.end + cut.skipped);
    }
    parts.emplace_back(text);
    return parts;
}

} // namespace korbi::irc
