#include "commands/automation_dialog.h"

#include "commands/editor_keys.h"
#include "commands/flood_protection.h"
#include "commands/table_lists.h"
#include "platform/text_encoding.h"
#include "ui/dialog_fields.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace korbi::commands {

AutomationDialog::AutomationDialog(core::Settings& settings, QWidget* parent)
    : FormDialog(parent), m_settings(settings),
      m_floodFrame(new QGroupBox("Flood Protection", this)),
      m_Slider1(new QSlider(Qt::Horizontal, m_floodFrame)), m_floodLabel(new QLabel(m_floodFrame)),
      m_commandFrame(new QGroupBox("Execute On Connect", this)),
      m_List3(new QListWidget(m_commandFrame)), m_Text2(new QLineEdit(m_commandFrame)),
      m_AddCmd(MakeButton("Add", "AddCmd", m_commandFrame)),
      m_RemCmd(MakeButton("Remove", "RemCmd", m_commandFrame)),
      m_Command2(MakeButton("OK", "Command2", this)),
      m_Command1(MakeButton("Cancel", "Command1", this)) {
    setObjectName("Form4");
    setWindowTitle("Automation");
    m_Slider1->setObjectName("Slider1");
    m_Slider1->setRange(kMinFloodLevel, kMaxFloodLevel);
    m_Slider1->setPageStep(1);
    m_Slider1->setTickPosition(QSlider::TicksBelow);
    m_Slider1->setTickInterval(1);
    m_floodLabel->setObjectName("Label1");
    m_floodLabel->setAlignment(Qt::AlignCenter);
    // Two lines at most: keep the room for both so the dialog does not jump.
    m_floodLabel->setMinimumHeight(2 * m_floodLabel->fontMetrics().lineSpacing() + 4);
    m_List3->setObjectName("List3");
    m_List3->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_Text2->setObjectName("Text2");
    m_Text2->installEventFilter(this);

    auto* floodLayout = new QVBoxLayout(m_floodFrame);
    floodLayout->addWidget(m_Slider1);
    floodLayout->addWidget(m_floodLabel);

    auto* row = new QHBoxLayout;
    row->addWidget(m_Text2, 1);
    row->addWidget(m_AddCmd);
    row->addWidget(m_RemCmd);
    auto* commandLayout = new QVBoxLayout(m_commandFrame);
    commandLayout->addWidget(m_List3, 1);
    commandLayout->addLayout(row);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_Command2);
    buttons->addWidget(m_Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_floodFrame);
    layout->addWidget(m_commandFrame, 1);
    layout->addLayout(buttons);
    resize(420, 380);

    connect(m_Slider1, &QSlider::valueChanged, this, &AutomationDialog::ChangeFloodText);
    connect(m_AddCmd, &QPushButton::clicked, this, &AutomationDialog::AddCmd_Click);
    connect(m_RemCmd, &QPushButton::clicked, this, [this] { ui::RemoveSelected(*m_List3); });
    connect(m_Command2, &QPushButton::clicked, this, &AutomationDialog::Command2_Click);
    connect(m_Command1, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void AutomationDialog::Form_Load() {
    ui::FillList(*m_List3, ListFromTable(m_settings.ExecOnConnect));
    const QSignalBlocker blocker(m_Slider1);
    m_Slider1->setValue(m_settings.FloodProtDelay);
    ChangeFloodText();
}

void AutomationDialog::ChangeFloodText() {
    // The description separates its lines by CR.
    QString text = platform::BytesToScreen(commands::ChangeFloodText(m_Slider1->value()));
    m_floodLabel->setText(text.replace('\r', '\n'));
}

bool AutomationDialog::AddCmd_Click() {
    if (m_Text2->text().isEmpty()) {
        return false;
    }
    if (static_cast<std::size_t>(m_List3->count()) >= kMaxExecOnConnect) {
        // The table could not keep another command.
        QApplication::beep();
        return false;
    }
    return ui::AddFieldToList(*m_List3, *m_Text2);
}

void AutomationDialog::Command2_Click() {
    StoreListInTable(ui::ListBytes(*m_List3), m_settings.ExecOnConnect, kMaxExecOnConnect);
    m_settings.FloodProtDelay = m_Slider1->value();
    accept();
}

bool AutomationDialog::eventFilter(QObject* watched, QEvent* event) {
    const bool isKey =
        event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (watched != m_Text2 || !isKey) {
        return FormDialog::eventFilter(watched, event);
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const char code = FormattingCode(key);
    if (code == 0 && !IsEnter(key)) {
        return FormDialog::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Claim the key, so that no shortcut takes it from the text box.
        event->accept();
        return true;
    }
    if (code != 0) {
        m_Text2->insert(QString(QChar(code)));
    } else if (AddCmd_Click()) {
        m_Text2->clear();
    }
    return true;
}

} // namespace korbi::commands
