#include "core/reading_settings.h"
#include "session/dispatcher.h"
#include "support/fake_client.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korbi::session {
namespace {

using testing::FakeClient;
using Texts = std::vector<std::string>;

// The user "Joe" in #chan (slot 1, in front) and #two, with "deploy" as a highlight word, while
// the frame is in the background.
struct Scene {
    FakeClient host;
    Dispatcher dispatcher{host.Roles(), [] { return std::int64_t{0}; }};

    Scene() {
        host.settingsValue.NickName = "Joe";
        host.settingsValue.Extras.SetValue(core::kHighlightWords, "deploy");
        host.topicBar[0] = "irc.test.net";
        host.AddPane("#chan", {"bob", "Joe"});
        host.AddPane("#two", {"bob", "Joe"});
        host.curVisible = 1;
    }
    void Receive(const std::string& line) { dispatcher.Process_MSG(line); }
};

TEST(HighlightEvents, WhatOthersSayToTheUserStandsOutAndIsNotified) {
    const struct {
        const char* what;
        std::string line;
        Texts highlighted;
        Texts notifications;
    } cases[] = {
        {"a message naming the user",
         ":bob!b@h PRIVMSG #two :hi JOE!\r\n",
         {"bob -> hi JOE!"},
         {"#two|#two|bob -> hi JOE!"}},
        {"a highlight word",
         ":bob!b@h PRIVMSG #chan :Deploy done\r\n",
         {"bob -> Deploy done"},
         {"#chan|#chan|bob -> Deploy done"}},
        {"the user's own line echoed", ":Joe!j@h PRIVMSG #chan :I am Joe\r\n", {}, {}},
        {"an action naming the user",
         ":bob!b@h PRIVMSG #two :\x01"
         "ACTION waves at joe\x01\r\n",
         {"bob waves at joe"},
         {"#two|#two|bob waves at joe"}},
        {"an action of the user",
         ":Joe!j@h PRIVMSG #two :\x01"
         "ACTION is Joe\x01\r\n",
         {},
         {}},
        {"a notice from a user",
         ":bob!b@h NOTICE Joe :joe, look\r\n",
         {"*-bob-* -> joe, look"},
         {"#chan|bob|*-bob-* -> joe, look"}},
        {"a notice from the server", ":irc.test.net NOTICE Joe :Joe, welcome\r\n", {}, {}},
        {"a private message, named or not",
         ":ann!a@h PRIVMSG Joe :psst\r\n",
         {},
         {"ann|ann|ann -> psst"}},
        {"a private action",
         ":ann!a@h PRIVMSG Joe :\x01"
         "ACTION hugs\x01\r\n",
         {},
         {"ann|ann|ann hugs"}},
    };
    for (const auto& c : cases) {
        Scene s;
        s.Receive(c.line);
        EXPECT_EQ(s.host.highlighted, c.highlighted) << c.what;
        EXPECT_EQ(s.host.notifications, c.notifications) << c.what;
    }
}

} // namespace
} // namespace korbi::session
