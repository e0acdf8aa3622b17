#include "session/server_window.h"
#include "support/scripted_session.h"
#include "support/server_process.h"
#include "support/widgets.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace korbi::session {
namespace {

using korbi::testing::ScriptedServer;
using korbi::testing::WaitUntil;
using ::testing::ElementsAre;

class ServerWindowTest : public ::testing::Test, protected korbi::testing::ScriptedSession {
  protected:
    bool PaneShows(const QString& text) const {
        return WaitUntil([&] { return Pane().contains(text); });
    }
    void ConnectTo(ScriptedServer& to) { ASSERT_TRUE(Connect(to)); }
};

TEST_F(ServerWindowTest, ReceivedLinesReachThePaneWholeAndInOrder) {
    ConnectTo(server);
    server.Send(":irc.test 372 Joe :- Wel");
    server.Send("come home\r\n:irc.test 372 Joe :- second\r\n:irc.test 372 Joe :- third\r");
    ASSERT_TRUE(PaneShows("   :- third"));
    server.Send("\n:irc.test 372 Joe :- fourth\r\n");
    ASSERT_TRUE(PaneShows("   :- fourth"));
    const QString pane = Pane();
    const auto first = pane.indexOf("   :- Welcome home\n");
    const auto second = pane.indexOf("   :- second\n");
    ASSERT_GE(first, 0);
    EXPECT_GT(second, first);
    // The orphaned line feed did not start the fourth line.
    EXPECT_TRUE(pane.endsWith("\n   :- fourth"));
}

// A server cannot make the client send a line of its choosing, to itself or to the next server.
TEST_F(ServerWindowTest, ALineBreakFromTheServerNeverGoesOut) {
    ScriptedServer first;
    ScriptedServer second;
    ConnectTo(first);
    first.Send(":Joe!j@h NICK :a\nQUIT\r\nPING :x\nQUIT\r\n");
    ASSERT_TRUE(first.WaitForReceived("PONG"));
    EXPECT_TRUE(first.WaitForReceived("\n:Joe PONG :x\r\n\r"));
    EXPECT_EQ(settings.NickName, "Joe");
    window.ConnectToServer("127.0.0.1", std::to_string(second.Port()));
    ASSERT_TRUE(second.WaitForReceived("\nUSER "));
    EXPECT_EQ(second.Received().substr(0, 23), "\nCAP LS 302\r\nNICK Joe\r\n");
}

TEST_F(ServerWindowTest, APortOfTwoCharactersKeepsTheShownPort) {
    window.ServerPort()->setText(QString::number(server.Port()));
    window.ConnectToServer("127.0.0.1", "66");
    EXPECT_EQ(window.ServerPort()->text().toInt(), server.Port());
    ASSERT_TRUE(server.WaitForConnections(1));
}

TEST_F(ServerWindowTest, AnInvalidPortEndsTheConnectAfterTheAttemptLine) {
    window.ServerPort()->setText("abc");
    window.ConnectToServer("127.0.0.1", "");
    EXPECT_TRUE(Pane().contains("Attempting to Connect to 127.0.0.1"));
    EXPECT_TRUE(window.ServerName()->isEnabled());
    EXPECT_TRUE(window.findChild<QWidget*>("ToolButs2")->isEnabled());
    EXPECT_EQ(window.SocketState(), platform::Socket::kClosed);
}

// The user can correct a mistyped server or port at once, not only at the notify timer's next
// tick (45 s away here).
TEST_F(ServerWindowTest, ARefusedConnectionPrintsBothErrorLinesAndFreesTheControlsAtOnce) {
    window.ConnectToServer("127.0.0.1", std::to_string(korbi::testing::FreePort()));
    ASSERT_FALSE(window.ServerName()->isEnabled());
    ASSERT_FALSE(window.findChild<QWidget*>("ToolButs2")->isEnabled());
    ASSERT_TRUE(PaneShows("Unknown Error ! (err25001) (Connection refused)"));
    EXPECT_TRUE(Pane().contains("Server not found\\Unable to reach it.\nUnknown Error !"));
    EXPECT_TRUE(window.ServerName()->isEnabled());
    EXPECT_FALSE(window.ServerPort()->isReadOnly());
    EXPECT_TRUE(window.findChild<QWidget*>("ToolButs0")->isEnabled());
    EXPECT_FALSE(window.findChild<QWidget*>("ToolButs1")->isEnabled());
    EXPECT_TRUE(window.findChild<QWidget*>("ToolButs2")->isEnabled());
}

TEST_F(ServerWindowTest, DisconnectSendsQuitAndTheServersCloseResetsTheControls) {
    ConnectTo(server);
    flags.LoggedOn = true;
    window.DisconnectFromServer();
    ASSERT_TRUE(server.WaitForReceived("\n:Joe QUIT :KorBis blues sur KorBi\r"));
    EXPECT_EQ(window.SocketState(), platform::Socket::kConnected) << "the close is the server's";
    server.CloseClient();
    ASSERT_TRUE(PaneShows("*** Shutdown ***"));
    EXPECT_FALSE(flags.LoggedOn);
    EXPECT_TRUE(window.findChild<QWidget*>("ToolButs0")->isEnabled());
    EXPECT_FALSE(window.findChild<QWidget*>("ToolButs1")->isEnabled());
    EXPECT_TRUE(window.ServerName()->isEnabled());
    window.Send2Serv("PRIVMSG #c :after the close"); // dropped without a crash
}

// When a lost connection is tried again by itself, and when it is left alone.
// Silence is only short where a test waits for it: elsewhere a slow run must not look silent.
ServerWindowOptions QuickReconnect(int silenceMs = 60000) {
    ServerWindowOptions options = korbi::testing::LoopbackOptions();
    options.reconnect.firstDelayMs = 20;
    options.reconnect.silenceMs = silenceMs;
    options.reconnect.pingAnswerMs = silenceMs;
    options.reconnect.silenceCheckMs = 25;
    return options;
}

class ReconnectTest : public ::testing::Test, protected korbi::testing::ScriptedSession {
  protected:
    explicit ReconnectTest(int silenceMs = 60000) : ScriptedSession(QuickReconnect(silenceMs)) {}

