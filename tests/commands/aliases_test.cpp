#include "commands/aliases.h"

#include "platform/text_values.h"

#include <array>
#include <gtest/gtest.h>

namespace korbi::commands {
namespace {

using Table = std::array<std::string, 51>;

// Just enough of the interpreter to see what aliases run: the command word is word 1 without
// its first character, upper-cased; an alias runs through the guard, anything else is "sent".
struct MiniInterpreter {
    Table AliasTable{};
    AliasNesting nesting;
    std::vector<std::string> sent;
    std::vector<std::string> reports;

    void SendCommand2Serv(const std::string& line) {
        const auto words = platform::SplitAtBlanks(line);
        const std::string command =
            platform::UpperAscii(words[0].empty() ? words[0] : words[0].substr(1));
        const std::string params = line.substr(words[0].size());
        const int index = FindAlias(AliasTable, command);
        if (index < 0) {
            sent.push_back(command + params);
            return;
        }
        const VariableContext context{.params = params, .chan = "#c"};
        nesting.Run(
            command, AliasPieces(AliasTable[index], context),
            [this](const std::string& piece) { SendCommand2Serv(piece); },
            [this](const std::string& text) { reports.push_back(text); });
    }
};

TEST(FindAlias, MatchesNamesWithoutCaseLaterEntryWins) {
    const Table table{"HI /say one", "ban /kick $chan $$1", "hi /say two", " /nameless", "",
                      "LATE /never"};
    const struct {
        const char* word;
        int expected;
    } cases[] = {{"HI", 2}, {"BAN", 1}, {"BA", -1}, {"BANS", -1}, {"LATE", -1}, {"", -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(FindAlias(table, c.word), c.expected) << c.word;
    }
}

TEST(AliasPieces, ExpandsOnceThenSplitsAtTheBodysBars) {
    VariableContext context{.params = " bob bob!*", .chan = "#c"};
    const struct {
        const char* entry;
        std::vector<std::string> expected;
    } cases[] = {
        {"ALL /say $*1 end", {"/say bob bob!*  end"}},
        {"E /a||/b|", {"/a", "", "/b"}},
        {"L |/a", {"", "/a"}},
        {"NOBODY", {}},
        {"PIPE /say a$CHR(124)b $CHR(124)", {"/say a$CHR(124)b |"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AliasPieces(c.entry, context), c.expected) << c.entry;
    }
    // A nick, topic or typed parameter holding "|" cannot add a command of its own.
    context.params = " a|_QUIT";
    context.topic = "x | /quit";
    EXPECT_EQ(AliasPieces("K /kick $chan $$1 $TOPIC", context),
              std::vector<std::string>{"/kick #c a|_QUIT x | /quit"});
}

TEST(AliasNesting, LoopingAliasesStopWithOneLine) {
    const struct {
        const char* name;
        std::vector<std::string> table;
        const char* text;
    } cases[] = {
        {"runs itself", {"LOOP /say a | /loop"}, "nested more than 16 deep"},
        {"through another", {"A /b", "B /a"}, "nested more than 16 deep"},
        // Found by fuzzing: parameters handed on four times grow fourfold at every level, far
        // beyond memory long before the sixteenth.
        {"parameters growing", {"GROW /grow $*1 $*1 $*1 $*1 words"}, "more than 65536 bytes"},
    };
    for (const auto& c : cases) {
        MiniInterpreter irc;
        std::copy(c.table.begin(), c.table.end(), irc.AliasTable.begin());
        irc.SendCommand2Serv("/" + c.table[0].substr(0, c.table[0].find(' ')));
        ASSERT_EQ(irc.reports.size(), 1u) << c.name;
        EXPECT_NE(irc.reports[0].find(c.text), std::string::npos) << c.name << irc.reports[0];
        EXPECT_LT(irc.sent.size(), 1000u) << c.name;
        EXPECT_EQ(irc.nesting.Depth(), 0) << c.name;
    }
}

// Each limit lets through exactly its number and stops the next; the defaults are the same rule.
TEST(AliasNesting, SmallerLimitsStopEarlierAndSayTheirNumbers) {
    MiniInterpreter irc;
    irc.nesting = AliasNesting({.MaxDepth = 3, .MaxCommands = 4, .MaxBytes = 20});
    irc.AliasTable[0] = "A /b";
    irc.AliasTable[1] = "B /c";
    irc.AliasTable[2] = "C /d";
    irc.AliasTable[3] = "D /say too deep";
    irc.AliasTable[4] = "MANY /x|/x|/x|/x|/x";
    irc.AliasTable[5] = "LONG /say 12345678901234567890";
    irc.SendCommand2Serv("/a");
    irc.SendCommand2Serv("/many");
    irc.SendCommand2Serv("/long");
    EXPECT_EQ(irc.sent, (std::vector<std::string>{"X", "X", "X", "X"}));
    ASSERT_EQ(irc.reports.size(), 3u);
    EXPECT_NE(irc.reports[0].find("nested more than 3 deep"), std::string::npos);
    EXPECT_NE(irc.reports[1].find("more than 4 commands"), std::string::npos);
    EXPECT_NE(irc.reports[2].find("more than 20 bytes"), std::string::npos);
}

} // namespace
} // namespace korbi::commands
