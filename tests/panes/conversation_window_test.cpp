// The conversation window: its panes opened, moved and closed, and the lines printed into them.
#include "pane_fixture.h"

#include "core/reading_settings.h"
#include "irc/formatting_codes.h"
#include "irc/word_wrap.h"
#include "panes/picture_names.h"
#include "panes/text_metrics.h"
#include "panes/time_stamp.h"
#include "support/wait.h"
#include "ui/error_window.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace korbi::panes {
namespace {

// The colour a highlight line along a pane's switch button shows.
QColor LineColour(const ConversationWindow& window, int slot, const char* line) {
    return PaneControl<QWidget>(window, slot, line)->palette().color(QPalette::Window);
}

const QColor kUnread1(255, 96, 96);
const QColor kShown1(255, 255, 248);

class PaneRegistryTest : public PaneFixture {
  protected:
    PaneRegistryTest() {
        QObject::connect(&window, &ConversationWindow::SendRequested,
                         [this](const std::string& line) { sent.push_back(line); });
    }
    void OpenChannels(int count) {
        for (int n = 1; n <= count; ++n) {
            ASSERT_EQ(window.OpenChanWin("#c" + std::to_string(n), false), n);
        }
    }
    QPushButton& Button(int slot, const char* name = "SwitchBut") const {
        return *PaneControl<QPushButton>(window, slot, name);
    }
    bool ViewHidden(int slot) const { return View(slot).isHidden(); }
    std::vector<int> ShownTopicBars() const {
        std::vector<int> shown;
        for (int slot = 0; slot <= ConversationWindow::MaxWins; ++slot) {
            if (!PaneControl<QLabel>(window, slot, "TopicBar")->isHidden()) {
                shown.push_back(slot);
            }
        }
        return shown;
    }
    std::vector<std::string> sent;
};

TEST_F(PaneRegistryTest, OpenedWindowsAreFoundByNameWithoutRegardToCase) {
    EXPECT_EQ(window.WinName(1), "raw");
    EXPECT_EQ(window.OpenChanWin("#Chan", false), 1);
    EXPECT_EQ(window.OpenChanWin("Ann", true), 2);
    EXPECT_EQ(window.NextChan(), 3);
    EXPECT_EQ(window.CurVisible(), 2);
    EXPECT_EQ(window.FindChanWin("#CHAN"), 1);
    EXPECT_EQ(window.FindChanWin("ann"), 2);
    EXPECT_EQ(window.FindChanWin("#other"), 0);
    EXPECT_EQ(window.FindChanWin("raw"), 0); // free slots hold no conversation
    EXPECT_EQ(Button(1).text(), "#Chan");
    EXPECT_TRUE(Button(1).isEnabled());
    EXPECT_TRUE(ViewHidden(1));
    EXPECT_FALSE(ViewHidden(2));

    window.SetWinName(2, "#chan"); // two slots with one name: the higher wins
    EXPECT_EQ(window.FindChanWin("#Chan"), 2);
    EXPECT_EQ(Button(2).text(), "#chan");
}

TEST_F(PaneRegistryTest, FourteenJoinsFillTheWindowAndAPrivateWindowTakesSlotFifteen) {
    OpenChannels(14);
    EXPECT_EQ(window.OpenChanWin("#c15", false), 0);
    EXPECT_EQ(sent, std::vector<std::string>{"PART #c15"});
    EXPECT_FALSE(window.findChild<ui::ErrorWindow*>("ErrorWindow")->isHidden());
    EXPECT_TRUE(window.findChild<ui::ErrorWindow*>("ErrorWindow")->Text().contains("supports  15"));
    EXPECT_EQ(window.NextChan(), 15);

    EXPECT_EQ(window.OpenChanWin("Ann", true), 15);
    EXPECT_EQ(window.OpenChanWin("Bob", true), 0);
    EXPECT_EQ(window.OpenChanWin("#c16", false), 0);
    EXPECT_EQ(window.NextChan(), 16);
    EXPECT_EQ(sent.back(), "PART #c16");
    EXPECT_EQ(window.FindChanWin("Bob"), 0);
}

// #c4 shown while it moves down: only the pane shown after the close has its topic bar up.
TEST_F(PaneRegistryTest, ClosingSlotTwoMovesSlotsThreeAndFourDownWithTheirText) {
    OpenChannels(4);
    window.SetServerTime(42);
    for (int slot = 1; slot <= 4; ++slot) {
        window.PrintHighlighted(slot, "PICTS\\EVJOIN", {1, 2, 3},
                                "text of #c" + std::to_string(slot));
        window.SetNickListItems(slot, {"@op" + std::to_string(slot), "user"});
    }
    window.SetTopicBar(4, "#c4   the topic");
    window.InputBox(3)->setText("half typed");
    window.MakeVisible(4);

    window.CloseConversation(2);
    EXPECT_EQ(window.NextChan(), 4);
    EXPECT_EQ(window.FindChanWin("#c3"), 2);
    EXPECT_EQ(window.FindChanWin("#c4"), 3);
    EXPECT_EQ(window.FindChanWin("#c2"), 0);
    EXPECT_EQ(window.WinName(4), "none");
    EXPECT_EQ(window.CurVisible(), 1);
    EXPECT_EQ(ShownTopicBars(), std::vector<int>{1}) << "#c4's moved down while shown";
    ASSERT_EQ(window.LineCount(2), 1);
    EXPECT_EQ(Line(2, 0), (LineRecord{{1, 2, 3}, "PICTS\\EVJOIN.BMP", "text of #c3", 42, true}));
    EXPECT_EQ(Line(3, 0).text, "text of #c4");
    EXPECT_EQ(window.LineCount(4), 0);
    EXPECT_EQ(window.NickListItems(3), (std::vector<std::string>{"@op4", "user"}));
    EXPECT_TRUE(window.NickListItems(4).empty());
    EXPECT_EQ(window.TopicBar(3), "#c4   the topic");
    EXPECT_EQ(window.InputBox(2)->text(), "half typed");
    EXPECT_EQ(Button(3).text(), "#c4");
    EXPECT_TRUE(Button(4).isHidden());
    EXPECT_FALSE(Button(4).isEnabled());
    window.SwitchBut_Click(3);
    EXPECT_EQ(ShownTopicBars(), std::vector<int>{3});
    EXPECT_EQ(PaneControl<QLabel>(window, 3, "TopicBar")->text(), "#c4   the topic");
}

TEST_F(PaneRegistryTest, ClosingShowsTheSlotBelowAndShowingAgainChangesNothing) {
    OpenChannels(2);
    window.CloseConversation(2);
    EXPECT_EQ(window.CurVisible(), 1);
    window.CloseConversation(1);
    EXPECT_EQ(window.CurVisible(), 0);
    EXPECT_EQ(window.NextChan(), 1);
    window.CloseConversation(0);
    window.CloseConversation(5);
    EXPECT_EQ(window.NextChan(), 1);
    EXPECT_FALSE(ViewHidden(0));

    // Making the visible pane visible changes nothing.
    OpenChannels(2);
    window.MakeVisible(1);
    window.MakeVisible(1);
    EXPECT_FALSE(ViewHidden(1));
    EXPECT_TRUE(ViewHidden(2));
    EXPECT_FALSE(Button(1, "CloseWinBut").isHidden());
    EXPECT_TRUE(Button(2, "CloseWinBut").isHidden());
    EXPECT_FALSE(Button(0, "CloseWinBut").isEnabled());
}

TEST_F(PaneRegistryTest, SwitchButtonsShareTheWidthUpTo2200Twips) {
    window.resize(600, window.height()); // 9000 twips
    OpenChannels(1);
    EXPECT_EQ(Button(1).geometry().x(), 1000 / 15);
    EXPECT_EQ(Button(1).width(), 2200 / 15);
    for (int n = 2; n <= 6; ++n) {
        window.OpenChanWin("#more" + std::to_string(n), false);
    }
    const int share = (9000 - 2250) / 6; // 1125 twips each
    for (int slot = 1; slot <= 6; ++slot) {
        EXPECT_EQ(Button(slot).geometry().x(), ((slot - 1) * share + 1000) / 15);
        EXPECT_EQ(Button(slot).width(), share / 15);
    }
    EXPECT_EQ(Button(0).geometry(), QRect(0, Button(1).y(), 57, 22));
}

TEST_F(PaneRegistryTest, PartAllChanFreesEverySlotAndAReopenedSlotStartsEmpty) {
    OpenChannels(3);
    window.PrintCoul(2, "", {0, 0, 0}, "old session");
    window.SetNickListItems(2, {"a", "b"});
    window.PartAllChan();
    EXPECT_EQ(window.NextChan(), 1);
    EXPECT_EQ(window.CurVisible(), 0);
    EXPECT_FALSE(ViewHidden(0));
    for (int slot = 1; slot <= 3; ++slot) {
        EXPECT_EQ(window.WinName(slot), "none");
        EXPECT_TRUE(Button(slot).isHidden());
    }
    EXPECT_TRUE(window.NickListItems(2).empty());
    EXPECT_EQ(window.LineCount(2), 1);
    EXPECT_TRUE(sent.empty());

    window.OpenChanWin("#new1", false);
    EXPECT_EQ(window.OpenChanWin("#new2", false), 2);
    EXPECT_EQ(window.LineCount(2), 0);
}

TEST_F(PaneRegistryTest, TheCloseButtonPartsAChannelButClosesAPrivateWindowAtOnce) {
    settings.LogPrivChat = true;
    OpenChannels(1);
    window.OpenChanWin("Ann", true);
    EXPECT_TRUE(window.LogOpen(2));
    window.CloseWinBut_Click(1);
    EXPECT_EQ(sent, std::vector<std::string>{"PART #c1"});
    EXPECT_EQ(window.NextChan(), 3);

    settings.LogPrivChat = false; // an open log is closed whatever the option says now
    window.CloseWinBut_Click(2);
    EXPECT_EQ(window.NextChan(), 2);
    EXPECT_FALSE(window.LogOpen(2));
    EXPECT_TRUE(Log("Ann").ends_with("\r\n--\r\n \r\n")) << "closed by its own close button";
}

// A highlight in a hidden pane marks its switch button apart from unread text; plain lines
// after it do not take the mark back, and showing the pane clears both.
TEST_F(PaneRegistryTest, UnseenTextMarksItsSwitchButtonUntilThePaneIsShown) {
    OpenChannels(2);
    int blinks = 0;
    QObject::connect(&window, &ConversationWindow::StartSparkTimer, [&] { ++blinks; });
    window.PrintCoul(1, "", {0, 0, 0}, "unseen");
    EXPECT_EQ(LineColour(window, 1, "Line1"), kUnread1);
    EXPECT_EQ(LineColour(window, 1, "Line2"), QColor(224, 64, 64));
    window.PrintCoul(2, "", {0, 0, 0}, "seen");
    EXPECT_EQ(LineColour(window, 2, "Line1"), kShown1);
    EXPECT_EQ(blinks, 0);
    window.PrintHighlighted(1, "", {0, 0, 0}, "joe!");
    const QColor highlight = LineColour(window, 1, "Line1");
    EXPECT_NE(highlight, kUnread1);
    window.PrintCoul(1, "", {0, 0, 0}, "plain again");
    EXPECT_EQ(LineColour(window, 1, "Line1"), highlight);
    EXPECT_TRUE(Line(1, 1).highlight);
    window.MakeVisible(1);
    EXPECT_EQ(LineColour(window, 1, "Line1"), kShown1);
    window.MakeVisible(2);
    window.PrintCoul(1, "", {0, 0, 0}, "new");
    EXPECT_EQ(LineColour(window, 1, "Line1"), kUnread1);

    flags.IsActive = false;
    window.PrintCoul(0, "", {0, 0, 0}, "while away");
    EXPECT_EQ(blinks, 1);
}

using korbi::testing::WaitUntil;

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kGreen = qRgb(0, 255, 0);

class PanePrintingTest : public PaneFixture {
  protected:
    void WriteBmp(const std::string& name, const QColor& colour) {
        QImage image(18, 18, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(QString::fromStdString(folder.Resolve(name).string()), "BMP"));
    }
    // The 20-pixel bands of a slot's view down to the last one with something drawn in it.
    int DrawnRows(int slot = 0) const {
        const QImage image = Drawn(slot);
        int rows = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                rows = image.pixel(x, y) == kWhite ? rows : y / 20 + 1;
            }
        }
        return rows;
    }
};

