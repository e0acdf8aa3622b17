#include "irc/message_parsing.h"
#include "irc/words.h"

#include <gtest/gtest.h>
#include <utility>

namespace korbi::irc {
namespace {

struct WordCase {
    const char* name;
    long n;
    std::string text;
    std::string expected;
};

TEST(MessageParsing, GetWordNumbersWordsBetweenSingleBlanks) {
    const WordCase cases[] = {
        {"two blanks enclose an empty word", 2, "a  b", ""},
        {"word after the empty one", 3, "a  b", "b"},
        {"missing word gives the last word", 5, "a b c", "c"},
        {"empty text", 1, "", ""},
        {"no blank gives the whole text", 1, "abc", "abc"},
        {"leading blank makes word 1 empty", 1, " x y", ""},
        {"trailing blank makes the last word empty", 3, "x y ", ""},
        {"zero gives the last word", 0, "x y z", "z"},
        {"negative gives the last word", -4, "x y z", "z"},
        {"line end belongs to the last word", 2, "PING :1\r\n", ":1\r\n"},
        {"tabs are no separators", 1, "a\tb c", "a\tb"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetWord(c.n, c.text), c.expected) << c.name;
    }
}

TEST(MessageParsing, GetNumWordsCountsBlanksWithoutWrappingOnLongText) {
    EXPECT_EQ(GetNumWords(""), 1);
    EXPECT_EQ(GetNumWords("a b "), 3);
    EXPECT_EQ(GetNumWords("a  b"), 3);
    // 70,000 blanks would wrap a 16-bit counter twice over.
    std::string text;
    for (int i = 0; i < 70000; ++i) {
        text += "w ";
    }
    text += "last";
    EXPECT_EQ(GetNumWords(text), 70001);
    EXPECT_EQ(GetWord(70001, text), "last");
    EXPECT_EQ(GetWord(70001 - 65536, text), "w");
}

TEST(MessageParsing, GetNickAndGetMachine) {
    EXPECT_EQ(GetNick(":Joe!user@host.example"), "Joe");
    EXPECT_EQ(GetNick("irc.example.net"), "irc.example.net");
    EXPECT_EQ(GetNick(":irc.example.net"), "irc.example.net");
    EXPECT_EQ(GetNick("a:b!c"), "a:b");
    EXPECT_EQ(GetMachine("nick!user@host.example"), "host.example");
    EXPECT_EQ(GetMachine("no-at-sign"), "");
    EXPECT_EQ(GetMachine("trailing@"), "@");
    EXPECT_EQ(GetMachine("a@b@c"), "b@c");
}

TEST(MessageParsing, SplitsProtocolLinesIntoSourceCommandAndParameters) {
    const std::string welcome = ":irc.example.net 001 Joe :Welcome home\r\n";
    EXPECT_EQ(GetMsgSource(welcome), "irc.example.net");
    EXPECT_EQ(GetMsgCommand(welcome), "001");
    EXPECT_EQ(GetMsgParams(welcome), " Joe :Welcome home\r\n");

    const std::string ping = "PING :12345\r\n";
    EXPECT_EQ(GetMsgSource(ping), "");
    EXPECT_EQ(GetMsgCommand(ping), "PING");
    EXPECT_EQ(GetMsgParams(ping), " :12345\r\n");

    EXPECT_EQ(GetMsgParams("QUIT"), "");
    EXPECT_EQ(GetMsgParams("QUIT "), " ");
    EXPECT_EQ(GetMsgParams(":src CMD"), "");
    EXPECT_EQ(GetMsgParams(":src CMD  a"), "  a");
    EXPECT_EQ(GetMsgSource(": CMD x"), ":");
    EXPECT_EQ(GetMsgCommand(""), "");
}

TEST(MessageParsing, CropCutsOnlyWhenTheCountsDiffer) {
    const struct {
        std::size_t left;
        std::string text;
        std::size_t right;
        std::string cropped;
    } cases[] = {{1, ":abc\r\n", 2, "abc"},
                 {2, "ab", 1, "a"},
                 {1, ":keep\r\n", 1, ":keep\r\n"},
                 {3, "x", 0, "x"}};
    for (auto c : cases) {
        EXPECT_EQ(Crop(c.left, c.text, c.right), c.cropped) << c.text;
        EXPECT_EQ(c.text, c.cropped) << "cropped in place";
    }
}

// Handlers cut the line end off the last word; a word without one must come back whole.
TEST(WithoutLineEnd, TakesOnlyAFinalCarriageReturnAndWhatFollowsIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"text\r\n", "text"}, {"text\r", "text"}, {"text", "text"},
        {"a\rb", "a"},        {"\r", ""},         {"", ""},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(WithoutLineEnd(text), expected) << text;
    }
}

} // namespace
} // namespace korbi::irc
