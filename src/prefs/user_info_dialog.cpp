#include "prefs/user_info_dialog.h"

#include "core/command_runner.h"
#include "core/server_link.h"
#include "core/settings_access.h"
#include "platform/text_values.h"
#include "ui/dialog_fields.h"
#include "ui/dialog_layout.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace korbi::prefs {

namespace {

constexpr int kConnected = 7;

// A nick goes into protocol lines as one word: an empty one or one with a blank (or a control
// character) would make lines the server cannot read ("NICK ", "MODE  +").
bool UsableNick(const std::string& nick) {
    return !nick.empty() && std::none_of(nick.begin(), nick.end(), [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == '\x7f';
    });
}

} // namespace

UserInfoDialog::UserInfoDialog(core::ServerLink& link, core::CommandRunner& runner,
                               core::SettingsAccess& config, QWidget* parent)
    : ui::FormDialog(parent), m_link(link), m_runner(runner), m_config(config),
      m_tabs(new QTabWidget(this)), m_NickText(new QLineEdit), m_Text1(new QLineEdit),
      m_RealText(new QLineEdit), m_EMailText(new QLineEdit),
      m_Check1(new QCheckBox("Receive WallOps Messages")),
      m_Check2(new QCheckBox("Receive Server Messages")),
      m_Check3(new QCheckBox("Invisible on Server")), m_login{{{new QLineEdit, "SaslAccount"},
                                                               {new QLineEdit, "SaslPassword"},
                                                               {new QLineEdit,
                                                                "ClientCertificate"}}},
      m_Warning(new QLabel), m_Command2(MakeButton("OK", "Command2", this)),
      m_Command1(MakeButton("Cancel", "Command1", this)) {
    setObjectName("Form3");
    m_tabs->setObjectName("Tabs");
    setWindowTitle("Personnal Info");
    m_NickText->setObjectName("NickText");
    m_Text1->setObjectName("Text1");
    m_RealText->setObjectName("RealText");
    m_EMailText->setObjectName("EMailText");
    m_Check1->setObjectName("Check1");
    m_Check2->setObjectName("Check2");
    m_Check3->setObjectName("Check3");

    auto* ircInfo = new QWidget;
    auto* fields = new QFormLayout(ircInfo);
    fields->addRow("Nick:", m_NickText);
    fields->addRow("Backup Nick:", m_Text1);
    fields->addRow("Real Name:", m_RealText);
    fields->addRow("User Name:", m_EMailText);
    m_Warning->setObjectName("Warning");
    m_Warning->setStyleSheet("color: #c00000;");
    m_Warning->setWordWrap(true);
    m_Warning->hide();
    fields->addRow(m_Warning);
    m_tabs->addTab(ircInfo, "IRC Info");

    auto* clientMode = new QWidget;
    auto* modes = new QVBoxLayout(clientMode);
    modes->addWidget(m_Check1);
    modes->addWidget(m_Check2);
    modes->addWidget(m_Check3);
    modes->addStretch();
    m_tabs->addTab(clientMode, "Client Mode");

    auto* loginTab = new QWidget;
    auto* login = new QFormLayout(loginTab);
    const char* labels[] = {"Account:", "Password:", "Certificate file:"};
    for (std::size_t i = 0; i < m_login.size(); ++i) {
        m_login[i].first->setObjectName(m_login[i].second);
        login->addRow(labels[i], m_login[i].first);
    }
    m_login[1].first->setEchoMode(QLineEdit::Password);
    auto* note = new QLabel("The password is sent only over TLS (a port written +6697) or to "
                            "this machine. A certificate file (PEM, with its key) logs in "
                            "instead when the server takes it.");
    note->setWordWrap(true);
    login->addRow(note);
    m_tabs->addTab(loginTab, "Login");

    ui::LayOutTabsAndButtons(*this, m_tabs, m_Command2, m_Command1, 360, 220);

    connect(m_Command2, &QPushButton::clicked, this, &UserInfoDialog::Command2_Click);
    connect(m_Command1, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void UserInfoDialog::Form_Load() {
    const core::Settings& settings = m_config.settings();
    ui::SetFieldBytes(*m_NickText, settings.NickName);
    ui::SetFieldBytes(*m_Text1, settings.BackName);
    ui::SetFieldBytes(*m_RealText, settings.RealName);
    ui::SetFieldBytes(*m_EMailText, settings.MyUserName);
    m_Check1->setChecked(settings.ClientW);
    m_Check2->setChecked(settings.ClientS);
    m_Check3->setChecked(settings.ClientI);
    for (const auto& [field, name] : m_login) {
        ui::SetFieldBytes(*field, settings.Extras.Value(name).value_or(""));
    }
    m_Warning->hide();
}

bool UserInfoDialog::NicksUsable() {
    const std::pair<QLineEdit*, const char*> nicks[] = {
        {m_NickText, "The nick cannot be empty or contain blanks."},
        {m_Text1, "The backup nick cannot be empty or contain blanks."},
    };
    for (const auto& [field, problem] : nicks) {
        if (!UsableNick(ui::FieldBytes(*field))) {
            m_Warning->setText(problem);
            m_Warning->show();
            m_tabs->setCurrentIndex(0);
            field->setFocus();
            field->selectAll();
            return false;
        }
    }
    m_Warning->hide();
    return true;
}

void UserInfoDialog::Command2_Click() {
    if (!NicksUsable()) {
        return;
    }
    core::Settings& settings = m_config.settings();
    const bool connected = m_link.SocketState() == kConnected;
    const std::string nick = ui::FieldBytes(*m_NickText);
    // While connected the nick changes when the server confirms it.
    if (connected && !platform::EqualsNoCase(nick, settings.NickName)) {
        m_link.Send2Serv("NICK " + nick);
    } else {
        settings.NickName = nick;
    }
    settings.RealName = ui::FieldBytes(*m_RealText);
    settings.MyUserName = ui::FieldBytes(*m_EMailText);
    settings.BackName = ui::FieldBytes(*m_Text1);
    settings.ClientW = m_Check1->isChecked();
    settings.ClientS = m_Check2->isChecked();
    settings.ClientI = m_Check3->isChecked();
    for (const auto& [field, name] : m_login) {
        const std::string value = ui::FieldBytes(*field);
        if (value.empty()) {
            settings.Extras.Remove(name);
        } else {
            settings.Extras.SetValue(name, value);
        }
    }

    if (connected) {
        std::string modes;
        if (settings.ClientW) {
            modes += "w";
        }
        if (settings.ClientS) {
            modes += "s";
        }
        if (settings.ClientI) {
            modes += "i";
        }
        // The server reads these after the NICK above, so they name the new nick: the old one
        // would be gone by then.
        m_runner.SendCommand2Serv("/MODE " + nick + " -wsi");
        m_runner.SendCommand2Serv("/MODE " + nick + " +" + modes);
    }
    accept();
}

} // namespace korbi::prefs
