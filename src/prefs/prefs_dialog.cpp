#include "prefs/prefs_dialog.h"

#include "panes/nick_completion.h"
#include "prefs/reading_tab.h"
#include "ui/dialog_fields.h"
#include "ui/dialog_layout.h"
#include "ui/frame_title.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace korbi::prefs {

namespace {

QLineEdit* MakeText(const char* name) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    return box;
}

QCheckBox* MakeCheck(const QString& caption, const char* name) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    return box;
}

QComboBox* MakeCombo(const QStringList& entries, const char* name) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->addItems(entries);
    return box;
}

// A label above its field, as the long picture captions need the whole width.
void AddLabelled(QVBoxLayout& layout, const QString& caption, QWidget* field) {
    auto* label = new QLabel(caption);
    label->setBuddy(field);
    layout.addWidget(label);
    layout.addWidget(field);
}

// A stored index outside the entries selects nothing; OK then keeps the stored number.
void SelectIndex(QComboBox& box, int index) {
    box.setCurrentIndex(index >= 0 && index < box.count() ? index : -1);
}

int SelectedIndex(const QComboBox& box, int stored) {
    return box.currentIndex() >= 0 ? box.currentIndex() : stored;
}

} // namespace

PrefsDialog::PrefsDialog(core::Settings& settings, QWidget* parent)
    : ui::FormDialog(parent), m_settings(settings), m_tabs(new QTabWidget(this)),
      m_pictFrame(new QGroupBox("PICTs Preferences")), m_logFrame(new QGroupBox("Logs")),
      m_Text1(MakeText("Text1")), m_Text2(MakeText("Text2")), m_Text3(MakeText("Text3")),
      m_Check1(MakeCheck("Log Server", "Check1")), m_Check2(MakeCheck("Log Channels", "Check2")),
      m_Check3(MakeCheck("Log Private Chats", "Check3")),
      m_Combo1(MakeCombo({"Arial", "Courrier", "FixedSys"}, "Combo1")),
      m_Combo2(MakeCombo({"nick ->", "<nick>", "nick:"}, "Combo2")), m_Text4(MakeText("Text4")),
      m_Check4(MakeCheck("Show extra info on Join, Part and Quit", "Check4")),
      m_nickCompletion(MakeCheck("Complete nicks with Tab", "NickCompletion")),
      m_CloseToTray(MakeCheck("Close button hides the window in the tray", "CloseToTray")),
      m_reading(new ReadingTab), m_Command2(MakeButton("OK", "Command2", this)),
      m_Command1(MakeButton("Cancel", "Command1", this)) {
    setObjectName("PrefsForm");
    m_tabs->setObjectName("Tabs");
    m_pictFrame->setObjectName("PictFrame");
    m_logFrame->setObjectName("LogFrame");
    setWindowTitle("Preferences");

    auto* pictures = new QVBoxLayout(m_pictFrame);
    AddLabelled(*pictures, "Photo Pict (use this picture as your $photo) :", m_Text1);
    AddLabelled(*pictures,
                "Default Pict (always use this pict if you don'T do any /pict :", m_Text2);
    AddLabelled(*pictures,
                "Other's default pict. Display this is pict if other users talk without any "
                "/pict  :",
                m_Text3);
    pictures->addStretch();
    auto* pictureTab = new QWidget;
    (new QVBoxLayout(pictureTab))->addWidget(m_pictFrame);
    m_tabs->addTab(pictureTab, "Picture");

    auto* logs = new QVBoxLayout(m_logFrame);
    logs->addWidget(m_Check1);
    logs->addWidget(m_Check2);
    logs->addWidget(m_Check3);
    logs->addStretch();
    auto* loggingTab = new QWidget;
    (new QVBoxLayout(loggingTab))->addWidget(m_logFrame);
    m_tabs->addTab(loggingTab, "Logging");

    auto* displayTab = new QWidget;
    auto* display = new QFormLayout(displayTab);
    display->addRow("Font to use:", m_Combo1);
    display->addRow("Nick Show:", m_Combo2);
    display->addRow("Extra Title Bar Text:", m_Text4);
    display->addRow(m_Check4);
    display->addRow(m_nickCompletion);
    display->addRow(m_CloseToTray);
    m_tabs->addTab(displayTab, "Display");
    m_tabs->addTab(m_reading, "Reading");

    ui::LayOutTabsAndButtons(*this, m_tabs, m_Command2, m_Command1, 460, 280);

    connect(m_Command2, &QPushButton::clicked, this, &PrefsDialog::Command2_Click);
    connect(m_Command1, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void PrefsDialog::Form_Load() {
    ui::SetFieldBytes(*m_Text1, m_settings.PhotoPict);
    ui::SetFieldBytes(*m_Text2, m_settings.YourDefaultPict);
    ui::SetFieldBytes(*m_Text3, m_settings.OtherDefaultPict);
    m_Check1->setChecked(m_settings.LogServer);
    m_Check2->setChecked(m_settings.LogChan);
    m_Check3->setChecked(m_settings.LogPrivChat);
    SelectIndex(*m_Combo1, m_settings.Font2Use);
    SelectIndex(*m_Combo2, m_settings.NickStyle);
    ui::SetFieldBytes(*m_Text4, m_settings.TitleBarText);
    m_Check4->setChecked(m_settings.ShowAddress);
    m_nickCompletion->setChecked(m_settings.Extras.Flag(panes::kNickCompletionSetting, true));
    m_CloseToTray->setChecked(m_settings.Extras.Flag(core::kCloseToTray, false));
    m_reading->Load(m_settings.Extras);
}

void PrefsDialog::Command2_Click() {
    m_settings.PhotoPict = ui::FieldBytes(*m_Text1);
    m_settings.YourDefaultPict = ui::FieldBytes(*m_Text2);
    m_settings.OtherDefaultPict = ui::FieldBytes(*m_Text3);
    m_settings.TitleBarText = ui::FieldBytes(*m_Text4);
    m_settings.LogServer = m_Check1->isChecked();
    m_settings.LogChan = m_Check2->isChecked();
    m_settings.LogPrivChat = m_Check3->isChecked();
    m_settings.ShowAddress = m_Check4->isChecked();
    // The file gains the line only once the user changes the default.
    if (m_nickCompletion->isChecked() !=
        m_settings.Extras.Flag(panes::kNickCompletionSetting, true)) {
        m_settings.Extras.SetFlag(panes::kNickCompletionSetting, m_nickCompletion->isChecked());
    }
    // A file whose user never changed the setting keeps no line for it.
    if (m_CloseToTray->isChecked() != m_settings.Extras.Flag(core::kCloseToTray, false)) {
        m_settings.Extras.SetFlag(core::kCloseToTray, m_CloseToTray->isChecked());
    }
    m_reading->Store(m_settings.Extras);
    m_settings.Font2Use = SelectedIndex(*m_Combo1, m_settings.Font2Use);
    m_settings.NickStyle = SelectedIndex(*m_Combo2, m_settings.NickStyle);
    emit TitleChanged(ui::FrameTitle(m_settings.TitleBarText));
    accept();
}

} // namespace korbi::prefs
