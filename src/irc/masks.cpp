#include "irc/masks.h"

#include "platform/text_values.h"

#include <bitset>
#include <vector>

namespace korbi::irc {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}

// One element of a compiled mask: a star, or the set of bytes one character may be. Every
// non-star element consumes exactly one character, which is what keeps matching polynomial.
struct MaskToken {
    bool star = false;
    std::bitset<256> accepts;
};

void AcceptNoCase(std::bitset<256>& set, char c) {
    set.set(Byte(c));
    set.set(Byte(LowerAscii(c)));
    set.set(Byte(UpperAscii(c)));
}

// The set of a "[...]" list whose inside (between "[" or "[!" and "]") is body.
std::bitset<256> ListSet(std::string_view body) {
    std::bitset<256> set;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const bool range = i + 2 < body.size() && body[i + 1] == '-';
        if (!range) {
            AcceptNoCase(set, body[i]);
            continue;
        }
        const unsigned char low = Byte(body[i]);
        const unsigned char high = Byte(body[i + 2]);
        for (unsigned c = low; c <= high; ++c) {
            AcceptNoCase(set, static_cast<char>(c));
        }
        i += 2;
    }
    return set;
}

std::vector<MaskToken> Compile(std::string_view mask) {
    std::vector<MaskToken> tokens;
    tokens.reserve(mask.size());
    for (std::size_t i = 0; i < mask.size(); ++i) {
        MaskToken token;
        const char c = mask[i];
        if (c == '*') {
            // A run of stars means the same as one.
            if (tokens.empty() || !tokens.back().star) {
                token.star = true;
                tokens.push_back(token);
            }
            continue;
        }
        if (c == '?') {
            token.accepts.set();
        } else if (c == '#') {
            for (char d = '0'; d <= '9'; ++d) {
                token.accepts.set(Byte(d));
            }
        } else if (c == '[' && mask.find(']', i + 1) != std::string_view::npos) {
            const bool negated = i + 1 < mask.size() && mask[i + 1] == '!';
            const std::size_t bodyStart = i + (negated ? 2 : 1);
            const std::size_t close = mask.find(']', bodyStart);
            token.accepts = ListSet(mask.substr(bodyStart, close - bodyStart));
            if (negated) {
                token.accepts.flip();
            }
            i = close;
        } else {
            AcceptNoCase(token.accepts, c);
        }
        tokens.push_back(token);
    }
    return tokens;
}

} // namespace

bool MaskMatches(std::string_view text, std::string_view mask) {
    const std::vector<MaskToken> tokens = Compile(mask);
    std::size_t t = 0; // next character of text
    std::size_t m = 0; // next token of the mask
    // The latest star and the text position it is currently assumed to stretch to. Only the
    // latest star ever needs to grow: every other token consumes exactly one character.
    std::size_t starToken = tokens.size();
    std::size_t starText = 0;
    while (t < text.size()) {
        if (m < tokens.size() && tokens[m].star) {
            starToken = m++;
            starText = t;
        } else if (m < tokens.size() && tokens[m].accepts.test(Byte(text[t]))) {
            ++m;
            ++t;
        } else if (starToken != tokens.size()) {
            m = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (m < tokens.size() && tokens[m].star) {
        ++m;
    }
    return m == tokens.size();
}

bool IsIgnored(std::string_view prefix, std::string_view Silences) {
    std::size_t start = 0;
    while (start <= Silences.size()) {
        std::size_t end = Silences.find(' ', start);
        if (end == std::string_view::npos) {
            end = Silences.size();
        }
        const std::string_view mask = Silences.substr(start, end - start);
        if (!mask.empty() && MaskMatches(prefix, mask)) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

int FindNick(std::span<const std::string> nickList, std::string_view nick,
             std::string_view rankMarks) {
    using platform::EqualsNoCase;
    for (std::size_t i = 0; i < nickList.size(); ++i) {
        const std::string_view entry = nickList[i];
        if (EqualsNoCase(entry, nick) ||
            EqualsNoCase(entry.substr(RankLength(entry, rankMarks)), nick)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace korbi::irc
