#include "pane_fixture.h"

#include "support/wait.h"

namespace korbi::panes {
namespace {

using korbi::testing::WaitUntil;
using TextViewDragTest = PaneFixture;

// A drag held past the top scrolls back and takes the selection up with it; held past the
// bottom it comes down again, back to live, and the selection follows to the newest line.
TEST_F(TextViewDragTest, ADragHeldPastAnEdgeScrollsAndExtendsTheSelection) {
    for (int n = 1; n <= 100; ++n) {
        window.PrintCoul(0, "", {0, 0, 0}, "line " + std::to_string(n));
    }
    Mouse(QEvent::MouseButtonPress, 1, 110); // row 5: "line 96"
    Mouse(QEvent::MouseMove, 1, -10);
    ASSERT_TRUE(WaitUntil([&] { return View().SelectedText().starts_with("line 7"); }));
    EXPECT_TRUE(View().SelectedText().ends_with("\nline 95\n"));

    Mouse(QEvent::MouseMove, 395, 230);
    ASSERT_TRUE(WaitUntil([&] { return View().IsLive(); }));
    Mouse(QEvent::MouseButtonRelease, 395, 230, Qt::NoButton);
    EXPECT_EQ(View().SelectedText(), "line 96\nline 97\nline 98\nline 99\nline 100");
}

} // namespace
} // namespace korbi::panes
