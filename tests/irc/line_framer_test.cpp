#include "irc/line_framer.h"

#include <gtest/gtest.h>

#include <vector>

namespace korbi::irc {
namespace {

std::vector<std::string> FeedAll(LineFramer& framer, const std::vector<std::string>& arrivals) {
    std::vector<std::string> lines;
    for (const auto& arrival : arrivals) {
        framer.Feed(arrival, [&](const std::string& line) { lines.push_back(line); });
    }
    return lines;
}

TEST(LineFramer, CutsLinesWithTheirLineEndAcrossArrivals) {
    struct Case {
        const char* name;
        std::vector<std::string> arrivals;
        std::vector<std::string> lines;
        std::string pending;
    };
    const Case cases[] = {
        {"line in two pieces", {"PI", "NG :1\r\n"}, {"PING :1\r\n"}, ""},
        {"two lines in one arrival", {"a\r\nb\r\n"}, {"a\r\n", "b\r\n"}, ""},
        {"partial line waits", {"a\r\npar"}, {"a\r\n"}, "par"},
        {"carriage return as last byte ends the line at once", {"a\r"}, {"a\r"}, ""},
        {"its orphan line feed is dropped", {"a\r", "\nb\r\n"}, {"a\r", "b\r\n"}, ""},
        {"only a line feed at the very start is dropped", {"x\r", "y\r\n"}, {"x\r", "y\r\n"}, ""},
        {"line feeds alone do not end lines", {"a\nb\n"}, {}, "a\nb\n"},
        // A stray carriage return ends its line without taking the next byte: no line loses
        // its first byte, and no line is lost.
        {"any byte but a line feed starts the next line", {"a\rbc\r\n"}, {"a\r", "bc\r\n"}, ""},
        {"two carriage returns", {"a\r\r\nb\r\n"}, {"a\r", "\r\n", "b\r\n"}, ""},
        {"a line feed before the carriage return", {"a\n\rb\r\n"}, {"a\n\r", "b\r\n"}, ""},
        {"two carriage returns in two arrivals", {"a\r", "\rb\r\n"}, {"a\r", "\r", "b\r\n"}, ""},
    };
    for (const auto& c : cases) {
        LineFramer framer;
        EXPECT_EQ(FeedAll(framer, c.arrivals), c.lines) << c.name;
        EXPECT_EQ(framer.Pending(), c.pending) << c.name;
    }
}

TEST(LineFramer, AnOverLongLineIsDroppedAndReportedOnceWithoutLosingTheNextLine) {
    LineFramer framer(100);
    std::vector<std::string> lines;
    std::vector<std::size_t> overflows;
    const auto feed = [&](const std::string& bytes) {
        framer.Feed(
            bytes, [&](const std::string& line) { lines.push_back(line); },
            [&](std::size_t dropped) { overflows.push_back(dropped); });
    };
    feed("ok\r\n" + std::string(150, 'x'));
    feed(std::string(500, 'y'));
    EXPECT_LE(framer.PendingSize(), 100u);
    feed("zzz\r\nnext\r\n");
    EXPECT_EQ(lines, (std::vector<std::string>{"ok\r\n", "next\r\n"}));
    EXPECT_EQ(overflows, (std::vector<std::size_t>{150}));
}

TEST(LineFramer, ClearFromAHandlerDropsTheRestOfTheArrival) {
    LineFramer framer;
    std::vector<std::string> lines;
    framer.Feed("a\r\nb\r\nc", [&](const std::string& line) {
        lines.push_back(line);
        framer.Clear();
    });
    EXPECT_EQ(lines, std::vector<std::string>{"a\r\n"});
    EXPECT_EQ(framer.PendingSize(), 0u);
    framer.Feed("d\r\n", [&](const std::string& line) { lines.push_back(line); });
    EXPECT_EQ(lines.back(), "d\r\n");
}

} // namespace
} // namespace korbi::irc
