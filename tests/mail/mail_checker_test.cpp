#include "mail/mail_checker.h"
#include "mail/mail_prefs_dialog.h"

#include "support/dovecot_server.h"
#include "support/fake_panes.h"
#include "support/fake_roles.h"
#include "support/scripted_server.h"
#include "support/server_process.h"
#include "support/wait.h"
#include "support/widgets.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korbi::mail {
namespace {

using namespace korbi::testing;
using media::MailImage;
using Lines = std::vector<PrintedLine>;

// The shared recording host, with the new-mail sound in place and pane 3 in view.
struct MailFakeHost : korbi::testing::FakePanes,
                      korbi::testing::FakeMedia,
                      korbi::testing::FakeSettings {
    explicit MailFakeHost(const std::string& server = "", const std::string& user = "") {
        files = {"sounds\\horn.wav"};
        curVisible = 3;
        settingsValue.MailServer = server;
        settingsValue.UserName = user;
    }
};

// A checker with its icon changes recorded.
struct Checker {
    Checker(MailFakeHost& host, int port, int timeoutMs = MailTimeoutMs)
        : checker(host, host, host, host, port, timeoutMs) {
        QObject::connect(&checker, &MailChecker::MailIconChanged,
                         [this](MailImage image) { icons.push_back(image); });
    }

    // Runs one check to its end: the menu item is disabled until then.
    bool Run() {
        icons.clear();
        checker.StartMailCheck();
        return WaitUntil([this] { return checker.MenuMail_CheckEnabled(); }, 10000);
    }