TEST_F(PanePrintingTest, ATextAsWideAsTheViewStaysWholeAndOnePixelWiderWrapsInTheChosenFont) {
    const std::string text = "alpha beta gamma delta";
    TextMetrics metrics;
    ViewLineMeasure measure(metrics, true);
    const int fits = static_cast<int>(std::ceil(irc::TextWidth(measure, text)));
    SetViewSize(fits, 200);
    window.PrintCoul(0, "", {0, 0, 0}, text);
    EXPECT_EQ(DrawnRows(), 1);

    // The store keeps the text whole; the view wraps it as it draws, again when resized.
    SetViewSize(fits - 1, 200);
    EXPECT_EQ(DrawnRows(), 2);
    EXPECT_EQ(Line(0, 0).text, text);
    SetViewSize(fits, 200);
    EXPECT_EQ(DrawnRows(), 1);

    // Font2Use chooses the font text is measured in.
    settings.Font2Use = 7; // no such font: the font stays
    window.PrintCoul(0, "", {0, 0, 0}, text);
    EXPECT_EQ(DrawnRows(), 2);
    settings.Font2Use = 1; // the fixed-width font is wider
    window.PrintCoul(0, "", {0, 0, 0}, "x");
    EXPECT_EQ(DrawnRows(), 2 + 2 + 1) << "both texts wrap again in the new font";
}

