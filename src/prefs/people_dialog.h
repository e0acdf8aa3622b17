#pragma once
// Form5, "People": the nicks the notify watch looks for, the ignore masks, and whether to be
// told when an ignored user tries to make contact.
#include "core/settings.h"
#include "ui/form_dialog.h"

#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace korbi::prefs {

// The entries of a blank-led list (" nick1 nick2"): words 2 onwards.
std::vector<std::string> BlankLedEntries(const std::string& list);
// The blank-led list of entries: each one preceded by one blank; "" for none.
std::string BlankLedList(const std::vector<std::string>& entries);

class PeopleDialog : public ui::FormDialog {
    Q_OBJECT
  public:
    // settings must outlive the dialog; Notifys, Silences and DisplayIgnores change on OK only.
    explicit PeopleDialog(core::Settings& settings, QWidget* parent = nullptr);

    void Form_Load() override;

  private:
    QWidget* BuildPage(QListWidget* list, QLineEdit* box, QPushButton* add, QPushButton* remove);
    void Command1_Click();

    core::Settings& m_settings;
    QTabWidget* m_tabs;
    QListWidget* m_NotifyList;
    QLineEdit* m_text1;
    QPushButton* m_AddNotify;
    QPushButton* m_RemoveNotify;
    QListWidget* m_List1;
    QLineEdit* m_Text2;
    QPushButton* m_Command4;
    QPushButton* m_Command3;
    QCheckBox* m_Check1;
    QPushButton* m_Command1;
    QPushButton* m_Command2;
};

} // namespace korbi::prefs
