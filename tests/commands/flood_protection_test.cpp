#include "commands/flood_protection.h"

#include <gtest/gtest.h>

#include <utility>

namespace korbi::commands {
namespace {

TEST(ChangeFloodText, DescribesEveryLevel) {
    const std::pair<int, const char*> cases[] = {
        {1, "NO Flood Proctection !"},
        {2, "Lame Flood Protection\r( 9 ctcps / seconds)"},
        {3, "Lame Flood Protection\r( 8.5 ctcps / seconds)"},
        {4, "Lame Flood Protection\r( 8 ctcps / seconds)"},
        {5, "Low Flood Protection\r( 7.5 ctcps / seconds)"},
        {9, "Low Flood Protection\r( 5.5 ctcps / seconds)"},
        {10, "Fair Flood Protection\r( 5 ctcps / seconds)"},
        {11, "Fair Flood Protection\r( 4.5 ctcps / seconds)"},
        {12, "Good Flood Protection\r( 4 ctcps / seconds)"},
        {15, "Good Flood Protection\r( 2.5 ctcps / seconds)"},
        {16, "High Flood Protection\r( 2 ctcps / seconds)"},
        {18, "High Flood Protection\r( 1 ctcps / seconds)"},
        {19, "Panic Flood Protection\r( 0.5 ctcps / seconds)"},
        {20, "All CTCPs ignored"},
        {0, "Unknow Flood Protection !?!\r(Prepare bug report...)"},
        {21, "Unknow Flood Protection !?!\r(Prepare bug report...)"},
    };
    for (const auto& [level, text] : cases) {
        EXPECT_EQ(ChangeFloodText(level), text) << "level " << level;
    }
}

TEST(FloodProtection, CountRestartsAfterAQuietSpell) {
    std::int64_t now = 0;
    FloodProtection flood([&now] { return now; });
    for (int i = 0; i < 8; ++i) {
        flood.CountAnswered();
    }
    now += FloodProtection::QuietRestartMs;
    flood.Tick(3);
    EXPECT_EQ(flood.NumCTCPs(), 8);
    now += 1;
    flood.Tick(3);
    EXPECT_EQ(flood.NumCTCPs(), 0);
    flood.CountAnswered();
    EXPECT_FALSE(flood.Tick(3));
}

} // namespace
} // namespace korbi::commands
