#include "core/reading_settings.h"
#include "session/dispatcher.h"
#include "session/events.h"
#include "support/fake_client.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korbi::session {
namespace {

using testing::FakeClient;
using testing::PrintedLine;
using Lines = std::vector<PrintedLine>;
using Texts = std::vector<std::string>;

// The first and last lines of a log the panes opened and closed.
const std::string kOpened = std::string("Log File opened at ") + testing::FakePanes::kLogStamp;
const std::string kClosed = std::string("Log File Closed at ") + testing::FakePanes::kLogStamp;

// The user "Me" on irc.test.net, in #chan (slot 1, visible, with the log open), #two (slot 2)
// and #three (slot 3).
struct Session {
    FakeClient host;
    Dispatcher dispatcher{host.Roles(), [] { return std::int64_t{0}; }};

    Session() {
        host.settingsValue.NickName = "Me";
        host.topicBar[0] = "irc.test.net";
        host.AddPane("#chan", {"@Op", "+Voice", "bob", "Me"});
        host.AddPane("#two", {"Bob", "carl"});
        host.AddPane("#three", {"dave"});
        host.OpenLog(1);
        host.curVisible = 1;
    }
    void Receive(const std::string& line) { dispatcher.Process_MSG(line); }
    Texts Log(const std::string& name) { return host.logFiles["LOGS\\" + name + ".LOG"]; }
};

struct EventCase {
    const char* what;
    std::string line;
    Lines printed;
    Texts sent = {};
};

TEST(EventsTest, EachEventPrintsExactly) {
    const std::vector<EventCase> cases = {
        {"another user joins",
         ":ann!a@host.net JOIN :#two\r\n",
         {{2, "PICTS\\EVJOIN", 16, 160, 64, "ann entered the channel."}}},
        {"a join for a channel without a pane", ":ann!a@h JOIN :#none\r\n", {}},
        {"another user leaves, the reason not shown",
         ":bob!b@h PART #chan :gone fishing\r\n",
         {{1, "PICTS\\EVPART", 16, 160, 64, "bob left the channel."}}},
        {"another user is kicked",
         ":Op!o@h KICK #chan bob :be nice now\r\n",
         {{1, "PICTS\\EVKICK", 128, 64, 64, "bob was kicked by Op (be nice now)"}}},
        {"a kick in a channel without a pane",
         ":Op!o@h KICK #none bob :x\r\n",
         {{0, "PICTS\\EVKICK", 128, 64, 64, "bob was kicked by Op (x)"}}},
        {"a quit shows in every pane that lists the nick",
         ":BOB!b@h QUIT :Ping timeout\r\n",
         {{1, "PICTS\\EVQUIT", 32, 32, 192, "BOB quits IRC (Ping timeout). "},
          {2, "PICTS\\EVQUIT", 32, 32, 192, "BOB quits IRC (Ping timeout). "}}},
        {"a quit without a reason",
         ":dave!d@h QUIT \r\n",
         {{3, "PICTS\\EVQUIT", 32, 32, 192, "dave quits IRC (Buh Bye...). "}}},
        {"a nick change shows where the nick is listed",
         ":carl!c@h NICK :carlos\r\n",
         {{2, "", 64, 192, 64, "carl changes it's nick to carlos"}}},
        {"a channel mode",
         ":Op!o@h MODE #chan +o bob\r\n",
         {{1, "", 64, 64, 192, "Op sets mode +o bob"}}},
        {"a user mode shows nothing", ":Me MODE Me :+i\r\n", {}},
        {"a topic",
         ":Op!o@h TOPIC #two :new topic here\r\n",
         {{2, "PICTS\\INFOMARK", 64, 64, 128, "Op sets the topic for #two: 'new topic here'"}}},
        {"a channel message",
         ":bob!b@h PRIVMSG #chan :hello there\r\n",
         {{1, "", 64, 64, 64, "bob -> hello there"}}},
        {"a one-word message whose colon the server left out",
         ":bob!b@h PRIVMSG #chan hi\r\n",
         {{1, "", 64, 64, 64, "bob -> hi"}}},
        {"a message for a channel without a pane",
         ":bob!b@h PRIVMSG #none :psst\r\n",
         {{0, "", 64, 64, 64, "bob -> psst"}}},
        {"an action",
         ":bob!b@h PRIVMSG #two :\x01"
         "ACTION waves\x01\r\n",
         {{2, "PICTS\\EVACTION", 128, 64, 0, "bob waves"}}},
        {"a notice from the server",
         ":IRC.test.net NOTICE Me :*** You are exempt\r\n",
         {{0, "PICTS\\INFOMARK", 64, 160, 64, "*** You are exempt"}}},
        {"a notice from a user",
         ":bob!b@h NOTICE Me :psst\r\n",
         {{1, "", 128, 32, 0, "*-bob-* -> psst"}}},
        {"a notice before registration, without a source",
         "NOTICE AUTH :*** Looking up\r\n",
         {{1, "", 128, 32, 0, "*--* -> *** Looking up"}}},
        {"a ping request inside a notice is answered to the hyphened name",
         ":bob!b@h NOTICE Me :\x01PING 12\x01\r\n",
         {{0, "", 0, 0, 0, "-bob- pings you..."}},
         {"NOTICE -bob- :\x01PING 12\x01"}},
    };
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.what);
        Session s;
        s.Receive(c.line);
        EXPECT_EQ(s.host.printed, c.printed);
        EXPECT_EQ(s.host.sent, c.sent);
    }
}