TEST_F(PanePrintingTest, AWrappedTextIsLoggedRowByRowWithItsStampsAndPictureLogged) {
    settings.LogChan = true;
    settings.Extras.SetFlag(core::kLogTimeStamps, true);
    platform::LineFile pictLog;
    ASSERT_TRUE(pictLog.Open(folder.Resolve("pictlog.log"), platform::LineFile::Mode::Replace));
    window.SetPictLog(&pictLog);
    SetViewSize(180, 200);
    const int slot = window.OpenChanWin("#c", false);
    const std::string text = "Ann -> \x02several\x02 words \x03"
                             "4,2in colour\x03 that need three lines here";
    TextMetrics metrics;
    ViewLineMeasure measure(metrics, true);
    const std::vector<std::string> lines = irc::WrapText(text, 180 - 25, measure);
    ASSERT_EQ(lines.size(), 3u);

    window.SetServerTime(1000000);
    window.PrintCoul(slot, "PICTS\\INFOMARK", {64, 64, 128}, text);
    std::string expectedLog;
    for (const std::string& line : lines) {
        expectedLog += TimeStampText(1000000) + irc::StripCodes(line) + "\r\n";
    }
    EXPECT_TRUE(Log("#c").ends_with("\r\n" + expectedLog)) << Log("#c");

    pictLog.Close();
    EXPECT_EQ(korbi::testing::ReadBytes(folder.Resolve("pictlog.log")), "PICTS\\INFOMARK.BMP\r\n"
                                                                        "PICTS\\INFOMARK.BMP\r\n"
                                                                        "PICTS\\INFOMARK.BMP\r\n");
    window.SetPictLog(nullptr);
}

