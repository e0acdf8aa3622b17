// What the user types into a pane's input line, on a real IRC server: the other user receives
// the messages, actions, notices, CTCP requests and channel commands, and the user sees the
// echoes.
#include "session/ngircd_session_fixture.h"

#include "core/prefs_file.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>

#include <gmock/gmock.h>

namespace korbi::session {
namespace {

using korbi::testing::IrcPeer;
using korbi::testing::WaitUntil;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAre;

class TypingNgircdTest : public NgircdSessionTest {
  protected:
    TypingNgircdTest() {
        // The aliases a new preferences file brings.
        settings.AliasTable =
            core::ReadPrefsFile(core::DefaultPrefsFile("00:00:00 01-01-2000"), settings)
                .settings.AliasTable;
    }
};

TEST_F(TypingNgircdTest, TextAndCommandsTypedInAChannelPaneReachTheOtherUser) {
    IrcPeer bob("bob");
    RegisterPeer(bob);
    ConnectClient();
    const int room = JoinBefore(bob, "#room");
    ASSERT_EQ(room, 1);
    EXPECT_TRUE(conversation->InputBox(0)->text().isEmpty());
    std::string prefix = ClientPrefix(bob);

    Type(room, QString::fromUtf8("hello there, \xc3\xa9t\xc3\xa9"));
    EXPECT_EQ(bob.WaitForLine(" PRIVMSG #room :"),
              prefix + " PRIVMSG #room :hello there, \xc3\xa9t\xc3\xa9\r\n");
    EXPECT_EQ(WaitForPaneLine(room, "korbi -> hello there, \xc3\xa9t\xc3\xa9"),
              Line(20, 50, 50, "", "korbi -> hello there, \xc3\xa9t\xc3\xa9"));
    EXPECT_TRUE(conversation->InputBox(room)->text().isEmpty());

    // A pasted text with line breaks goes out as one message: none of its lines is a command.
    QApplication::clipboard()->setText("one\nJOIN #trap\r\nQUIT :pasted");
    QTest::keyClick(conversation->InputBox(room), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(conversation->InputBox(room), Qt::Key_Return);
    EXPECT_EQ(bob.WaitForLine(" PRIVMSG #room :"),
              prefix + " PRIVMSG #room :one JOIN #trap  QUIT :pasted\r\n");

    // Formatting codes typed with their keys go out as they are.
    QTest::keyClick(conversation->InputBox(room), Qt::Key_B, Qt::ControlModifier);
    Type(room, "bold");
    EXPECT_EQ(bob.WaitForLine(" PRIVMSG #room :"), prefix + " PRIVMSG #room :\x02"
                                                            "bold\r\n");

    Type(room, "/me waves");
    EXPECT_EQ(bob.WaitForLine(" PRIVMSG #room :"), prefix + " PRIVMSG #room :\x01"
                                                            "ACTION waves\x01\r\n");
    EXPECT_EQ(WaitForPaneLine(room, "korbi  waves"),
              Line(128, 64, 0, "PICTS\\EVACTION.BMP", "korbi  waves"));

    Type(room, "/msg bob hi there");
    EXPECT_EQ(bob.WaitForLine(" PRIVMSG bob :"), prefix + " PRIVMSG bob :hi there\r\n");
    Type(room, "/notice bob hi");
    EXPECT_EQ(bob.WaitForLine(" NOTICE bob :"), prefix + " NOTICE bob : hi\r\n");
    Type(room, "/ctcp bob VERSION");
    EXPECT_EQ(bob.WaitForLine(" PRIVMSG bob :"), prefix + " PRIVMSG bob :\x01VERSION\x01\r\n");

    // A second channel from a channel pane, and leaving it again.
    Type(room, "/join second");
    const int second = WaitForPane("#second");
    ASSERT_EQ(second, 2);
    EXPECT_EQ(conversation->CurVisible(), second);
    bob.Send("JOIN #second");
    ASSERT_TRUE(WaitUntil([&] { return ListHolds(second, "bob"); }));
    Type(second, "/part #second");
    EXPECT_THAT(bob.WaitForLine(" PART #second"), StartsWith(prefix + " PART #second"));
    ASSERT_TRUE(WaitUntil([&] { return conversation->FindChanWin("#second") == 0; }));
    EXPECT_EQ(conversation->CurVisible(), room);

    EXPECT_EQ(conversation->FindChanWin("#trap"), 0);
    Type(room, "/nick korbi2");
    EXPECT_EQ(bob.WaitForLine(" NICK "), prefix + " NICK :korbi2\r\n");
    EXPECT_EQ(WaitForPaneLine(room, "Your nick is now korbi2"),
              Line(64, 192, 64, "", "Your nick is now korbi2"));
    EXPECT_EQ(settings.NickName, "korbi2");
    prefix = ClientPrefix(bob);

    Type(room, "/quit see you");
    EXPECT_EQ(bob.WaitForLine(" QUIT "), prefix + " QUIT :\"see you\"\r\n");
    EXPECT_TRUE(WaitForPaneLine(0, "*** Shutdown ***"));
    EXPECT_EQ(conversation->NextChan(), 1);
    // The server's parting notice names the server, so it is shown in the server pane.
    const panes::LineStore& serverLines = conversation->Lines(0);
    int statistics = serverLines.LineCount() - 1;
    while (statistics >= 0 && !serverLines.Line(statistics).text.starts_with("Connection stat")) {
        --statistics;
    }
    ASSERT_GE(statistics, 0) << PaneText(0);
    const panes::LineRecord& notice = serverLines.Line(statistics);
    EXPECT_EQ(Line(notice.red, notice.green, notice.blue, notice.pict, ""),
              Line(64, 160, 64, "PICTS\\INFOMARK.BMP", ""));

    // Back on the server by typing alone, with the nick the session ended with.
    flags.LoggedOn = false;
    Type(0, QString("/server 127.0.0.1 %1").arg(server.Port()));
    ASSERT_TRUE(WaitUntil([&] { return flags.LoggedOn; }, 10000)) << PaneText(0);
    const int again = JoinBefore(bob, "#again");
    EXPECT_EQ(again, 1);
    EXPECT_EQ(WaitForPaneLine(again, "korbi2 entered the channel."),
              Line(16, 160, 64, "PICTS\\EVJOIN.BMP", "korbi2 entered the channel."));
    // Nothing of the ended session shows in the reused pane.
    EXPECT_EQ(PaneText(again), "korbi2 entered the channel.\nbob entered the channel.");
}

TEST_F(TypingNgircdTest, PanesAboveAClosedOneMoveDownWithTheirConversation) {
    IrcPeer bob("bob");
    RegisterPeer(bob);
    ConnectClient();
    const int first = JoinBefore(bob, "#first");
    const int second = JoinBefore(bob, "#second");
    ASSERT_EQ(second, first + 1);
    QTest::keyClicks(conversation->InputBox(second), "half typed");

    conversation->MakeVisible(first);
    Type(first, "/part #first");
    ASSERT_TRUE(WaitUntil([&] { return conversation->FindChanWin("#first") == 0; }));
    ASSERT_EQ(conversation->FindChanWin("#second"), first);
    EXPECT_EQ(conversation->InputBox(first)->text(), "half typed");

    // The moved pane receives and sends for its channel.
    bob.Send("PRIVMSG #second :still here?");
    EXPECT_TRUE(WaitForPaneLine(first, "bob -> still here?"));
    PaneControl<QPushButton>(*conversation, first, "SwitchBut")->click();
    EXPECT_EQ(conversation->CurVisible(), first);
    const std::string prefix = ClientPrefix(bob);
    Type(first, ", yes");
    EXPECT_EQ(bob.WaitForLine(" PRIVMSG #second :"),
              prefix + " PRIVMSG #second :half typed, yes\r\n");
}

TEST_F(TypingNgircdTest, WhoisAndAnUnknownCommandAreAnsweredInThePanes) {
    IrcPeer bob("bob");
    RegisterPeer(bob);
    ConnectClient();
    const int room = JoinBefore(bob, "#room");

    Type(room, "/whois bob");
    EXPECT_EQ(WaitForPaneLine(0, "Information on bob:"),
              Line(32, 64, 64, "PICTS\\INFOMARK.BMP", "Information on bob:"));
    EXPECT_EQ(
        WaitForPaneLine(0, "User@Host: ~bob@127.0.0.1    Name: bob the peer"),
        Line(32, 64, 64, "PICTS\\INFOMARK.BMP", "User@Host: ~bob@127.0.0.1    Name: bob the peer"));
    EXPECT_EQ(WaitForPaneLine(0, "bob is on server: irc.test.local  --  :test server"),
              Line(32, 64, 64, "PICTS\\INFOMARK.BMP",
                   "bob is on server: irc.test.local  --  :test server"));

    Type(room, "/frobnicate now");
    EXPECT_EQ(WaitForPaneLine(room, "FROBNICATE is not a invalid command !"),
              Line(0, 0, 0, "PICTS\\SERVMSG.BMP", "FROBNICATE is not a invalid command !"));
    EXPECT_EQ(WaitForPaneLine(room, " ---"), Line(0, 0, 0, "", " ---"));

    // A nick already taken, once registered, is only reported.
    Type(room, "/nick bob");
    ASSERT_TRUE(WaitUntil([&] {
        return PaneText(0).find("bob :Nickname already in use") != std::string::npos;
    })) << PaneText(0);
    EXPECT_EQ(settings.NickName, "korbi");
}

TEST_F(TypingNgircdTest, TheBanAliasBansAndKicksAsChannelOperator) {
    IrcPeer bob("bob");
    RegisterPeer(bob);
    ConnectClient();
    const int room = JoinBefore(bob, "#room");
    EXPECT_THAT(conversation->NickListItems(room), UnorderedElementsAre("@korbi", "bob"));
    const std::string prefix = ClientPrefix(bob);

    // "$$1" is the first word after the alias name, "$$2" the second.
    Type(room, "/ban bob bob!*@*");
    EXPECT_EQ(bob.WaitForLine(" MODE #room "), prefix + " MODE #room +b bob!*@*\r\n");
    EXPECT_THAT(bob.WaitForLine(" KICK #room "), StartsWith(prefix + " KICK #room bob :"));
    EXPECT_EQ(WaitForPaneLine(room, "korbi sets mode +b bob!*@*"),
              Line(64, 64, 192, "", "korbi sets mode +b bob!*@*"));
    ASSERT_TRUE(WaitUntil([&] { return !ListHolds(room, "bob"); }));
    EXPECT_THAT(conversation->NickListItems(room), UnorderedElementsAre("@korbi"));

    bob.Send("JOIN #room");
    EXPECT_FALSE(bob.WaitForLine(" 474 bob #room ").empty());

    // The other default alias leaves the channel and comes back.
    // The pane closes and opens afresh, so the earlier lines are gone.
    Type(room, "/hop");
    EXPECT_TRUE(WaitUntil([&] {
        return conversation->PaneText(room) == "korbi entered the channel." &&
               ListHolds(room, "@korbi");
    })) << PaneText(room);
    EXPECT_EQ(conversation->NextChan(), 2);
}

TEST_F(TypingNgircdTest, EnterWithADefaultPictureSendsAPictureMessage) {
    IrcPeer bob("bob");
    RegisterPeer(bob);
    settings.YourDefaultPict = "smile";
    ConnectClient();
    const int room = JoinBefore(bob, "#room");
    const std::string prefix = ClientPrefix(bob);

    Type(room, "hi all");
    EXPECT_EQ(bob.WaitForLine(" PRIVMSG #room :"),
              prefix + " PRIVMSG #room :\x01PICT smile\x01\r\n");
    // The text goes with the blank the picture message puts after each word; this server
    // trims it off the end of the line it passes on.
    EXPECT_EQ(bob.WaitForLine(" PRIVMSG #room :"), prefix + " PRIVMSG #room :hi all\r\n");
    EXPECT_EQ(WaitForPaneLine(room, "korbi -> hi all "),
              Line(64, 64, 64, "PICTS\\smile.BMP", "korbi -> hi all "));
}

TEST_F(TypingNgircdTest, ALineInTheServerPaneGoesToTheServerAsTyped) {
    IrcPeer bob("bob");
    RegisterPeer(bob);
    ConnectClient();
    const std::string prefix = ClientPrefix(bob);

    Type(0, "PRIVMSG bob :straight to the server");
    EXPECT_EQ(bob.WaitForLine(" PRIVMSG bob :"),
              prefix + " PRIVMSG bob :straight to the server\r\n");
    EXPECT_FALSE(conversation->PaneText(0).contains("straight to the server"));
}

} // namespace
} // namespace korbi::session