TEST(EventsTest, OwnJoinOpensAPaneWithItsLog) {
    Session s;
    s.host.settingsValue.LogChan = true;
    s.Receive(":Me!m@h JOIN :#chan\r\n"); // the pane it has already is kept
    s.Receive(":Me!m@h JOIN :#new\r\n");
    s.Receive(":ann!a@h JOIN #new\r\n"); // no colon before the channel
    s.Receive(":ann!a@h JOIN :#new\r\n");
    EXPECT_EQ(s.host.FindChanWin("#new"), 4);
    EXPECT_EQ(s.host.curVisible, 4);
    EXPECT_EQ(s.host.nextChan, 5);
    EXPECT_EQ(s.host.nickLists[4], Texts{"ann"});
    EXPECT_EQ(s.host.printed,
              (Lines{{1, "PICTS\\EVJOIN", 16, 160, 64, "Me entered the channel."},
                     {4, "PICTS\\EVJOIN", 16, 160, 64, "Me entered the channel."},
                     {4, "PICTS\\EVJOIN", 16, 160, 64, "ann entered the channel."},
                     {4, "PICTS\\EVJOIN", 16, 160, 64, "ann entered the channel."}}));
    EXPECT_EQ(s.Log("#new"), (Texts{kOpened, "Me entered the channel.", "ann entered the channel.",
                                    "ann entered the channel."}));
}

TEST(EventsTest, OwnPartClosesThePaneAndItsLog) {
    Session s;
    s.Receive(":Me!m@h PART #chan :see you\r\n");
    EXPECT_EQ(s.host.FindChanWin("#chan"), 0);
    EXPECT_EQ(s.host.WinName(1), "#two");
    EXPECT_EQ(s.host.nextChan, 3);
    EXPECT_EQ(s.host.curVisible, 0);
    EXPECT_EQ(s.Log("#chan"), (Texts{kOpened, kClosed, "--"}));

    // The echo of a refused join names no pane: the server pane stays, and neither part is
    // printed anywhere.
    s.Receive(":Me!m@h PART #toomany\r\n");
    EXPECT_EQ(s.host.nextChan, 3);
    EXPECT_EQ(s.host.WinName(1), "#two");
    EXPECT_EQ(s.host.printed, Lines{});
}

