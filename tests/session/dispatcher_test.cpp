// Lines from the server through the dispatcher: what each event and reply prints and sends,
// the panes, logs and lists they change, and the senders the user ignores; then the notify
// watch over the same fakes.
#include "core/reading_settings.h"
#include "session/dispatcher.h"
#include "session/events.h"
#include "session/notify_watch.h"
#include "support/fake_client.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korbi::session {
namespace {

using namespace korbi::testing;
using Lines = std::vector<PrintedLine>;
using Texts = std::vector<std::string>;

// The first and last lines of a log the panes opened and closed.
const std::string kOpened = std::string("Log File opened at ") + testing::FakePanes::kLogStamp;
const std::string kClosed = std::string("Log File Closed at ") + testing::FakePanes::kLogStamp;

// The user "Me" (backup nick "Me_") on irc.test.net, in #chan (slot 1, visible, with the log
// open), #two (slot 2) and #three (slot 3).
struct Session {
    FakeClient host;
    Dispatcher dispatcher{host.Roles(), [] { return std::int64_t{0}; }};

    Session() {
        host.settingsValue.NickName = "Me";
        host.settingsValue.BackName = "Me_";
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

TEST(DispatcherTest, EachEventAndReplyPrintsAndSendsExactly) {
    const std::string serv = "PICTS\\SERVMSG";
    const std::string error = "PICTS\\ERRORMSG";
    const std::string info = "PICTS\\INFOMARK";
    const PrintedLine dashes1{1, "", 0, 0, 0, "---"};
    const struct {
        const char* what;
        std::string line;
        Lines printed;
        Texts sent = {};
    } cases[] = {
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
        {"wallops",
         ":op!o@h WALLOPS :hello all\r\n",
         {{0, serv, 64, 32, 192, "op!o@h :hello all"}}},
        {"513 keeps the colon of the trailing parameter",
         ":srv 513 Me :To connect type /QUOTE PONG 42\r\n",
         {{0, serv, 128, 0, 0, ":To connect type /QUOTE PONG 42"}}},
        {"471",
         ":srv 471 Me #full :Cannot join channel (+l)\r\n",
         {{1, error, 64, 0, 0, "Can't join #full, it's full ! (+L)"}, dashes1}},
        {"473",
         ":srv 473 Me #inv :Cannot join channel (+i)\r\n",
         {{1, error, 64, 0, 0, "Can't join #inv, you must be invited in ! (+I)"}, dashes1}},
        {"474",
         ":srv 474 Me #ban :Cannot join channel (+b)\r\n",
         {{1, error, 64, 0, 0, "Can't join #ban, you're banned !! (+B)"}, dashes1}},
        {"475",
         ":srv 475 Me #key :Cannot join channel (+k)\r\n",
         {{1, error, 64, 0, 0,
           "Can't join #key, it requires the correct password ! (+K) Use /join #key <password>"},
          dashes1}},
        {"ERROR drops its first word",
         "ERROR :Closing Link: Me[host] (Quit: bye)\r\n",
         {{1, error, 192, 0, 0, "Link: Me[host] (Quit: bye)"}}},
        {"372", ":srv 372 Me :- Welcome -\r\n", {{0, "", 0, 0, 0, "   :- Welcome -"}}},
        {"323",
         ":srv 323 Me :End of LIST\r\n",
         {{0, info, 0, 0, 64, "Channel Listing is over."}, {0, "", 0, 0, 0, "---"}}},
        {"311",
         ":srv 311 Me bob ~b host.net * :Bob the Builder\r\n",
         {{0, info, 32, 64, 64, "Information on bob:"},
          {0, info, 32, 64, 64, "User@Host: ~b@host.net    Name: Bob the Builder"}}},
        {"312 keeps the colon of the server info",
         ":srv 312 Me bob irc.x.net :Some Server\r\n",
         {{0, info, 32, 64, 64, "bob is on server: irc.x.net  --  :Some Server"}}},
        {"421",
         ":srv 421 Me FOO :Unknown command\r\n",
         {{1, serv, 0, 0, 0, "FOO is not a invalid command !"}, {1, "", 0, 0, 0, " ---"}}},
        {"PING whose carriage return ended an arrival",
         "PING :irc.test.net\r",
         {{0, serv, 0, 0, 160, "Ping?? PONG!!!"}},
         {":Me PONG :irc.test.net\r\n"}},
        {"a numeric without a handler", ":srv 002 Me :Your host is srv\r\n", {}},
        {"a QUIT without parameters keeps its line end in the command", ":bob!b@h QUIT\r\n", {}},
        {"a command in lower case", ":srv ping :x\r\n", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Session s;
        s.Receive(c.line);
        EXPECT_EQ(s.host.printed, c.printed);
        EXPECT_EQ(s.host.sent, c.sent);
    }
}

TEST(DispatcherTest, IgnoredSendersAreDroppedWhateverTheCommand) {
    Session s;
    s.host.settingsValue.Silences = " troll!* *!bot*@*";
    s.Receive(":Troll!t@h PRIVMSG #chan :hi\r\n");
    s.Receive(":bob!botty@h QUIT :bye\r\n");
    s.Receive(":x!botty@h PRIVMSG Me :\x01VERSION\x01\r\n");
    EXPECT_EQ(s.host.printed, Lines{});
    EXPECT_EQ(s.host.sent, Texts{});
    EXPECT_EQ(s.host.nickLists[1], (Texts{"@Op", "+Voice", "bob", "Me"}));

    s.host.settingsValue.DisplayIgnores = true;
    s.Receive(":Troll!t@h PRIVMSG #chan :hi\r\n");
    EXPECT_EQ(s.host.TakePrinted(), (Lines{{0, "", 255, 0, 0, "Got Ignore! `Troll!t@h`"}}));

    // Neither the user's own lines nor lines without a source are tested.
    s.host.settingsValue.Silences = " *";
    s.Receive(":ME!m@h NICK :Me2\r\n");
    s.Receive("PING :srv\r\n");
    s.Receive(":trolly!t@h PRIVMSG #chan :hi\r\n");
    EXPECT_EQ(s.host.settingsValue.NickName, "Me2");
    EXPECT_EQ(s.host.sent, Texts{":Me2 PONG :srv\r\n"});
    EXPECT_EQ(s.host.printed.back(), (PrintedLine{0, "", 255, 0, 0, "Got Ignore! `trolly!t@h`"}));
}

TEST(DispatcherTest, DebugModeEchoesEveryLineAfterItsHandler) {
    Session s;
    s.host.flagsValue.DebugMode = true;
    s.host.settingsValue.DisplayIgnores = true;
    s.host.settingsValue.Silences = " troll!*";
    s.Receive(":bob!b@h PRIVMSG #chan :hi\r\n");
    s.Receive(":troll!t@h PRIVMSG #chan :boo\r\n");
    s.Receive(":srv 002 Me :Your host\r\n");
    s.Receive(":srv 003 Me :lone carriage return\r");
    EXPECT_EQ(s.host.printed, (Lines{{1, "", 64, 64, 64, "bob -> hi"},
                                     {0, "", 128, 96, 96, ":bob!b@h PRIVMSG #chan :hi"},
                                     {0, "", 255, 0, 0, "Got Ignore! `troll!t@h`"},
                                     {0, "", 128, 96, 96, ":troll!t@h PRIVMSG #chan :boo"},
                                     {0, "", 128, 96, 96, ":srv 002 Me :Your host"},
                                     {0, "", 128, 96, 96, ":srv 003 Me :lone carriage return"}}));
}

// Found by fuzzing: a line cut at a carriage return followed by a second one got a line feed
// added behind both, which left a carriage return inside the message and the PONG.
TEST(DispatcherTest, ACarriageReturnAfterTheCutIsTheLineEnd) {
    Session s;
    s.Receive(":bob!b@h PRIVMSG #chan :hi\r\r");
    s.Receive("PING :srv\r\r");
    EXPECT_EQ(s.host.printed.front(), (PrintedLine{1, "", 64, 64, 64, "bob -> hi"}));
    EXPECT_EQ(s.host.sent, Texts{":Me PONG :srv\r\r"});
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

TEST(RepliesTest, NickInUseFallsBackOnlyWhileRegistering) {
    Session s;
    s.Receive(":srv 433 Ann Joe :Nickname is already in use\r\n");
    EXPECT_EQ(s.host.TakePrinted(),
              (Lines{{0, "PICTS\\ERRORMSG", 128, 0, 0, "Joe :Nickname is already in use"}}));
    EXPECT_EQ(s.host.commands, Texts{"/NICK Me_"});
    EXPECT_EQ(s.host.settingsValue.NickName, "Me_");

    // The second nick is taken too: trying it again would loop.
    s.Receive(":srv 433 * Me_ :Nickname is already in use\r\n");
    EXPECT_EQ(s.host.commands.size(), 1u);

    s.host.settingsValue.NickName = "Me";
    s.Receive(":srv 376 Me :End of MOTD\r\n");
    s.host.commands.clear();
    s.Receive(":srv 433 Me Joe :Nickname is already in use\r\n");
    EXPECT_EQ(s.host.commands, Texts{});
    EXPECT_EQ(s.host.settingsValue.NickName, "Me");

    Session offline;
    offline.host.socketState = 0;
    offline.Receive(":srv 433 * Me :Nickname is already in use\r\n");
    EXPECT_EQ(offline.host.commands, Texts{});
}

TEST(RepliesTest, EndOfMotdCompletesRegistration) {
    Session s;
    s.host.settingsValue.ExecOnConnect[0] = "/join #one";
    s.host.settingsValue.ExecOnConnect[1] = "/msg $ME hi";
    s.host.settingsValue.ExecOnConnect[3] = "/never";
    s.Receive(":srv 376 Me :End of /MOTD command.\r\n");
    EXPECT_EQ(s.host.printed, (Lines{{0, "PICTS\\SERVMSG", 0, 0, 0, ":End of /MOTD command."},
                                     {0, "", 0, 0, 0, "---"}}));
    EXPECT_TRUE(s.host.flagsValue.LoggedOn);
    EXPECT_EQ(s.host.commands, Texts{"/MODE Me +"});
    EXPECT_EQ(s.host.sent, Texts{});
    EXPECT_EQ(s.host.runLines, (Texts{"/join #one", "/msg $ME hi"}));

    Session first;
    first.host.settingsValue.ClientW = first.host.settingsValue.ClientS = true;
    first.host.settingsValue.ClientI = true;
    first.host.flagsValue.ShouldJoin = true;
    first.Receive(":srv 376 Me :End\r\n");
    first.Receive(":srv 376 Me :End\r\n"); // a second message of the day runs it all again
    EXPECT_EQ(first.host.commands, (Texts{"/MODE Me +wsi", "/MODE Me +wsi"}));
    EXPECT_EQ(first.host.sent, (Texts{"JOIN #korbi", "JOIN #korbi"}));
}

TEST(RepliesTest, ChannelListFillsTheServerPaneAndTheListWindow) {
    Session s;
    s.host.chanList = {"old entry"};
    s.host.nickLists[0] = {"#old  (1)"};
    s.Receive(":srv 321 Me Channel :Users  Name\r\n");
    EXPECT_EQ(s.host.curVisible, 0);
    EXPECT_TRUE(s.host.chanList.empty());
    EXPECT_TRUE(s.host.nickLists[0].empty());

    s.Receive(":srv 322 Me #a 7 :hello\r\n");
    s.Receive(":srv 322 Me #eighteen-chars-ab 12345 :two words\r\n");
    s.Receive(":srv 322 Me #nineteen-chars-abc 123456 :\r\n");
    EXPECT_EQ(s.host.nickLists[0],
              (Texts{"#a  (7)", "#eighteen-chars-ab  (12345)", "#nineteen-chars-abc  (123456)"}));
    EXPECT_EQ(s.host.chanList,
              (Texts{"#a" + std::string(18, ' ') + "7      hello",
                     "#eighteen-chars-ab  12345  two words", "#nineteen-chars...  123456 "}));
    EXPECT_EQ(s.host.chanListNames, (Texts{"#a", "#eighteen-chars-ab", "#nineteen-chars-abc"}));
    EXPECT_TRUE(s.host.printed.empty());
}

// Columns count the characters shown, not bytes; what does not fit is cut with "..."; a reply
// cut short leaves its fields empty, and no line end of a reply reaches a row or a name.

TEST(RepliesTest, ChannelListRowsKeepTheirColumnsWhateverTheReply) {
    const std::string e = "\xc3\xa9"; // é in UTF-8
    std::string long20;
    std::string cut14;
    for (int n = 0; n < 20; ++n) {
        long20 += e;
        cut14 += n < 14 ? e : "";
    }
    const struct {
        std::string reply;
        std::string row;
        std::string name;
        std::string nickEntry;
    } cases[] = {
        {"#caf" + e + " 12 :x", "#caf" + e + std::string(15, ' ') + "12     x", "#caf" + e,
         "#caf" + e + "  (12)"},
        {"#caf\xe9 12 :Latin-1", "#caf" + e + std::string(15, ' ') + "12     Latin-1", "#caf\xe9",
         "#caf\xe9  (12)"},
        {"#" + long20 + " 5 :cut between characters",
         "#" + cut14 + "...  5      cut between characters", "#" + long20, "#" + long20 + "  (5)"},
        {"#big 12345678901234567890 :topic", "#big" + std::string(16, ' ') + "123... topic", "#big",
         "#big  (12345678901234567890)"},
        {"#bare", "#bare" + std::string(22, ' '), "#bare", "#bare  ()"},
        {"#count 9", "#count" + std::string(14, ' ') + "9      ", "#count", "#count  (9)"},
    };
    for (const auto& c : cases) {
        Session s;
        s.Receive(":srv 322 Me " + c.reply + "\r\n");
        ASSERT_EQ(s.host.chanList.size(), 1u) << c.reply;
        EXPECT_EQ(s.host.chanList[0], c.row) << c.reply;
        EXPECT_EQ(s.host.chanListNames[0], c.name) << c.reply;
        EXPECT_EQ(s.host.nickLists[0].back(), c.nickEntry) << c.reply;
    }
}

// A welcome without a source keeps the name the server pane has.

TEST(RepliesTest, NamesFillTheNickListWithExactlyTheNicks) {
    Session s;
    s.host.nickLists[1].clear();
    s.Receive(":srv 353 Me = #chan :@Op +Voice bob\r\n");
    s.Receive(":srv 353 Me = #chan :carl dave \r\n");
    s.Receive(":srv 353 Me = #nowindow :x y\r\n");
    EXPECT_EQ(s.host.printed, (Lines{{0, "", 0, 0, 0, "Name for #chan: @Op +Voice bob"},
                                     {0, "", 0, 0, 0, "Name for #chan: carl dave "},
                                     {0, "", 0, 0, 0, "Name for #nowindow: x y"}}));
    EXPECT_EQ(s.host.nickLists[1], (Texts{"@Op", "+Voice", "bob", "carl", "dave"}));
    EXPECT_TRUE(s.host.nickLists[0].empty());
}

// A topic names its pane; one without a pane, or a welcome without a source, changes no bar.
TEST(RepliesTest, TopicAndTopicReplySetTheTopicBarOfTheirPaneOnly) {
    Session s;
    s.Receive(":Op!o@h TOPIC #CHAN :fresh\r\n");
    EXPECT_EQ(s.host.topicBar[1], "#chan   fresh");
    s.Receive(":srv 332 Me #CHAN :all about it\r\n");
    s.Receive(":Op!o@h TOPIC #none :lost\r\n");
    s.Receive(":srv 332 Me #other :elsewhere\r\n");
    s.Receive("001 Me :no source\r\n");
    EXPECT_EQ(s.host.topicBar[1], "#chan   all about it");
    EXPECT_EQ(s.host.topicBar[0], "irc.test.net");
    EXPECT_EQ(s.host.printed.size(), 1u) << "only the topic change is printed";
}

class NotifyWatchTest : public ::testing::Test {
  protected:
    testing::LoggingClient host{"#c", "#d", "bob"};
    int mailChecks = 0;
    int resets = 0;
    Texts arrived; // the arrivals handed on for the desktop notification
    NotifyWatch watch{host,
                      host,
                      host,
                      host,
                      {[this] { ++mailChecks; }, [this] { ++resets; },
                       [this](const std::string& nick, int slot, const std::string& text) {
                           arrived.push_back(nick + "|" + std::to_string(slot) + "|" + text);
                       }}};

    void SetUp() override {
        host.settingsValue.Notifys = " Ann Bob";
        host.flagsValue.LoggedOn = true;
    }
    static std::string Line(const std::string& text) { return "print 1 [] (64,64,160) " + text; }
};

TEST_F(NotifyWatchTest, AnnouncesArrivalsAndDeparturesOnceEach) {
    watch.Process303(" me :Ann Bob \r\n");
    EXPECT_EQ(host.TakeLog(), (Texts{Line("Ann is on IRC"), Line("Bob is on IRC")}));
    watch.Process303(" me :Bob \r\n");
    EXPECT_EQ(host.TakeLog(), Texts{Line("Ann has left IRC")});
    // Each arrival is handed on with the pane it was printed in; departures are not.
    EXPECT_EQ(arrived, (Texts{"Ann|1|Ann is on IRC", "Bob|1|Bob is on IRC"}));
    watch.Process303(" me :bob \r\n");
    EXPECT_TRUE(host.TakeLog().empty());
    EXPECT_EQ(watch.LastNotifList(), " bob");
    watch.Process303(" me :\r\n");
    EXPECT_EQ(host.TakeLog(), Texts{Line("bob has left IRC")});
    host.curVisible = 2;
    watch.Process303(" me :Ann \r\n");
    EXPECT_EQ(arrived.back(), "Ann|2|Ann is on IRC");
}

TEST_F(NotifyWatchTest, TickAsksWhileConnectedAndResetsTheControlsWhileNot) {
    EXPECT_TRUE(watch.NotifyCheckEnabled());
    watch.NotifyCheck_Timer();
    EXPECT_EQ(host.TakeLog(), Texts{"send ISON  Ann Bob"});
    EXPECT_EQ(mailChecks, 1);
    EXPECT_EQ(resets, 0);

    host.socketState = 0;
    watch.NotifyCheck_Timer();
    EXPECT_TRUE(host.TakeLog().empty());
    EXPECT_EQ(mailChecks, 2);
    EXPECT_EQ(resets, 1);

    host.socketState = 7;
    host.flagsValue.LoggedOn = false;
    watch.NotifyCheck_Timer();
    EXPECT_TRUE(host.TakeLog().empty()) << "not before the registration is complete";

    host.flagsValue.LoggedOn = true;
    host.settingsValue.Notifys = " ";
    host.settingsValue.CheckMail = false;
    watch.NotifyCheck_Timer();
    EXPECT_TRUE(host.TakeLog().empty());
    EXPECT_EQ(mailChecks, 3);
}

// A list sent as two ISON lines is answered by two 303 replies: together they are one answer,
// or each would report the other's nicks as gone.
TEST_F(NotifyWatchTest, TheAnswersToAQueryOfSeveralLinesCountAsOne) {
    host.settingsValue.Notifys.clear();
    for (int n = 1; n <= 60; ++n) {
        host.settingsValue.Notifys += " nick" + std::to_string(10000 + n); // 50 to a line
    }
    watch.NotifyCheck_Timer();
    ASSERT_EQ(host.TakeLog().size(), 2u) << "two ISON lines";

    watch.Process303(" me :nick10001 \r\n");
    EXPECT_TRUE(host.TakeLog().empty()) << "half an answer says nothing yet";
    watch.Process303(" me :nick10060 \r\n");
    EXPECT_EQ(host.TakeLog(), (Texts{Line("nick10001 is on IRC"), Line("nick10060 is on IRC")}));

    watch.NotifyCheck_Timer();
    host.TakeLog();
    watch.Process303(" me :\r\n");
    watch.Process303(" me :nick10060 \r\n");
    EXPECT_EQ(host.TakeLog(), Texts{Line("nick10001 has left IRC")});

    watch.NotifyCheck_Timer(); // its answers never come: the connection ends
    host.TakeLog();
    watch.ForgetPendingAnswers();
    watch.Process303(" me :nick10001 \r\n");
    EXPECT_EQ(host.TakeLog(), (Texts{Line("nick10001 is on IRC"), Line("nick10060 has left IRC")}));
}

} // namespace
} // namespace korbi::session
