#include "irc/masks.h"

#include <gtest/gtest.h>

#include <ostream>
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

void PrintTo(const MaskCase& c, std::ostream* out) {
    *out << c.mask << " vs " << c.text;
}

class MaskMatchesTest : public testing::TestWithParam<MaskCase> {};

TEST_P(MaskMatchesTest, Matches) {
    const MaskCase& c = GetParam();
    EXPECT_EQ(MaskMatches(c.text, c.mask), c.matches) << c.mask << " vs " << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Wildcards, MaskMatchesTest,
    testing::Values(MaskCase{"LiteralIgnoresCase", "Troll!x@Y.org", "troll!X@y.ORG", true},
                    MaskCase{"LiteralNeedsWholeText", "troll", "trolly", false},
                    MaskCase{"StarMatchesRun", "troll!*", "Troll!u@host.net", true},
                    MaskCase{"StarInMiddle", "*!bot*@*", "x!botnet@h", true},
                    MaskCase{"StarNeedsLaterLiteral", "*!bot*", "x!user@bothost", false},
                    MaskCase{"StarBacktracksOverRepeats", "*ab*abc", "aabababcab abc", true},
                    MaskCase{"EmptyMaskOnlyEmptyText", "", "a", false},
                    MaskCase{"QuestionIsOneChar", "a?c", "abc", true},
                    MaskCase{"QuestionIsNotNone", "a?c", "ac", false},
                    MaskCase{"HashIsDigit", "guest##", "Guest42", true},
                    MaskCase{"HashIsNotLetter", "guest#", "guestx", false},
                    MaskCase{"ListMember", "[abc]x", "Bx", true},
                    MaskCase{"RangeIgnoresCase", "[a-f]1", "E1", true},
                    MaskCase{"DashAtEndIsLiteral", "[a-]", "-", true},
                    MaskCase{"NegatedListExcludes", "[!0-9]x", "5x", false},
                    MaskCase{"NegatedListIgnoresCase", "[!a]", "A", false},
                    MaskCase{"StarInsideList", "[*?]", "*", true},
                    MaskCase{"UnclosedBracketIsLiteral", "a[b", "A[B", true},
                    MaskCase{"EmptyListMatchesNothing", "a[]", "a", false},
                    MaskCase{"ReversedRangeMatchesNothing", "[z-a]", "m", false},
                    MaskCase{"HighBytesCompareExactly", "\xe9*", "\xe9t\xe9", true}),
    [](const testing::TestParamInfo<MaskCase>& row) { return std::string(row.param.name); });

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

} // namespace
} // namespace korbi::irc
