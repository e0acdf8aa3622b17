#include "irc/notify_lists.h"

#include <gtest/gtest.h>

namespace korbi::irc {
namespace {

TEST(NotifyListsTest, NewAndLostNicksIgnoreCaseAndKeepOrder) {
    const struct {
        std::string newlis, oldlis, added, lost;
    } cases[] = {
        {" Ann Bob", "", " Ann Bob", ""},
        {" Bob", " Ann Bob", "", " Ann"},
        {" bob", " Bob", "", ""},
        {" zed", " ZED", "", ""},
        {"", " Ann Bob", "", " Ann Bob"},
        {" Cy Ann", " ann Dee", " Cy", " Dee"},
        {" Ann Ann", " Bob", " Ann Ann", " Bob"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetNewNicks(c.newlis, c.oldlis), c.added) << c.newlis << "|" << c.oldlis;
        EXPECT_EQ(GetLostNicks(c.newlis, c.oldlis), c.lost) << c.newlis << "|" << c.oldlis;
    }
}

TEST(NotifyListsTest, OnlineNicksOfTheAnswer) {
    const struct {
        std::string params, current;
    } cases[] = {
        {" me :Ann Bob \r\n", " Ann Bob"},
        {" me :\r\n", ""},
        {" me :", ""},
        {" me :bob\r\n", " bob"},
        {" me :Ann  Bob\n", " Ann Bob"},
        {" me Ann\r\n", " Ann"},
        {" me\r\n", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NotifListOf303(c.params), c.current) << c.params;
    }
}

TEST(NotifyListsTest, IsonLinesHoldAtMost512BytesWithTheirFraming) {
    const std::string fits(504, 'x');    // "ISON  " and it: 510 bytes, 512 framed
    const std::string tooLong(505, 'y'); // alone already one byte too many
    const std::string half(252, 'h');    // two of them need 511 bytes
    const struct {
        std::string Notifys;
        std::vector<std::string> lines;
    } cases[] = {
        {" Ann Bob", {"ISON  Ann Bob"}},
        {"", {}},
        {" ", {}},
        {" Ann  Bob ", {"ISON  Ann Bob"}},
        {" " + fits, {"ISON  " + fits}},
        {" " + tooLong + " Ann", {"ISON  Ann"}},
        {" " + half + " " + half + " Bob", {"ISON  " + half, "ISON  " + half + " Bob"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsonLines(c.Notifys), c.lines) << c.Notifys.substr(0, 20);
    }
}

} // namespace
} // namespace korbi::irc
