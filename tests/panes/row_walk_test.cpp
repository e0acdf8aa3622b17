#include "panes/row_walk.h"

#include <gtest/gtest.h>

#include <map>

namespace korbi::panes {
namespace {

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

} // namespace
} // namespace korbi::panes
