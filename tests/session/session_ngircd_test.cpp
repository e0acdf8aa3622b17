// Two users on a real IRC server: what the client shows of the other's joins, messages,
// notices, CTCP requests, topic, kicks, nick changes and quits, and what the other receives.
#include "session/ngircd_session_fixture.h"

#include <QPushButton>

#include <fstream>

#include <gmock/gmock.h>

namespace korbi::session {
namespace {

using korbi::testing::IrcPeer;
using korbi::testing::WaitUntil;
using ::testing::UnorderedElementsAre;

using SessionNgircdTest = NgircdSessionTest;

TEST_F(SessionNgircdTest, JoinOpensAPaneWithTheNamesAndTheOperatorMark) {
    IrcPeer bob("bob");
    RegisterPeer(bob);
    bob.Send("JOIN #room");
    bob.Send("TOPIC #room :all about rooms");
    ASSERT_FALSE(bob.WaitForLine(" TOPIC #room ").empty());
    ConnectClient();

    const int room = JoinChannel("#room", 2);
    ASSERT_EQ(room, 1);
    EXPECT_EQ(conversation->CurVisible(), room);
    EXPECT_TRUE(WaitUntil([&] {
        return conversation->TopicBar(room) == "#room   all about rooms";
    })) << conversation->TopicBar(room);
    EXPECT_EQ(WaitForPaneLine(room, "korbi entered the channel."),
              Line(16, 160, 64, "PICTS\\EVJOIN.BMP", "korbi entered the channel."));
    // The first to join is the channel's operator; the client's own nick comes from the names.
    EXPECT_THAT(conversation->NickListItems(room), UnorderedElementsAre("@bob", "korbi"));
    EXPECT_TRUE(
        WaitForPaneLine(0, "Name for #room: " + (conversation->NickListItems(room)[0] + " " +
                                                 conversation->NickListItems(room)[1])));
    const std::string joinSeen = bob.WaitForLine(" JOIN ");
    EXPECT_EQ(joinSeen, ClientPrefix(bob) + " JOIN :#room\r\n");

    IrcPeer carol("carol");
    RegisterPeer(carol);
    carol.Send("JOIN #room");
    EXPECT_EQ(WaitForPaneLine(room, "carol entered the channel."),
              Line(16, 160, 64, "PICTS\\EVJOIN.BMP", "carol entered the channel."));
    EXPECT_TRUE(ListHolds(room, "carol"));

    bob.Send("PART #room :see you later");
    EXPECT_EQ(WaitForPaneLine(room, "bob left the channel."),
              Line(16, 160, 64, "PICTS\\EVPART.BMP", "bob left the channel."));
    EXPECT_THAT(conversation->NickListItems(room), UnorderedElementsAre("carol", "korbi"));

    // The pane's close button leaves the channel; the pane goes when the server confirms. The
    // prefix is asked for first: its reply moves carol past the lines she has already had.
    const std::string korbiPrefix = ClientPrefix(carol);
    PaneControl<QPushButton>(*conversation, room, "CloseWinBut")->click();
    EXPECT_THAT(carol.WaitForLine(" PART #room"),
                ::testing::StartsWith(korbiPrefix + " PART #room"));
    EXPECT_TRUE(WaitUntil([&] { return conversation->NextChan() == 1; }));
    EXPECT_EQ(conversation->FindChanWin("#room"), 0);
}

TEST_F(SessionNgircdTest, ATakenNickFallsBackToTheSecondNickWhileRegistering) {
    IrcPeer first("korbi");
    RegisterPeer(first);
    ConnectClient();
    EXPECT_EQ(settings.NickName, "korbi_");
    EXPECT_EQ(WaitForPaneLine(0, "korbi :Nickname already in use"),
              Line(128, 0, 0, "PICTS\\ERRORMSG.BMP", "korbi :Nickname already in use"));
    const int room = JoinChannel("#room", 1);
    EXPECT_EQ(conversation->NickListItems(room), std::vector<std::string>{"@korbi_"});
    EXPECT_TRUE(WaitForPaneLine(room, "korbi_ entered the channel."));
}

TEST_F(SessionNgircdTest, ConnectingAgainQuitsTheOldSessionWithItsMessageFirst) {
    IrcPeer bob("bob");
    RegisterPeer(bob);
    ConnectClient();
    const int room = JoinChannel("#room", 1);
    bob.Send("JOIN #room");
    ASSERT_TRUE(WaitUntil([&] { return ListHolds(room, "bob"); }));
    const std::string prefix = ClientPrefix(bob);

    flags.LoggedOn = false;
    window->SendCommand2Serv("/server 127.0.0.1 " + std::to_string(server.Port()));
    EXPECT_EQ(bob.WaitForLine(" QUIT "), prefix + " QUIT :\"KorBis blues sur KorBi\"\r\n");
    ASSERT_TRUE(WaitUntil([&] { return flags.LoggedOn; }, 10000)) << PaneText(0);
    EXPECT_EQ(conversation->NextChan(), 1);
    EXPECT_TRUE(WaitForPaneLine(0, "Disconnecting from current server..."));
}

TEST_F(SessionNgircdTest, MessagesAndNoticesGoBothWays) {
    IrcPeer bob("bob");
    RegisterPeer(bob);
    bob.Send("JOIN #room");
    ASSERT_FALSE(bob.WaitForLine(" 366 bob #room ").empty());
    settings.OtherDefaultPict = "smile";
    ConnectClient();
    const int room = JoinChannel("#room", 2);

    bob.Send("PRIVMSG #room :hello all, and  two blanks");
    EXPECT_EQ(WaitForPaneLine(room, "bob -> hello all, and  two blanks"),
              Line(64, 64, 64, "PICTS\\smile.BMP", "bob -> hello all, and  two blanks"));

    // An announced picture goes with the sender's next message only.
    folder.MakeDirIfNotExist("PICTS");
    std::ofstream(folder.Resolve("PICTS\\cat.bmp"), std::ios::binary) << "BM";
    bob.Send("PRIVMSG #room :\x01PICT cat\x01");
    bob.Send("PRIVMSG #room :meow");
    bob.Send("PRIVMSG #room :purr");
    EXPECT_EQ(WaitForPaneLine(room, "bob -> meow"),
              Line(64, 64, 64, "PICTS\\cat.BMP", "bob -> meow"));
    EXPECT_EQ(WaitForPaneLine(room, "bob -> purr"),
              Line(64, 64, 64, "PICTS\\smile.BMP", "bob -> purr"));
    EXPECT_FALSE(window->IsFetching()) << "the picture is there already";

    bob.Send("PRIVMSG #room :\x01"
             "ACTION dances\x01");
    EXPECT_EQ(WaitForPaneLine(room, "bob dances"),
              Line(128, 64, 0, "PICTS\\EVACTION.BMP", "bob dances"));

    // A private message opens a pane named after its sender, and the next one uses it.
    settings.OtherDefaultPict.clear();
    settings.NickStyle = 1;
    bob.Send("PRIVMSG korbi :psst");
    const int privateSlot = WaitForPane("bob");
    ASSERT_EQ(privateSlot, 2);
    EXPECT_EQ(WaitForPaneLine(privateSlot, "<bob> psst"), Line(64, 64, 64, "", "<bob> psst"));
    bob.Send("PRIVMSG KORBI :again");
    EXPECT_TRUE(WaitForPaneLine(privateSlot, "<bob> again"));
    EXPECT_EQ(conversation->NextChan(), 3);

    const std::string prefix = ClientPrefix(bob);
    window->SendCommand2Serv("/msg bob hi there");
    EXPECT_EQ(bob.WaitForLine(" PRIVMSG bob :"), prefix + " PRIVMSG bob :hi there\r\n");

    // Notices from a user show in the visible pane, the sender between hyphens and asterisks.
    settings.NickStyle = 0;
    conversation->MakeVisible(room);
    bob.Send("NOTICE korbi :heads up");
    EXPECT_EQ(WaitForPaneLine(room, "*-bob-* -> heads up"),
              Line(128, 32, 0, "", "*-bob-* -> heads up"));
    window->SendCommand2Serv("/notice bob noted");
    EXPECT_EQ(bob.WaitForLine(" NOTICE bob :"), prefix + " NOTICE bob : noted\r\n");
}

TEST_F(SessionNgircdTest, CtcpVersionAndPingAreAnsweredThroughTheServer) {
    IrcPeer bob("bob");
    RegisterPeer(bob);
    ConnectClient();
    const std::string prefix = ClientPrefix(bob);

    bob.Send("PRIVMSG korbi :\x01VERSION\x01");
    EXPECT_EQ(bob.WaitForLine(" NOTICE bob :"),
              prefix + " NOTICE bob :\x01VERSION KorBi 1.0 Official Beta 4 -- Win95/NT\x01\r\n");
    EXPECT_EQ(WaitForPaneLine(0, "bob wants to know your client version..."),
              Line(0, 0, 0, "", "bob wants to know your client version..."));

    bob.Send("PRIVMSG korbi :\x01PING 1234567890 42\x01");
    EXPECT_EQ(bob.WaitForLine(" NOTICE bob :"),
              prefix + " NOTICE bob :\x01PING 1234567890 42\x01\r\n");
    EXPECT_EQ(WaitForPaneLine(0, "bob pings you..."), Line(0, 0, 0, "", "bob pings you..."));

    // An action is shown where the conversation is, not answered.
    bob.Send("PRIVMSG korbi :\x01"
             "ACTION waves\x01");
    EXPECT_EQ(WaitForPaneLine(0, "bob waves"),
              Line(128, 64, 0, "PICTS\\EVACTION.BMP", "bob waves"));
    EXPECT_EQ(conversation->FindChanWin("bob"), 0) << "an action opens no pane";
}

TEST_F(SessionNgircdTest, ACtcpFloodSwitchesTheAnswersOff) {
    IrcPeer bob("bob");
    RegisterPeer(bob);
    settings.FloodProtDelay = 15; // more than 2.5 answered requests is a flood
    ConnectClient();
    const std::string prefix = ClientPrefix(bob);

    for (int i = 0; i < 3; ++i) {
        bob.Send("PRIVMSG korbi :\x01VERSION\x01");
        EXPECT_FALSE(bob.WaitForLine(" NOTICE bob :\x01VERSION ").empty());
    }
    EXPECT_EQ(WaitForPaneLine(0, "Excess Flood Danger ! Ignoring all CTCP's for 20 seconds..."),
              Line(96, 32, 32, "PICTS\\WARNMARK.BMP",
                   "Excess Flood Danger ! Ignoring all CTCP's for 20 seconds..."));

    // Requests go unanswered now; what the client sends after them arrives first.
    bob.Send("PRIVMSG korbi :\x01PING 1\x01");
    bob.Send("PRIVMSG korbi :after the ping");
    ASSERT_TRUE(WaitForPaneLine(WaitForPane("bob"), "bob -> after the ping"));
    window->SendCommand2Serv("/msg bob sync");
    EXPECT_EQ(bob.WaitForLine(" bob :"), prefix + " PRIVMSG bob :sync\r\n");
    EXPECT_TRUE(WaitForPaneLine(0, "bob pings you...", 0) == std::nullopt);
}

TEST_F(SessionNgircdTest, TopicModeKickNickChangesAndQuit) {
    IrcPeer bob("bob");
    IrcPeer carol("carol");
    RegisterPeer(bob);
    RegisterPeer(carol);
    bob.Send("JOIN #room");
    ASSERT_FALSE(bob.WaitForLine(" 366 bob #room ").empty());
    settings.LogChan = true;
    ConnectClient();
    const int room = JoinChannel("#room", 2);
    carol.Send("JOIN #room");
    ASSERT_TRUE(WaitUntil([&] { return ListHolds(room, "carol"); }));

    bob.Send("TOPIC #room :fresh topic, with words");
    EXPECT_EQ(WaitForPaneLine(room, "bob sets the topic for #room: 'fresh topic, with words'"),
              Line(64, 64, 128, "PICTS\\INFOMARK.BMP",
                   "bob sets the topic for #room: 'fresh topic, with words'"));
    EXPECT_EQ(conversation->TopicBar(room), "#room   fresh topic, with words");

    bob.Send("MODE #room +v carol");
    EXPECT_EQ(WaitForPaneLine(room, "bob sets mode +v carol"),
              Line(64, 64, 192, "", "bob sets mode +v carol"));

    bob.Send("KICK #room carol :out you go");
    EXPECT_EQ(WaitForPaneLine(room, "carol was kicked by bob (out you go)"),
              Line(128, 64, 64, "PICTS\\EVKICK.BMP", "carol was kicked by bob (out you go)"));
    EXPECT_FALSE(ListHolds(room, "carol"));
    EXPECT_FALSE(ListHolds(room, "+carol"));

    carol.Send("JOIN #room");
    ASSERT_TRUE(WaitUntil([&] { return ListHolds(room, "carol"); }));
    carol.Send("QUIT :gone fishing");
    // This server puts a user's quit reason in double quotes.
    EXPECT_EQ(WaitForPaneLine(room, "carol quits IRC (\"gone fishing\"). "),
              Line(32, 32, 192, "PICTS\\EVQUIT.BMP", "carol quits IRC (\"gone fishing\"). "));
    EXPECT_FALSE(ListHolds(room, "carol"));

    // An operator keeps the mark across a nick change.
    bob.Send("NICK robert");
    EXPECT_EQ(WaitForPaneLine(room, "bob changes it's nick to robert"),
              Line(64, 192, 64, "", "bob changes it's nick to robert"));
    EXPECT_THAT(conversation->NickListItems(room), UnorderedElementsAre("@robert", "korbi"));

    window->SendCommand2Serv("/nick korbi2");
    EXPECT_EQ(WaitForPaneLine(room, "Your nick is now korbi2"),
              Line(64, 192, 64, "", "Your nick is now korbi2"));
    EXPECT_EQ(settings.NickName, "korbi2");
    EXPECT_THAT(conversation->NickListItems(room), UnorderedElementsAre("@robert", "korbi2"));

    // Banned and kicked: the pane closes and the server pane says by whom.
    bob.Send("MODE #room +b korbi2!*@*");
    bob.Send("KICK #room korbi2 :bye now");
    EXPECT_EQ(
        WaitForPaneLine(0, "robert just kicked you from #room (bye now)"),
        Line(192, 64, 64, "PICTS\\EVKICK.BMP", "robert just kicked you from #room (bye now)"));
    EXPECT_EQ(conversation->FindChanWin("#room"), 0);
    EXPECT_EQ(conversation->NextChan(), 1);
    EXPECT_EQ(conversation->CurVisible(), 0);

    // The channel's log holds what the pane showed, between its opening and closing lines.
    std::ifstream logFile(folder.Resolve("LOGS\\#room.LOG"), std::ios::binary);
    const std::string log((std::istreambuf_iterator<char>(logFile)),
                          std::istreambuf_iterator<char>());
    EXPECT_TRUE(log.starts_with("Log File opened at ")) << log;
    EXPECT_NE(log.find("\r\nkorbi entered the channel.\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("\r\nbob changes it's nick to robert\r\n"), std::string::npos) << log;
    const std::size_t closing = log.rfind("Log File Closed at ");
    ASSERT_NE(closing, std::string::npos) << log;
    EXPECT_EQ(log.substr(log.size() - 6), "\r\n--\r\n");

    window->SendCommand2Serv("/join #room");
    EXPECT_EQ(WaitForPaneLine(0, "Can't join #room, you're banned !! (+B)"),
              Line(64, 0, 0, "PICTS\\ERRORMSG.BMP", "Can't join #room, you're banned !! (+B)"));
    EXPECT_EQ(conversation->NextChan(), 1);
}

} // namespace
} // namespace korbi::session
