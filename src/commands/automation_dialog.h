#pragma once
// Form4, "Automation": the CTCP flood-protection level and the commands run after connecting.
// Only OK stores them.
#include "core/settings.h"
#include "ui/form_dialog.h"

#include <cstddef>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;

namespace korbi::commands {

// The execute-on-connect table keeps its last slot empty, since a table ends at its first empty
// slot.
inline constexpr std::size_t kMaxExecOnConnect = core::kCommandTableSlots - 1;

class AutomationDialog : public ui::FormDialog {
    Q_OBJECT
  public:
    static constexpr int kMinFloodLevel = 1;
    static constexpr int kMaxFloodLevel = 20;

    // settings must outlive the dialog; FloodProtDelay and ExecOnConnect change on OK only.
    explicit AutomationDialog(core::Settings& settings, QWidget* parent = nullptr);

    // The non-empty execute-on-connect entries into List3, the flood level into Slider1.
    void Form_Load() override;
    // The description of Slider1's level into the label.
    void ChangeFloodText();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool AddCmd_Click();
    void Command2_Click();

    core::Settings& m_settings;
    QGroupBox* m_floodFrame;
    QSlider* m_Slider1;
    QLabel* m_floodLabel;
    QGroupBox* m_commandFrame;
    QListWidget* m_List3;
    QLineEdit* m_Text2;
    QPushButton* m_AddCmd;
    QPushButton* m_RemCmd;
    QPushButton* m_Command2;
    QPushButton* m_Command1;
};

} // namespace korbi::commands
