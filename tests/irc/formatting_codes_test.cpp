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

TEST(Palette, HoldsTheTableTheRampAndTheBlackTail) {
    const PaletteTable& palette = Palette();
    ASSERT_EQ(palette.size(), 81u);
    const std::pair<int, Rgb> expected[] = {
        {0, kWhite},          {1, {0, 0, 0}},        {4, kRed},
        {5, {96, 0, 0}},      {12, kBlue},           {21, {192, 123, 18}},
        {34, {222, 111, 50}}, {41, {232, 119, 179}}, {42, {192, 192, 192}},
        {43, {0, 0, 0}},      {44, {7, 7, 7}},       {76, {231, 231, 231}},
        {77, {0, 0, 0}},      {80, {0, 0, 0}},
    };
    for (const auto& [index, colour] : expected) {
        EXPECT_EQ(palette[static_cast<std::size_t>(index)], colour) << "entry " << index;
    }
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

INSTANTIATE_TEST_SUITE_P(
    Codes, ParseSegmentsTest,
    ::testing::Values(SegmentCase{"PlainText", "hello", {Plain("hello")}},
                      SegmentCase{"OneDigitColour",
                                  "a\x03"
                                  "4red",
                                  {Plain("a"), Plain("red", kRed)}},
                      SegmentCase{"TwoDigitsAndBackground",
                                  "\x03"
                                  "12,5blue",
                                  {Plain("blue", kBlue)}},
                      SegmentCase{"LeadingZeroConsumesOneDigit",
                                  "\x03"
                                  "05x",
                                  {Plain("5x", {96, 0, 0})}},
                      SegmentCase{"BackgroundAfterOneDigit",
                                  "\x03"
                                  "4,12x",
                                  {Plain("x", kRed)}},
                      SegmentCase{"BackgroundOnlyRepeatsColourZero",
                                  "\x03"
                                  ",5x",
                                  {Plain("x", kWhite)}},
                      SegmentCase{"CommaWithoutBackground",
                                  "\x03"
                                  "7,x",
                                  {Plain("x", {255, 123, 18})}},
                      SegmentCase{"BackgroundReadsAtMostTwoDigits",
                                  "\x03"
                                  "1,23456",
                                  {Plain("456", {0, 0, 0})}},
                      SegmentCase{"BareCodeRepeatsTheLastNumber",
                                  "\x03"
                                  "4a\x03"
                                  "b",
                                  {Plain("a", kRed), Plain("b", kRed)}},
                      SegmentCase{"BareCodeAtStartIsColourZero",
                                  "\x03"
                                  "x",
                                  {Plain("x", kWhite)}},
                      SegmentCase{"NumberBeyondThePaletteKeepsTheColour",
                                  "\x03"
                                  "4a\x03"
                                  "85b",
                                  {Plain("a", kRed), Plain("b", kRed)}},
                      SegmentCase{"CodeAtTheEnd",
                                  "x\x03"
                                  "12,",
                                  {Plain("x")}},
                      SegmentCase{"BoldTextBold",
                                  "a\x02"
                                  "b\x02"
                                  "c",
                                  {Plain("a"), {"b", true, false, false, kLine}, Plain("c")}},
                      SegmentCase{"ReverseIsItalicAndUnderline",
                                  "\x16i\x16 \x1fu",
                                  {{"i", false, true, false, kLine},
                                   Plain(" "),
                                   {"u", false, false, true, kLine}}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(StripCodes, RemovesCodesAsTheLogsShowThem) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain text", "plain text"},
        {"\x03"
         "10word",
         "0word"},
        {"\x03"
         "4,12red",
         "red"},
        {"a\x02"
         "b\x16"
         "c\x1f"
         "d",
         "abcd"},
        {"\x03"
         "05x",
         "05x"},
        {"\x03"
         "12345 x",
         " x"},
        {"\x03\x03"
         "4x",
         "x"},
        {"end\x03", "end"},
    };
    for (const auto& [text, stripped] : cases) {
        EXPECT_EQ(StripCodes(text), stripped) << text;
    }
}

} // namespace
} // namespace korbi::irc
