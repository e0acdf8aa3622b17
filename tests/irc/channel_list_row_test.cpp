#include "irc/channel_list_row.h"

#include <gtest/gtest.h>

namespace korbi::irc {
namespace {

// The list shows what the text view shows: valid UTF-8 as it is, anything else as Latin-1.
TEST(ChannelListRowTest, BytesThatAreNotUtf8AreReadAsLatin1) {
    const struct {
        std::string bytes, shown;
        std::size_t chars;
    } cases[] = {
        {"abc", "abc", 3},
        {"caf\xc3\xa9", "caf\xc3\xa9", 4},
        {"\xe2\x82\xac", "\xe2\x82\xac", 1},             // the euro sign
        {"caf\xe9", "caf\xc3\xa9", 4},                   // Latin-1
        {"\xc0\xaf", "\xc3\x80\xc2\xaf", 2},             // an overlong form
        {"\xed\xa0\x80", "\xc3\xad\xc2\xa0\xc2\x80", 3}, // a surrogate
        {"\xe2\x82", "\xc3\xa2\xc2\x82", 2},             // cut short
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShownText(c.bytes), c.shown) << c.bytes;
        EXPECT_EQ(CharCount(ShownText(c.bytes)), c.chars) << c.bytes;
    }
}

} // namespace
} // namespace korbi::irc