TEST(EventsTest, BeingKickedClosesThePaneAndReportsInTheServerPane) {
    Session s;
    s.host.OpenLog(2);
    s.Receive(":Op!o@h KICK #two me :flooding\r\n");
    EXPECT_EQ(s.host.FindChanWin("#two"), 0);
    EXPECT_EQ(s.host.WinName(2), "#three");
    EXPECT_EQ(s.host.printed, (Lines{{0, "PICTS\\EVKICK", 192, 64, 64,
                                      "Op just kicked you from #two (flooding)"}}));
    EXPECT_EQ(s.Log("#two"), (Texts{kOpened, kClosed, "--"}));

    s.Receive(":Op!o@h KICK #gone Me :again\r\n");
    EXPECT_EQ(s.host.nextChan, 3);
    EXPECT_EQ(s.host.WinName(1), "#chan");
}

// Whether the query goes out (registered, connected) is the notify watch's to decide.
TEST(EventsTest, OwnNickChangeIsShownAndAsksForTheNotifyList) {
    Session s;
    s.Receive(":me!m@h NICK :Myself\r\n");
    EXPECT_EQ(s.host.settingsValue.NickName, "Myself");
    EXPECT_EQ(s.host.printed, (Lines{{1, "", 64, 192, 64, "Your nick is now Myself"}}));
    EXPECT_EQ(s.host.nickLists[1], (Texts{"@Op", "+Voice", "bob", "Myself"}));
    EXPECT_EQ(s.host.notifyQueries, 1);
    EXPECT_TRUE(s.host.sent.empty());
}

TEST(EventsTest, ShowAddressAddsUserAndHost) {
    Session s;
    s.host.settingsValue.ShowAddress = true;
    s.Receive(":ann!~a@host.net JOIN :#three\r\n");
    s.Receive(":ann!~a@host.net PART #three\r\n");
    s.Receive(":bob!b@h.org QUIT :bye\r\n");
    EXPECT_EQ(s.host.printed,
              (Lines{{3, "PICTS\\EVJOIN", 16, 160, 64, "ann [~a@host.net] entered the channel."},
                     {3, "PICTS\\EVPART", 16, 160, 64, "ann [~a@host.net] left the channel."},
                     {1, "PICTS\\EVQUIT", 32, 32, 192, "bob [b@h.org] quits IRC (bye). "},
                     {2, "PICTS\\EVQUIT", 32, 32, 192, "bob [b@h.org] quits IRC (bye). "}}));
}

TEST(EventsTest, TopicSetsTheTopicBar) {
    Session s;
    s.Receive(":Op!o@h TOPIC #CHAN :fresh\r\n");
    s.Receive(":Op!o@h TOPIC #none :lost\r\n");
    EXPECT_EQ(s.host.topicBar[1], "#chan   fresh");
    EXPECT_EQ(s.host.printed.size(), 1u);
}

TEST(EventsTest, PrivateMessagesOpenOnePaneWithItsLog) {
    Session s;
    s.host.settingsValue.LogPrivChat = true;
    s.Receive(":ann!a@h PRIVMSG me :hi you\r\n");
    s.Receive(":Ann!a@h PRIVMSG Me :still me\r\n");
    EXPECT_EQ(s.host.FindChanWin("ann"), 4);
    EXPECT_EQ(s.host.nextChan, 5);
    EXPECT_EQ(s.host.printed, (Lines{{4, "", 64, 64, 64, "ann -> hi you"},
                                     {4, "", 64, 64, 64, "Ann -> still me"}}));
    EXPECT_EQ(s.Log("ann"), (Texts{kOpened, "ann -> hi you", "Ann -> still me"}));
}

