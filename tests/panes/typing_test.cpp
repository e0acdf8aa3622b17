// Typing into a pane's real input line: nick completion, the lines entered before, and the
// question a paste of several lines asks.
#include "pane_fixture.h"
#include "panes/input_line.h"
#include "platform/text_encoding.h"
#include "support/wait.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace korbi::panes {
namespace {

class TypingTest : public PaneFixture {
  protected:
    TypingTest() {
        settings.NickName = "me";
        QObject::connect(&window, &ConversationWindow::LineEntered,
                         [this](int slot, const std::string& text) {
                             entered.push_back(std::to_string(slot) + " " + text);
                         });
    }

    std::string Type(int slot, const char* text, Qt::Key key,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QLineEdit* box = window.InputBox(slot);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, key, modifiers);
        return platform::ScreenToBytes(box->text());
    }

    QMessageBox* Paste(int slot, const char* text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(window.InputBox(slot), Qt::Key_V, Qt::ControlModifier);
        return VisibleQuestion();
    }

    // An answered question is deleted later: the one asked now is the one shown.
    QMessageBox* VisibleQuestion() const {
        for (auto* box : window.findChildren<QMessageBox*>("PasteQuestion")) {
            if (box->isVisible()) {
                return box;
            }
        }
        return nullptr;
    }

    // The same through the input line's context menu, as with the mouse.
    QMessageBox* PasteByMenu(int slot, const char* text) {
        QApplication::clipboard()->setText(text);
        QLineEdit* box = window.InputBox(slot);
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                box->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box, &click);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* action : menu ? menu->actions() : QList<QAction*>()) {
            if (action->text().startsWith("&Paste")) {
                action->trigger();
            }
        }
        if (menu) {
            menu->close();
        }
        return VisibleQuestion();
    }

    static void Click(QMessageBox* box, const char* button) {
        ASSERT_NE(box, nullptr) << "no question for " << button;
        const QList<QAbstractButton*> buttons = box->buttons();
        const auto it = std::find_if(buttons.begin(), buttons.end(),
                                     [&](QAbstractButton* b) { return b->text() == button; });
        ASSERT_NE(it, buttons.end()) << "no button " << button;
        (*it)->click();
    }

    std::vector<std::string> entered;
};

TEST_F(TypingTest, TabCompletesANickOfThePaneAndInsertsTheReverseCodeWhereNoneMatches) {
    const int chan = window.OpenChanWin("#c", false);
    window.SetNickListItems(chan, {"@bob", "alice", "@me"});
    const int priv = window.OpenChanWin("Zed", true);
    const struct {
        int slot;
        const char* typed;
        const char* shown;
    } cases[] = {
        {chan, "bo", "bob: "},     {chan, "zz", "zz\x16"}, {chan, "me", "me\x16"},
        {priv, "hi z", "hi Zed "}, {0, "bo", "bo\x16"}, // the server pane lists channels
    };
    for (const auto& c : cases) {
        window.InputBox(c.slot)->clear();
        EXPECT_EQ(Type(c.slot, c.typed, Qt::Key_Tab), c.shown) << c.typed;
    }
    settings.Extras.SetFlag(kNickCompletionSetting, false);
    window.InputBox(chan)->clear();
    EXPECT_EQ(Type(chan, "bo", Qt::Key_Tab), "bo\x16");
}

TEST_F(TypingTest, UpAndDownBringBackEnteredLinesThatMoveWithTheirConversation) {
    window.OpenChanWin("#a", false);
    const int b = window.OpenChanWin("#b", false);
    Type(b, "first", Qt::Key_Return);
    Type(b, "second", Qt::Key_Return);
    EXPECT_EQ(entered, (std::vector<std::string>{"2 first", "2 second"}));
    EXPECT_EQ(Type(b, "draft", Qt::Key_Up), "second");
    EXPECT_EQ(Type(b, "", Qt::Key_Up), "first");
    EXPECT_EQ(Type(b, "", Qt::Key_Down), "second");
    EXPECT_EQ(Type(b, "", Qt::Key_Down), "draft");

    window.CloseConversation(1);
    EXPECT_EQ(Type(1, "", Qt::Key_Up), "second");
    EXPECT_EQ(Type(2, "", Qt::Key_Up), "") << "the freed slot keeps nothing";

    Type(0, "RAW one", Qt::Key_Return);
    Type(0, "/cmd", Qt::Key_Return);
    EXPECT_EQ(Type(0, "", Qt::Key_Up, Qt::ControlModifier), "RAW one");
}

TEST_F(TypingTest, APasteOfSeveralLinesAsksBeforeAnythingIsSent) {
    const int chan = window.OpenChanWin("#c", false);
    EXPECT_EQ(Paste(chan, "one line\r\n"), nullptr);
    EXPECT_EQ(platform::ScreenToBytes(window.InputBox(chan)->text()), "one line");

    Click(Paste(chan, "a\nb\nc"), "Cancel"); // its question is TypingSession's
    Click(PasteByMenu(chan, "a\nb\nc"), "Send as one line");
    EXPECT_EQ(entered, (std::vector<std::string>{"1 a b c"}));
    EXPECT_EQ(platform::ScreenToBytes(window.InputBox(chan)->text()), "one line");

    // Send: the first line at once, the others paced; Escape drops what is left.
    Click(Paste(chan, "x\ny\nz"), "Send");
    EXPECT_EQ(entered.back(), "1 x");
    EXPECT_EQ(window.PasteLinesWaiting(chan), 2);
    QTest::keyClick(window.InputBox(chan), Qt::Key_Escape);
    EXPECT_EQ(window.PasteLinesWaiting(chan), 0);

    // Closing the pane takes an open question with it.
    QPointer<QMessageBox> open = Paste(chan, "p\nq");
    ASSERT_TRUE(open);
    window.CloseConversation(chan);
    EXPECT_TRUE(korbi::testing::WaitUntil([&] { return open.isNull(); }));
    EXPECT_EQ(entered.size(), 2u);
}

} // namespace
} // namespace korbi::panes
