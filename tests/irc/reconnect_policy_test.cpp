#include "irc/reconnect_policy.h"

#include <gtest/gtest.h>

#include <vector>

namespace korbi::irc {
namespace {

std::vector<int> Delays(ReconnectPolicy& policy, int count, std::string_view error = "") {
    std::vector<int> delays;
    for (int i = 0; i < count; ++i) {
        delays.push_back(policy.Ended(error).value_or(-1));
    }
    return delays;
}

TEST(ReconnectPolicy, DelaysDoubleUpToFiveMinutesAndStartAgainAfterAWelcome) {
    ReconnectPolicy policy;
    EXPECT_EQ(Delays(policy, 9),
              (std::vector<int>{5000, 10000, 20000, 40000, 80000, 160000, 300000, 300000, 300000}));
    policy.Registered();
    EXPECT_EQ(Delays(policy, 2), (std::vector<int>{5000, 10000}));
    policy.Reset();
    EXPECT_EQ(policy.Tries(), 0);
}

TEST(ReconnectPolicy, TheSameErrorThreeTimesInARowStopsTheTries) {
    ReconnectPolicy policy(100);
    EXPECT_EQ(Delays(policy, 2, "Closing Link: (K-Lined)"), (std::vector<int>{100, 200}));
    // A welcome between them does not make a ban less of a ban.
    policy.Registered();
    EXPECT_EQ(policy.Ended("Closing Link: (K-Lined)"), std::nullopt);
    // Other endings, or none, keep trying.
    policy.Reset();
    EXPECT_EQ(Delays(policy, 4, ""), (std::vector<int>{100, 200, 400, 800}));
    for (const char* error : {"a", "a", "b", "a", "a"}) {
        EXPECT_NE(policy.Ended(error), std::nullopt) << error;
    }
}

} // namespace
} // namespace korbi::irc
