#include "mail/mail_prefs_dialog.h"

#include "core/media.h"
#include "core/settings_access.h"
#include "platform/text_encoding.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <utility>

namespace korbi::mail {

namespace {

QString Screen(const std::string& bytes) {
    return platform::BytesToScreen(bytes);
}

} // namespace

MailPrefsDialog::MailPrefsDialog(core::Media& media, core::SettingsAccess& config, QWidget* parent)
    : QDialog(parent), m_media(media), m_config(config), m_text1(new QLineEdit(this)),
      m_text2(new QLineEdit(this)), m_text3(new QLineEdit(this)),
      m_check1(new QCheckBox("Enable Periodic Check", this)),
      m_text5(new QLineEdit("SOUNDS\\HORN.WAV", this)), m_command1(new QPushButton("OK", this)),
      m_command2(new QPushButton("Cancel", this)), m_command3(new QPushButton("Test", this)) {
    setWindowTitle("Mail Preferences");
    for (const auto& [control, name] : {std::pair<QWidget*, const char*>{m_text1, "Text1"},
                                        {m_text2, "Text2"},
                                        {m_text3, "Text3"},
                                        {m_check1, "Check1"},
                                        {m_text5, "Text5"},
                                        {m_command1, "Command1"},
                                        {m_command2, "Command2"},
                                        {m_command3, "Command3"}}) {
        control->setObjectName(name);
    }
    // The password is kept in the clear in the preferences file, but need not show on screen.
    m_text3->setEchoMode(QLineEdit::Password);

    auto* server = new QGroupBox("Mail Server", this);
    auto* serverLayout = new QFormLayout(server);
    serverLayout->addRow("POP3 Mail Server", m_text1);
    serverLayout->addRow("Email User Name", m_text2);
    serverLayout->addRow("Email Password ", m_text3);

    auto* checking = new QGroupBox("Mail Checking", this);
    auto* checkingLayout = new QVBoxLayout(checking);
    checkingLayout->addWidget(m_check1);
    checkingLayout->addWidget(new QLabel("When new mail is found, play this file:", checking));
    auto* soundRow = new QHBoxLayout;
    soundRow->addWidget(m_text5);
    soundRow->addWidget(m_command3);
    checkingLayout->addLayout(soundRow);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(server);
    layout->addWidget(checking);
    layout->addLayout(buttons);

    m_command1->setDefault(true);
    connect(m_command1, &QPushButton::clicked, this, &MailPrefsDialog::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_command3, &QPushButton::clicked, this, &MailPrefsDialog::Command3_Click);
    Form_Load();
}

void MailPrefsDialog::Form_Load() {
    const core::Settings& settings = m_config.settings();
    m_text1->setText(Screen(settings.MailServer));
    m_text2->setText(Screen(settings.UserName));
    m_text3->setText(Screen(settings.UserPass));
    m_check1->setChecked(settings.CheckMail);
    m_text5->setText(Screen(settings.Sound2Play));
}

void MailPrefsDialog::showEvent(QShowEvent* event) {
    // Reopened after OK or Cancel: show the settings as they are now.
    if (!event->spontaneous()) {
        Form_Load();
    }
    QDialog::showEvent(event);
}

void MailPrefsDialog::Command1_Click() {
    core::Settings& settings = m_config.settings();
    settings.MailServer = platform::ScreenToBytes(m_text1->text());
    settings.UserName = platform::ScreenToBytes(m_text2->text());
    settings.UserPass = platform::ScreenToBytes(m_text3->text());
    settings.CheckMail = m_check1->isChecked();
    settings.Sound2Play = platform::ScreenToBytes(m_text5->text());
    accept();
}

void MailPrefsDialog::Command3_Click() {
    const std::string sound = platform::ScreenToBytes(m_text5->text());
    if (m_media.CheckFileExist(sound)) {
        m_media.PlaySound(sound);
    }
}

} // namespace korbi::mail
