#include "pane_fixture.h"

#include "core/reading_settings.h"
#include "panes/input_line.h"
#include "support/wait.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace korbi::panes {
namespace {

using korbi::testing::WaitUntil;

// A view ten rows tall over a pane holding "line 1" to "line 100"; pane 1 shows what pane 0
// should when lines from..to are printed into it alone.
class TextViewScrollTest : public PaneFixture {
  protected:
    TextViewScrollTest() { Print(0, 1, 100); }

    void Print(int slot, int from, int to) {
        for (int n = from; n <= to; ++n) {
            window.PrintCoul(slot, "", {0, 0, 160}, "line " + std::to_string(n));
        }
    }
    // The text of the view, left of the scroll bar and the marker.
    QImage Shown() { return Drawn().copy(0, 0, 200, 200); }
    QImage Expected(int from, int to) {
        if (window.NextChan() == 1) {
            window.OpenChanWin("#expected", false);
        }
        window.ClearTextWin(1);
        Print(1, from, to);
        return Drawn(1).copy(0, 0, 200, 200);
    }
    void Wheel(int notches) {
        TextView& view = View();
        QWheelEvent wheel(QPointF(50, 50), view.mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(&view, &wheel);
    }
    QScrollBar& Bar() { return *View().findChild<QScrollBar*>("ScrollBack"); }
    QLabel& Marker() { return *View().findChild<QLabel*>("NewLinesBelow"); }
};

TEST_F(TextViewScrollTest, WheelAndPageKeysMoveThroughTheKeptLinesAndStopAtTheOldest) {
    EXPECT_EQ(Shown(), Expected(91, 100));
    EXPECT_TRUE(Bar().isHidden()) << "no scroll bar while live";

    Wheel(1);
    EXPECT_EQ(Shown(), Expected(88, 97)) << "a notch is three rows";
    EXPECT_FALSE(Bar().isHidden());
    EXPECT_EQ(Bar().value(), 96) << "the bar counts lines, its end the newest";

    // PageUp from the input line: a page is the view's rows less one, kept for context.
    QTest::keyClick(window.InputBox(0), Qt::Key_PageUp);
    EXPECT_EQ(Shown(), Expected(79, 88));
    QTest::keyClick(window.InputBox(0), Qt::Key_PageDown);
    EXPECT_EQ(Shown(), Expected(88, 97));

    Wheel(100);
    EXPECT_EQ(Shown(), Expected(1, 10)) << "the top of the oldest line stays at the top";
    Wheel(-100);
    EXPECT_EQ(Shown(), Expected(91, 100));
    EXPECT_TRUE(Bar().isHidden()) << "scrolling to the bottom is live again";
}

TEST_F(TextViewScrollTest, ScrolledBackTheViewStaysWhileLinesArriveAndEndReturns) {
    QTest::keyClick(window.InputBox(0), Qt::Key_PageUp);
    const QImage back = Expected(82, 91);
    Print(0, 101, 105);
    EXPECT_EQ(Shown(), back);
    ASSERT_TRUE(WaitUntil([&] { return !Marker().isHidden(); }));
    EXPECT_EQ(Marker().text(), "5 new lines below");

    // End in the input line returns the view and still moves the caret there.
    window.InputBox(0)->setText("typed");
    window.InputBox(0)->setCursorPosition(0);
    QTest::keyClick(window.InputBox(0), Qt::Key_End);
    EXPECT_EQ(window.InputBox(0)->cursorPosition(), 5);
    EXPECT_EQ(Shown(), Expected(96, 105));
    EXPECT_TRUE(Marker().isHidden());
    EXPECT_TRUE(Bar().isHidden());
}

// The pane keeps ScrollbackLines lines, and never fewer than its view shows.
TEST_F(TextViewScrollTest, APaneKeepsAsManyLinesAsTheSettingSays) {
    EXPECT_EQ(window.LineCount(0), 100);
    settings.Extras.SetNumber(core::kScrollbackLines, 30);
    Print(0, 101, 101);
    EXPECT_EQ(window.LineCount(0), 30);
    EXPECT_EQ(Line(0, 0).text, "line 72");
    settings.Extras.SetNumber(core::kScrollbackLines, 0);
    Print(0, 102, 102);
    EXPECT_EQ(window.LineCount(0), 10);
    Wheel(5);
    EXPECT_EQ(Shown(), Expected(93, 102)) << "nothing more to scroll back to";
}

} // namespace
} // namespace korbi::panes
