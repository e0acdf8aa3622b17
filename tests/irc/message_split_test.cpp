#include "irc/message_split.h"

#include <gtest/gtest.h>

namespace korbi::irc {
namespace {

std::string Repeat(std::string_view piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

bool StartsACharacter(const std::string& part) {
    return part.empty() || (static_cast<unsigned char>(part.front()) & 0xC0) != 0x80;
}

// Each part, relayed behind the prefix, is a line the server takes whole; together the parts
// are the text less the blanks they were cut at.
void ExpectParts(std::string_view target, const std::string& text, std::size_t prefix,
                 std::size_t count) {
    const std::vector<std::string> parts = SplitMessage("PRIVMSG", target, text, prefix);
    ASSERT_EQ(parts.size(), count);
    std::string joined;
    for (const std::string& part : parts) {
        EXPECT_LE(prefix + std::string("PRIVMSG ").size() + target.size() + 2 + part.size() + 2,
                  kMaxWireLine);
        EXPECT_TRUE(StartsACharacter(part)) << part;
        joined += part;
    }
    std::string squeezed = text;
    std::erase(squeezed, ' ');
    std::erase(joined, ' ');
    EXPECT_EQ(joined, squeezed);
}

TEST(MessageSplit, ATextThatFitsIsOnePartUnchanged) {
    const std::string text = " keeps  its blanks ";
    EXPECT_EQ(SplitMessage("PRIVMSG", "#r", text, 100), std::vector<std::string>{text});
    // 100 + "PRIVMSG #r :" + 398 + CR LF is exactly 512.
    EXPECT_EQ(SplitMessage("PRIVMSG", "#r", std::string(398, 'x'), 100).size(), 1u);
    EXPECT_EQ(SplitMessage("PRIVMSG", "#r", std::string(399, 'x'), 100).size(), 2u);
}

TEST(MessageSplit, LongTextsAreCutAtBlanksAndNeverInsideACharacter) {
    // 1,200 bytes of two-byte letters in words of 12 bytes.
    ExpectParts("#r", Repeat("ééééé é", 100), RelayPrefixBytes("Joe!joe@example.net"), 3);
    // One word of three-byte characters longer than a line: cut between characters.
    ExpectParts("#r", Repeat("€", 400), RelayPrefixBytes(""), 4);
    const std::vector<std::string> atBlank =
        SplitMessage("NOTICE", "bob", std::string(390, 'a') + " " + std::string(20, 'b'), 100);
    EXPECT_EQ(atBlank, (std::vector<std::string>{std::string(390, 'a'), std::string(20, 'b')}));
}

TEST(MessageSplit, TheServersOwnPrefixDecidesTheRoom) {
    EXPECT_EQ(RelayPrefixBytes(""), kUnknownSourceAllowance);
    EXPECT_EQ(RelayPrefixBytes("Joe!j@h"), 9u); // ":" and the blank after it
    // A target so long that no room is left still sends the text, in small parts.
    EXPECT_EQ(SplitMessage("PRIVMSG", std::string(600, 't'), std::string(40, 'x'), 100),
              (std::vector<std::string>{std::string(16, 'x'), std::string(16, 'x'),
                                        std::string(8, 'x')}));
}

} // namespace
} // namespace korbi::irc
