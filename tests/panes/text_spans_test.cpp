#include "panes/text_spans.h"
#include "panes/time_stamp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace korbi::panes {
namespace {

TEST(FindLinks, FindsAddressesAndChannelsLeavingOutTheSentenceAroundThem) {
    using Kind = Link::Kind;
    struct Case {
        std::string plain;
        std::vector<Link> links;
    };
    const Case cases[] = {
        {"see http://a.org/x?y=1.", {{{4, 18}, Kind::Url, "http://a.org/x?y=1"}}},
        {"(HTTPS://A.ORG) and irc://irc.test/#c",
         {{{1, 13}, Kind::Url, "HTTPS://A.ORG"}, {{20, 17}, Kind::Url, "irc://irc.test/#c"}}},
        {"go to www.korbi.org, now", {{{6, 13}, Kind::Url, "http://www.korbi.org"}}},
        {"join #korbi! or #a,#b",
         {{{5, 6}, Kind::Channel, "#korbi"}, {{16, 2}, Kind::Channel, "#a"}}},
        {"http:// www. # a#b nothttp://x", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindLinks(c.plain), c.links) << c.plain;
    }
}

TEST(WordAt, IsTheRunOfNonBlanksAroundAPlace) {
    const std::string plain = "one  two-three";
    EXPECT_EQ(WordAt(plain, 0), (TextSpan{0, 3}));
    EXPECT_EQ(WordAt(plain, 2), (TextSpan{0, 3}));
    EXPECT_EQ(WordAt(plain, 9), (TextSpan{5, 9}));
    EXPECT_EQ(WordAt(plain, 3).length, 0u);
    EXPECT_EQ(WordAt(plain, 99).length, 0u);
}

// A search reads what is drawn: codes are not text, and the case of letters does not count.
TEST(FindInLines, FindsEveryPlaceInTheDrawnTextWhateverTheCase) {
    LineStore store;
    const char* texts[] = {"a Needle", "none",
                           "\x02ne\x02"
                           "edle and \x03"
                           "4,12needle",
                           "needleneedle"};
    for (const char* text : texts) {
        store.Add({{}, "", text, 0, false}, 3);
    }
    EXPECT_EQ(PlainText(store.Text(2)), "needle and needle");
    const std::vector<FoundText> found = FindInLines(store, 0, "NEEDLE");
    EXPECT_EQ(found, (std::vector<FoundText>{{2, {0, 6}}, {2, {11, 6}}, {3, {0, 6}}, {3, {6, 6}}}))
        << "the first line fell off";
    EXPECT_EQ(FindInLines(store, 3, "needle").size(), 2u);
    EXPECT_TRUE(FindInLines(store, 0, "").empty());
}

TEST(TimeStampText, IsTheLocalHourAndMinute) {
    const char* saved = std::getenv("TZ");
    const std::string before = saved ? saved : "";
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(TimeStampText(0), "[00:00] ");
    EXPECT_EQ(TimeStampText((13 * 3600 + 7 * 60 + 59) * 1000LL + 999), "[13:07] ");
    EXPECT_EQ(TimeStampText(-1), "[23:59] ");
    setenv("TZ", "UTC-2", 1);
    tzset();
    EXPECT_EQ(TimeStampText(0), "[02:00] ");
    if (saved) {
        setenv("TZ", before.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

} // namespace
} // namespace korbi::panes
