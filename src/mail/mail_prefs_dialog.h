#pragma once
// "Mail Preferences": the POP3 server, the account, the periodic check and the new-mail sound.
// The settings change only on "OK"; storing does not start a check.
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace korbi::core {
class Media;
class SettingsAccess;
} // namespace korbi::core

namespace korbi::mail {

class MailPrefsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit MailPrefsDialog(core::Media& media, core::SettingsAccess& config,
                             QWidget* parent = nullptr);

    // Shows the current settings in the controls; runs each time the dialog is opened.
    void Form_Load();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Command1_Click();
    void Command3_Click();

    core::Media& m_media;
    core::SettingsAccess& m_config;
    QLineEdit* m_text1;
    QLineEdit* m_text2;
    QLineEdit* m_text3;
    QCheckBox* m_check1;
    QLineEdit* m_text5;
    QPushButton* m_command1;
    QPushButton* m_command2;
    QPushButton* m_command3;
};

} // namespace korbi::mail
