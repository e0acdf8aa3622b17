#pragma once
// What every harness shares: a failed check stops the run so that libFuzzer keeps the input,
// and inputs are cut into the small text sections the seed files are written in.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::fuzz {

// A broken rule is a finding like a crash: abort() makes libFuzzer save the input.
// detail, when given, is shown with its bytes escaped.
inline void Require(bool holds, const char* rule, std::string_view detail = {}) {
    if (holds) {
        return;
    }
    std::fprintf(stderr, "fuzz check failed: %s\n", rule);
    if (!detail.empty()) {
        std::string shown;
        for (const char c : detail) {
            const auto byte = static_cast<unsigned char>(c);
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, byte < 32 || byte >= 127 ? "\\x%02X" : "%c",
                          byte);
            shown += escaped;
        }
        std::fprintf(stderr, "  in: %s\n", shown.c_str());
    }
    std::abort();
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The first line of text (without its line feed), and text moved past it.
inline std::string_view TakeLine(std::string_view& text) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    return line;
}

inline std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// A small deterministic generator, so that the same input always takes the same path.
class Sequence {
  public:
    explicit Sequence(std::string_view seed) {
        for (const char c : seed) {
            m_state = (m_state ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
        }
    }
    std::size_t Below(std::size_t n) {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return n == 0 ? 0 : static_cast<std::size_t>((m_state >> 33) % n);
    }

  private:
    std::uint64_t m_state = 0xcbf29ce484222325ULL;
};

// No carriage return, line feed or NUL except in the last two bytes, where a received line end
// may deliberately travel along (the PONG answer carries the PING's line end).
inline bool OneProtocolLine(std::string_view line) {
    const std::size_t body = line.size() < 2 ? 0 : line.size() - 2;
    return line.substr(0, body).find_first_of(std::string_view("\r\n\0", 3)) ==
           std::string_view::npos;
}

} // namespace korbi::fuzz
