#include "support/scripted_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

namespace korbi::session {
namespace {

std::int64_t Now() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// A replayed line shows when it was said; the line after it, and a line whose time cannot be
// read, show when they arrived.
TEST(LineTime, TheServersTimeHoldsForItsLineOnly) {
    korbi::testing::ScriptedSession session;
    const std::int64_t before = Now();
    session.window.Process_MSG("@time=2026-12-07T18:21:16.123Z :irc.test 372 Joe :- old\r\n");
    session.window.Process_MSG("@time=2026-12-07T18:21 :irc.test 372 Joe :- garbled\r\n");
    session.window.Process_MSG(":irc.test 372 Joe :- new\r\n");
    const std::int64_t after = Now();

    const panes::LineStore& lines = session.conversation.Lines(0);
    ASSERT_GE(lines.LineCount(), 3);
    const int last = lines.LineCount() - 1;
    EXPECT_EQ(lines.Line(last - 2).text, "   :- old");
    EXPECT_EQ(lines.Line(last - 2).time, 1796667676123);
    for (const int k : {last - 1, last}) {
        EXPECT_GE(lines.Line(k).time, before) << lines.Line(k).text;
        EXPECT_LE(lines.Line(k).time, after) << lines.Line(k).text;
    }
}

} // namespace
} // namespace korbi::session
