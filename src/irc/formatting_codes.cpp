#include "irc/formatting_codes.h"

namespace korbi::irc {

namespace {

constexpr PaletteTable BuildPalette() {
    PaletteTable table{};
    constexpr Rgb named[] = {
        {255, 255, 255}, {0, 0, 0},       {0, 0, 96},      {0, 96, 0},      {255, 0, 0},
        {96, 0, 0},      {96, 0, 96},     {255, 123, 18},  {255, 255, 0},   {0, 224, 0},
        {0, 96, 96},     {0, 255, 255},   {0, 0, 255},     {255, 0, 255},   {96, 96, 96},
        {192, 192, 192}, {48, 48, 96},    {48, 96, 48},    {192, 120, 120}, {96, 48, 48},
        {96, 48, 96},    {192, 123, 18},  {192, 192, 120}, {96, 160, 96},   {48, 96, 96},
        {120, 192, 192}, {120, 120, 192}, {192, 120, 192}, {150, 74, 74},   {166, 150, 96},
        {69, 132, 116},  {102, 175, 157}, {75, 108, 75},   {132, 69, 23},   {222, 111, 50},
        {118, 84, 134},  {156, 122, 170}, {65, 105, 133},  {122, 163, 190}, {86, 112, 190},
        {174, 30, 87},   {232, 119, 179}, {192, 192, 192},
    };
    constexpr int kNamed = static_cast<int>(std::size(named));
    static_assert(kNamed == 43);
    for (int i = 0; i < kNamed; ++i) {
        table[static_cast<std::size_t>(i)] = named[i];
    }
    // A grey ramp, then black to the end.
    for (int i = kNamed; i <= 76; ++i) {
        const auto level = static_cast<std::uint8_t>((i - kNamed) * 7);
        table[static_cast<std::size_t>(i)] = {level, level, level};
    }
    return table;
}

constexpr PaletteTable kPalette = BuildPalette();

int DigitValue(char ch) {
    return ch - '0';
}

} // namespace

const PaletteTable& Palette() {
    return kPalette;
}

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

std::size_t ReadColourCode(std::string_view after, TextStyle& style) {
    // c1 to c5 of the code; a NUL stands for "the text ends here" and is neither digit nor comma.
    auto at = [&](std::size_t n) { return n < after.size() ? after[n] : '\0'; };
    const char c1 = at(0);
    const char c2 = at(1);
    const char c3 = at(2);
    const char c4 = at(3);
    const char c5 = at(4);
    std::size_t k = 0;
    if (c1 == ',') {
        k = 1;
        if (IsDigit(c2)) {
            k = 2;
            if (IsDigit(c3)) {
                k = 3;
            }
        }
    } else if (IsDigit(c1)) {
        int c = DigitValue(c1);
        if (IsDigit(c2)) {
            c = c * 10 + DigitValue(c2);
        }
        k = c > 9 ? 2 : 1;
        if (c2 == ',') {
            ++k;
            if (IsDigit(c3)) {
                ++k;
                if (IsDigit(c4)) {
                    ++k;
                }
            }
        } else if (c3 == ',' && IsDigit(c2)) {
            ++k;
            if (IsDigit(c4)) {
                ++k;
                if (IsDigit(c5)) {
                    ++k;
                }
            }
        }
        style.colourNumber = c;
    }
    if (style.colourNumber < kPaletteSize) {
        style.colour = kPalette[static_cast<std::size_t>(style.colourNumber)];
    }
    return k;
}

std::vector<Segment> ParseSegments(std::string_view text, Rgb lineColour) {
    std::vector<Segment> segments;
    TextStyle style;
    style.colour = lineColour;
    ScanCodes(text, style, [&](std::string_view run, const TextStyle& in) {
        segments.push_back({std::string(run), in.bold, in.italic, in.underline, in.colour});
    });
    return segments;
}

std::string StripCodes(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    bool inColour = false;
    for (const char ch : text) {
        if (inColour && ((IsDigit(ch) && ch != '0') || ch == ',')) {
            continue;
        }
        inColour = false;
        if (ch == kColourCode) {
            inColour = true;
        } else if (ch != kBoldCode && ch != kReverseCode && ch != kUnderlineCode) {
            result += ch;
        }
    }
    return result;
}

} // namespace korbi::irc
