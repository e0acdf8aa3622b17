#include "pane_fixture.h"

#include "core/reading_settings.h"
#include "panes/input_line.h"
#include "panes/text_metrics.h"
#include "panes/time_stamp.h"
#include "support/wait.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

namespace korbi::panes {
namespace {

using korbi::testing::WaitUntil;

const QRgb kFound = qRgb(255, 255, 0);
const QRgb kCurrentFound = qRgb(255, 160, 0);

class TextViewReadingTest : public PaneFixture {
  protected:
    void Print(const std::string& text) { window.PrintCoul(0, "", {0, 0, 0}, text); }
    // Where the text printed before a character starts: the left edge of that character.
    static int XAfter(const std::string& text) {
        TextMetrics metrics;
        return static_cast<int>(metrics.RunWidth(QString::fromStdString(text), {}));
    }
    void Drag(int x1, int y1, int x2, int y2) {
        Mouse(QEvent::MouseButtonPress, x1, y1);
        Mouse(QEvent::MouseMove, x2, y2);
        Mouse(QEvent::MouseButtonRelease, x2, y2, Qt::NoButton);
    }
    void Click(int x, int y) { Drag(x, y, x, y); }
    // The rows of the view with a pixel of colour in them.
    std::vector<int> RowsWith(QRgb colour) {
        const QImage image = Drawn();
        std::vector<int> rows;
        for (int top = 0; top + 20 <= image.height(); top += 20) {
            if (!Extent(image.copy(0, top, image.width(), 20), colour).isEmpty()) {
                rows.push_back(top / 20);
            }
        }
        return rows;
    }
    QLineEdit& FindText() { return *View().findChild<QLineEdit*>("FindText"); }
    QString FindCount() { return View().findChild<QLabel*>("FindCount")->text(); }
};

TEST_F(TextViewReadingTest, FindMarksEveryPlaceAndGoesFromOneToTheNext) {
    for (int n = 1; n <= 40; ++n) {
        Print(n % 10 == 5 ? "line " + std::to_string(n) + " has the \x02Needle\x02" : "filler");
    }
    QTest::keyClick(window.InputBox(0), Qt::Key_F, Qt::ControlModifier);
    ASSERT_FALSE(View().findChild<QWidget*>("FindBar")->isHidden());
    QTest::keyClicks(&FindText(), "neEdle");
    EXPECT_EQ(FindCount(), "4 of 4") << "the newest place first";
    EXPECT_TRUE(View().IsLive());
    // The find bar takes the bottom rows: lines 33 to 40 show, 35 on row 2, the current one.
    EXPECT_EQ(View().ViewRows(), 8);
    EXPECT_EQ(RowsWith(kCurrentFound), std::vector<int>{2});
    EXPECT_TRUE(RowsWith(kFound).empty());

    QTest::keyClick(&FindText(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(FindCount(), "3 of 4");
    EXPECT_FALSE(View().IsLive()) << "the view went back to line 25";
    EXPECT_EQ(RowsWith(kCurrentFound), std::vector<int>{7});
    EXPECT_EQ(RowsWith(kFound), std::vector<int>{});
    QTest::keyClick(&FindText(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(RowsWith(kCurrentFound), std::vector<int>{7});
    EXPECT_EQ(RowsWith(kFound), std::vector<int>{}) << "line 25 scrolled below";
    EXPECT_EQ(FindCount(), "2 of 4");
    QTest::keyClick(&FindText(), Qt::Key_Return);
    QTest::keyClick(&FindText(), Qt::Key_Return);
    QTest::keyClick(&FindText(), Qt::Key_Return);
    EXPECT_EQ(FindCount(), "1 of 4") << "round from the newest to the oldest";

    // Lines coming in are searched too.
    Print("one more needle");
    QTest::keyClick(&FindText(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(FindCount(), "5 of 5");

    QTest::keyClick(&FindText(), Qt::Key_Escape);
    EXPECT_TRUE(View().findChild<QWidget*>("FindBar")->isHidden());
    EXPECT_TRUE(RowsWith(kFound).empty());
    EXPECT_TRUE(RowsWith(kCurrentFound).empty());
}

TEST_F(TextViewReadingTest, ADragSelectsAcrossLinesAndCopiesThePlainText) {
    Print("first \x02words\x02 here");
    Print("\x03"
          "4second line");
    const int wordsAt = XAfter("first ");
    Drag(wordsAt + 1, 10, 395, 30);
    EXPECT_EQ(View().SelectedText(), "words here\nsecond line");
    QTest::keyClick(&View(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "words here\nsecond line");

    // From the input line Ctrl+C copies the view's selection while the line has none.
    Drag(395, 30, 1, 10);
    QApplication::clipboard()->clear();
    QTest::keyClick(window.InputBox(0), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "first words here\nsecond line");

    // A double click takes the word under it.
    const QPointF at = QPointF(wordsAt + 4, 10) + View().contentsRect().topLeft();
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, View().mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&View(), &twice);
    EXPECT_EQ(View().SelectedText(), "words");
    Click(wordsAt + 4, 10);
    EXPECT_EQ(View().SelectedText(), "");
}

// A drag held past the top scrolls back and takes the selection up with it; held past the
// bottom it comes down again, back to live, and the selection follows to the newest line.
TEST_F(TextViewReadingTest, ADragHeldPastAnEdgeScrollsAndExtendsTheSelection) {
    for (int n = 1; n <= 100; ++n) {
        Print("line " + std::to_string(n));
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

TEST_F(TextViewReadingTest, AClickOnALinkOpensItAndOnAChannelAsksForIt) {
    std::vector<QString> opened;
    View().SetLinkOpener([&](const QString& url) { opened.push_back(url); });
    QSignalSpy channels(&View(), &TextView::ChannelActivated);
    Print("see www.korbi.org/faq, or #korbi");
    Click(XAfter("see ww"), 10);
    Click(XAfter("see www.korbi.org/faq, or #k"), 10);
    Click(XAfter("s"), 10);
    Click(XAfter("see www.korbi.org/faq") + 1, 10);
    EXPECT_EQ(opened, std::vector<QString>{"http://www.korbi.org/faq"});
    ASSERT_EQ(channels.count(), 1);
    EXPECT_EQ(channels.at(0).at(0).value<std::string>(), "#korbi");
}

TEST_F(TextViewReadingTest, TimeStampsAndHighlightsAreDrawnAsTheSettingsSay) {
    window.SetServerTime(1000000);
    window.PrintHighlighted(0, "", {0, 0, 0}, "a highlight");
    window.SetServerTime(std::nullopt);
    const QImage plain = Drawn();
    EXPECT_EQ(plain.pixel(390, 10), qRgb(255, 250, 205));
    settings.Extras.SetValue(core::kHighlightColour, "10,20,30");
    EXPECT_EQ(Drawn().pixel(390, 10), qRgb(10, 20, 30));

    settings.Extras.SetFlag(core::kTimeStamps, true);
    const QImage stamped = Drawn();
    settings.Extras.SetFlag(core::kTimeStamps, false);
    window.ClearTextWin(0);
    window.PrintHighlighted(0, "", {0, 0, 0}, TimeStampText(1000000) + "a highlight");
    EXPECT_EQ(stamped, Drawn());
}

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