TEST_F(PanePrintingTest, LogsFollowTheirConversationWhenSlotsMoveDown) {
    settings.LogChan = true;
    for (const char* name : {"#a", "#b", "#c"}) {
        const int slot = window.OpenChanWin(name, false);
        window.PrintCoul(slot, "", {0, 0, 0}, std::string("before in ") + name);
    }
    window.CloseConversation(1);
    ASSERT_EQ(window.FindChanWin("#c"), 2);
    EXPECT_TRUE(window.LogOpen(2));
    EXPECT_FALSE(window.LogOpen(3));
    window.PrintCoul(window.FindChanWin("#c"), "", {0, 0, 0}, "after in #c");
    window.PrintCoul(window.FindChanWin("#b"), "", {0, 0, 0}, "after in #b");

    EXPECT_NE(Log("#c").find("before in #c\r\nafter in #c\r\n"), std::string::npos);
    EXPECT_EQ(Log("#b").find("#c"), std::string::npos);
    EXPECT_TRUE(Log("#a").ends_with("\r\n--\r\n"));

    // The server pane logs only with LogServer set; a private pane only with LogPrivChat.
    window.OpenLog(0, "irc.test");
    window.PrintCoul(0, "", {0, 0, 0}, "not logged");
    window.CloseLog(0);
    EXPECT_EQ(Log("irc.test").find("not logged"), std::string::npos);
}

