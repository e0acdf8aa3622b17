#include "irc/channel_list_row.h"

namespace korbi::irc {

namespace {

constexpr std::size_t kLongestChan = 18;
constexpr std::size_t kCutChan = 15;
constexpr std::size_t kLongestUsers = kTopicColumn - kUsersColumn - 1;
constexpr std::size_t kCutUsers = 3;
constexpr std::string_view kCutMark = "...";

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the UTF-8 sequence that starts with lead, 0 when lead cannot start one.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = SequenceLength(lead);
        if (length == 0 || i + length > bytes.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if (!IsContinuation(static_cast<unsigned char>(bytes[i + k]))) {
                return false;
            }
        }
        if (length > 2) {
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
                (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// The first count characters of a UTF-8 text.
std::string_view FirstChars(std::string_view utf8, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t seen = 0; end < utf8.size(); ++end) {
        if (!IsContinuation(static_cast<unsigned char>(utf8[end])) && seen++ == count) {
            break;
        }
    }
    return utf8.substr(0, end);
}

std::string Column(std::string_view utf8, std::size_t longest, std::size_t cut, std::size_t width) {
    std::string shown(utf8);
    std::size_t count = CharCount(utf8);
    if (count > longest) {
        shown = std::string(FirstChars(utf8, cut)) + std::string(kCutMark);
        count = cut + kCutMark.size();
    }
    if (count < width) {
        shown.append(width - count, ' ');
    }
    return shown;
}

} // namespace

std::string ShownText(std::string_view bytes) {
    if (IsUtf8(bytes)) {
        return std::string(bytes);
    }
    std::string utf8;
    utf8.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

std::size_t CharCount(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        count += IsContinuation(static_cast<unsigned char>(c)) ? 0 : 1;
    }
    return count;
}

ChanListRow MakeChanListRow(std::string_view chan, std::string_view users, std::string_view topic) {
    return {std::string(chan),
            Column(ShownText(chan), kLongestChan, kCutChan, kUsersColumn) +
                Column(ShownText(users), kLongestUsers, kCutUsers, kTopicColumn - kUsersColumn) +
                ShownText(topic)};
}

} // namespace korbi::irc
