#include "irc/highlights.h"

#include <gtest/gtest.h>

#include <string>

namespace korbi::irc {
namespace {

TEST(Highlights, TheNickOrAHighlightWordAsAWordInAnyCase) {
    const struct {
        const char* what;
        std::string text;
        std::string words;
        bool highlight;
    } cases[] = {
        {"the nick alone", "Joe", "", true},
        {"another case", "hey JOE, look", "", true},
        {"before a colon", "joe: hi", "", true},
        {"inside punctuation", "(@joe!)", "", true},
        {"at the end", "ask joe", "", true},
        {"a longer nick", "joey: hi", "", false},
        {"a nick character before", "_joe hi", "", false},
        {"a nick character after", "joe|away hi", "", false},
        {"a digit after", "joe2 is here", "", false},
        {"a dash before", "mr-joe", "", false},
        {"a later occurrence counts", "joey and joe", "", true},
        {"bold nick", "\x02joe\x02 hi", "", true},
        {"coloured nick",
         "\x03"
         "4,2joe\x03 hi",
         "", true},
        {"nothing", "hello all", "", false},
        {"a highlight word", "the Build broke", "build deploy", true},
        {"the second word", "DEPLOY done", "build deploy", true},
        {"a word inside another", "rebuilding", "build deploy", false},
        {"extra blanks in the list", "deploy now", "  build   deploy ", true},
        {"a word with non-nick characters", "I like c++ a lot", "c++", true},
        {"non-nick characters border a word", "#release!", "release", true},
        {"an empty list matches nothing", "", "", false},
        {"words are bytes: UTF-8 borders", "\xc3\xa9joe\xc3\xa9", "", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsHighlight(c.text, "Joe", c.words), c.highlight) << c.what;
    }
    EXPECT_FALSE(IsHighlight("anything", "", "")) << "no nick yet";
    EXPECT_TRUE(IsHighlight("hi [Joe]", "[joe]", "")) << "nick characters in the nick";
}

} // namespace
} // namespace korbi::irc
