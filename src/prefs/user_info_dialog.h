#pragma once
// Form3, "Personnal Info": the nick, backup nick, real name and user name, the three user
// modes, and the login (SASL account, password, client certificate file). While connected a new
// nick is asked of the server rather than set, and the modes are set on the server again.
#include "ui/form_dialog.h"

#include <array>
#include <utility>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace korbi::core {
class ServerLink;
class CommandRunner;
class SettingsAccess;
} // namespace korbi::core

namespace korbi::prefs {

class UserInfoDialog : public ui::FormDialog {
    Q_OBJECT
  public:
    // The roles must outlive the dialog: its settings are shown and changed, its connection used.
    explicit UserInfoDialog(core::ServerLink& link, core::CommandRunner& runner,
                            core::SettingsAccess& config, QWidget* parent = nullptr);

    void Form_Load() override;

    // Says why OK did not close the dialog; hidden otherwise.

  private:
    void Command2_Click();
    // False, with the reason shown and the field in focus, when a nick cannot be used.
    bool NicksUsable();

    core::ServerLink& m_link;
    core::CommandRunner& m_runner;
    core::SettingsAccess& m_config;
    QTabWidget* m_tabs;
    QLineEdit* m_NickText;
    QLineEdit* m_Text1;
    QLineEdit* m_RealText;
    QLineEdit* m_EMailText;
    QCheckBox* m_Check1;
    QCheckBox* m_Check2;
    QCheckBox* m_Check3;
    // The login fields, each with its line of the settings' extra section.
    std::array<std::pair<QLineEdit*, const char*>, 3> m_login;
    QLabel* m_Warning;
    QPushButton* m_Command2;
    QPushButton* m_Command1;
};

} // namespace korbi::prefs
