#include "panes/channel_list_window.h"

#include "irc/channel_list_row.h"
#include "support/fake_client.h"
#include "support/scripted_session.h"
#include "support/wait.h"
#include "support/widgets.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace korbi::panes {
namespace {

QListWidget& List(const ChannelListWindow& window) {
    return *window.findChild<QListWidget*>("List1");
}

class ChannelListWindowTest : public ::testing::Test {
  protected:
    testing::FakeClient host;
};

TEST_F(ChannelListWindowTest, ControlsFollowTheConnectionWhenShownInAFixedPitchFont) {
    host.socketState = 0;
    ChannelListWindow window(host, host);
    const QFontMetrics listMetrics(List(window).font());
    EXPECT_EQ(listMetrics.horizontalAdvance('i'), listMetrics.horizontalAdvance('M'));
    EXPECT_FALSE(window.findChild<QPushButton*>("Command1")->isEnabled());
    EXPECT_FALSE(List(window).isEnabled());
    EXPECT_TRUE(window.findChild<QLabel*>("Label1")->isHidden());

    host.socketState = 7;
    window.Open();
    EXPECT_TRUE(window.findChild<QPushButton*>("Command1")->isEnabled());
    EXPECT_TRUE(List(window).isEnabled());
    EXPECT_FALSE(window.findChild<QLabel*>("Label1")->isHidden());

    window.findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(host.sent, std::vector<std::string>{"LIST >15"});
}

// The rows' texts are made by the list replies' handler; the window shows them as they come,
// also while hidden, and empties on ClearChanList and on closing. Joining by a double click is
// ChannelListSession's; a channel with a pane is only shown.
TEST_F(ChannelListWindowTest, ShowsItsRowsAndADoubleClickShowsAChannelsOpenPane) {
    const int chatSlot = host.AddPane("#Chat");
    host.MakeVisible(0);
    host.sent.clear();
    ChannelListWindow window(host, host);
    window.AddChanListEntry({"#stale", "#stale  3  old"});
    window.ClearChanList();
    window.AddChanListEntry(irc::MakeChanListRow("#linux", "120", "Linux help"));
    window.AddChanListEntry(irc::MakeChanListRow("#chat", "17", "talk"));
    EXPECT_EQ(
        korbi::testing::Entries(List(window)),
        (QStringList{"#linux              120    Linux help", "#chat               17     talk"}));

    List(window).setCurrentRow(1);
    window.List1_DblClick();
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(host.curVisible, chatSlot);

    // A double click on nothing, or on a row without a name, does nothing.
    window.AddChanListEntry({"", ""});
    List(window).setCurrentRow(2);
    window.List1_DblClick();
    window.Open();
    window.close();
    EXPECT_EQ(List(window).count(), 0) << "a closed window opens again empty";
    window.List1_DblClick();
    EXPECT_TRUE(host.sent.empty());
}

// The left edges of the words drawn along a band of a picture: runs of dark pixels more than
// gap pixels apart are words.
std::vector<int> WordStarts(const QImage& image, const QRect& band, int gap) {
    std::vector<int> starts;
    int lastInk = -gap - 1;
    for (int x = band.left(); x <= band.right(); ++x) {
        bool ink = false;
        for (int y = band.top(); y <= band.bottom() && !ink; ++y) {
            ink = qGray(image.pixel(x, y)) < 160;
        }
        if (!ink) {
            continue;
        }
        if (x - lastInk > gap) {
            starts.push_back(x);
        }
        lastInk = x;
    }
    return starts;
}

// A row whose fields are the headings' own words shows where the columns start: each heading
// begins where its column does, and "Users" and "Topic" stay apart.
TEST_F(ChannelListWindowTest, HeadingsStandOverTheColumnsOfTheRows) {
    ChannelListWindow window(host, host);
    window.AddChanListEntry(irc::MakeChanListRow("Channel", "Users", "Topic"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    List(window).clearSelection();
    List(window).setCurrentItem(nullptr);
    const QImage image = window.grab().toImage();

    QRect headings;
    for (int column = 0; column < 3; ++column) {
        const QLabel* heading = window.findChild<QLabel*>(QString("Heading%1").arg(column));
        headings |= QRect(heading->mapTo(&window, QPoint(0, 0)), heading->size());
    }
    const QListWidget& list = List(window);
    const QRect row = list.visualItemRect(list.item(0));
    const QRect rowBand(list.viewport()->mapTo(&window, row.topLeft()), row.size());
    const int gap = QFontMetrics(list.font()).horizontalAdvance('x') * 2 / 3;

    const std::vector<int> words = WordStarts(image, headings, gap);
    const std::vector<int> columns = WordStarts(image, rowBand, gap);
    ASSERT_EQ(words.size(), 4u) << "Channel Name, Users, Topic";
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(words[0], columns[0]);
    EXPECT_EQ(words[2], columns[1]);
    EXPECT_EQ(words[3], columns[2]);
}

// What the server receives from a double click: the whole name a row stands for, however it
// is shown, and never a line end that came with the reply.
TEST(ChannelListSession, DoubleClickJoinsTheWholeNameOfItsRow) {
    testing::ScriptedSession session;
    ChannelListWindow window(session.conversation, session.window);
    session.window.SetChanListForm(&window);
    ASSERT_TRUE(session.Connect());
    const std::string longName = "#a-channel-of-thirty-characters";
    session.server.Send(":irc.test 321 Joe Channel :Users  Name\r\n:irc.test 322 Joe " + longName +
                        " 40 :long\r\n:irc.test 322 Joe #bare\r\n:irc.test 323 Joe :End\r\n");
    ASSERT_TRUE(korbi::testing::WaitUntil(
        [&] { return session.Pane().contains("Channel Listing is over."); }));
    ASSERT_EQ(List(window).count(), 2) << "one row per reply";

    for (int row : {0, 1}) {
        List(window).setCurrentRow(row);
        emit List(window).itemDoubleClicked(List(window).item(row));
    }
    ASSERT_TRUE(session.server.WaitForReceived("#bare\r"));
    EXPECT_EQ(session.SentAfterRegistration(), "\nJOIN " + longName + "\r\nJOIN #bare\r");
}

} // namespace
} // namespace korbi::panes
