#include "session/dispatcher.h"
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

// The user "Me" is registered on irc.test.net, in #chan (slot 1, visible) and talking to ann
// (slot 2).
struct Session {
    FakeClient host;
    Dispatcher dispatcher{host.Roles(), [] { return std::int64_t{0}; }};

    Session() {
        host.settingsValue.NickName = "Me";
        host.settingsValue.BackName = "Me_";
        host.topicBar[0] = "irc.test.net";
        host.AddPane("#chan", {"@Op", "+Voice", "bob"});
        host.AddPane("ann");
        host.curVisible = 1;
    }
    void Receive(const std::string& line) { dispatcher.Process_MSG(line); }
};

struct ReplyCase {
    const char* what;
    std::string line;
    Lines printed;
    Texts sent = {};
};

TEST(RepliesTest, EachReplyPrintsAndSendsExactly) {
    const std::string serv = "PICTS\\SERVMSG";
    const std::string error = "PICTS\\ERRORMSG";
    const std::string info = "PICTS\\INFOMARK";
    const PrintedLine dashes1{1, "", 0, 0, 0, "---"};
    const std::vector<ReplyCase> cases = {
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
    for (const ReplyCase& c : cases) {
        SCOPED_TRACE(c.what);
        Session s;
        s.Receive(c.line);
        EXPECT_EQ(s.host.printed, c.printed);
        EXPECT_EQ(s.host.sent, c.sent);
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
TEST(RepliesTest, TopicReplySetsTheTopicBarOfItsPaneOnly) {
    Session s;
    s.Receive(":srv 332 Me #CHAN :all about it\r\n");
    s.Receive(":srv 332 Me #other :elsewhere\r\n");
    s.Receive("001 Me :no source\r\n");
    EXPECT_EQ(s.host.topicBar[1], "#chan   all about it");
    EXPECT_EQ(s.host.topicBar[0], "irc.test.net");
    EXPECT_TRUE(s.host.printed.empty());
}

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

} // namespace
} // namespace korbi::session
