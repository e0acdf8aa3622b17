#include "panes/text_spans.h"

#include "irc/formatting_codes.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace korbi::panes {

namespace {

char Lower(char ch) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return Lower(a) == Lower(b); });
}

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

// Characters that end a sentence or close a bracket around a link rather than belong to it.
bool IsTrailingPunctuation(char ch) {
    return std::string_view(".,;:!?)]}>'\"").find(ch) != std::string_view::npos;
}

std::size_t WordEnd(std::string_view plain, std::size_t from) {
    while (from < plain.size() && !IsBlank(plain[from])) {
        ++from;
    }
    return from;
}

std::size_t TrimTrailing(std::string_view plain, std::size_t start, std::size_t end) {
    while (end > start && IsTrailingPunctuation(plain[end - 1])) {
        --end;
    }
    return end;
}

// The length of the URL starting at start, 0 when none starts there.
std::size_t UrlLength(std::string_view plain, std::size_t start) {
    static constexpr std::array<std::string_view, 4> kStarts = {"http://", "https://", "irc://",
                                                                "www."};
    const std::string_view rest = plain.substr(start);
    for (const std::string_view prefix : kStarts) {
        if (!StartsWithNoCase(rest, prefix)) {
            continue;
        }
        const std::size_t end = TrimTrailing(plain, start, WordEnd(plain, start));
        return end - start > prefix.size() ? end - start : 0;
    }
    return 0;
}

bool IsChannelChar(char ch) {
    return !IsBlank(ch) && ch != ',' && ch != '\x07' && static_cast<unsigned char>(ch) >= 0x20;
}

} // namespace

std::string PlainText(std::string_view text) {
    std::string plain;
    plain.reserve(text.size());
    irc::TextStyle style;
    irc::ScanCodes(text, style, [&](std::string_view run, const irc::TextStyle&) { plain += run; });
    return plain;
}

std::vector<Link> FindLinks(std::string_view plain) {
    std::vector<Link> links;
    std::size_t at = 0;
    while (at < plain.size()) {
        if (IsBlank(plain[at])) {
            ++at;
            continue;
        }
        // Only the start of a word, or a bracket or quote before it, opens a link.
        std::size_t start = at;
        while (start < plain.size() &&
               std::string_view("(<[\"'").find(plain[start]) != std::string_view::npos) {
            ++start;
        }
        const std::size_t wordEnd = WordEnd(plain, at);
        if (const std::size_t length = UrlLength(plain, start); length > 0) {
            std::string target(plain.substr(start, length));
            if (StartsWithNoCase(target, "www.")) {
                target.insert(0, "http://");
            }
            links.push_back({{start, length}, Link::Kind::Url, std::move(target)});
        } else if (start + 1 < plain.size() && plain[start] == '#') {
            std::size_t end = start + 1;
            while (end < plain.size() && IsChannelChar(plain[end])) {
                ++end;
            }
            end = TrimTrailing(plain, start, end);
            if (end > start + 1) {
                links.push_back({{start, end - start},
                                 Link::Kind::Channel,
                                 std::string(plain.substr(start, end - start))});
            }
        }
        at = std::max(wordEnd, start + 1);
    }
    return links;
}

TextSpan WordAt(std::string_view plain, std::size_t offset) {
    if (offset >= plain.size() || IsBlank(plain[offset])) {
        return {offset, 0};
    }
    std::size_t start = offset;
    while (start > 0 && !IsBlank(plain[start - 1])) {
        --start;
    }
    return {start, WordEnd(plain, offset) - start};
}

std::vector<FoundText> FindInLines(const LineStore& store, LineStore::Id from,
                                   std::string_view needle) {
    std::vector<FoundText> found;
    if (needle.empty()) {
        return found;
    }
    std::array<char, 256> lower{};
    for (std::size_t ch = 0; ch < lower.size(); ++ch) {
        lower[ch] = Lower(static_cast<char>(ch));
    }
    const auto fold = [&lower](char ch) { return lower[static_cast<unsigned char>(ch)]; };
    std::string wanted(needle);
    std::transform(wanted.begin(), wanted.end(), wanted.begin(), fold);
    std::string plain;
    for (LineStore::Id id = std::max(from, store.FirstId()); id < store.EndId(); ++id) {
        // Most lines have no codes: they are searched where they stand, without a copy.
        std::string_view text = store.Text(id);
        if (store.HasCodes(id)) {
            plain = PlainText(text);
            text = plain;
        }
        if (text.size() < wanted.size()) {
            continue;
        }
        const std::size_t last = text.size() - wanted.size();
        for (std::size_t at = 0; at <= last; ++at) {
            std::size_t k = 0;
            while (k < wanted.size() && fold(text[at + k]) == wanted[k]) {
                ++k;
            }
            if (k == wanted.size()) {
                found.push_back({id, {at, wanted.size()}});
                at += wanted.size() - 1;
            }
        }
    }
    return found;
}

} // namespace korbi::panes