// A log that cannot be written is said once in the server pane, not passed over in silence
// nor repeated for every pane.
TEST_F(PanePrintingTest, ALogThatCannotBeOpenedIsToldOnce) {
    settings.LogChan = true;
    // Folders where the logs should be: no file can be opened there, not even by root.
    std::filesystem::create_directory(folder.Resolve("LOGS\\#a.LOG"));
    std::filesystem::create_directory(folder.Resolve("LOGS\\#b.LOG"));
    window.OpenChanWin("#a", false);
    window.OpenChanWin("#b", false);
    EXPECT_FALSE(window.LogOpen(1));
    EXPECT_FALSE(window.LogOpen(2));
    ASSERT_EQ(window.LineCount(0), 1);
    EXPECT_EQ(Line(0, 0).text, "Unable to open the log file LOGS\\#a.LOG (Is a directory)");
}

TEST_F(PanePrintingTest, PicturesStandOnTheTwentyPixelGridAndTextBeside) {
    WriteBmp("PICTS\\RED.BMP", Qt::red);
    window.PrintCoul(0, "PICTS\\RED", {0, 0, 0},
                     "\x03"
                     "12\xe2\x96\x88\xe2\x96\x88");
    window.PrintCoul(0, "PICTS\\red.bmp", {0, 0, 255}, "\xe2\x96\x88");
    window.PrintCoul(0, "", {0, 0, 255}, "\xe2\x96\x88");
    const QImage image = Drawn();

    EXPECT_EQ(Extent(image, kRed), QRect(2, 1, 18, 38));
    EXPECT_EQ(image.pixel(2, 19), kWhite) << "one row between the pictures of two lines";
    EXPECT_EQ(image.pixel(2, 21), kRed);

    // Each line has its 20-pixel band: text 5 pixels down, 25 in when there is a picture. The
    // full block fills its whole character cell, so its pixels show where the cell starts.
    const QRect first = Extent(image.copy(0, 0, image.width(), 20), kBlue);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(first.topLeft(), QPoint(25, 5));
    EXPECT_LT(first.bottom(), 20);
    const QRect third = Extent(image.copy(0, 40, 30, 20), kBlue).translated(0, 40);
    ASSERT_FALSE(third.isEmpty());
    EXPECT_EQ(third.topLeft(), QPoint(0, 45));
}

// Made smaller, a view shows its newest lines at once, where printing them would have put
// them; made taller again, it shows the older lines it kept.
TEST_F(PanePrintingTest, AViewMadeSmallerShowsItsNewestLinesAsPrintingWould) {
    WriteBmp("PICTS\\RED.BMP", Qt::red);
    const auto print = [&](int slot, int from, int to) {
        for (int n = from; n <= to; ++n) {
            window.PrintCoul(slot, n % 2 == 1 ? "PICTS\\RED" : "", {0, 0, 255},
                             "line " + std::to_string(n));
        }
    };
    print(0, 1, 10);
    const QImage tall = Drawn(0);
    SetViewSize(400, 110);
    ASSERT_EQ(window.OpenChanWin("#same", false), 1);
    print(1, 6, 10);
    const QImage small = Drawn(0);
    EXPECT_EQ(small, Drawn(1)) << "lines 6 to 10, bottom line last";
    EXPECT_NE(small, tall.copy(0, 0, small.width(), small.height()));

    SetViewSize(400, 200);
    EXPECT_EQ(Drawn(0), tall);
}

TEST_F(PanePrintingTest, AMissingPictureShowsTheErrorPictureAndFilesAreReadOnce) {
    window.PrintCoul(0, "PICTS\\NOSUCH", {0, 0, 0}, "x");
    const QImage builtIn = Drawn();
    EXPECT_NE(builtIn.pixel(10, 10), kWhite);

    WriteBmp("PICTS\\EVPICERR.BMP", Qt::green);
    window.ReloadPicture("PICTS\\evpicerr.bmp");
    EXPECT_EQ(Drawn().pixel(10, 10), kGreen);

    WriteBmp("PICTS\\NOSUCH.BMP", Qt::blue);
    EXPECT_EQ(Drawn().pixel(10, 10), kGreen) << "a miss is remembered until a refresh";
    window.ReloadPicture("picts\\nosuch");
    EXPECT_EQ(Drawn().pixel(10, 10), kBlue);
}

