#include "irc/formatting_codes.h"
#include "irc/message_parsing.h"
#include "irc/word_wrap.h"

#include <random>

#include <gtest/gtest.h>

namespace korbi::irc {
namespace {

// One pixel per printed byte, two when bold: enough to see that styles carry across pieces.
class FakeMeasure : public LineMeasure {
  public:
    void Start() override {
        m_style = {};
        m_width = 0;
    }
    double Add(std::string_view piece) override {
        ScanCodes(piece, m_style, [&](std::string_view run, const TextStyle& style) {
            m_width += static_cast<double>(run.size()) * (style.bold ? 2 : 1);
        });
        return m_width;
    }

  private:
    TextStyle m_style;
    double m_width = 0;
};

// The rule written the plain way: measure the line and the next word from scratch each time.
std::vector<std::string> ReferenceWrap(const std::string& text, double inner) {
    FakeMeasure measure;
    if (TextWidth(measure, text) <= inner) {
        return {text};
    }
    std::vector<std::string> lines;
    const long n = irc::GetNumWords(text);
    std::string line;
    for (long w = 1; w <= n; ++w) {
        line += irc::GetWord(w, text) + " ";
        const std::string next = irc::GetWord(w + 1, text);
        if (TextWidth(measure, line + next) > inner && w < n) {
            lines.push_back(line);
            line.clear();
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(WrapText, BreaksBetweenWordsOnlyWhenTheTextIsWiderThanTheView) {
    FakeMeasure measure;
    EXPECT_EQ(WrapText("abc def", 7, measure), Lines{"abc def"});
    EXPECT_EQ(WrapText("abc def", 6, measure), (Lines{"abc ", "def "}));
    EXPECT_EQ(WrapText("a verylongword b", 5, measure), (Lines{"a ", "verylongword ", "b "}));
    EXPECT_EQ(WrapText("ab  cd", 4, measure), (Lines{"ab  ", "cd "}));
    EXPECT_EQ(WrapText("\002ab cd", 6, measure), (Lines{"\002ab ", "cd "})); // bold is wider
    EXPECT_EQ(WrapText("", 0, measure), Lines{""});
}

TEST(WrapText, GrowingTheMeasureGivesTheSameLinesAsMeasuringEachCandidate) {
    std::mt19937 random(7);
    const std::string alphabet = "abc  \x02\x03"
                                 "1,4";
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) {
            text += alphabet[random() % alphabet.size()];
        }
        const double inner = random() % 12;
        FakeMeasure measure;
        EXPECT_EQ(WrapText(text, inner, measure), ReferenceWrap(text, inner))
            << "text " << ::testing::PrintToString(text) << " width " << inner;
    }
}

} // namespace
} // namespace korbi::irc
