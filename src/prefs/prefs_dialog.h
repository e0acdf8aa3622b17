#pragma once
// PrefsForm, "Preferences": the picture names, the logging flags, the font, the nick style,
// the extra title text, the extra join/part/quit information, nick completion, whether
// closing hides the frame in the tray, and in its own tab the reading of the panes.
#include "core/settings.h"
#include "ui/form_dialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace korbi::prefs {

class ReadingTab;

class PrefsDialog : public ui::FormDialog {
    Q_OBJECT
  public:
    // settings must outlive the dialog; they change on OK only.
    explicit PrefsDialog(core::Settings& settings, QWidget* parent = nullptr);

    void Form_Load() override;

  signals:
    // OK stored a TitleBarText: the frame takes this title, made as at start-up.
    void TitleChanged(const QString& title);

  private:
    void Command2_Click();

    core::Settings& m_settings;
    QTabWidget* m_tabs;
    QGroupBox* m_pictFrame;
    QGroupBox* m_logFrame;
    QLineEdit* m_Text1;
    QLineEdit* m_Text2;
    QLineEdit* m_Text3;
    QCheckBox* m_Check1;
    QCheckBox* m_Check2;
    QCheckBox* m_Check3;
    QComboBox* m_Combo1;
    QComboBox* m_Combo2;
    QLineEdit* m_Text4;
    QCheckBox* m_Check4;
    QCheckBox* m_nickCompletion;
    QCheckBox* m_CloseToTray;
    ReadingTab* m_reading;
    QPushButton* m_Command2;
    QPushButton* m_Command1;
};

} // namespace korbi::prefs
