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

class ParseSegmentsTest : public ::testing::TestWithParam<SegmentCase> {};

TEST_P(ParseSegmentsTest, SplitsTheLineIntoStyledRuns) {
    EXPECT_EQ(ParseSegments(GetParam().text, kLine), GetParam().segments);
}

// "\003" is the colour code: an octal escape stops after three digits, so the colour number
// can follow it in the same literal.
INSTANTIATE_TEST_SUITE_P(
    Codes, ParseSegmentsTest,
    ::testing::Values(
        SegmentCase{"PlainText", "hello", {Plain("hello")}},
        SegmentCase{"OneDigitColour", "a\0034red", {Plain("a"), Plain("red", kRed)}},
        SegmentCase{"TwoDigitsAndBackground", "\00312,5blue", {Plain("blue", kBlue)}},
        SegmentCase{"LeadingZeroConsumesOneDigit", "\00305x", {Plain("5x", {96, 0, 0})}},
        SegmentCase{"BackgroundAfterOneDigit", "\0034,12x", {Plain("x", kRed)}},
        SegmentCase{"BackgroundOnlyRepeatsColourZero", "\003,5x", {Plain("x", kWhite)}},
        SegmentCase{"CommaWithoutBackground", "\0037,x", {Plain("x", {255, 123, 18})}},
        SegmentCase{"BackgroundReadsAtMostTwoDigits", "\0031,23456", {Plain("456", {0, 0, 0})}},
        SegmentCase{
            "BareCodeRepeatsTheLastNumber", "\0034a\003b", {Plain("a", kRed), Plain("b", kRed)}},
        SegmentCase{"BareCodeAtStartIsColourZero", "\003x", {Plain("x", kWhite)}},
        SegmentCase{"NumberBeyondThePaletteKeepsTheColour",
                    "\0034a\00385b",
                    {Plain("a", kRed), Plain("b", kRed)}},
        SegmentCase{"CodeAtTheEnd", "x\00312,", {Plain("x")}},
        SegmentCase{"ColourFromTheRamp",
                    "\00344x\00376y\00380z",
                    {Plain("x", {7, 7, 7}), Plain("y", {231, 231, 231}), Plain("z", {0, 0, 0})}},
        SegmentCase{"BoldTextBold",
                    "a\002b\002c",
                    {Plain("a"), {"b", true, false, false, kLine}, Plain("c")}},
        SegmentCase{
            "ReverseIsItalicAndUnderline",
            "\026i\026 \037u",
            {{"i", false, true, false, kLine}, Plain(" "), {"u", false, false, true, kLine}}}),
    [](const auto& row) { return std::string(row.param.name); });

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
