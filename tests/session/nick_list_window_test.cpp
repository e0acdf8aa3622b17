// A channel pane's nick list in the real windows: members are shown by rank then name, found
// by their nick behind any mark, what the user selected stays selected while members come and
// go, and a double click names a member or does nothing.
#include "session/server_window.h"

#include "support/scripted_session.h"
#include "support/widgets.h"

#include <QListWidget>

#include <gmock/gmock.h>

namespace korbi::session {
namespace {

using korbi::testing::WaitUntil;
using ::testing::ElementsAre;

class NickListWindow : public ::testing::Test, protected korbi::testing::ScriptedSession {
  protected:
    // The client joins "#c" (slot 1), whose names reply lists names; before, the server says
    // what it supports.
    void JoinWithNames(const std::string& names, std::size_t count,
                       const std::string& supported = "") {
        ASSERT_TRUE(Connect());
        server.Send(supported + ":Joe!k@h JOIN :#c\r\n:irc 353 Joe = #c :" + names + "\r\n");
        ASSERT_TRUE(WaitUntil([&] { return conversation.NickListItems(1).size() == count; }));
    }
    QListWidget& List() const { return *conversation.findChild<QListWidget*>("Pane1NickList"); }
};

TEST_F(NickListWindow, WithFiveRanksMembersAreShownByRankAndFoundWithoutTheirMarks) {
    JoinWithNames("~ann +@%bob %carl @Joe dave", 5,
                  ":irc.test 005 Joe CHANTYPES=# PREFIX=(qaohv)~&@%+ :are supported\r\n");
    EXPECT_EQ(korbi::testing::Entries(List()),
              QStringList({"~ann", "@bob", "@Joe", "%carl", "dave"}));
    server.Send(":carl!c@h PART #c\r\n"
                ":bob!b@h NICK :bert\r\n"
                ":Joe!j@h KICK #c ann :out\r\n");
    ASSERT_TRUE(WaitUntil([this] { return Pane(1).contains("ann was kicked by Joe"); }));
    // bert keeps every rank bob had.
    EXPECT_THAT(conversation.NickListItems(1), ElementsAre("@Joe", "dave", "+@%bert"));
    server.Send(":bert!b@h QUIT :bye\r\n");
    ASSERT_TRUE(WaitUntil([this] { return conversation.NickListItems(1).size() == 2; }));
    EXPECT_TRUE(Pane(1).contains("bert quits IRC (bye)."));

    // A new connection starts with the marks every server knows.
    ASSERT_TRUE(Connect());
    EXPECT_EQ(conversation.RankMarks(), "@+");
}

TEST_F(NickListWindow, MembersComingAndGoingKeepTheSelection) {
    JoinWithNames("Joe @bob carol dave", 4);
    List().setCurrentItem(List().findItems("carol", Qt::MatchExactly).value(0),
                          QItemSelectionModel::Select);

    server.Send(":erin!e@h JOIN :#c\r\n:bob!b@h PART #c\r\n:dave!d@h QUIT :bye\r\n");
    ASSERT_TRUE(WaitUntil([&] { return conversation.NickListItems(1).size() == 3; }));
    EXPECT_THAT(conversation.NickListItems(1), ElementsAre("Joe", "carol", "erin"));
    EXPECT_THAT(conversation.SelectedNicks(1), ElementsAre("carol"));
    ASSERT_NE(List().currentItem(), nullptr);
    EXPECT_EQ(List().currentItem()->text(), "carol");
}

TEST_F(NickListWindow, ADoubleClickOnAnEntryOfMarksAloneOpensNothing) {
    JoinWithNames("Joe @ @+ bob", 4);
    for (const int row : {0, 1}) { // ranks sort first
        List().setCurrentRow(row);
        emit List().itemDoubleClicked(List().currentItem());
        EXPECT_EQ(conversation.NextChan(), 2) << row;
    }
    List().setCurrentItem(List().findItems("bob", Qt::MatchExactly).value(0));
    emit List().itemDoubleClicked(List().currentItem());
    EXPECT_EQ(conversation.FindChanWin("bob"), 2);
}

} // namespace
} // namespace korbi::session
