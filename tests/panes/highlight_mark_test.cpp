#include "pane_fixture.h"

namespace korbi::panes {
namespace {

QColor Line1Colour(const ConversationWindow& window, int slot) {
    return PaneControl<QWidget>(window, slot, "Line1")->palette().color(QPalette::Window);
}

const QColor kUnread(255, 96, 96);

// A highlight in a hidden pane marks its switch button apart from unread text; plain lines
// after it do not take the mark back, and showing the pane clears it.
TEST_F(PaneFixture, AHighlightMarksTheSwitchButtonUntilThePaneIsShown) {
    ASSERT_EQ(window.OpenChanWin("#a", false), 1);
    ASSERT_EQ(window.OpenChanWin("#b", false), 2);
    window.PrintCoul(1, "", {0, 0, 0}, "plain");
    EXPECT_EQ(Line1Colour(window, 1), kUnread);
    window.PrintHighlighted(1, "", {0, 0, 0}, "joe!");
    const QColor highlight = Line1Colour(window, 1);
    EXPECT_NE(highlight, kUnread);
    window.PrintCoul(1, "", {0, 0, 0}, "plain again");
    EXPECT_EQ(Line1Colour(window, 1), highlight);
    EXPECT_TRUE(Line(1, window.LineCount(1) - 2).highlight);
    EXPECT_FALSE(Line(1, window.LineCount(1) - 1).highlight);

    window.PrintHighlighted(2, "", {0, 0, 0}, "seen at once");
    EXPECT_NE(Line1Colour(window, 2), highlight) << "the pane in front is not marked";

    window.MakeVisible(1);
    window.MakeVisible(2);
    window.PrintCoul(1, "", {0, 0, 0}, "new");
    EXPECT_EQ(Line1Colour(window, 1), kUnread);
}

} // namespace
} // namespace korbi::panes