TEST_F(PanePrintingTest, AFloodOfLinesIsRepaintedAFewTimesNotOncePerLine) {
    window.show();
    TextView& view = *PaneControl<panes::TextView>(window, 0, "TextViewWin");
    ASSERT_TRUE(WaitUntil([&] { return view.isVisible(); }));
    QCoreApplication::processEvents();
    int paints = 0;
    struct Counter : QObject {
        int& count;
        explicit Counter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* event) override {
            count += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter(paints);
    view.installEventFilter(&counter);
    for (int n = 0; n < 2000; ++n) {
        window.PrintCoul(0, "PICTS\\EVQUIT", {32, 32, 192}, "flood line " + std::to_string(n));
    }
    EXPECT_EQ(paints, 0) << "printing itself never paints";
    ASSERT_TRUE(WaitUntil([&] { return paints > 0; }));
    QCoreApplication::processEvents();
    EXPECT_LE(paints, 2);
    EXPECT_EQ(Line(0, window.LineCount(0) - 1).text, "flood line 1999");
    view.removeEventFilter(&counter);
    window.hide();
}

struct RunCase {
    const char* name;
    std::string bytes;
    bool utf8;
    bool bold;
};

// The width a run is wrapped by must be the width it is drawn with: Qt's measure of the same
// screen text in the same font.
TEST(TextMetrics, ARunMeasuresAsTheScreenTextItShows) {
    const RunCase cases[] = {
        {"ascii", "plain words, digits 0123", true, false},
        {"bold ascii", "plain words, digits 0123", true, true},
        {"utf-8 after ascii", "caf\xc3\xa9 au lait \xc3\xbc", true, false},
        {"latin-1 bytes", "caf\xe9 au lait \xfc", false, false},
        {"beyond the cached characters", "x \xce\xb1\xce\xb2 \xe2\x82\xac", true, false},
    };
    TextMetrics metrics;
    for (const RunCase& run : cases) {
        irc::TextStyle style;
        style.bold = run.bold;
        const QString screen = DecodeRun(run.bytes, run.utf8);
        const double expected = QFontMetricsF(metrics.Font(style)).horizontalAdvance(screen);
        // Twice: the second time from the cached advances.
        for (int pass = 0; pass < 2; ++pass) {
            EXPECT_NEAR(metrics.RunWidth(run.bytes, run.utf8, style), expected, 0.01)
                << run.name << ", pass " << pass;
        }
    }
}

TEST(PictureNames, GetTheirExtensionAndTheBuiltInsAreFoundInAnyCase) {
    EXPECT_EQ(NormalisePictName(""), "");
    EXPECT_EQ(NormalisePictName("PICTS\\INFOMARK"), "PICTS\\INFOMARK.BMP");
    EXPECT_EQ(NormalisePictName("PICTS\\cat.bmp"), "PICTS\\cat.bmp");
    EXPECT_EQ(NormalisePictName("PICTS\\cat.gif"), "PICTS\\cat.gif.BMP");
    EXPECT_EQ(NormalisePictName(".BMP"), ".BMP.BMP");

    EXPECT_EQ(FindBuiltInPict("picts\\evjoin.bmp"), BuiltInPict::Join);
    EXPECT_EQ(FindBuiltInPict("PICTS\\EVQUIT.BMP"), BuiltInPict::Quit);
    EXPECT_EQ(FindBuiltInPict("PICTS\\evpicerr.bmp"), BuiltInPict::PicErr);
    EXPECT_EQ(FindBuiltInPict("PICTS\\EVJOIN2.BMP"), std::nullopt);
    EXPECT_EQ(FindBuiltInPict("EVJOIN.BMP"), std::nullopt);
    EXPECT_EQ(PictKey("picts/Ann"), PictKey("PICTS\\ANN.BMP"));
}

} // namespace
} // namespace korbi::panes
