#include "panes/line_store.h"

#include "panes/row_walk.h"
#include "panes/text_spans.h"
#include "panes/time_stamp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <map>

namespace korbi::panes {
namespace {

LineRecord Numbered(int n) {
    return {{1, 2, 3}, n % 2 ? "PICTS\\EVJOIN.BMP" : "", "line " + std::to_string(n), n, n == 3};
}

std::vector<std::string> Texts(const LineStore& store) {
    std::vector<std::string> texts;
    for (int k = 0; k < store.LineCount(); ++k) {
        texts.push_back(store.Line(k).text);
    }
    return texts;
}

TEST(LineCapacity, IsOneRowPerTwentyPixelsBetweenOneAndFifty) {
    const std::pair<int, int> cases[] = {{0, 1},    {19, 1},   {39, 1},    {40, 2},   {210, 10},
                                         {200, 10}, {999, 49}, {1000, 50}, {4000, 50}};
    for (const auto& [height, lines] : cases) {
        EXPECT_EQ(LineCapacity(height), lines) << height;
    }
}

// Ids stay with their lines while older ones fall off, so a view scrolled back keeps its place.
TEST(LineStore, KeepsTheNewestLinesUnderStableIdsAndGivesThemBackWhole) {
    LineStore store;
    for (int n = 1; n <= 11; ++n) {
        store.Add(Numbered(n), 10);
    }
    ASSERT_EQ(store.LineCount(), 10);
    EXPECT_EQ(store.FirstId(), 1u);
    EXPECT_EQ(store.EndId(), 11u);
    EXPECT_EQ(store.Line(0), Numbered(2));
    EXPECT_EQ(store.Line(1), Numbered(3));
    EXPECT_EQ(store.Line(9), Numbered(11));
    EXPECT_EQ(store.Text(10), "line 11");
    EXPECT_EQ(store.Pict(10), "PICTS\\EVJOIN.BMP");
    EXPECT_EQ(store.Pict(9), "");
    EXPECT_TRUE(store.Highlight(2));
    EXPECT_FALSE(store.Holds(0));
    EXPECT_TRUE(store.Holds(1));
    EXPECT_FALSE(store.Holds(11));

    // A smaller capacity drops the oldest ones first; Clear empties it and ids go on.
    store.Add(Numbered(12), 3);
    EXPECT_EQ(Texts(store), (std::vector<std::string>{"line 10", "line 11", "line 12"}));
    EXPECT_EQ(store.FirstId(), 9u);
    store.Clear();
    EXPECT_EQ(store.LineCount(), 0);
    store.Add(Numbered(13), 0);
    EXPECT_EQ(Texts(store), std::vector<std::string>{"line 13"});
    EXPECT_EQ(store.FirstId(), 12u);
    EXPECT_EQ(store.Line(0), Numbered(13));
}

// Lines hold their picture as a place in a table of names, which sheds the names of lines gone
// without giving a kept line another line's picture.
TEST(LineStore, ManyDistinctPicturesKeepTheirNames) {
    LineStore store;
    for (int n = 0; n < 70000; ++n) {
        store.Add({{}, "P" + std::to_string(n), "t", 0, false}, 2);
    }
    EXPECT_EQ(store.Line(0).pict, "P69998");
    EXPECT_EQ(store.Line(1).pict, "P69999");
}

// Lines 10..14 taking 1, 3, 1, 2 and 1 rows: 8 rows in all.
class RowWalkTest : public ::testing::Test {
  protected:
    RowSpan span{
        10, 15, [this](LineStore::Id id) {
            ++wrapped[id];
            return std::map<LineStore::Id, int>{{10, 1}, {11, 3}, {12, 1}, {13, 2}, {14, 1}}.at(id);
        }};
    std::map<LineStore::Id, int> wrapped;
};

TEST_F(RowWalkTest, StepsCrossLinesRowByRowAndStopAtEitherEnd) {
    EXPECT_EQ(span.Bottom(), (RowPlace{14, 0}));
    EXPECT_EQ(StepRows(span, span.Bottom(), -1), (RowPlace{13, 1}));
    EXPECT_EQ(StepRows(span, span.Bottom(), -3), (RowPlace{12, 0}));
    EXPECT_EQ(StepRows(span, span.Bottom(), -4), (RowPlace{11, 2}));
    EXPECT_EQ(StepRows(span, span.Bottom(), -100), (RowPlace{10, 0}));
    EXPECT_EQ(StepRows(span, {11, 1}, 2), (RowPlace{12, 0}));
    EXPECT_EQ(StepRows(span, {11, 1}, 100), (RowPlace{14, 0}));
    EXPECT_EQ(StepRows(span, {11, 1}, 0), (RowPlace{11, 1}));
}

TEST_F(RowWalkTest, AViewShowsTheRowsAboveItsBottomAndWrapsNoLineOutOfSight) {
    const std::vector<RowPlace> rows = RowsUpTo(span, span.Bottom(), 3);
    EXPECT_EQ(rows, (std::vector<RowPlace>{{13, 0}, {13, 1}, {14, 0}}));
    EXPECT_FALSE(wrapped.contains(11)) << "a line above the view is never wrapped";
    EXPECT_FALSE(wrapped.contains(10));

    // A view taller than the rows shows them all, the oldest first.
    const std::vector<RowPlace> all = RowsUpTo(span, {11, 1}, 10);
    EXPECT_EQ(all, (std::vector<RowPlace>{{10, 0}, {11, 0}, {11, 1}}));
    EXPECT_TRUE(RowsUpTo(RowSpan{5, 5, span.rowsOf}, {}, 3).empty());
}

TEST_F(RowWalkTest, AScrolledViewStaysFullAndOnKeptLines) {
    // Four rows tall: the bottom row can go no higher than the fourth row.
    EXPECT_EQ(ClampBottom(span, {10, 0}, 4), (RowPlace{11, 2}));
    EXPECT_EQ(ClampBottom(span, {12, 0}, 4), (RowPlace{12, 0}));
    EXPECT_EQ(ClampBottom(span, {3, 0}, 4), (RowPlace{11, 2})) << "its line fell off";
    EXPECT_EQ(ClampBottom(span, {13, 9}, 4), (RowPlace{13, 1})) << "the line wraps shorter now";
    EXPECT_EQ(ClampBottom(span, {20, 0}, 4), span.Bottom());
    EXPECT_EQ(ClampBottom(span, {10, 0}, 50), span.Bottom()) << "fewer rows than fit";
}

TEST(FindLinks, FindsAddressesAndChannelsLeavingOutTheSentenceAroundThem) {
    using Kind = Link::Kind;
    struct Case {
        std::string plain;
        std::vector<Link> links;
    };
    const Case cases[] = {
        {"see http://a.org/x?y=1.", {{{4, 18}, Kind::Url, "http://a.org/x?y=1"}}},
        {"(HTTPS://A.ORG) and irc://irc.test/#c",
         {{{1, 13}, Kind::Url, "HTTPS://A.ORG"}, {{20, 17}, Kind::Url, "irc://irc.test/#c"}}},
        {"go to www.korbi.org, now", {{{6, 13}, Kind::Url, "http://www.korbi.org"}}},
        {"join #korbi! or #a,#b",
         {{{5, 6}, Kind::Channel, "#korbi"}, {{16, 2}, Kind::Channel, "#a"}}},
        {"http:// www. # a#b nothttp://x", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindLinks(c.plain), c.links) << c.plain;
    }
}

TEST(WordAt, IsTheRunOfNonBlanksAroundAPlace) {
    const std::string plain = "one  two-three";
    EXPECT_EQ(WordAt(plain, 0), (TextSpan{0, 3}));
    EXPECT_EQ(WordAt(plain, 2), (TextSpan{0, 3}));
    EXPECT_EQ(WordAt(plain, 9), (TextSpan{5, 9}));
    EXPECT_EQ(WordAt(plain, 3).length, 0u);
    EXPECT_EQ(WordAt(plain, 99).length, 0u);
}

// A search reads what is drawn: codes are not text, and the case of letters does not count.
TEST(FindInLines, FindsEveryPlaceInTheDrawnTextWhateverTheCase) {
    LineStore store;
    const char* texts[] = {"a Needle", "none",
                           "\x02ne\x02"
                           "edle and \x03"
                           "4,12needle",
                           "needleneedle"};
    for (const char* text : texts) {
        store.Add({{}, "", text, 0, false}, 3);
    }
    EXPECT_EQ(PlainText(store.Text(2)), "needle and needle");
    const std::vector<FoundText> found = FindInLines(store, 0, "NEEDLE");
    EXPECT_EQ(found, (std::vector<FoundText>{{2, {0, 6}}, {2, {11, 6}}, {3, {0, 6}}, {3, {6, 6}}}))
        << "the first line fell off";
    EXPECT_EQ(FindInLines(store, 3, "needle").size(), 2u);
    EXPECT_TRUE(FindInLines(store, 0, "").empty());
}

TEST(TimeStampText, IsTheLocalHourAndMinute) {
    const char* saved = std::getenv("TZ");
    const std::string before = saved ? saved : "";
    const auto zone = [](const char* tz) {
        tz ? setenv("TZ", tz, 1) : unsetenv("TZ");
        tzset();
    };
    zone("UTC");
    EXPECT_EQ(TimeStampText(0), "[00:00] ");
    EXPECT_EQ(TimeStampText((13 * 3600 + 7 * 60 + 59) * 1000LL + 999), "[13:07] ");
    EXPECT_EQ(TimeStampText(-1), "[23:59] ");
    zone("UTC-2");
    EXPECT_EQ(TimeStampText(0), "[02:00] ");
    zone(saved ? before.c_str() : nullptr);
}

} // namespace
} // namespace korbi::panes