    void SetUp() override {
        ASSERT_TRUE(Connect());
        server.Send(":irc.test 001 Joe :Welcome\r\n:Joe!j@h JOIN :#r\r\n"
                    ":irc.test 353 Joe = #r :@Joe ann\r\n");
        ASSERT_TRUE(LogOn());
        server.Send(":Bob!b@h PRIVMSG Joe :psst\r\n");
        ASSERT_TRUE(WaitUntil([this] { return conversation.NextChan() == 3; }));
    }

    // The client comes back as connection index, and logs on there.
    bool ComesBackAs(int index) {
        return server.WaitForConnections(index + 1) && server.WaitForReceived("\nUSER ", index) &&
               (server.Send(":irc.test 376 Joe :End of MOTD\r\n", index), true);
    }
};

class SilentServerTest : public ReconnectTest {
  protected:
    SilentServerTest() : ReconnectTest(300) {}
    void SetUp() override { ASSERT_TRUE(Connect()); }
};

TEST_F(SilentServerTest, ASilentServerIsPingedThenLeft) {
    ASSERT_TRUE(server.WaitForReceived("\nPING :korbi\r", 0));
    ASSERT_TRUE(ComesBackAs(1));
    EXPECT_TRUE(Pane().contains("The server has not answered for 0 seconds"));
}

TEST_F(ReconnectTest, WhatTheUserEndsStaysEnded) {
    window.DisconnectFromServer();
    server.CloseClient(0);
    ASSERT_TRUE(WaitUntil([this] { return conversation.NextChan() == 1; }));
    // A typed quit is the user's too.
    ASSERT_TRUE(Connect());
    window.RunCommandLine("/quit bye");
    ASSERT_TRUE(server.WaitForReceived("QUIT :bye", 1));
    server.CloseClient(1);
    ASSERT_TRUE(WaitUntil([this] { return Pane().contains("*** Shutdown ***"); }));
    EXPECT_FALSE(server.WaitForConnections(3, 300));
}

TEST_F(ReconnectTest, AServerThatEndsTheSessionTheSameWayThriceIsLeftAlone) {
    for (int index = 0; index < 3; ++index) {
        if (index > 0) {
            ASSERT_TRUE(ComesBackAs(index));
        }
        server.Send("ERROR :Closing Link: (K-Lined)\r\n", index);
        server.CloseClient(index);
    }
    ASSERT_TRUE(WaitUntil([this] { return Pane().contains("not reconnecting"); }));
    EXPECT_FALSE(server.WaitForConnections(4, 300));
    EXPECT_EQ(conversation.NextChan(), 1);
}

// A channel pane's nick list in the real windows: members are shown by rank then name, found
// by their nick behind any mark, what the user selected stays selected while members come and
// go, and a double click names a member or does nothing.
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
