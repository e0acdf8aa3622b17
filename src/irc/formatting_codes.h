#pragma once
// The formatting codes of a printed line: bold (2), reverse (22, shown as italic), underline
// (31) and colour (3, a palette number and an optional background number that is read past).
// A line parses into runs of printable text with their style; painting only consumes them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::irc {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr int kPaletteSize = 81;
using PaletteTable = std::array<Rgb, kPaletteSize>;

// The 81 colours a colour code may name (0 to 80).
const PaletteTable& Palette();

inline constexpr char kBoldCode = 2;
inline constexpr char kColourCode = 3;
inline constexpr char kReverseCode = 22;
inline constexpr char kUnderlineCode = 31;

// The style in force at some point of a line. Every line starts plain, with colour number 0
// and the colour the line was printed with.
struct TextStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int colourNumber = 0; // a colour code without a number repeats it
    Rgb colour{};
};

struct Segment {
    std::string text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Rgb colour{};
    friend bool operator==(const Segment&, const Segment&) = default;
};

// True for "0" to "9".
bool IsDigit(char ch);

// Reads the colour code whose number starts at after[0] (the bytes that follow character 3)
// and applies it to style. Returns how many of those bytes the code consumed. Numbers above 80
// leave the colour unchanged.
std::size_t ReadColourCode(std::string_view after, TextStyle& style);

// Calls onRun(text, style) for every non-empty run of printable text, in order, and leaves in
// style what is in force at the end of text.
template <typename OnRun> void ScanCodes(std::string_view text, TextStyle& style, OnRun&& onRun) {
    std::size_t runStart = 0;
    auto flush = [&](std::size_t end) {
        if (end > runStart) {
            onRun(text.substr(runStart, end - runStart), static_cast<const TextStyle&>(style));
        }
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == kBoldCode || ch == kReverseCode || ch == kUnderlineCode) {
            flush(i);
            bool& flag = ch == kBoldCode      ? style.bold
                         : ch == kReverseCode ? style.italic
                                              : style.underline;
            flag = !flag;
            runStart = i + 1;
        } else if (ch == kColourCode) {
            flush(i);
            i += ReadColourCode(text.substr(i + 1), style);
            runStart = i + 1;
        }
    }
    flush(text.size());
}

// The runs of one printed line, starting plain in lineColour.
std::vector<Segment> ParseSegments(std::string_view text, Rgb lineColour);

// The text without formatting codes, as it goes into log files. A colour code swallows the
// digits 1 to 9 and commas that follow it; a 0 ends it and stays.
std::string StripCodes(std::string_view text);

} // namespace korbi::irc
