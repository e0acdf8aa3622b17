#include "panes/input_line_logic.h"

#include "support/fake_client.h"

#include <gtest/gtest.h>

namespace korbi::panes {
namespace {

using testing::Log;
using testing::LoggingClient;

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

} // namespace
} // namespace korbi::panes
