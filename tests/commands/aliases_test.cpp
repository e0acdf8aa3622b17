#include "commands/aliases.h"
#include "commands/interpreter.h"

#include "support/fake_client.h"

#include <array>
#include <gtest/gtest.h>

namespace korbi::commands {
namespace {

using Table = std::array<std::string, 51>;

// The interpreter over an alias table: the lines it sends and the stop reports it prints.
struct AliasRun {
    explicit AliasRun(const std::vector<std::string>& table, AliasLimits limits = {})
        : irc(host.CommandRoles(), CurrentDateTime, limits) {
        std::copy(table.begin(), table.end(), host.settingsValue.AliasTable.begin());
    }
    // The texts printed in the server pane; each must be a warning.
    std::vector<std::string> Reports() const {
        std::vector<std::string> reports;
        for (const testing::PrintedLine& line : host.printed) {
            if (line.slot == 0) {
                EXPECT_EQ(line.picture, "PICTS\\WARNMARK") << line.text;
                reports.push_back(line.text);
            }
        }
        return reports;
    }

    testing::LoggingClient host;
    CommandInterpreter irc;
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
        {"runs itself", {"LOOP /say a | /loop", "OK /quit fine"}, "nested more than 16 deep"},
        {"through another", {"A /b", "B /a", "OK /quit fine"}, "nested more than 16 deep"},
        // Found by fuzzing: parameters handed on four times grow fourfold at every level, far
        // beyond memory long before the sixteenth.
        {"parameters growing",
         {"GROW /grow $*1 $*1 $*1 $*1 words", "OK /quit fine"},
         "more than 65536 bytes"},
    };
    for (const auto& c : cases) {
        AliasRun run(c.table);
        run.irc.SendCommand2Serv("/" + c.table[0].substr(0, c.table[0].find(' ')));
        const std::vector<std::string> reports = run.Reports();
        ASSERT_EQ(reports.size(), 1u) << c.name;
        EXPECT_TRUE(reports[0].starts_with("*** Alias ")) << c.name << reports[0];
        EXPECT_NE(reports[0].find(c.text), std::string::npos) << c.name << reports[0];
        EXPECT_LT(run.host.sent.size(), 1000u) << c.name;
        // The guard is ready for the next alias.
        run.irc.SendCommand2Serv("/ok");
        EXPECT_EQ(run.host.sent.back(), "QUIT :fine") << c.name;
    }
}

// Each limit lets through exactly its number and stops the next; the defaults are the same rule.
TEST(AliasNesting, SmallerLimitsStopEarlierAndSayTheirNumbers) {
    AliasRun run({"A /b", "B /c", "C /d", "D /say too deep", "MANY /x|/x|/x|/x|/x",
                  "LONG /say 12345678901234567890"},
                 {.MaxDepth = 3, .MaxCommands = 4, .MaxBytes = 20});
    for (const char* line : {"/a", "/many", "/long"}) {
        run.irc.SendCommand2Serv(line);
    }
    EXPECT_EQ(run.host.sent, (std::vector<std::string>{"X", "X", "X", "X"}));
    const std::vector<std::string> reports = run.Reports();
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_NE(reports[0].find("nested more than 3 deep"), std::string::npos);
    EXPECT_NE(reports[1].find("more than 4 commands"), std::string::npos);
    EXPECT_NE(reports[2].find("more than 20 bytes"), std::string::npos);
}

} // namespace
} // namespace korbi::commands
