#include "irc/formatting_codes.h"

#include <gtest/gtest.h>

namespace korbi::irc {
namespace {

constexpr Rgb kLine{20, 50, 50};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kWhite{255, 255, 255};

Segment Plain(std::string text, Rgb colour = kLine) {
    return {std::move(text), false, false, false, colour};
}

struct SegmentCase {
    const char* name;
    std::string text;
    std::vector<Segment> segments;
};

// "\003" is the colour code: an octal escape stops after three digits, so the colour number
// can follow it in the same literal.
TEST(ParseSegments, SplitsTheLineIntoStyledRuns) {
    const SegmentCase cases[] = {
        {"PlainText", "hello", {Plain("hello")}},
        {"OneDigitColour", "a\0034red", {Plain("a"), Plain("red", kRed)}},
        {"TwoDigitsAndBackground", "\00312,5blue", {Plain("blue", kBlue)}},
        {"LeadingZeroConsumesOneDigit", "\00305x", {Plain("5x", {96, 0, 0})}},
        {"BackgroundAfterOneDigit", "\0034,12x", {Plain("x", kRed)}},
        {"BackgroundOnlyRepeatsColourZero", "\003,5x", {Plain("x", kWhite)}},
        {"CommaWithoutBackground", "\0037,x", {Plain("x", {255, 123, 18})}},
        {"BackgroundReadsAtMostTwoDigits", "\0031,23456", {Plain("456", {0, 0, 0})}},
        {"BareCodeRepeatsTheLastNumber", "\0034a\003b", {Plain("a", kRed), Plain("b", kRed)}},
        {"BareCodeAtStartIsColourZero", "\003x", {Plain("x", kWhite)}},
        {"NumberBeyondThePaletteKeepsTheColour",
         "\0034a\00385b",
         {Plain("a", kRed), Plain("b", kRed)}},
        {"CodeAtTheEnd", "x\00312,", {Plain("x")}},
        {"ColourFromTheRamp",
         "\00344x\00376y\00380z",
         {Plain("x", {7, 7, 7}), Plain("y", {231, 231, 231}), Plain("z", {0, 0, 0})}},
        {"BoldTextBold", "a\002b\002c", {Plain("a"), {"b", true, false, false, kLine}, Plain("c")}},
        {"ReverseIsItalicAndUnderline",
         "\026i\026 \037u",
         {{"i", false, true, false, kLine}, Plain(" "), {"u", false, false, true, kLine}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseSegments(c.text, kLine), c.segments) << c.name;
    }
}

TEST(StripCodes, RemovesCodesAsTheLogsShowThem) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain text", "plain text"}, {"\00310word", "0word"}, {"\0034,12red", "red"},
        {"a\002b\026c\037d", "abcd"}, {"\00305x", "05x"},      {"\00312345 x", " x"},
        {"\003\0034x", "x"},          {"end\003", "end"},
    };
    for (const auto& [text, stripped] : cases) {
        EXPECT_EQ(StripCodes(text), stripped) << text;
    }
}

} // namespace
} // namespace korbi::irc
