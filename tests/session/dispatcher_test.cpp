#include "session/dispatcher.h"
#include "support/fake_client.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace korbi::session {
namespace {

using testing::FakeClient;
using testing::PrintedLine;
using Lines = std::vector<PrintedLine>;
using Texts = std::vector<std::string>;

class DispatcherTest : public ::testing::Test {
  protected:
    DispatcherTest() {
        host.settingsValue.NickName = "Me";
        host.settingsValue.Silences = " troll!* *!bot*@*";
        host.AddPane("#chan", {"troll", "bob"});
        host.curVisible = 1;
    }

    FakeClient host;
    std::int64_t now = 0;
    Dispatcher dispatcher{host.Roles(), [this] { return now; }};
};

TEST_F(DispatcherTest, IgnoredSendersAreDroppedWhateverTheCommand) {
    dispatcher.Process_MSG(":Troll!t@h PRIVMSG #chan :hi\r\n");
    dispatcher.Process_MSG(":x!botty@h QUIT :bye\r\n");
    dispatcher.Process_MSG(":x!botty@h PRIVMSG Me :\x01VERSION\x01\r\n");
    EXPECT_EQ(host.printed, Lines{});
    EXPECT_EQ(host.sent, Texts{});
    EXPECT_EQ(host.nickLists[1], (Texts{"troll", "bob"}));

    host.settingsValue.DisplayIgnores = true;
    dispatcher.Process_MSG(":Troll!t@h PRIVMSG #chan :hi\r\n");
    EXPECT_EQ(host.TakePrinted(), (Lines{{0, "", 255, 0, 0, "Got Ignore! `Troll!t@h`"}}));

    // Neither the user's own lines nor lines without a source are tested.
    host.settingsValue.Silences = " *";
    dispatcher.Process_MSG(":ME!m@h NICK :Me2\r\n");
    dispatcher.Process_MSG("PING :srv\r\n");
    dispatcher.Process_MSG(":trolly!t@h PRIVMSG #chan :hi\r\n");
    EXPECT_EQ(host.settingsValue.NickName, "Me2");
    EXPECT_EQ(host.sent, Texts{":Me2 PONG :srv\r\n"});
    EXPECT_EQ(host.printed.back(), (PrintedLine{0, "", 255, 0, 0, "Got Ignore! `trolly!t@h`"}));
}

TEST_F(DispatcherTest, DebugModeEchoesEveryLineAfterItsHandler) {
    host.flagsValue.DebugMode = true;
    host.settingsValue.DisplayIgnores = true;
    dispatcher.Process_MSG(":bob!b@h PRIVMSG #chan :hi\r\n");
    dispatcher.Process_MSG(":troll!t@h PRIVMSG #chan :boo\r\n");
    dispatcher.Process_MSG(":srv 002 Me :Your host\r\n");
    dispatcher.Process_MSG(":srv 003 Me :lone carriage return\r");
    EXPECT_EQ(host.printed, (Lines{{1, "", 64, 64, 64, "bob -> hi"},
                                   {0, "", 128, 96, 96, ":bob!b@h PRIVMSG #chan :hi"},
                                   {0, "", 255, 0, 0, "Got Ignore! `troll!t@h`"},
                                   {0, "", 128, 96, 96, ":troll!t@h PRIVMSG #chan :boo"},
                                   {0, "", 128, 96, 96, ":srv 002 Me :Your host"},
                                   {0, "", 128, 96, 96, ":srv 003 Me :lone carriage return"}}));
}

// Found by fuzzing: a line cut at a carriage return followed by a second one got a line feed
// added behind both, which left a carriage return inside the message and the PONG.
TEST_F(DispatcherTest, ACarriageReturnAfterTheCutIsTheLineEnd) {
    dispatcher.Process_MSG(":bob!b@h PRIVMSG #chan :hi\r\r");
    dispatcher.Process_MSG("PING :srv\r\r");
    EXPECT_EQ(host.printed.front(), (PrintedLine{1, "", 64, 64, 64, "bob -> hi"}));
    EXPECT_EQ(host.sent, Texts{":Me PONG :srv\r\r"});
}

} // namespace
} // namespace korbi::session
