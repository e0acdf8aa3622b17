// The input line of a pane as the user types into it: formatting keys at the caret, and the
// server pane's raw line while connected.
#include "session/server_window.h"

#include "support/scripted_session.h"
#include "ui/error_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace korbi::session {
namespace {

using korbi::testing::WaitUntil;

class InputBoxTest : public ::testing::Test, protected korbi::testing::ScriptedSession {
  protected:
    InputBoxTest() {
        conversation.resize(900, 600);
        conversation.LayoutSlots();
    }
    QLineEdit& Box(int slot) { return *conversation.InputBox(slot); }
};

TEST_F(InputBoxTest, FormattingKeysInsertTheirCodeAtTheCaret) {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Box(0).clear();
        QTest::keyClicks(&Box(0), "hello");
        Box(0).setCursorPosition(2);
        QTest::keyClick(&Box(0), c.key, c.modifiers);
        EXPECT_EQ(Box(0).text(), QString("he") + c.code + "llo");
        EXPECT_EQ(Box(0).cursorPosition(), 3);
        // Typing goes on after the code.
        QTest::keyClicks(&Box(0), "y");
        EXPECT_EQ(Box(0).text(), QString("he") + c.code + "yllo");
    }
}

TEST_F(InputBoxTest, TheCaretCountsLettersBeyondAsciiAsOneCharacter) {
    Box(0).setText(QString::fromUtf8("\xc3\xa9t\xc3\xa9"));
    Box(0).setCursorPosition(2);
    QTest::keyClick(&Box(0), Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(Box(0).text(), QString::fromUtf8("\xc3\xa9t\x02\xc3\xa9"));
    EXPECT_EQ(Box(0).cursorPosition(), 3);
}

TEST_F(InputBoxTest, ARawLineWhileConnectedIsWrittenAsTyped) {
    ASSERT_TRUE(Connect());
    const int shown = conversation.LineCount(0);
    QTest::keyClicks(&Box(0), "WHO #c");
    QTest::keyClick(&Box(0), Qt::Key_Return);
    EXPECT_TRUE(server.WaitForReceived("\rWHO #c\r\n"));
    EXPECT_EQ(conversation.LineCount(0), shown);
}

// The box that refuses a fifteenth window comes up by itself, on a join the server forces: the
// keys the user is typing meanwhile must go on into the input line.
TEST_F(InputBoxTest, TheBoxOfTooManyWindowsLeavesTheKeysToTheInputLine) {
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

} // namespace
} // namespace korbi::session
