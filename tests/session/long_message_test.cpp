// A message longer than a server line leaves in parts that each arrive whole.
#include "support/scripted_session.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace korbi::session {
namespace {
using korbi::testing::WaitUntil;

TEST(LongMessage, ATypedTextLongerThanALineGoesInPartsCutAtBlanks) {
    korbi::testing::ScriptedSession session;
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
    std::string first;
    std::string second;
    for (int i = 0; i < 43; ++i) {
        first += (i > 0 ? " " : "") + std::string("ééééé");
    }
    for (int i = 0; i < 43; ++i) {
        second += (i > 0 ? " " : "") + std::string("ééééé");
    }
    std::string third;
    for (int i = 0; i < 14; ++i) {
        third += "ééééé ";
    }
    const std::string expected =
        "\nPRIVMSG #r :" + first + "\r\nPRIVMSG #r :" + second + "\r\nPRIVMSG #r :" + third + "\r";
    ASSERT_TRUE(session.server.WaitForReceived(expected)) << session.SentAfterRegistration();
    EXPECT_EQ(session.Pane(1).count("Joe -> ééééé"), 3);
}

} // namespace
} // namespace korbi::session
