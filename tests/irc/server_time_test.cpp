#include "irc/server_time.h"

#include "irc/server_line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace korbi::irc {
namespace {

// The time of a received line, read the way the dispatcher reads it: from the tags the parser
// took off.
std::optional<std::int64_t> LineTime(std::string_view line) {
    return TagTime(ParseServerLine(line).tags);
}

TEST(ServerTime, ReadsTheTimeTagShapeAndRefusesEverythingElse) {
    const struct {
        std::string text;
        std::optional<std::int64_t> ms;
    } cases[] = {
        {"2026-12-07T18:21:16.123Z", 1796667676123}, {"2026-12-07T18:21:16Z", 1796667676000},
        {"2026-12-07T18:21:16.5Z", 1796667676500},   {"2026-12-07T18:21:16.123456Z", 1796667676123},
        {"2024-02-29T23:59:59.999Z", 1709251199999}, {"1969-12-31T23:59:59Z", -1000},
        {"2026-12-07T18:21:16", std::nullopt},       {"2026-12-07T18:21:16+01:00", std::nullopt},
        {"2026-12-07 18:21:16Z", std::nullopt},      {"2026-12-07T18:21:16.Z", std::nullopt},
        {"2026-12-07T18:21:16.1a3Z", std::nullopt},  {"2026-13-07T18:21:16Z", std::nullopt},
        {"2025-02-29T12:00:00Z", std::nullopt},      {"1900-02-29T12:00:00Z", std::nullopt},
        {"2026-12-07T24:00:00Z", std::nullopt},      {"2026-1-07T18:21:16Z", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseServerTime(c.text), c.ms) << c.text;
    }
    EXPECT_EQ(LineTime("@msgid=1;time=1970-01-01T00:00:01Z :a PRIVMSG #x :hi\r\n"), 1000);
    EXPECT_EQ(LineTime(":a PRIVMSG #x :@time=1970-01-01T00:00:01Z\r\n"), std::nullopt);
    EXPECT_EQ(LineTime("@time=yesterday :a PRIVMSG #x :hi\r\n"), std::nullopt);
}

} // namespace
} // namespace korbi::irc
