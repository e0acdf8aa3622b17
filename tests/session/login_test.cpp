// Capability negotiation and SASL login against a scripted server, byte for byte.
#include "irc/sasl.h"
#include "support/scripted_session.h"

#include <gtest/gtest.h>

namespace {

using korbi::testing::WaitUntil;

class LoginTest : public ::testing::Test, protected korbi::testing::ScriptedSession {
  protected:
    // Connects with an account set (or none), and waits for the registration.
    void ConnectWith(const std::string& account) {
        if (!account.empty()) {
            settings.Extras.SetValue("SaslAccount", account);
            settings.Extras.SetValue("SaslPassword", "sesame");
        }
        ASSERT_TRUE(Connect());
        ASSERT_EQ(server.Received(), kRegistration);
    }
    // The server says its lines; true once the client's answers end with expected.
    bool Exchange(const std::string& lines, const std::string& expected) {
        server.Send(lines);
        return server.WaitForReceived(expected) && server.Received().ends_with(expected);
    }
    bool PaneShows(const std::string& text) {
        return WaitUntil([&] { return Pane().contains(QString::fromStdString(text)); });
    }
};

TEST_F(LoginTest, AsksForTheOfferedCapabilitiesOverTwoListLinesAndEnds) {
    ConnectWith("");
    ASSERT_TRUE(Exchange(":irc.test CAP * LS * :away-notify sasl multi-prefix\r\n"
                         ":irc.test CAP * LS :server-time\r\n",
                         "\nCAP REQ :multi-prefix server-time\r"));
    ASSERT_TRUE(Exchange(":irc.test CAP Joe ACK :multi-prefix server-time\r\n", "\nCAP END\r"));
    EXPECT_EQ(SentAfterRegistration(), "\nCAP REQ :multi-prefix server-time\r\nCAP END\r");
    // With server-time on, the lines come tagged; the handlers read them as ever.
    server.Send("@time=2026-12-07T10:00:00.000Z :irc.test 001 Joe :Welcome\r\n");
    EXPECT_TRUE(LogOn());
    EXPECT_FALSE(Pane().contains("CAP"));
}

TEST_F(LoginTest, LogsInWithPlainAndSaysSoInOneLine) {
    ConnectWith("joe");
    ASSERT_TRUE(Exchange(":irc.test CAP * LS :multi-prefix sasl=PLAIN,EXTERNAL\r\n",
                         "\nCAP REQ :multi-prefix sasl\r"));
    ASSERT_TRUE(Exchange(":irc.test CAP Joe ACK :multi-prefix sasl\r\n", "\nAUTHENTICATE PLAIN\r"));
    ASSERT_TRUE(Exchange("AUTHENTICATE +\r\n", "\nAUTHENTICATE am9lAGpvZQBzZXNhbWU=\r"));
    ASSERT_TRUE(Exchange(":irc.test 900 Joe Joe!j@h joe :You are now logged in as joe\r\n"
                         ":irc.test 903 Joe :SASL authentication successful\r\n",
                         "\nCAP END\r"));
    EXPECT_EQ(SentAfterRegistration(), "\nCAP REQ :multi-prefix sasl\r\nAUTHENTICATE PLAIN\r\n"
                                       "AUTHENTICATE am9lAGpvZQBzZXNhbWU=\r\nCAP END\r");
    EXPECT_TRUE(PaneShows("You are now logged in as joe"));
    EXPECT_FALSE(Pane().contains("successful"));
}

// Each refusal says what to do, and the registration goes on without the login.
TEST(LoginFailures, EachRefusalPrintsItsSentenceAndEndsTheNegotiation) {
    const char* const numerics[] = {"902", "904", "905", "906", "907"};
    for (const char* numeric : numerics) {
        korbi::testing::ScriptedSession session;
        session.settings.Extras.SetValue("SaslAccount", "joe");
        session.settings.Extras.SetValue("SaslPassword", "sesame");
        ASSERT_TRUE(session.Connect());
        session.server.Send(":irc.test CAP * LS :sasl\r\n");
        ASSERT_TRUE(session.server.WaitForReceived("\nCAP REQ :sasl\r"));
        session.server.Send(":irc.test CAP Joe ACK :sasl\r\nAUTHENTICATE +\r\n");
        ASSERT_TRUE(session.server.WaitForReceived("\nAUTHENTICATE am9l"));
        session.server.Send(":irc.test " + std::string(numeric) + " Joe :server text\r\n");
        ASSERT_TRUE(session.server.WaitForReceived("\nCAP END\r")) << numeric;
        EXPECT_EQ(session.SentAfterRegistration(),
                  "\nCAP REQ :sasl\r\nAUTHENTICATE PLAIN\r\nAUTHENTICATE am9lAGpvZQBzZXNhbWU=\r"
                  "\nCAP END\r")
            << numeric;
        const QString pane = session.Pane().remove('\n'); // wrapped lines joined
        EXPECT_TRUE(pane.contains(QString::fromStdString(korbi::irc::SaslFailureText(numeric, ""))))
            << numeric << "\n"
            << pane.toStdString();
        EXPECT_FALSE(pane.contains("server text")) << numeric;
    }
}

// A server that does not know CAP gets the registration of old and says nothing about it.
TEST_F(LoginTest, AServerWithoutCapRegistersAsBefore) {
    ConnectWith("joe");
    server.Send(":irc.test 421 * CAP :Unknown command\r\n");
    EXPECT_TRUE(LogOn());
    EXPECT_EQ(SentAfterRegistration(), "\nMODE Joe +\r");
    EXPECT_FALSE(Pane().contains("not a invalid command"));
    // Later, an unknown command is reported as ever.
    server.Send(":irc.test 421 Joe CAP :Unknown command\r\n");
    EXPECT_TRUE(PaneShows("CAP is not a invalid command !"));
}

} // namespace
