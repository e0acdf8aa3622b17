// TLS end to end against a real ngircd with a self-signed certificate: refused with its
// fingerprint, trusted, then connected and chatting; a changed certificate is refused again.
#include "support/irc_peer.h"
#include "support/ngircd_server.h"
#include "support/ngircd_tls_server.h"
#include "support/scripted_session.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace {

using korbi::testing::IrcPeer;
using korbi::testing::NgircdTlsServer;
using korbi::testing::ScriptedSession;
using korbi::testing::WaitUntil;

QMessageBox* TrustDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "TrustCertificate" && widget->isVisible()) {
            return qobject_cast<QMessageBox*>(widget);
        }
    }
    return nullptr;
}

class TlsTest : public ::testing::Test, protected ScriptedSession {
  protected:
    void SetUp() override {
        if (!korbi::testing::NgircdServer::Available()) {
            if (qEnvironmentVariableIsSet("CI")) {
                FAIL() << "ngircd is not installed";
            }
            GTEST_SKIP() << "ngircd is not installed";
        }
        ASSERT_TRUE(ngircd.Start()) << ngircd.Log();
    }
    // As typed: "/server host +port".
    void ConnectTls() {
        window.RunCommandLine("/server 127.0.0.1 +" + std::to_string(ngircd.TlsPort()));
    }
    // The pane's text with its wrapped lines joined again.
    QString Flat(int slot = 0) const { return Pane(slot).remove('\n'); }
    bool PaneShows(const std::string& text, int slot = 0) {
        return WaitUntil([&] { return Flat(slot).contains(QString::fromStdString(text)); }, 10000);
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
