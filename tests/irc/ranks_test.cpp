#include "irc/ranks.h"

#include <gtest/gtest.h>

namespace korbi::irc {
namespace {

TEST(Ranks, ThePrefixTokenNamesTheMarks) {
    struct Row {
        const char* params;
        bool found;
        const char* marks;
    };
    const Row rows[] = {
        {" Joe CHANTYPES=# PREFIX=(qaohv)~&@%+ NETWORK=x :are supported", true, "~&@%+"},
        {" Joe PREFIX=(ov)@+", true, "@+"},
        {" Joe PREFIX= :are supported", true, ""},
        {" Joe CHANTYPES=# :PREFIX=(ov)@+ is only text", false, ""},
        {" Joe PREFIX=(ov)@", false, ""},    // a mode without its mark
        {" Joe PREFIX=ov@+", false, ""},     // no parentheses
        {" Joe PREFIX=(o)", false, ""},      // modes without marks
        {" Joe PREFIX=(ov)@: :x", false, ""} // a colon would make trailing text a mark
    };
    for (const Row& row : rows) {
        const PrefixToken token = PrefixOf005(row.params);
        EXPECT_EQ(token.found, row.found) << row.params;
        EXPECT_EQ(token.marks, row.marks) << row.params;
    }
}

TEST(Ranks, EveryLeadingMarkIsARankAndTheHighestIsShown) {
    const std::string_view marks = "~&@%+";
    struct Row {
        const char* entry;
        const char* nick;
        const char* ranks;
        const char* shown;
        std::size_t order;
    };
    const Row rows[] = {
        {"~ann", "ann", "~", "~ann", 0}, {"+@%bob", "bob", "+@%", "@bob", 2},
        {"carl", "carl", "", "carl", 5}, {"%dan+", "dan+", "%", "%dan+", 3},
        {"@", "", "@", "@", 2},          {"", "", "", "", 5},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(WithoutRanks(row.entry, marks), row.nick) << row.entry;
        EXPECT_EQ(RanksOf(row.entry, marks), row.ranks) << row.entry;
        EXPECT_EQ(HighestRankEntry(row.entry, marks), row.shown) << row.entry;
        EXPECT_EQ(RankOrder(row.entry, marks), row.order) << row.entry;
    }
    // With the marks every server knows, "%" is part of a nick.
    EXPECT_EQ(WithoutRanks("%bob", kDefaultRankMarks), "%bob");
}

} // namespace
} // namespace korbi::irc
