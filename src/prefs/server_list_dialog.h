#pragma once
// EdServList, "Edit Server List": edits the entries of the server window's server box. The port
// is not edited here; the list reaches the preferences file when the program ends.
#include "ui/form_dialog.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace korbi::prefs {

class ServerListDialog : public ui::FormDialog {
    Q_OBJECT
  public:
    // ServerName is the server window's server box; it must outlive the dialog and changes on
    // OK only.
    explicit ServerListDialog(QComboBox& ServerName, QWidget* parent = nullptr);

    void Form_Load() override;

  private:
    void Command1_Click();
    void Command3_Click();

    QComboBox& m_ServerName;
    QGroupBox* m_frame;
    QListWidget* m_List1;
    QLineEdit* m_Text1;
    QPushButton* m_Command1;
    QPushButton* m_Command2;
    QPushButton* m_Command3;
    QPushButton* m_Command4;
};

} // namespace korbi::prefs
