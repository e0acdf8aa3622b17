#include "irc/capabilities.h"

#include "irc/words.h"

namespace korbi::irc {

namespace {

// The words of params less the line end; a word starting with ":" takes the rest of the line.
std::vector<std::string> SplitParams(std::string_view params) {
    std::string text = WithoutLineEnd(params);
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        if (text[at] == ':') {
            words.push_back(text.substr(at + 1));
            break;
        }
        const std::size_t end = text.find(' ', at);
        words.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end;
    }
    return words;
}

std::vector<std::string> SplitBlanks(std::string_view list) {
    std::vector<std::string> caps;
    std::size_t at = 0;
    while (at < list.size()) {
        const std::size_t end = std::min(list.find(' ', at), list.size());
        if (end > at) {
            caps.emplace_back(list.substr(at, end - at));
        }
        at = end + 1;
    }
    return caps;
}

} // namespace

std::optional<CapMessage> ParseCap(std::string_view params) {
    const std::vector<std::string> words = SplitParams(params);
    if (words.size() < 3) {
        return std::nullopt;
    }
    CapMessage message;
    message.subcommand = words[1];
    message.more = words.size() >= 4 && words[2] == "*";
    message.caps = SplitBlanks(words.back());
    return message;
}

std::string CapName(std::string_view cap) {
    return std::string(cap.substr(0, cap.find('=')));
}

std::string CapValue(std::string_view cap) {
    const std::size_t equals = cap.find('=');
    return equals == std::string_view::npos ? std::string() : std::string(cap.substr(equals + 1));
}

std::optional<std::string> FindCap(const std::vector<std::string>& offered, std::string_view name) {
    for (const std::string& cap : offered) {
        if (CapName(cap) == name) {
            return cap;
        }
    }
    return std::nullopt;
}

bool OffersMechanism(std::string_view mechanisms, std::string_view mechanism) {
    if (mechanisms.empty()) {
        return true;
    }
    while (true) {
        const std::size_t comma = mechanisms.find(',');
        if (mechanisms.substr(0, comma) == mechanism) {
            return true;
        }
        if (comma == std::string_view::npos) {
            return false;
        }
        mechanisms.remove_prefix(comma + 1);
    }
}

} // namespace korbi::irc