    MailChecker checker;
    std::vector<MailImage> icons;
};

const PrintedLine Rule{3, "", 0, 0, 0, "---"};

Lines NewMail(const std::string& text) {
    return {Rule, {3, "PICTS\\INFOMARK", 64, 128, 64, text}, Rule};
}
// A failed check is told in the server pane.
Lines MailError(const std::string& text) {
    return {{0, "PICTS\\ERRORMSG", 64, 0, 0, text}, {0, "", 0, 0, 0, "---"}};
}

TEST(MailCheckerDovecot, ReportsOnlyNewMailAcrossChecksAndARefusedPassword) {
    DovecotServer server("alice", "secret");
    KORBI_REQUIRE_SERVER(server);
    MailFakeHost host(" 127.0.0.1 ", "alice");
    host.settings().UserPass = "secret";
    Checker mail(host, server.Port());
    EXPECT_EQ(mail.checker.MailIcon(), MailImage::UnknownMailImage);

    ASSERT_TRUE(server.SetMailboxSize(3));
    ASSERT_TRUE(mail.Run()) << server.Log();
    EXPECT_EQ(host.printed, NewMail("You have 3 emails waiting, 3 new email(s) !"));
    EXPECT_EQ(host.sounds, std::vector<std::string>{"sounds\\horn.wav"});
    EXPECT_EQ(mail.icons, (std::vector{MailImage::CheckMailImage, MailImage::GotMailImage}));

    host.printed.clear();
    ASSERT_TRUE(mail.Run()); // the same three again: nothing new
    EXPECT_TRUE(host.printed.empty());
    EXPECT_EQ(host.sounds.size(), 1u);

    host.settings().UserPass = "wrong";
    ASSERT_TRUE(mail.Run());
    EXPECT_EQ(host.printed, MailError("Mail Error: Password not accepted!"));
    EXPECT_EQ(mail.icons, (std::vector{MailImage::CheckMailImage, MailImage::UnknownMailImage}));

    // The next check starts over and still knows the three; no sound file: a beep instead.
    host.printed.clear();
    host.settings().UserPass = "secret";
    host.files.clear();
    ASSERT_TRUE(server.SetMailboxSize(4));
    ASSERT_TRUE(mail.Run());
    EXPECT_EQ(host.printed, NewMail("You have 4 emails waiting, 1 new email(s) !"));
    EXPECT_EQ(host.sounds.size(), 1u);
    EXPECT_EQ(mail.checker.LastMailCount(), 4);
    EXPECT_EQ(mail.checker.Next2Receive(), Idle);
}

TEST(MailChecker, AnEmptyServerNameStartsNothingAnUnreachableServerIsReported) {
    MailFakeHost host("   ");
    Checker mail(host, FreePort());
    mail.checker.StartMailCheck();
    EXPECT_TRUE(mail.checker.MenuMail_CheckEnabled());
    EXPECT_TRUE(host.printed.empty());
    EXPECT_TRUE(mail.icons.empty());

    host.settings().MailServer = "127.0.0.1";
    ASSERT_TRUE(mail.Run());
    EXPECT_EQ(host.printed, MailError("Got mail error: Unable to reach/find mail server."));
    EXPECT_EQ(mail.checker.MailIcon(), MailImage::UnknownMailImage);
}

// Replies cut anywhere, or several in one arrival, give the same dialogue; a close by the server
// ends the check with the icon at unknown.
TEST(MailChecker, RepliesAreTakenLineByLineAndAServerCloseEndsTheCheck) {
    ScriptedServer server;
    MailFakeHost host("127.0.0.1", "bob");
    host.settings().UserPass = "pw";
    Checker mail(host, server.Port());
    mail.checker.StartMailCheck();
    EXPECT_FALSE(mail.checker.MenuMail_CheckEnabled());
    ASSERT_TRUE(server.WaitForConnections(1));
    ASSERT_TRUE(WaitUntil([&] { return mail.checker.Next2Receive() == GreetingAwaited; }));
    EXPECT_EQ(mail.icons, std::vector{MailImage::CheckMailImage});

    server.Send("+O");
    server.Send("K ready\r");
    server.Send("\n+OK\r\n");
    ASSERT_TRUE(server.WaitForReceived("PASS pw\r\n"));
    EXPECT_EQ(server.Received(), "USER bob\r\nPASS pw\r\n");

    server.CloseClient();
    ASSERT_TRUE(WaitUntil([&] { return mail.checker.MenuMail_CheckEnabled(); }));
    EXPECT_EQ(mail.icons, (std::vector{MailImage::CheckMailImage, MailImage::UnknownMailImage}));
    EXPECT_TRUE(host.printed.empty());
}

// A server that accepts and never answers ends the check after the timeout, closed; that the
// next check starts over is the dovecot session's.
TEST(MailChecker, ASilentServerIsGivenUpAndClosed) {
    ScriptedServer server;
    MailFakeHost host("127.0.0.1", "bob");
    Checker mail(host, server.Port(), 1500);
    ASSERT_TRUE(mail.Run());
    EXPECT_EQ(host.printed, MailError("Mail Error: No answer from the mail server!"));
    EXPECT_EQ(mail.icons, (std::vector{MailImage::CheckMailImage, MailImage::UnknownMailImage}));
    EXPECT_TRUE(WaitUntil([&] { return server.ClientClosed(0); }));
}

TEST(MailPrefsDialog, ShowsTheSettingsAndStoresThemOnlyOnOk) {
    MailFakeHost host;
    core::Settings& settings = host.settings();
    settings.MailServer = "pop.example.net";
    settings.UserName = "bob";
    settings.UserPass = "pw";
    settings.CheckMail = false;
    settings.Sound2Play = "SOUNDS\\ding.wav";
    MailPrefsDialog dialog(host, host);
    EXPECT_EQ(dialog.windowTitle(), "Mail Preferences");
    EXPECT_EQ(korbi::testing::Texts(dialog, {"Text1", "Text2", "Text3", "Text5"}),
              (QStringList{"pop.example.net", "bob", "pw", "SOUNDS\\ding.wav"}));
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("Check1")->isChecked());

    dialog.findChild<QLineEdit*>("Text1")->setText("other.example.net");
    dialog.findChild<QPushButton*>("Command2")->click();
    EXPECT_EQ(settings.MailServer, "pop.example.net");

    dialog.show();
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Text1")->text(), "pop.example.net")
        << "reopened with the settings";
    korbi::testing::Type(dialog, {{"Text1", "mail.example.org"},
                                  {"Text2", "carol"},
                                  {"Text3", "s3cret"},
                                  {"Text5", "sounds\\horn.wav"}});
    dialog.findChild<QCheckBox*>("Check1")->setChecked(true);
    dialog.findChild<QPushButton*>("Command3")->click();
    EXPECT_EQ(host.sounds, std::vector<std::string>{"sounds\\horn.wav"});
    EXPECT_EQ(settings.Sound2Play, "SOUNDS\\ding.wav") << "Test stores nothing";

    dialog.findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(settings.MailServer + "|" + settings.UserName + "|" + settings.UserPass + "|" +
                  settings.Sound2Play,
              "mail.example.org|carol|s3cret|sounds\\horn.wav");
    EXPECT_TRUE(settings.CheckMail);

    dialog.findChild<QLineEdit*>("Text5")->setText("SOUNDS\\missing.wav");
    dialog.findChild<QPushButton*>("Command3")->click();
    EXPECT_EQ(host.sounds.size(), 1u);
}

} // namespace
} // namespace korbi::mail
