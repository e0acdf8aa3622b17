// A pane as the user types into it and clicks on it: formatting keys at the caret, the server
// pane's raw line while connected, channels named in the text; completion, pastes and long
// texts in a connected session.
#include "panes/input_line.h"
#include "panes/text_metrics.h"
#include "panes/text_view.h"
#include "session/server_window.h"
#include "support/pane_control.h"
#include "support/scripted_session.h"
#include "ui/error_window.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace korbi::session {
namespace {

using korbi::testing::WaitUntil;

class PaneInputTest : public ::testing::Test, protected korbi::testing::ScriptedSession {
  protected:
    PaneInputTest() {
        conversation.resize(900, 600);
        conversation.LayoutSlots();
    }
    QLineEdit& Box(int slot) { return *conversation.InputBox(slot); }
    // Clicks the first row of a slot's text where the text before is drawn up to.
    void ClickAfter(int slot, const std::string& before) {
        auto& view =
            *korbi::testing::PaneControl<panes::TextView>(conversation, slot, "TextViewWin");
        panes::TextMetrics metrics;
        const double x = metrics.RunWidth(QString::fromStdString(before), {}) + 1;
        const QPointF at = QPointF(x, 10) + view.contentsRect().topLeft();
        for (const auto& [type, buttons] :
             {std::pair{QEvent::MouseButtonPress, Qt::MouseButtons(Qt::LeftButton)},
              std::pair{QEvent::MouseButtonRelease, Qt::MouseButtons(Qt::NoButton)}}) {
            QMouseEvent event(type, at, view.mapToGlobal(at), Qt::LeftButton, buttons,
                              Qt::NoModifier);
            QApplication::sendEvent(&view, &event);
        }
    }
};

TEST_F(PaneInputTest, FormattingKeysInsertTheirCodeAtTheCaret) {
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QChar code;
    };
    const Case cases[] = {
        {"Ctrl+B bold", Qt::Key_B, Qt::ControlModifier, QChar(2)},
        // Ctrl+K would otherwise delete to the end of the line.
        {"Ctrl+K colour", Qt::Key_K, Qt::ControlModifier, QChar(3)},
        {"Ctrl+U underline", Qt::Key_U, Qt::ControlModifier, QChar(31)},
        {"Ctrl+I reverse", Qt::Key_I, Qt::ControlModifier, QChar(22)},
        // Tab would otherwise move the focus.
        {"Tab reverse", Qt::Key_Tab, Qt::NoModifier, QChar(22)},
    };
    // The caret counts a letter beyond ASCII as one character.
    const QString e = QString::fromUtf8("\xc3\xa9");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Box(0).setText(e + "t" + e);
        Box(0).setCursorPosition(2);
        QTest::keyClick(&Box(0), c.key, c.modifiers);
        EXPECT_EQ(Box(0).text(), e + "t" + c.code + e);
        EXPECT_EQ(Box(0).cursorPosition(), 3);
        // Typing goes on after the code.
        QTest::keyClicks(&Box(0), "y");
        EXPECT_EQ(Box(0).text(), e + "t" + c.code + "y" + e);
    }
}

TEST_F(PaneInputTest, ARawLineWhileConnectedIsWrittenAsTyped) {
    ASSERT_TRUE(Connect());
    const int shown = conversation.LineCount(0);
    QTest::keyClicks(&Box(0), "WHO #c");
    QTest::keyClick(&Box(0), Qt::Key_Return);
    EXPECT_TRUE(server.WaitForReceived("\rWHO #c\r\n"));
    EXPECT_EQ(conversation.LineCount(0), shown);
}

// The box that refuses a fifteenth window comes up by itself, on a join the server forces: the
// keys the user is typing meanwhile must go on into the input line.
TEST_F(PaneInputTest, TheBoxOfTooManyWindowsLeavesTheKeysToTheInputLine) {
    ASSERT_TRUE(Connect());
    std::string joins;
    for (int n = 1; n <= 14; ++n) {
        joins += ":Joe!k@h JOIN :#c" + std::to_string(n) + "\r\n";
    }
    server.Send(joins);
    ASSERT_TRUE(WaitUntil([&] { return conversation.NextChan() == 15; }));
    conversation.show();
    conversation.activateWindow();
    Box(14).setFocus();
    ASSERT_TRUE(WaitUntil([&] { return QApplication::focusWidget() == &Box(14); }));

    QTest::keyClicks(QApplication::focusWidget(), "hello ");
    server.Send(":Joe!k@h JOIN :#c15\r\n");
    QWidget& box = *conversation.findChild<ui::ErrorWindow*>("ErrorWindow");
    ASSERT_TRUE(WaitUntil([&] { return box.isVisible() && box.windowHandle()->isExposed(); }));
    // Some platforms (this one among them) activate every new window: the keyboard must come
    // back to the line once the window system has told of it.
    QApplication::processEvents();
    EXPECT_TRUE(WaitUntil([&] { return QApplication::focusWidget() == &Box(14); }));
    EXPECT_TRUE(box.isVisible());
    QTest::keyClicks(QApplication::focusWidget(), "world");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(server.WaitForReceived("\nPRIVMSG #c14 :hello world\r"));
}

