#include "mail/reply_lines.h"

#include <gtest/gtest.h>

namespace korbi::mail {
namespace {

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
