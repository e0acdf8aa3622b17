// Capability negotiation and SASL login against a scripted server, byte for byte.
#include "irc/sasl.h"
#include "session/login.h"
#include "support/irc_peer.h"
#include "support/ngircd_tls_server.h"
#include "support/scripted_session.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>

namespace {

using namespace korbi::testing;

class LoginTest : public ::testing::Test, protected ScriptedSession {
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
    // The pane's text with its wrapped lines joined again.
    QString Flat(int slot = 0) const { return Pane(slot).remove('\n'); }
    bool PaneShows(const std::string& text, int slot = 0) {
        return WaitUntil([&] { return Flat(slot).contains(QString::fromStdString(text)); }, 10000);
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
        ScriptedSession session;
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

// The client certificate is offered only over TLS.
TEST(LoginOptions, TheCertificateShowsOnlyOverTls) {
    korbi::core::Settings settings;
    EXPECT_FALSE(korbi::session::LoginOptionsFor(settings, "irc.example.net", true).external);
    settings.Extras.SetValue("ClientCertificate", "/home/joe/joe.pem");
    EXPECT_TRUE(korbi::session::LoginOptionsFor(settings, "irc.example.net", true).external);
    EXPECT_FALSE(korbi::session::LoginOptionsFor(settings, "irc.example.net", false).external);
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

// TLS end to end against a real ngircd with a self-signed certificate: refused with its
// fingerprint, trusted, then connected and chatting; a changed certificate is refused again.
QMessageBox* TrustDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "TrustCertificate" && widget->isVisible()) {
            return qobject_cast<QMessageBox*>(widget);
        }
    }
    return nullptr;
}

class TlsTest : public LoginTest {
  protected:
    void SetUp() override { KORBI_REQUIRE_SERVER(ngircd); }
    // As typed: "/server host +port".
    void ConnectTls() {
        window.RunCommandLine("/server 127.0.0.1 +" + std::to_string(ngircd.TlsPort()));
    }

    NgircdTlsServer ngircd;
};

TEST_F(TlsTest, UnknownCertificateIsRefusedThenTrustedThenChatWorks) {
    ConnectTls();
    const std::string refused = "The certificate of 127.0.0.1 was refused (";
    ASSERT_TRUE(PaneShows(refused)) << Pane().toStdString();
    EXPECT_TRUE(
        Flat().contains(QString::fromStdString("). SHA-256 fingerprint: " + ngircd.Fingerprint())));
    EXPECT_FALSE(Pane().contains("Unknown Error"));
    EXPECT_FALSE(flags.Secure);
    ASSERT_TRUE(WaitUntil([] { return TrustDialog() != nullptr; }));
    EXPECT_TRUE(TrustDialog()->text().contains(QString::fromStdString(ngircd.Fingerprint())));
    TrustDialog()->button(QMessageBox::Yes)->click();
    EXPECT_EQ(settings.Extras.Value("TrustedCert.127.0.0.1"), ngircd.Fingerprint());

    IrcPeer peer;
    ASSERT_TRUE(peer.Register(ngircd.Port(), "peer"));
    peer.Send("JOIN #tls");
    settings.Extras.SetValue("ClientCertificate", ngircd.ClientCertificateFile());
    ConnectTls();
    ASSERT_TRUE(WaitUntil([&] { return flags.LoggedOn; }, 10000)) << Pane().toStdString();
    EXPECT_TRUE(flags.Secure);
    EXPECT_EQ(window.ServerPort()->text().toStdString(), "+" + std::to_string(ngircd.TlsPort()));
    EXPECT_FALSE(window.findChild<QWidget*>("SecureShow")->isHidden());
    EXPECT_EQ(Flat().count(QString::fromStdString(refused)), 1);

    window.RunCommandLine("/JOIN #tls");
    ASSERT_TRUE(WaitUntil([&] { return conversation.FindChanWin("#tls") > 0; }, 10000));
    const int slot = conversation.FindChanWin("#tls");
    const std::size_t mark = peer.Mark();
    peer.Send("PRIVMSG #tls :over the wire in clear");
    EXPECT_TRUE(PaneShows("over the wire in clear", slot)) << Pane(slot).toStdString();
    QLineEdit* box = conversation.InputBox(slot);
    QTest::keyClicks(box, "and back encrypted");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(peer.WaitFor(" PRIVMSG #tls :and back encrypted\r\n", mark));

    // The server saw the client certificate: ngircd tells its owner the fingerprint in WHOIS,
    // which debug mode shows.
    std::string hex = ngircd.Fingerprint();
    std::erase(hex, ':');
    std::transform(hex.begin(), hex.end(), hex.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    flags.DebugMode = true;
    window.Send2Serv("WHOIS Joe");
    EXPECT_TRUE(PaneShows(" 276 Joe Joe :has client certificate fingerprint " + hex))
        << Pane().toStdString();

    window.DisconnectFromServer();
    EXPECT_TRUE(WaitUntil([&] { return !flags.Secure; }));
    EXPECT_TRUE(window.findChild<QWidget*>("SecureShow")->isHidden());
}

TEST_F(TlsTest, ACertificateOtherThanTheTrustedOneIsRefusedWithBothFingerprints) {
    settings.Extras.SetValue("TrustedCert.127.0.0.1", "00:11:22");
    ConnectTls();
    ASSERT_TRUE(PaneShows("The certificate of 127.0.0.1 has changed and was refused ("))
        << Pane().toStdString();
    EXPECT_TRUE(Flat().contains(
        QString::fromStdString("Trusted before: 00:11:22 Now: " + ngircd.Fingerprint())));
    ASSERT_TRUE(WaitUntil([] { return TrustDialog() != nullptr; }));
    TrustDialog()->button(QMessageBox::No)->click();
    EXPECT_EQ(settings.Extras.Value("TrustedCert.127.0.0.1"), "00:11:22");
    EXPECT_TRUE(window.findChild<QWidget*>("ToolButs0")->isEnabled());
}

} // namespace
