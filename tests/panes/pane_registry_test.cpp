#include "pane_fixture.h"

#include "ui/error_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

} // namespace
} // namespace korbi::panes
