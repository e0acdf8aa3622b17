// The login fields of "Personnal Info" and the preferences file's extra section they go to.
#include "core/prefs_file.h"
#include "prefs/user_info_dialog.h"
#include "support/fake_client.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(UserInfoLogin, FieldsGoToTheExtraSectionAndAnEmptyOneLeavesIt) {
    korbi::testing::FakeClient host;
    korbi::core::Settings& settings = host.settingsValue;
    settings.NickName = "alice";
    settings.BackName = "alice_";
    settings.Extras.SetValue("SaslAccount", "old");
    settings.Extras.SetValue("TrustedCert.irc.example", "AB:CD");
    korbi::prefs::UserInfoDialog dialog(host, host, host);
    auto* account = dialog.findChild<QLineEdit*>("SaslAccount");
    auto* password = dialog.findChild<QLineEdit*>("SaslPassword");
    ASSERT_TRUE(account && password && dialog.findChild<QLineEdit*>("ClientCertificate"));
    EXPECT_EQ(account->text(), "old");
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);

    password->setText("s3cret");
    dialog.findChild<QLineEdit*>("ClientCertificate")->setText("/home/alice/me.pem");
    account->clear();
    dialog.findChild<QPushButton*>("Command2")->click();
    const std::string file = korbi::core::RewrittenPrefsFile(settings);
    EXPECT_TRUE(file.ends_with("[Extras]\r\nTrustedCert.irc.example=AB:CD\r\n"
                               "SaslPassword=s3cret\r\nClientCertificate=/home/alice/me.pem\r\n"))
        << file;
}

} // namespace
