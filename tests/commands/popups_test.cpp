#include "commands/popups.h"

#include "support/fake_client.h"

#include <gtest/gtest.h>

namespace korbi::commands {
namespace {

using Lines = std::vector<std::string>;

class PopupsTest : public ::testing::Test {
  protected:
    testing::LoggingClient host{"#c", "#d", "bob"};
    CommandInterpreter interpreter{host.CommandRoles()};

    void SetUp() override { host.interpreter = &interpreter; }
    Lines Sent() {
        Lines sent;
        for (const std::string& line : host.TakeLog()) {
            if (line.starts_with("send ") || line.starts_with("open ")) {
                sent.push_back(line);
            }
        }
        return sent;
    }
};

TEST_F(PopupsTest, QueryAndWhoisOnTheSelectedNicks) {
    host.nextChan = 3; // no window for bob yet
    host.selected[1] = {"@bob", "+ann", "@+cy"};
    MenuQuery_Click(host, host, host);
    EXPECT_EQ(host.log.front(), "command /QUERY bob ann cy ");
    EXPECT_EQ(Sent(), Lines{"open bob private in 3"}) << "only the first nick gets a window";

    host.curVisible = 1;
    MenuWhois_Click(host, host, host);
    EXPECT_EQ(Sent(), Lines{"send WHOIS bob ann cy "});
}

// The whole-program session runs the first default popup; here what the nicks may hold.
TEST_F(PopupsTest, PopupRunsItsCommandsOnTheSelectedNicks) {
    // /say sends its parameter text as it stands, blanks included; a "|" inside a nick is
    // text, not a second command.
    host.settingsValue.PopupTable[1] = "Hugs! /say {{ $*1 }} | /msg $$2 hi";
    host.selected[1] = {"@bob", "+a|b"};
    RunPopup(host, host, host.settingsValue.PopupTable, interpreter, 2);
    EXPECT_EQ(Sent(), (Lines{"send PRIVMSG #c : {{ bob a|b  }}", "send PRIVMSG a|b :hi"}));
}

TEST_F(PopupsTest, EmptyEntriesAndItemsOutOfRangeRunNothing) {
    host.settingsValue.PopupTable[15] = "Late /say never";
    host.selected[1] = {"bob"};
    for (const int N : {0, 1, 16, -3}) {
        RunPopup(host, host, host.settingsValue.PopupTable, interpreter, N);
    }
    EXPECT_TRUE(host.log.empty());
}

} // namespace
} // namespace korbi::commands
