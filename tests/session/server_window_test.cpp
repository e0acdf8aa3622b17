#include "platform/desktop_notifier.h"
#include "session/server_window.h"
#include "support/scripted_session.h"
#include "support/server_process.h"
#include "support/session_bus.h"
#include "support/widgets.h"

#include <QComboBox>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace korbi::session {
namespace {

using namespace korbi::testing;
using ::testing::ElementsAre;

class ServerWindowTest : public ::testing::Test, protected korbi::testing::ScriptedSession {
  protected:
    bool PaneShows(const QString& text) const {
        return WaitUntil([&] { return Pane().contains(text); });
    }
    void ConnectTo(ScriptedServer& to) { ASSERT_TRUE(Connect(to)); }
};

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

// The connection lost mid-session: the client comes back by itself into the channels it had,
// each known again only once rejoined, while the private chat waits in its pane.
TEST_F(ReconnectTest, ALostConnectionComesBackIntoItsChannels) {
    server.CloseClient(0);
    ASSERT_TRUE(WaitUntil([this] { return Pane().contains("Reconnecting in 1 seconds (try 1)"); }));
    EXPECT_TRUE(conversation.NickListItems(1).empty());
    ASSERT_TRUE(ComesBackAs(1));
    EXPECT_TRUE(server.WaitForReceived("\nMODE Joe +\r\nJOIN #r\r", 1));
    EXPECT_EQ(conversation.FindChanWin("Bob"), 2);
    EXPECT_EQ(conversation.NextChan(), 3);
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

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";

// The desktop's notification service as far as the client uses it: it keeps each Notify call,
// answers with ids from 7 on, and says that the user clicked or closed one.
class NotificationStub : public QDBusVirtualObject {
  public:
    explicit NotificationStub(const QString& address)
        : m_bus(QDBusConnection::connectToBus(address, "notification-stub")) {}
    ~NotificationStub() override {
        m_bus.unregisterObject(kPath);
        QDBusConnection::disconnectFromBus("notification-stub");
    }
    bool Register() {
        return m_bus.registerService(kService) &&
               m_bus.registerVirtualObject(kPath, this, QDBusConnection::SingleNode);
    }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        calls.push_back(message);
        connection.send(message.createReply(QVariant::fromValue(uint(6 + calls.size()))));
        return true;
    }
    QString introspect(const QString&) const override { return {}; }
    void Emit(const char* name, uint id, const QVariant& detail) {
        m_bus.send(QDBusMessage::createSignal(kPath, kService, name) << id << detail);
    }

    std::vector<QDBusMessage> calls;

  private:
    QDBusConnection m_bus;
};

TEST(DesktopNotification, ThePrivateMessageGoesOutWithTheServicesShapeAndAClickShowsItsPane) {
    korbi::testing::SessionBus bus;
    KORBI_REQUIRE_SERVER(bus);
    NotificationStub stub(bus.Address());
    ASSERT_TRUE(stub.Register());
    ServerWindowOptions options = korbi::testing::LoopbackOptions();
    options.notificationBus = bus.Address();
    korbi::testing::ScriptedSession session(options);

    // A replayed line also shows the time the server gave it.
    session.window.Process_MSG("@time=2026-12-07T18:21:16.123Z :ann!a@h PRIVMSG Joe :see "
                               "<b>this</b> & \x02that\x02\r\n");
    ASSERT_TRUE(WaitUntil([&] { return stub.calls.size() == 1; }));
    const int annPane = session.conversation.FindChanWin("ann");
    ASSERT_GT(annPane, 0);
    EXPECT_EQ(session.conversation.Lines(annPane).Line(0).time, 1796667676123);
    const QDBusMessage& call = stub.calls.front();
    EXPECT_EQ(call.interface() + "." + call.member(), "org.freedesktop.Notifications.Notify");
    EXPECT_EQ(call.signature(), "susssasa{sv}i");
    const QList<QVariant> args = call.arguments();
    ASSERT_EQ(args.size(), 8);
    EXPECT_EQ(args[0].toString(), "KorBi iRC Client"); // app_name
    EXPECT_EQ(args[1].toUInt(), 0u);                   // replaces_id
    EXPECT_EQ(args[2].toString(), "korbi");            // app_icon
    EXPECT_EQ(args[3].toString(), "ann");              // summary
    EXPECT_EQ(args[4].toString(), "ann -&gt; see &lt;b&gt;this&lt;/b&gt; &amp; that");
    EXPECT_EQ(args[5].toStringList(), (QStringList{"default", "Show"}));
    QVariantMap hints;
    args[6].value<QDBusArgument>() >> hints;
    EXPECT_EQ(hints, (QVariantMap{{"desktop-entry", "korbi"}}));
    EXPECT_EQ(args[7].toInt(), -1); // expire_timeout: as the service likes

    session.conversation.MakeVisible(0);
    QSignalSpy frameWanted(&session.window, &ServerWindow::FrameWanted);
    stub.Emit("ActionInvoked", 7, QString("default"));
    EXPECT_TRUE(WaitUntil([&] { return session.conversation.CurVisible() == annPane; }));
    EXPECT_EQ(frameWanted.count(), 1);

    // A closed notification is forgotten: a late click on it does nothing. Signals arrive in
    // order, so once the click on the next one has been handled, so has the late one.
    session.conversation.MakeVisible(0);
    stub.Emit("NotificationClosed", 7, QVariant::fromValue(uint(2)));
    session.window.Process_MSG(":bob!b@h PRIVMSG Joe :me too\r\n");
    ASSERT_TRUE(WaitUntil([&] { return stub.calls.size() == 2; }));
    stub.Emit("ActionInvoked", 7, QString("default"));
    stub.Emit("ActionInvoked", 8, QString("default"));
    EXPECT_TRUE(WaitUntil([&] { return frameWanted.count() == 2; }));
    EXPECT_EQ(session.conversation.CurVisible(), session.conversation.FindChanWin("bob"));
}

// Without a bus nothing is shown and nothing is said, on the console or in a window.
TEST(DesktopNotification, WithoutABusNothingHappens) {
    QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            ADD_FAILURE() << "unexpected message: " << text.toStdString();
        });
    {
        platform::DesktopNotifier notifier("unix:path=/nonexistent/korbi-bus");
        notifier.Notify("#c", "#c", "hello");
        notifier.Notify("#c", "#c", "again");
    }
    qInstallMessageHandler(previous);
}

} // namespace
} // namespace korbi::session
