// A channel pane's nick list in the real windows: what the user selected stays selected while
// members come and go, and a double click names a member or does nothing.
#include "session/server_window.h"

#include "support/scripted_session.h"

#include <QListWidget>

#include <gmock/gmock.h>

namespace korbi::session {
namespace {

using korbi::testing::WaitUntil;
using ::testing::ElementsAre;

class NickListWindow : public ::testing::Test, protected korbi::testing::ScriptedSession {
  protected:
    // The client joins "#c" (slot 1), whose names reply lists names.
    void JoinWithNames(const std::string& names, std::size_t count) {
        ASSERT_TRUE(Connect());
        server.Send(":Joe!k@h JOIN :#c\r\n:irc 353 Joe = #c :" + names + "\r\n");
        ASSERT_TRUE(WaitUntil([&] { return conversation.NickListItems(1).size() == count; }));
    }
};

TEST_F(NickListWindow, MembersComingAndGoingKeepTheSelection) {
    JoinWithNames("Joe @bob carol dave", 4);
    QListWidget& list = *conversation.findChild<QListWidget*>("Pane1NickList");
    list.setCurrentItem(list.findItems("carol", Qt::MatchExactly).value(0),
                        QItemSelectionModel::Select);

    server.Send(":erin!e@h JOIN :#c\r\n:bob!b@h PART #c\r\n:dave!d@h QUIT :bye\r\n");
    ASSERT_TRUE(WaitUntil([&] { return conversation.NickListItems(1).size() == 3; }));
    EXPECT_THAT(conversation.NickListItems(1), ElementsAre("Joe", "carol", "erin"));
    EXPECT_THAT(conversation.SelectedNicks(1), ElementsAre("carol"));
    ASSERT_NE(list.currentItem(), nullptr);
    EXPECT_EQ(list.currentItem()->text(), "carol");
}

TEST_F(NickListWindow, ADoubleClickOnAnEntryOfMarksAloneOpensNothing) {
    JoinWithNames("Joe @ @+ bob", 4);
    QListWidget& list = *conversation.findChild<QListWidget*>("Pane1NickList");
    for (const int row : {0, 1}) { // ranks sort first
        list.setCurrentRow(row);
        emit list.itemDoubleClicked(list.currentItem());
        EXPECT_EQ(conversation.NextChan(), 2) << row;
    }
    list.setCurrentItem(list.findItems("bob", Qt::MatchExactly).value(0));
    emit list.itemDoubleClicked(list.currentItem());
    EXPECT_EQ(conversation.FindChanWin("bob"), 2);
}

} // namespace
} // namespace korbi::session
