#include "pane_fixture.h"

namespace korbi::panes {
namespace {

// A highlight in a hidden pane marks its switch button apart from unread text; plain lines
// after it do not take the mark back, and showing the pane clears it.
TEST_F(PaneFixture, AHighlightMarksTheSwitchButtonUntilThePaneIsShown) {
    const auto line1 = [this](int slot) {
        return PaneControl<QWidget>(window, slot, "Line1")->palette().color(QPalette::Window);
    };
    const QColor unread(255, 96, 96);
    ASSERT_EQ(window.OpenChanWin("#a", false), 1);
    ASSERT_EQ(window.OpenChanWin("#b", false), 2);
    window.PrintCoul(1, "", {0, 0, 0}, "plain");
    EXPECT_EQ(line1(1), unread);
    window.PrintHighlighted(1, "", {0, 0, 0}, "joe!");
    const QColor highlight = line1(1);
    EXPECT_NE(highlight, unread);
    window.PrintCoul(1, "", {0, 0, 0}, "plain again");
    EXPECT_EQ(line1(1), highlight);
    EXPECT_TRUE(Line(1, window.LineCount(1) - 2).highlight);
    window.MakeVisible(1);
    window.MakeVisible(2);
    window.PrintCoul(1, "", {0, 0, 0}, "new");
    EXPECT_EQ(line1(1), unread);
}

} // namespace
} // namespace korbi::panes
