#include "panes/line_store.h"

#include <gtest/gtest.h>

namespace korbi::panes {
namespace {

LineRecord Numbered(int n) {
    return {1, 2, 3, n % 2 ? "PICTS\\EVJOIN.BMP" : "", "line " + std::to_string(n)};
}

std::vector<std::string> Texts(const LineStore& store) {
    std::vector<std::string> texts;
    for (int k = 0; k < store.LineCount(); ++k) {
        texts.push_back(store.Line(k).text);
    }
    return texts;
}

TEST(LineCapacity, IsOneLinePerTwentyPixelsBetweenOneAndFifty) {
    const std::pair<int, int> cases[] = {{0, 1},    {19, 1},   {39, 1},    {40, 2},   {210, 10},
                                         {200, 10}, {999, 49}, {1000, 50}, {4000, 50}};
    for (const auto& [height, lines] : cases) {
        EXPECT_EQ(LineCapacity(height), lines) << height;
    }
}

TEST(LineStore, TheEleventhLineOfATenLineViewPushesTheFirstOutAShrunkViewTheOldest) {
    LineStore store;
    for (int n = 1; n <= 11; ++n) {
        store.Add(Numbered(n), LineCapacity(200));
    }
    ASSERT_EQ(store.LineCount(), 10);
    EXPECT_EQ(store.Line(0), Numbered(2));
    EXPECT_EQ(store.Line(9), Numbered(11));
    for (int n = 12; n <= 130; ++n) {
        store.Add(Numbered(n), 10);
    }
    EXPECT_EQ(store.Line(0).text, "line 121");
    EXPECT_EQ(store.Line(9).text, "line 130");

    // A shrunk view keeps its newest lines; Clear empties it.
    store.Add(Numbered(131), 3);
    EXPECT_EQ(Texts(store), (std::vector<std::string>{"line 129", "line 130", "line 131"}));
    store.Clear();
    EXPECT_EQ(store.LineCount(), 0);
    store.Add(Numbered(132), 3);
    EXPECT_EQ(Texts(store), std::vector<std::string>{"line 132"});
}

} // namespace
} // namespace korbi::panes
