#include "session/server_window.h"

#include "support/scripted_session.h"
#include "support/server_process.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace korbi::session {
namespace {
using korbi::testing::ScriptedServer;
using korbi::testing::WaitUntil;

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

} // namespace
} // namespace korbi::session
