#include "irc/highlights.h"

#include <gtest/gtest.h>

#include <string>

namespace korbi::irc {
namespace {

TEST(Highlights, TheNickOrAHighlightWordAsAWordInAnyCase) {
    const struct {
        std::string text;
        std::string words;
        bool highlight;
    } cases[] = {
        {"hey JOE, look", "", true},
        {"(@joe!)", "", true},
        {"ask joe", "", true},
        {"joey: hi", "", false},
        {"_joe hi", "", false},
        {"joe|away hi", "", false},
        {"mr-joe", "", false},
        {"joey and joe", "", true},
        {"\x02joe\x02 hi", "", true},
        {"the Build broke", "build deploy", true},
        {"DEPLOY done", "  build   deploy ", true},
        {"rebuilding", "build deploy", false},
        {"I like c++ a lot", "c++", true},
        {"\xc3\xa9joe\xc3\xa9", "", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsHighlight(c.text, "Joe", c.words), c.highlight) << c.text << "|" << c.words;
    }
    EXPECT_FALSE(IsHighlight("anything", "", "")) << "no nick yet";
}

} // namespace
} // namespace korbi::irc
