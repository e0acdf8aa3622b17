#include "commands/interpreter.h"

#include "support/fake_client.h"

#include <gtest/gtest.h>

namespace korbi::commands {
namespace {

using namespace korbi::testing;

struct TypedLine {
    const char* line;
    Log effects;
    int visible = 1; // 0 the server pane, 1 "#c", 2 "bob"
    int NickStyle = 0;
};

class InterpreterTest : public ::testing::Test {
  protected:
    LoggingClient host;
    CommandInterpreter irc{host.CommandRoles(), [] { return DateTime{2024, 3, 9, 7, 5, 1}; }};

    Log Run(const std::string& line) {
        irc.SendCommand2Serv(line);
        return host.TakeLog();
    }
    void CheckAll(std::initializer_list<TypedLine> cases) {
        for (const TypedLine& c : cases) {
            host.curVisible = c.visible;
            host.settingsValue.NickStyle = c.NickStyle;
            EXPECT_EQ(Run(c.line), c.effects) << c.line;
        }
    }
};

TEST_F(InterpreterTest, SayEchoesByNickStyleAndKeepsTheLeadingBlank) {
    CheckAll({
        {"/say hello", {"send PRIVMSG #c : hello", "print 1 [] (20,50,50) <me>  hello"}, 1, 1},
        {"/SAY hi", {"send PRIVMSG #c : hi", "print 1 [] (20,50,50) me ->  hi"}, 1, 0},
        {"/say hi", {"send PRIVMSG bob : hi", "print 2 [] (20,50,50) me:  hi"}, 2, 2},
        {"/say hi", {"send PRIVMSG #c : hi", "print 1 [] (20,50,50)  hi"}, 1, 7},
        {"/say", {"send PRIVMSG #c :", "print 1 [] (20,50,50) me -> "}},
    });
}

TEST_F(InterpreterTest, LocalCommandsActOnTheVisiblePane) {
    CheckAll({
        {"/clear", {"clear 1"}},
        {"/clear", {"clear 0"}, 0},
        {"/play story.txt", {"playtext story.txt in 1"}},
        {"/PlayFile story.txt", {"playtext story.txt in 2"}, 2},
        {"/display hello  world", {"print 1 [] (0,0,0)  hello  world"}},
        {"/dispict PICTS\\EVJOIN a b", {"print 1 [PICTS\\EVJOIN] (0,0,0) a b "}},
        {"/dispict cat", {"print 1 [cat] (0,0,0) "}},
        {"/updatepict cat", {"refresh PICTS\\cat.BMP"}},
    });
}

TEST_F(InterpreterTest, SoundShowsTheTextSendsTheNameAndPlaysTheFile) {
    CheckAll({
        {"/sound ding hello",
         {"print 1 [PICTS\\EVSOUND] (96,64,192) me hello ", "send PRIVMSG #c :\x01SOUND ding\x01",
          "sound SOUNDS\\ding.WAV"}},
        {"/SOUND Horn.wav a  b",
         {"print 1 [PICTS\\EVSOUND] (96,64,192) me a  b ", "send PRIVMSG #c :\x01SOUND Horn\x01",
          "sound SOUNDS\\Horn.wav"}},
    });
}

TEST_F(InterpreterTest, PictAnnouncesThePictureThenSendsTheText) {
    CheckAll({
        {"/pict cat hi there",
         {"send PRIVMSG #c :\x01PICT cat\x01", "print 1 [PICTS\\cat] (64,64,64) <me> hi there ",
          "send PRIVMSG #c :hi there "},
         1,
         1},
        {"/pic $Photo hi",
         {"send PRIVMSG #c :\x01PICT myface\x01", "print 1 [PICTS\\myface] (64,64,64) me -> hi ",
          "send PRIVMSG #c :hi "}},
        {"/pict cat",
         {"send PRIVMSG bob :\x01PICT cat\x01", "print 2 [PICTS\\cat] (64,64,64) me -> ",
          "send PRIVMSG bob :"},
         2},
    });
}

TEST_F(InterpreterTest, ProtocolCommandsSendExactlyTheseLines) {
    CheckAll({
        {"/j test", {"send JOIN #test"}},
        {"/join &x", {"send JOIN &x"}},
        {"/CHAN #a key", {"send JOIN #a key"}},
        {"/join", {"send JOIN #"}},
        {"/leave #c", {"send PART #c"}},
        {"/part c", {"send PART #c"}},
        {"/quit bye now", {"send QUIT :bye now"}},
        {"/quit", {"send QUIT :"}},
        {"/nick new", {"send NICK new"}},
        {"/notice bob hi", {"send NOTICE bob : hi"}},
        {"/notice bob", {"send NOTICE bob :"}},
        {"/ctcp bob VERSION", {"send PRIVMSG bob :\x01VERSION\x01"}},
        {"/ctcp bob PING 123", {"send PRIVMSG bob :\x01PING 123\x01"}},
        {"/me waves",
         {"send PRIVMSG #c :\x01"
          "ACTION waves\x01",
          "print 1 [PICTS\\EVACTION] (128,64,0) me  waves"}},
        {"/msg bob hi there", {"send PRIVMSG bob :hi there"}},
        {"/msg bob", {"send PRIVMSG bob : bob"}},
        {"/raw PRIVMSG x :y",
         {"print 1 [PICTS\\SERVMSG] (0,0,0) Sent to server:  PRIVMSG x :y", "send  PRIVMSG x :y"}},
        {"/quote MODE me +i",
         {"print 1 [PICTS\\SERVMSG] (0,0,0) Sent to server:  MODE me +i", "send  MODE me +i"}},
        {"/verbose X", {"print 1 [PICTS\\SERVMSG] (0,0,0) Sent to server:  X", "send  X"}},
        {"/server irc.example.org 6667", {"connect irc.example.org|6667"}},
        {"/server irc.example.org", {"connect irc.example.org|"}},
    });
}

TEST_F(InterpreterTest, UnknownCommandsGoToTheServerUpperCased) {
    CheckAll({
        {"/who #c", {"send WHO #c"}},
        {"/wHo", {"send WHO"}},
        {"/mode #c +b b!*", {"send MODE #c +b b!*"}},
        {"/é x", {"send \xc3\xa9 x"}},  // only a-z change, bytes stay bytes
        {"xjoin #a", {"send JOIN #a"}}, // the first character is dropped unseen
        {"/", {"send "}},
    });
    host.flagsValue.DebugMode = true;
    CheckAll({{"/who #c", {"print 0 [] (1,1,1) Sent Unknown Command = WHO", "send WHO #c"}}});
}

TEST_F(InterpreterTest, QueryShowsOrOpensThePrivatePane) {
    host.settingsValue.LogPrivChat = true;
    CheckAll({
        {"/query BOB", {"visible 2"}},
        {"/query ann", {"open ann private in 3", "log 3"}},
        {"/talkto Ann", {"visible 3"}},
        {"/priv #c", {"visible 1"}},
        {"/query", {}},
    });
    host.settingsValue.LogPrivChat = false;
    CheckAll({{"/private zed", {"open zed private in 4"}}});
    host.nextChan = 16;
    CheckAll({{"/query late", {"nomorechan late"}}});
}

TEST_F(InterpreterTest, AliasesRunAfterBuiltinsLaterEntryWinning) {
    host.settingsValue.AliasTable = {"BAN /mode $chan +b $$2 | /kick $chan $$1", "HI /say one",
                                     "JOIN /say never", "hi /say two"};
    CheckAll({
        {"/ban bob bob!*", {"send MODE #c +b bob!*", "send KICK #c bob"}},
        {"/Hi", {"send PRIVMSG #c : two", "print 1 [] (20,50,50) me ->  two"}},
        {"/join x", {"send JOIN #x"}},
    });
}

TEST_F(InterpreterTest, AliasVariablesReadTheHostAndTheClock) {
    host.topicBar[1] = "Welcome to #c";
    host.nickLists[1] = {"@me", "bob", "ann"};
    host.settingsValue.YourDefaultPict = "mine";
    host.settingsValue.OtherDefaultPict = "theirs";
    host.settingsValue.AliasTable = {
        "SHOW /display $me $nick $chan $server $topic $numuser $ip $host $time $date $photo "
        "$yourdefpict $otherdefpict $$1 $$9 $version"};
    CheckAll({{"/show p1",
               {"print 1 [] (0,0,0)  me  #c irc.example.net Welcome to #c  3 192.0.2.7 desk "
                "07:05:01 03-09-2024 myface mine theirs p1  KorBi iRC Client 1.0b2"}}});
}

TEST_F(InterpreterTest, RunAliasAndCommandLineExpandAgainstTheVisiblePane) {
    host.settingsValue.AliasTable = {"GO /join $$1 | /say in $chan"};
    irc.RunAlias("GO", " #x");
    EXPECT_EQ(host.TakeLog(), (Log{"send JOIN #x", "send PRIVMSG #c : in #c",
                                   "print 1 [] (20,50,50) me ->  in #c"}));
    irc.RunAlias("MISSING", " #x");
    EXPECT_TRUE(host.TakeLog().empty());

    // No splitting at "|" and no trimming: the line runs as expanded, its final blank included.
    host.curVisible = 2;
    irc.RunCommandLine("/msg $chan hi $$1 |/quit");
    EXPECT_EQ(host.TakeLog(), Log{"send PRIVMSG bob :hi  |/quit "});
}

} // namespace
} // namespace korbi::commands
