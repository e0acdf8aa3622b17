// Typing in a connected session: completion learns who spoke from the server's messages, a
// confirmed paste of several lines goes out line by line, a long text in parts.
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

TEST(TypingSession, AConfirmedPasteGoesOutAsOneMessagePerLineInOrder) {
    ScriptedSession s;
    ASSERT_TRUE(s.Connect());
    s.server.Send(":Joe!j@h JOIN :#paste\r\n");
    ASSERT_TRUE(WaitUntil([&] { return s.conversation.FindChanWin("#paste") == 1; }));

    QApplication::clipboard()->setText("first line\nsecond: /not a command?\r\nthird\n");
    QTest::keyClick(s.conversation.InputBox(1), Qt::Key_V, Qt::ControlModifier);
    auto* question = s.conversation.findChild<QMessageBox*>("PasteQuestion");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->text(), "Send 3 lines to #paste?");
    question->defaultButton()->click();

    EXPECT_TRUE(s.server.WaitForReceived("\nPRIVMSG #paste :first line\r\n"
                                         "PRIVMSG #paste :second: /not a command?\r\n"
                                         "PRIVMSG #paste :third\r"))
        << s.SentAfterRegistration();
    // Each line was shown in the pane as it went.
    EXPECT_TRUE(s.Pane(1).contains("second: /not a command?"));
}

// A message longer than a server line leaves in parts that each arrive whole.
TEST(LongMessage, ATypedTextLongerThanALineGoesInPartsCutAtBlanks) {
    ScriptedSession session;
    ASSERT_TRUE(session.Connect());
    session.server.Send(":Joe!joe@example.net JOIN :#r\r\n");
    ASSERT_TRUE(WaitUntil([&] { return session.conversation.NextChan() == 2; }));

    std::string text; // 1,200 bytes: words of two-byte letters
    for (int i = 0; i < 100; ++i) {
        text += "ééééé ";
    }
    auto* input = session.conversation.findChild<QLineEdit*>("Pane1InputBox");
    ASSERT_NE(input, nullptr);
    input->setText(QString::fromStdString(text));
    QTest::keyClick(input, Qt::Key_Return);

    // ":Joe!joe@example.net PRIVMSG #r :" and CR LF leave 477 bytes: 43 words of 11 bytes
    // with the blanks between them, twice, then the 14 words left and the final blank.
    std::string full; // 43 words, the most a part holds
    for (int i = 0; i < 43; ++i) {
        full += (i > 0 ? " " : "") + std::string("ééééé");
    }
    std::string rest;
    for (int i = 0; i < 14; ++i) {
        rest += "ééééé ";
    }
    const std::string expected =
        "\nPRIVMSG #r :" + full + "\r\nPRIVMSG #r :" + full + "\r\nPRIVMSG #r :" + rest + "\r";
    ASSERT_TRUE(session.server.WaitForReceived(expected)) << session.SentAfterRegistration();
    EXPECT_EQ(session.Pane(1).count("Joe -> ééééé"), 3);
}

} // namespace
} // namespace korbi::session