// A channel named in a pane's text, clicked: joined like one picked from the channel list, or
// shown when its pane is open already.
TEST_F(PaneInputTest, AClickedChannelIsJoinedOrItsPaneShown) {
    ASSERT_TRUE(Connect());
    ASSERT_TRUE(LogOn());
    conversation.ClearTextWin(0);
    conversation.PrintCoul(0, "", {0, 0, 0}, "come to #korbi");
    ClickAfter(0, "come to #k");
    EXPECT_TRUE(server.WaitForReceived("\nJOIN #korbi\r"));

    server.Send(":Joe!u@h JOIN :#korbi\r\n");
    ASSERT_TRUE(WaitUntil([this] { return conversation.FindChanWin("#korbi") > 0; }));
    conversation.MakeVisible(0);
    const std::string before = server.Received();
    ClickAfter(0, "come to #k");
    EXPECT_EQ(conversation.CurVisible(), conversation.FindChanWin("#korbi"));
    EXPECT_EQ(server.Received(), before) << "no second JOIN";
}

// Typing in a connected session: completion learns who spoke from the server's messages, a
// confirmed paste of several lines goes out line by line, a long text in parts.
QString TabFrom(QLineEdit& box, const char* typed) {
    box.clear();
    QTest::keyClicks(&box, typed);
    QTest::keyClick(&box, Qt::Key_Tab);
    return box.text();
}

TEST_F(PaneInputTest, CompletionOffersTheLatestSpeakerOfTheChannelFirst) {
    ASSERT_TRUE(Connect());
    ASSERT_TRUE(LogOn());
    server.Send(":Joe!j@h JOIN :#c\r\n:irc.test 353 Joe = #c :@Joe amy al +bea\r\n"
                ":amy!a@h PRIVMSG #c :hi\r\n:bea!b@h PRIVMSG #c :yo\r\n");
    ASSERT_TRUE(WaitUntil([&] { return Pane(1).contains("yo"); }));
    QLineEdit& box = Box(1);
    EXPECT_EQ(TabFrom(box, "a"), "amy: ");
    QTest::keyClick(&box, Qt::Key_Tab);
    EXPECT_EQ(box.text(), "al: ");
    EXPECT_EQ(TabFrom(box, "well b"), "well bea ");
}

TEST_F(PaneInputTest, AConfirmedPasteGoesOutAsOneMessagePerLineInOrder) {
    ASSERT_TRUE(Connect());
    server.Send(":Joe!j@h JOIN :#paste\r\n");
    ASSERT_TRUE(WaitUntil([&] { return conversation.FindChanWin("#paste") == 1; }));

    QApplication::clipboard()->setText("first line\nsecond: /not a command?\r\nthird\n");
    QTest::keyClick(&Box(1), Qt::Key_V, Qt::ControlModifier);
    auto* question = conversation.findChild<QMessageBox*>("PasteQuestion");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->text(), "Send 3 lines to #paste?");
    question->defaultButton()->click();

    EXPECT_TRUE(server.WaitForReceived("\nPRIVMSG #paste :first line\r\n"
                                       "PRIVMSG #paste :second: /not a command?\r\n"
                                       "PRIVMSG #paste :third\r"))
        << SentAfterRegistration();
    // Each line was shown in the pane as it went.
    EXPECT_TRUE(Pane(1).contains("second: /not a command?"));
}

// A message longer than a server line leaves in parts that each arrive whole.
TEST_F(PaneInputTest, ATypedTextLongerThanALineGoesInPartsCutAtBlanks) {
    ASSERT_TRUE(Connect());
    server.Send(":Joe!joe@example.net JOIN :#r\r\n");
    ASSERT_TRUE(WaitUntil([&] { return conversation.NextChan() == 2; }));

    std::string text; // 1,200 bytes: words of two-byte letters
    for (int i = 0; i < 100; ++i) {
        text += "ééééé ";
    }
    Box(1).setText(QString::fromStdString(text));
    QTest::keyClick(&Box(1), Qt::Key_Return);

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
    ASSERT_TRUE(server.WaitForReceived(expected)) << SentAfterRegistration();
    EXPECT_EQ(Pane(1).count("Joe -> ééééé"), 3);
}

} // namespace
} // namespace korbi::session
