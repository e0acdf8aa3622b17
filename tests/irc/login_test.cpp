#include "irc/login.h"
#include "irc/sasl.h"
#include "irc/server_line.h"
#include "irc/server_time.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korbi::irc {
namespace {

TEST(Sasl, PayloadsAreBase64InChunksOf400ClosedByAPlusWhenNeeded) {
    EXPECT_EQ(Base64Encode("a"), "YQ==");
    EXPECT_EQ(Base64Encode("ab"), "YWI=");
    EXPECT_EQ(Base64Encode(std::string("\xff\xfe\x00", 3)), "//4A");

    struct Case {
        std::size_t payloadBytes;
        std::vector<std::size_t> lineLengths; // characters after "AUTHENTICATE "
    };
    // 300 bytes encode to exactly 400 characters, 301 to 404.
    const Case cases[] = {
        {0, {1}}, {3, {4}}, {300, {400, 1}}, {301, {400, 4}}, {600, {400, 400, 1}}};
    for (const Case& c : cases) {
        const std::vector<std::string> lines = AuthenticateLines(std::string(c.payloadBytes, 'x'));
        ASSERT_EQ(lines.size(), c.lineLengths.size()) << c.payloadBytes;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            ASSERT_TRUE(lines[i].starts_with("AUTHENTICATE ")) << lines[i];
            EXPECT_EQ(lines[i].size() - 13, c.lineLengths[i]) << c.payloadBytes << " line " << i;
        }
        if (c.lineLengths.back() == 1) {
            EXPECT_EQ(lines.back(), "AUTHENTICATE +");
        }
    }
}

TEST(ServerLineTags, AreTakenOffBeforeParsingAndReadable) {
    const ServerLine line =
        ParseServerLine("@time=2026-12-07T10:00:00.000Z;x=a\\sb :bob!b@h PRIVMSG #c :hi\r\n");
    EXPECT_EQ(line.command, "PRIVMSG");
    EXPECT_EQ(line.line, ":bob!b@h PRIVMSG #c :hi\r\n");
    EXPECT_EQ(TagValue(line.tags, "x"), "a b"); // escaped blank
    EXPECT_FALSE(TagValue(line.tags, "ti"));
}

// A dialogue fed server lines in order; what it sends and shows, all steps together.
struct Script {
    const char* name;
    LoginOptions options;
    std::vector<std::string> server;
    std::vector<std::string> sent;
    std::vector<std::string> shown;
};

TEST(LoginDialogue, NegotiatesAndLogsInOrSaysWhyNot) {
    const LoginOptions none;
    const LoginOptions plain{"acct", "pw", false, true};
    const LoginOptions plainInClear{"acct", "pw", false, false};
    const LoginOptions external{"", "", true, false};
    const std::string ls = ":s CAP * LS :multi-prefix sasl server-time away-notify\r\n";
    const Script scripts[] = {
        {"refused request",
         none,
         {ls, ":s CAP joe NAK :multi-prefix server-time\r\n"},
         {"CAP REQ :multi-prefix server-time", "CAP END"},
         {}},
        {"unknown mechanism lists the server's",
         external,
         {":s CAP * LS :sasl=EXTERNAL\r\n", ":s CAP joe ACK :sasl\r\n",
          ":s 908 joe PLAIN :are available SASL mechanisms\r\n",
          ":s 904 joe :SASL authentication failed\r\n"},
         {"CAP REQ :sasl", "AUTHENTICATE EXTERNAL", "CAP END"},
         {SaslFailureText("908", "PLAIN"), SaslFailureText("904", "")}},
        {"EXTERNAL sends an empty payload",
         external,
         {":s CAP * LS :sasl=PLAIN,EXTERNAL\r\n", ":s CAP joe ACK :sasl\r\n", "AUTHENTICATE +\r\n",
          ":s 903 joe :ok\r\n"},
         {"CAP REQ :sasl", "AUTHENTICATE EXTERNAL", "AUTHENTICATE +", "CAP END"},
         {}},
        {"password never in clear",
         plainInClear,
         {":s CAP * LS :sasl\r\n"},
         {"CAP END"},
         {"Login skipped: the password is sent only over a secure connection. Write the port "
          "as +6697 (or the server's TLS port)."}},
        {"PLAIN not among the mechanisms",
         plain,
         {":s CAP * LS :sasl=EXTERNAL\r\n"},
         {"CAP END"},
         {"Login skipped: the server does not take a password login (it takes: EXTERNAL)."}},
        {"no sasl offered",
         plain,
         {":s CAP * LS :multi-prefix\r\n", ":s CAP joe ACK :multi-prefix\r\n"},
         {"CAP REQ :multi-prefix", "CAP END"},
         {"Login skipped: the server offers no SASL login."}},
        {"a server without CAP refusing before registration",
         plain,
         {":s 451 CAP :You have not registered\r\n"},
         {},
         {}},
    };
    for (const Script& script : scripts) {
        LoginDialogue dialogue(script.options);
        std::vector<std::string> sent;
        std::vector<std::string> shown;
        for (const std::string& line : script.server) {
            const LoginStep step = dialogue.OnLine(ParseServerLine(line));
            EXPECT_TRUE(step.handled || line.find(" 001 ") != std::string::npos)
                << script.name << ": " << line;
            sent.insert(sent.end(), step.send.begin(), step.send.end());
            shown.insert(shown.end(), step.show.begin(), step.show.end());
        }
        EXPECT_EQ(sent, script.sent) << script.name;
        EXPECT_EQ(shown, script.shown) << script.name;
        EXPECT_FALSE(dialogue.Negotiating()) << script.name;
    }
}

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
