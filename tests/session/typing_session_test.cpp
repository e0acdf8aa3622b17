// Typing in a connected session: completion learns who spoke from the server's messages, and a
// confirmed paste of several lines reaches another user of a real server line by line.
#include "support/irc_peer.h"
#include "support/ngircd_server.h"
#include "support/scripted_session.h"

#include "panes/input_line.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace korbi::session {
namespace {

using korbi::testing::IrcPeer;
using korbi::testing::NgircdServer;
using korbi::testing::ScriptedSession;
using korbi::testing::WaitUntil;

QString TabFrom(QLineEdit& box, const char* typed) {
    box.clear();
    QTest::keyClicks(&box, typed);
    QTest::keyClick(&box, Qt::Key_Tab);
    return box.text();
}

TEST(TypingSession, CompletionOffersTheLatestSpeakerOfTheChannelFirst) {
    ScriptedSession s;
    ASSERT_TRUE(s.Connect());
    ASSERT_TRUE(s.LogOn());
    s.server.Send(":Joe!j@h JOIN :#c\r\n:irc.test 353 Joe = #c :@Joe amy al +bea\r\n"
                  ":amy!a@h PRIVMSG #c :hi\r\n:bea!b@h PRIVMSG #c :yo\r\n");
    ASSERT_TRUE(WaitUntil([&] { return s.Pane(1).contains("yo"); }));
    QLineEdit& box = *s.conversation.InputBox(1);
    EXPECT_EQ(TabFrom(box, "a"), "amy: ");
    QTest::keyClick(&box, Qt::Key_Tab);
    EXPECT_EQ(box.text(), "al: ");
    EXPECT_EQ(TabFrom(box, "well b"), "well bea ");
}

TEST(TypingSession, AConfirmedPasteReachesTheChannelAsOneMessagePerLineInOrder) {
    NgircdServer server;
    KORBI_REQUIRE_SERVER(server);
    IrcPeer peer;
    ASSERT_TRUE(peer.Register(server.Port(), "peer"));
    peer.Send("JOIN #paste");
    ASSERT_TRUE(peer.WaitFor(" 366 peer #paste "));

    ScriptedSession s;
    s.settings.MyUserName = "joe";
    s.window.ConnectToServer("127.0.0.1", std::to_string(server.Port()));
    ASSERT_TRUE(WaitUntil([&] { return s.flags.LoggedOn; }, 10000)) << server.Log();
    QLineEdit& serverBox = *s.conversation.InputBox(0);
    QTest::keyClicks(&serverBox, "/join #paste");
    QTest::keyClick(&serverBox, Qt::Key_Return);
    ASSERT_TRUE(peer.WaitFor(":Joe!"));
    ASSERT_TRUE(WaitUntil([&] { return s.conversation.FindChanWin("#paste") > 0; }));
    const int slot = s.conversation.FindChanWin("#paste");

    const std::size_t mark = peer.Mark();
    QApplication::clipboard()->setText("first line\nsecond: /not a command?\r\nthird\n");
    QTest::keyClick(s.conversation.InputBox(slot), Qt::Key_V, Qt::ControlModifier);
    auto* question = s.conversation.findChild<QMessageBox*>("PasteQuestion");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->text(), "Send 3 lines to #paste?");
    question->defaultButton()->click();

    ASSERT_TRUE(peer.WaitFor("PRIVMSG #paste :third\r\n", mark));
    const std::string seen = peer.Since(mark);
    const std::size_t first = seen.find("PRIVMSG #paste :first line\r\n");
    const std::size_t second = seen.find("PRIVMSG #paste :second: /not a command?\r\n");
    EXPECT_LT(first, second) << seen;
    EXPECT_LT(second, seen.find("PRIVMSG #paste :third\r\n")) << seen;
    // Each line was shown in the pane as it went.
    EXPECT_TRUE(s.Pane(slot).contains("second: /not a command?"));
}

} // namespace
} // namespace korbi::session
