#include "irc/highlights.h"
#include "irc/masks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korbi::irc {
namespace {

struct MaskCase {
    const char* name;
    const char* mask;
    const char* text;
    bool matches;
};

TEST(MaskMatches, Wildcards) {
    const MaskCase cases[] = {
        {"LiteralIgnoresCase", "Troll!x@Y.org", "troll!X@y.ORG", true},
        {"LiteralNeedsWholeText", "troll", "trolly", false},
        {"StarMatchesRun", "troll!*", "Troll!u@host.net", true},
        {"StarInMiddle", "*!bot*@*", "x!botnet@h", true},
        {"StarNeedsLaterLiteral", "*!bot*", "x!user@bothost", false},
        {"StarBacktracksOverRepeats", "*ab*abc", "aabababcab abc", true},
        {"EmptyMaskOnlyEmptyText", "", "a", false},
        {"QuestionIsOneChar", "a?c", "abc", true},
        {"QuestionIsNotNone", "a?c", "ac", false},
        {"HashIsDigit", "guest##", "Guest42", true},
        {"HashIsNotLetter", "guest#", "guestx", false},
        {"ListMember", "[abc]x", "Bx", true},
        {"RangeIgnoresCase", "[a-f]1", "E1", true},
        {"DashAtEndIsLiteral", "[a-]", "-", true},
        {"NegatedListExcludes", "[!0-9]x", "5x", false},
        {"NegatedListIgnoresCase", "[!a]", "A", false},
        {"StarInsideList", "[*?]", "*", true},
        {"UnclosedBracketIsLiteral", "a[b", "A[B", true},
        {"EmptyListMatchesNothing", "a[]", "a", false},
        {"ReversedRangeMatchesNothing", "[z-a]", "m", false},
        {"HighBytesCompareExactly", "\xe9*", "\xe9t\xe9", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MaskMatches(c.text, c.mask), c.matches)
            << c.name << ": " << c.mask << " vs " << c.text;
    }
}

TEST(MaskMatches, HostileMasksStayFast) {
    // A backtracking matcher needs about C(500, 12) steps for these; ours needs at most 500 * 25.
    const std::string text(500, 'a');
    EXPECT_FALSE(MaskMatches(text, "*a*a*a*a*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(MaskMatches(text + "b", "*a*a*a*a*a*a*a*a*a*a*a*a*b"));
    EXPECT_FALSE(MaskMatches(text, "*?*?*?*?*?*?*?*?*?*?*?*[!a]"));
    const std::string longMask = std::string(2000, '*') + std::string(600, '?');
    EXPECT_FALSE(MaskMatches(text, longMask));
}

TEST(IsIgnored, WalksTheBlankLedListSkippingEmptyEntries) {
    const std::string silences = " troll!* *!bot*";
    EXPECT_TRUE(IsIgnored("Troll!anything@any.where", silences));
    EXPECT_TRUE(IsIgnored("nice!botty@host", silences));
    EXPECT_FALSE(IsIgnored("trolly!u@host", silences));
    EXPECT_FALSE(IsIgnored("nice!user@bot.host", silences));
    // Empty entries are no masks.
    EXPECT_FALSE(IsIgnored("bob!u@h", ""));
    EXPECT_FALSE(IsIgnored("", " "));
    EXPECT_FALSE(IsIgnored("bob!u@h", "  "));
    EXPECT_TRUE(IsIgnored("bob!u@h", "  *@h  "));
}

TEST(FindNick, IgnoresRankMarksAndCase) {
    const std::vector<std::string> list = {"ann", "@Bob", "+carl", "bob", "@", "+", "@+zed"};
    EXPECT_EQ(FindNick(list, "BOB"), 1);
    EXPECT_EQ(FindNick(list, "Carl"), 2);
    EXPECT_EQ(FindNick(list, "ANN"), 0);
    EXPECT_EQ(FindNick(list, "ZED"), 6);    // every mark goes, and case from a to z
    EXPECT_EQ(FindNick(list, "@carl"), -1); // marks are skipped only in the list
    EXPECT_EQ(FindNick(list, "%zed", "~%@+"), -1);
    EXPECT_EQ(FindNick(std::vector<std::string>{"%zed"}, "zed", "~%@+"), 0);
    EXPECT_EQ(FindNick(list, "dave"), -1);
    EXPECT_EQ(FindNick({}, "bob"), -1);
}

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
    // A nick cut off by the end of the text is not there, whatever bytes follow it in memory.
    EXPECT_FALSE(IsHighlight(std::string_view("hi Joe!").substr(0, 5), "Joe", ""));
}

} // namespace
} // namespace korbi::irc
