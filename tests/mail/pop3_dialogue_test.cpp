#include "mail/pop3_dialogue.h"
#include "mail/reply_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korbi::mail {
namespace {

const MailAccount Alice{"alice", "secret"};

Pop3State At(int next2Receive, std::int32_t lastMailCount = 0, int userRefusals = 0) {
    return Pop3State{next2Receive, lastMailCount, userRefusals};
}

struct DialogueCase {
    const char* name;
    int state;
    std::string reply;
    std::string send;
    int next;
};

TEST(Pop3Dialogue, EachReplyAdvancesTheDialogue) {
    const DialogueCase cases[] = {
        {"greeting sends USER", GreetingAwaited, "+OK Dovecot ready.\r\n", "USER alice\r\n",
         UserSent},
        {"bare +OK with line end is a reply", UserSent, "+OK\r\n", "PASS secret\r\n", PassSent},
        {"keyword in any case", PassSent, "+ok Logged in.\r\n", "STAT\r\n", StatSent},
        {"split greeting: first piece counts", GreetingAwaited, "+OK Dov", "USER alice\r\n",
         UserSent},
        {"rest of a split greeting is ignored", UserSent, "ecot ready.\r\n", "", UserSent},
        {"idle ignores +OK", Idle, "+OK\r\n", "", Idle},
        {"refused greeting is ignored", GreetingAwaited, "-ERR busy\r\n", "", GreetingAwaited},
        {"refused STAT is ignored", StatSent, "-ERR\r\n", "", StatSent},
        {"unknown first word is ignored", PassSent, "* hello\r\n", "", PassSent},
        {"line end glued to the keyword", GreetingAwaited, "+OK\n", "USER alice\r\n", UserSent},
        {"leading blank makes the first word empty", GreetingAwaited, " +OK\r\n", "",
         GreetingAwaited},
    };
    for (const auto& c : cases) {
        const Pop3Step step = ProcessMSG(At(c.state), c.reply, Alice);
        EXPECT_EQ(step.Send, c.send) << c.name;
        EXPECT_EQ(step.Next.Next2Receive, c.next) << c.name;
        EXPECT_TRUE(step.Lines.empty()) << c.name;
        EXPECT_FALSE(step.CloseSocket) << c.name;
        EXPECT_EQ(step.Icon, MailImage::Unchanged) << c.name;
    }
}

struct CountCase {
    const char* name;
    std::int32_t last;
    std::string reply;
    MailImage icon;
    std::string text; // "" when nothing is printed
    std::int32_t lastAfter;
};

// The printed lines as "picture|red,green,blue|text".
std::vector<std::string> Shown(const Pop3Step& step) {
    std::vector<std::string> shown;
    for (const MailLine& line : step.Lines) {
        const core::LineLook look = core::Look(line.Style);
        shown.push_back(std::string(look.picture) + "|" + std::to_string(look.colour.red) + "," +
                        std::to_string(look.colour.green) + "," + std::to_string(look.colour.blue) +
                        "|" + line.Text);
    }
    return shown;
}

TEST(Pop3Dialogue, StatReplyReportsNewMail) {
    const CountCase cases[] = {
        {"empty mailbox", 0, "+OK 0 0\r\n", MailImage::NoMailImage, "", 0},
        {"one message has no plural s", 0, "+OK 1 320\r\n", MailImage::GotMailImage,
         "You have 1 email waiting, 1 new email(s) !", 1},
        {"same count again", 3, "+OK 3 900\r\n", MailImage::GotMailImage, "", 3},
        {"one more counts only the new one", 3, "+OK 4 1200\r\n", MailImage::GotMailImage,
         "You have 4 emails waiting, 1 new email(s) !", 4},
        {"fewer lowers the mark", 4, "+OK 2 600\r\n", MailImage::GotMailImage, "", 2},
        {"count without size or line end", 0, "+OK 2", MailImage::GotMailImage,
         "You have 2 emails waiting, 2 new email(s) !", 2},
        {"count with line end right after it", 0, "+OK 2\r\n", MailImage::GotMailImage,
         "You have 2 emails waiting, 2 new email(s) !", 2},
        {"no count at all", 5, "+OK\r\n", MailImage::NoMailImage, "", 0},
        {"beyond 16 bits", 40000, "+OK 70000 1\r\n", MailImage::GotMailImage,
         "You have 70000 emails waiting, 30000 new email(s) !", 70000},
        {"huge count from a negative mark", -2147483647, "+OK 2147483647 1\r\n",
         MailImage::GotMailImage, "You have 2147483647 emails waiting, 4294967294 new email(s) !",
         2147483647},
    };
    for (const auto& c : cases) {
        const Pop3Step step = ProcessMSG(At(StatSent, c.last), c.reply, Alice);
        EXPECT_EQ(step.Icon, c.icon) << c.name;
        EXPECT_EQ(step.Next.LastMailCount, c.lastAfter) << c.name;
        EXPECT_EQ(step.Next.Next2Receive, Idle) << c.name;
        EXPECT_TRUE(step.CloseSocket && step.EnableMenuMailCheck) << c.name;
        EXPECT_TRUE(step.Send.empty()) << c.name;
        EXPECT_EQ(step.PlaySound, !c.text.empty()) << c.name;
        const std::vector<std::string> expected =
            c.text.empty() ? std::vector<std::string>{}
                           : std::vector<std::string>{
                                 "|0,0,0|---", "PICTS\\INFOMARK|64,128,64|" + c.text, "|0,0,0|---"};
        EXPECT_EQ(Shown(step), expected) << c.name;
        EXPECT_EQ(step.Pane, MailPane::Visible) << c.name;
    }
}

void ExpectFailure(const Pop3Step& step, int next, const std::string& text) {
    EXPECT_TRUE(step.Send.empty());
    EXPECT_EQ(step.Next.Next2Receive, next);
    EXPECT_TRUE(step.CloseSocket && step.EnableMenuMailCheck);
    EXPECT_FALSE(step.PlaySound);
    EXPECT_EQ(step.Icon, MailImage::UnknownMailImage);
    EXPECT_EQ(step.Pane, MailPane::Server);
    EXPECT_EQ(Shown(step),
              (std::vector<std::string>{"PICTS\\ERRORMSG|64,0,0|" + text, "|0,0,0|---"}));
}

TEST(Pop3Dialogue, RefusedPasswordEndsTheCheckARefusedUserIsRetriedOnce) {
    ExpectFailure(ProcessMSG(At(PassSent, 2), "-ERR [AUTH] Authentication failed.\r\n", Alice),
                  PassSent, "Mail Error: Password not accepted!");

    const Pop3Step retry = ProcessMSG(At(UserSent), "-ERR\r\n", Alice);
    EXPECT_EQ(retry.Send, "USER alice\r\n");
    EXPECT_EQ(retry.Next.Next2Receive, UserSent);
    EXPECT_FALSE(retry.CloseSocket);
    EXPECT_TRUE(retry.Lines.empty());

    ExpectFailure(ProcessMSG(retry.Next, "-err no such user\r\n", Alice), UserSent,
                  "Mail Error: Password not accepted!");

    // A new connection waits for the greeting and gets its own retry.
    const Pop3Step connected = MailConnected(Pop3State{PassSent, 7, 1});
    EXPECT_EQ(connected.Icon, MailImage::CheckMailImage);
    EXPECT_EQ(connected.Next.Next2Receive, GreetingAwaited);
    EXPECT_EQ(connected.Next.LastMailCount, 7);
    const Pop3State atUser = ProcessMSG(connected.Next, "+OK\r\n", Alice).Next;
    EXPECT_EQ(ProcessMSG(atUser, "-ERR\r\n", Alice).Send, "USER alice\r\n");
}

// Found by fuzzing: a line break inside a user name or password (possible in a hand-edited
// preferences file) made one step send two command lines.
TEST(Pop3Dialogue, LineBreaksInTheAccountNeverSplitACommand) {
    const MailAccount broken{"bob\nDELE 1", "+OK 0\r\nQUIT"};
    EXPECT_EQ(ProcessMSG(At(GreetingAwaited), "+OK\r\n", broken).Send, "USER bob DELE 1\r\n");
    EXPECT_EQ(ProcessMSG(At(UserSent), "-ERR\r\n", broken).Send, "USER bob DELE 1\r\n");
    EXPECT_EQ(ProcessMSG(At(UserSent), "+OK\r\n", broken).Send, "PASS +OK 0  QUIT\r\n");
}

TEST(Pop3Dialogue, SocketErrorsAndCloseResetTheIcon) {
    // The unreachable server's own sentence is checked through MailChecker.
    ExpectFailure(MailError(At(UserSent), 10054, "Connection reset"), UserSent,
                  "Got mail error: Unknown Error ( 10054 (Connection reset))");

    const Pop3Step closed = MailClosed(At(UserSent, 3));
    EXPECT_EQ(closed.Icon, MailImage::UnknownMailImage);
    EXPECT_TRUE(closed.EnableMenuMailCheck);
    EXPECT_TRUE(closed.Lines.empty());
    EXPECT_EQ(closed.Next.LastMailCount, 3);
}

using Lines = std::vector<std::string>;

TEST(ReplyLines, JoinsSplitRepliesAndSeparatesGluedOnes) {
    ReplyLines lines;
    EXPECT_EQ(lines.Add("+OK Dovecot"), Lines{});
    EXPECT_EQ(lines.Add(" ready.\r"), Lines{});
    EXPECT_EQ(lines.Add("\n+OK\r\n+OK Logged"), (Lines{"+OK Dovecot ready.\r\n", "+OK\r\n"}));
    EXPECT_EQ(lines.Add(" in.\n"), Lines{"+OK Logged in.\n"});
}

TEST(ReplyLines, ClearDropsAnUnfinishedLine) {
    ReplyLines lines;
    lines.Add("+OK 3 ");
    lines.Clear();
    EXPECT_EQ(lines.Add("+OK 1 2\r\n"), Lines{"+OK 1 2\r\n"});
}

TEST(ReplyLines, EndlessLineIsHandedOverInBoundedPieces) {
    ReplyLines lines;
    const Lines out = lines.Add(std::string(ReplyLines::MaxPending * 2 + 10, 'x'));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].size(), ReplyLines::MaxPending);
    EXPECT_EQ(lines.Add("\n"), Lines{std::string(10, 'x') + "\n"});
}

} // namespace
} // namespace korbi::mail
