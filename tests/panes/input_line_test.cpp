// A pane's input line: what Enter does with a line, the lines entered before, nick completion,
// pastes of several lines, and the same typed into the real widget.
#include "panes/input_line_logic.h"

#include "pane_fixture.h"
#include "panes/input_history.h"
#include "panes/input_line.h"
#include "panes/nick_completion.h"
#include "panes/paste_lines.h"
#include "platform/text_encoding.h"
#include "support/fake_client.h"
#include "support/wait.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace korbi::panes {
namespace {

using namespace korbi::testing;

class EnterTest : public ::testing::Test {
  protected:
    LoggingClient host;
    commands::CommandInterpreter irc{host.CommandRoles()};

    void SetUp() override { host.interpreter = &irc; }

    Log Enter(int slot, const std::string& text) {
        InputLineText line{text, text.size()};
        int key = KeyEnter;
        EXPECT_EQ(InputBox_KeyPress(key, line), text);
        EXPECT_EQ(key, 0);
        EXPECT_EQ(line.text, "");
        EXPECT_EQ(line.caret, 0u);
        EnterLine(host.InputRoles(), slot, text);
        return host.TakeLog();
    }
};

// The echo's nick style is NickStylePrefix's (commands); here: which pane, which target.
TEST_F(EnterTest, TextInAConversationPaneIsEchoedThenSentAsTyped) {
    const struct {
        int slot;
        int NickStyle;
        const char* text;
        Log effects;
    } cases[] = {
        {1, 1, "hello", {"print 1 [] (20,50,50) <me> hello", "send PRIVMSG #c :hello"}},
        {2, 0, "hi  you", {"print 2 [] (20,50,50) me -> hi  you", "send PRIVMSG bob :hi  you"}},
        {1, 0, "", {"print 1 [] (20,50,50) me -> ", "send PRIVMSG #c :"}},
        {1, 0, "/join x", {"command /join x", "send JOIN #x"}},
    };
    for (const auto& c : cases) {
        host.settingsValue.NickStyle = c.NickStyle;
        EXPECT_EQ(Enter(c.slot, c.text), c.effects) << c.text;
    }
}

TEST_F(EnterTest, ADefaultPictureTurnsTextIntoAPictureMessage) {
    host.settingsValue.YourDefaultPict = "cat";
    host.settingsValue.NickStyle = 1;
    EXPECT_EQ(Enter(1, "hello there"),
              (Log{"command /PICT cat hello there", "send PRIVMSG #c :\x01PICT cat\x01",
                   "print 1 [PICTS\\cat] (64,64,64) <me> hello there ",
                   "send PRIVMSG #c :hello there "}));
    EXPECT_EQ(Enter(1, "/me waves"), (Log{"command /me waves",
                                          "send PRIVMSG #c :\x01"
                                          "ACTION waves\x01",
                                          "print 1 [PICTS\\EVACTION] (128,64,0) me  waves"}));
}

TEST_F(EnterTest, TheServerPaneWritesRawLinesOnlyWhileConnected) {
    host.curVisible = 0;
    host.settingsValue.YourDefaultPict = "cat"; // no picture message in the server pane
    EXPECT_EQ(Enter(0, "PRIVMSG bob :hi"), Log{"raw PRIVMSG bob :hi\r\n"});
    EXPECT_EQ(Enter(0, "/quit"), (Log{"command /quit", "send QUIT :"}));
    for (const int state : {0, 6}) { // closed, still connecting
        host.socketState = state;
        EXPECT_EQ(Enter(0, "PRIVMSG bob :hi"),
                  (Log{"command /DISPLAY PRIVMSG bob :hi", "print 0 [] (0,0,0)  PRIVMSG bob :hi"}))
            << state;
    }
}

TEST_F(EnterTest, LineBreaksOfAPasteAreBlanksSoNoPartBecomesAProtocolLine) {
    EXPECT_EQ(Enter(1, "hello\nJOIN #x\r\nQUIT"),
              (Log{"print 1 [] (20,50,50) me -> hello JOIN #x  QUIT",
                   "send PRIVMSG #c :hello JOIN #x  QUIT"}));
    EXPECT_EQ(Enter(1, "/msg bob hi\rQUIT"),
              (Log{"command /msg bob hi QUIT", "send PRIVMSG bob :hi QUIT"}));
    host.curVisible = 0;
    EXPECT_EQ(Enter(0, "WHO #a\nQUIT"), Log{"raw WHO #a QUIT\r\n"});
}

TEST(TextViewDrop, TextFilesPlayWaveFilesAreOfferedAndPlayed) {
    const struct {
        std::vector<std::string> files;
        Log effects;
    } cases[] = {
        {{"/home/u/story.TXT", "/home/u/ding.wav"}, {"playtext /home/u/story.TXT in 2"}},
        {{"/home/u/ding.wav"},
         {"print 2 [PICTS\\EVSOUND] (96,64,192) me", "send PRIVMSG bob :\x01SOUND /home/u/ding\x01",
          "sound /home/u/ding.wav"}},
        {{"/home/u/cat.bmp", "/home/u/story.txt"}, {}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        LoggingClient host;
        TextViewWin_OLEDragDrop(host.InputRoles(), 2, c.files);
        EXPECT_EQ(host.log, c.effects) << (c.files.empty() ? "" : c.files[0]);
    }
}

TEST(InputHistory, UpAndDownWalkTheLinesAndComeBackToTheHalfTypedOne) {
    InputHistory history;
    for (const char* line : {"one", "/two", "three", "three", ""}) {
        history.Add(line);
    }
    const InputHistory::Filter raw = IsRawLine;
    const struct {
        bool older;
        bool rawOnly;
        std::optional<std::string> shown;
    } steps[] = {
        {false, false, std::nullopt}, // nothing newer than the typing position
        {true, false, "three"},       // "half" is kept
        {true, false, "/two"},        {true, false, "one"},
        {true, false, std::nullopt}, // the oldest stays
        {false, false, "/two"},       {false, false, "three"},
        {false, false, "half"},       {true, true, "three"}, // the raw lines alone skip the command
        {true, true, "one"},          {false, true, "three"},
        {false, true, "half"},
    };
    int k = 0;
    for (const auto& step : steps) {
        const auto shown = step.older ? history.Older("half", step.rawOnly ? raw : nullptr)
                                      : history.Newer(step.rawOnly ? raw : nullptr);
        EXPECT_EQ(shown, step.shown) << "step " << k++;
    }
}

TEST(InputHistory, KeepsTheLastHundredLinesAndRestartsAfterEachLine) {
    InputHistory history;
    for (std::size_t k = 0; k < InputHistory::kMaxLines + 5; ++k) {
        history.Add("line" + std::to_string(k));
    }
    EXPECT_EQ(history.Older(""), "line104");
    history.Add("new");
    for (std::size_t k = 0; k < InputHistory::kMaxLines; ++k) {
        history.Older("");
    }
    EXPECT_EQ(history.Older(""), std::nullopt);
    EXPECT_EQ(history.Newer(), "line7"); // "line6" is the oldest kept
}

using Ms = PastePacer::Ms;

TEST(PasteLines, APasteBreaksAtEveryKindOfLineEndAndDropsEmptyLines) {
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\n\rc", {"a", "b", "c"}},
        {"\n\na\n  \n\nb c\n", {"a", "b c"}},
        {"  indented\n\tx", {"  indented", "\tx"}},
        {"\r\n", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PastedLines(c.text), c.lines) << c.text;
    }
    EXPECT_EQ(JoinedLines({"a", "b c", "d"}), "a b c d");
}

TEST(PasteLines, LinesGoOutOneIntervalApartAndALateTickSendsOneLine) {
    PastePacer pacer;
    EXPECT_EQ(pacer.Wait(Ms{0}), std::nullopt);
    pacer.Add({"a", "b", "c"}, Ms{1000});
    EXPECT_EQ(pacer.Next(Ms{1000}), "a");
    EXPECT_EQ(pacer.Next(Ms{1000}), std::nullopt);
    EXPECT_EQ(pacer.Wait(Ms{1200}), Ms{300});
    EXPECT_EQ(pacer.Next(Ms{1499}), std::nullopt);
    EXPECT_EQ(pacer.Next(Ms{1500}), "b");
    EXPECT_EQ(pacer.Next(Ms{3000}), "c");
    EXPECT_EQ(pacer.Wait(Ms{3000}), std::nullopt);

    // A paste right after the last line still waits its turn.
    pacer.Add({"d", "e"}, Ms{3100});
    EXPECT_EQ(pacer.Next(Ms{3100}), std::nullopt);
    EXPECT_EQ(pacer.Wait(Ms{3100}), Ms{400});
    EXPECT_EQ(pacer.Next(Ms{3500}), "d");
    pacer.Cancel();
    EXPECT_EQ(pacer.Next(Ms{9000}), std::nullopt);
    EXPECT_EQ(pacer.Waiting(), 0u);
}

CompletionSource Channel(std::vector<std::string> recent = {}) {
    return {{"@bob", "+Bobby", "alice", "bart", "Joe", "@+carl", "bob"}, std::move(recent), "joe"};
}

TEST(NickCompletion, CompletesTheWordBeforeTheCaretOrLeavesTabToTheFormattingCode) {
    const struct {
        const char* text;
        std::size_t caret;
        std::optional<std::string> completed; // the caret ends after the completion
        std::size_t caretAfter;
    } cases[] = {
        {"bo", 2, "bob: ", 5},            // marks stripped, once each, alphabetical
        {"hi BO", 5, "hi bob ", 7},       // case ignored, nick's own case kept
        {"ca", 2, "carl: ", 6},           // two rank marks
        {"bo there", 2, "bob: there", 4}, // the blank that follows is kept, not doubled
        {"al, x", 2, "alice: , x", 7},    // what follows the caret stays
        {"jo", 2, std::nullopt, 0},       // the user's own nick is never offered
        {"zz", 2, std::nullopt, 0},
        {"hi ", 3, std::nullopt, 0}, // the caret after a blank
        {"", 0, std::nullopt, 0},
    };
    for (const auto& c : cases) {
        NickCompleter completer;
        const auto result = completer.Complete({c.text, c.caret}, Channel());
        ASSERT_EQ(result.has_value(), c.completed.has_value()) << c.text;
        if (result) {
            EXPECT_EQ(result->text, *c.completed) << c.text;
            EXPECT_EQ(result->caret, c.caretAfter) << c.text;
        }
    }
}

TEST(NickCompletion, TabAgainCyclesRecentSpeakersFirstThenAlphabetically) {
    RecentSpeakers speakers;
    for (const char* nick : {"bob", "alice", "BART", "carl"}) {
        speakers.Spoke(nick);
    }
    EXPECT_EQ(speakers.Order(), (std::vector<std::string>{"carl", "BART", "alice", "bob"}));
    speakers.Spoke("Bob"); // speaking again moves a nick to the front, whatever its case
    EXPECT_EQ(speakers.Order(), (std::vector<std::string>{"Bob", "carl", "BART", "alice"}));

    NickCompleter completer;
    InputLineText line{"hi b", 4};
    std::vector<std::string> seen;
    for (int tab = 0; tab < 4; ++tab) {
        line = *completer.Complete(line, Channel(speakers.Order()));
        seen.push_back(line.text);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"hi bob ", "hi bart ", "hi Bobby ", "hi bob "}));

    // Once the line changes, Tab starts from the word before the caret again.
    line = *completer.Complete({"hi bob x ba", 11}, Channel());
    EXPECT_EQ(line.text, "hi bob x bart ");
}

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