TEST(EventsTest, AnAnnouncedPictureGoesWithOneMessage) {
    Session s;
    s.Receive(":bob!b@h PRIVMSG #chan :\x01PICT cat.bmp\x01\r\n");
    s.Receive(":bob!b@h PRIVMSG #chan :one\r\n");
    s.Receive(":bob!b@h PRIVMSG #chan :two\r\n");
    s.host.settingsValue.OtherDefaultPict = "other.bmp";
    s.Receive(":bob!b@h PRIVMSG #chan :three\r\n");
    EXPECT_EQ(s.host.printed, (Lines{{1, "PICTS\\cat.bmp", 64, 64, 64, "bob -> one"},
                                     {1, "", 64, 64, 64, "bob -> two"},
                                     {1, "PICTS\\other.bmp", 64, 64, 64, "bob -> three"}}));
    EXPECT_EQ(s.host.fetches, Texts{"h PICTS\\cat.bmp"});
}

TEST(EventsTest, NickStyleShapesMessagesAndNotices) {
    const std::vector<std::pair<int, Texts>> styles = {
        {0, {"bob -> hi", "*-bob-* -> hey"}},
        {1, {"<bob> hi", "*-bob-* hey"}},
        {2, {"bob: hi", "*-bob-*: hey"}},
        {3, {"hi", "hey"}},
    };
    for (const auto& [style, texts] : styles) {
        SCOPED_TRACE(style);
        Session s;
        s.host.settingsValue.NickStyle = style;
        s.Receive(":bob!b@h PRIVMSG #chan :hi\r\n");
        s.Receive(":bob!b@h NOTICE #chan :hey\r\n");
        ASSERT_EQ(s.host.printed.size(), 2u);
        EXPECT_EQ((Texts{s.host.printed[0].text, s.host.printed[1].text}), texts);
    }
}

// What others say to the user stands out (against "Me" or a highlight word) and is notified
// while the frame is in the background.
TEST(HighlightEvents, WhatOthersSayToTheUserStandsOutAndIsNotified) {
    const struct {
        const char* what;
        std::string line;
        Texts highlighted;
        Texts notifications;
    } cases[] = {
        {"a message naming the user",
         ":bob!b@h PRIVMSG #two :hi ME!\r\n",
         {"bob -> hi ME!"},
         {"#two|#two|bob -> hi ME!"}},
        {"a highlight word",
         ":bob!b@h PRIVMSG #chan :Deploy done\r\n",
         {"bob -> Deploy done"},
         {"#chan|#chan|bob -> Deploy done"}},
        {"the user's own line echoed", ":Me!j@h PRIVMSG #chan :I am Me\r\n", {}, {}},
        {"an action naming the user",
         ":bob!b@h PRIVMSG #two :\x01"
         "ACTION waves at me\x01\r\n",
         {"bob waves at me"},
         {"#two|#two|bob waves at me"}},
        {"an action of the user",
         ":Me!j@h PRIVMSG #two :\x01"
         "ACTION is Me\x01\r\n",
         {},
         {}},
        {"a notice from a user",
         ":bob!b@h NOTICE Me :me, look\r\n",
         {"*-bob-* -> me, look"},
         {"#chan|bob|*-bob-* -> me, look"}},
        {"a notice from the server", ":irc.test.net NOTICE Me :Me, welcome\r\n", {}, {}},
        {"a private message, named or not",
         ":ann!a@h PRIVMSG Me :psst\r\n",
         {},
         {"ann|ann|ann -> psst"}},
        {"a private action",
         ":ann!a@h PRIVMSG Me :\x01"
         "ACTION hugs\x01\r\n",
         {},
         {"ann|ann|ann hugs"}},
    };
    for (const auto& c : cases) {
        Session s;
        s.host.settingsValue.Extras.SetValue(core::kHighlightWords, "deploy");
        s.Receive(c.line);
        EXPECT_EQ(s.host.highlighted, c.highlighted) << c.what;
        EXPECT_EQ(s.host.notifications, c.notifications) << c.what;
    }
}

} // namespace
} // namespace korbi::session
