#include "panes/channel_list_window.h"

#include "session/dispatcher.h"
#include "support/fake_client_host.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace korbi::panes {
namespace {

// The server window hands the list replies' entries to the channel list window.
class ListForwardingHost : public testing::FakeClientHost {
  public:
    ChannelListWindow* window = nullptr;

    void ClearChanList() override { window->ClearChanList(); }
    void AddChanListEntry(const std::string& entry) override { window->AddChanListEntry(entry); }
};

class ChannelListWindowTest : public ::testing::Test {
  protected:
    ListForwardingHost host;

    void FillFromListReplies(ChannelListWindow& window) {
        host.window = &window;
        session::Dispatcher dispatcher(host, [] { return std::int64_t{0}; });
        for (const char* line :
             {":irc.test 321 me Channel :Users  Name\r\n",
              ":irc.test 322 me #linux 120 :Linux help\r\n", ":irc.test 322 me #chat 17 :talk\r\n",
              ":irc.test 323 me :End of /LIST\r\n"}) {
            dispatcher.Process_MSG(line);
        }
        host.window = nullptr;
    }
};

TEST_F(ChannelListWindowTest, ShowsItsCaptionsAndAFixedPitchList) {
    ChannelListWindow window(host);
    EXPECT_EQ(window.windowTitle(), "Channel List");
    EXPECT_EQ(window.Frame()->title(), "Channels List");
    EXPECT_EQ(window.Label1()->text(), "Double Click a channel to join it.");
    EXPECT_EQ(window.Command1()->text(), "Fetch List");
    EXPECT_TRUE(QFontInfo(window.List1()->font()).fixedPitch());
    EXPECT_EQ(window.Heading(0)->text(), "Channel Name");
    EXPECT_EQ(window.Heading(1)->text(), "Users");
    EXPECT_EQ(window.Heading(2)->text(), "Topic");
    EXPECT_LT(window.Heading(0)->x(), window.Heading(1)->x());
    EXPECT_LT(window.Heading(1)->x(), window.Heading(2)->x());
}

TEST_F(ChannelListWindowTest, ControlsFollowTheConnectionWhenShown) {
    host.socketState = 0;
    ChannelListWindow window(host);
    EXPECT_FALSE(window.Command1()->isEnabled());
    EXPECT_FALSE(window.List1()->isEnabled());
    EXPECT_TRUE(window.Label1()->isHidden());

    host.socketState = 7;
    window.Open();
    EXPECT_TRUE(window.Command1()->isEnabled());
    EXPECT_TRUE(window.List1()->isEnabled());
    EXPECT_FALSE(window.Label1()->isHidden());

    window.Command1()->click();
    EXPECT_EQ(host.sent, std::vector<std::string>{"LIST >15"});
}

TEST_F(ChannelListWindowTest, ListRepliesFillItAlsoWhileHiddenAndClosingEmptiesIt) {
    ChannelListWindow window(host);
    window.AddChanListEntry("#stale  3  old");
    FillFromListReplies(window);
    host.sent.clear();
    ASSERT_EQ(window.List1()->count(), 2);
    EXPECT_EQ(window.List1()->item(0)->text(), "#linux              120  Linux help");
    EXPECT_EQ(window.List1()->item(1)->text(), "#chat               17   talk");

    window.Open();
    window.close();
    EXPECT_EQ(window.List1()->count(), 0) << "a closed window opens again empty";
}

TEST_F(ChannelListWindowTest, DoubleClickJoinsOrSwitchesToTheChannel) {
    const int chatSlot = host.AddPane("#Chat");
    host.MakeVisible(0);
    host.sent.clear();
    ChannelListWindow window(host);
    FillFromListReplies(window);

    window.List1()->setCurrentRow(0);
    emit window.List1()->itemDoubleClicked(window.List1()->item(0));
    EXPECT_EQ(host.sent, std::vector<std::string>{"JOIN #linux"});
    EXPECT_EQ(host.curVisible, 0);

    host.sent.clear();
    window.List1()->setCurrentRow(1);
    window.List1_DblClick();
    EXPECT_TRUE(host.sent.empty()) << "a channel with a pane is only shown";
    EXPECT_EQ(host.curVisible, chatSlot);
}

TEST_F(ChannelListWindowTest, DoubleClickOnNothingDoesNothing) {
    ChannelListWindow window(host);
    window.List1_DblClick();
    window.AddChanListEntry("");
    window.List1()->setCurrentRow(0);
    window.List1_DblClick();
    EXPECT_TRUE(host.sent.empty());
}

} // namespace
} // namespace korbi::panes
