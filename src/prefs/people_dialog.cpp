#include "prefs/people_dialog.h"

#include "irc/message_parsing.h"
#include "platform/text_values.h"
#include "ui/dialog_fields.h"
#include "ui/dialog_layout.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace korbi::prefs {

namespace {

QListWidget* MakeList(const char* name) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return list;
}

QLineEdit* MakeText(const char* name) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    return box;
}

// Adds the field's text to the list and empties the field for the next entry. An entry already
// listed (nicks and masks compare without regard to case) is not added twice: it is selected,
// so the user sees it is there.
void AddNewEntry(QListWidget& list, QLineEdit& box) {
    const std::string entry = ui::FieldBytes(box);
    if (entry.empty()) {
        return;
    }
    box.clear();
    for (int row = 0; row < list.count(); ++row) {
        if (platform::EqualsNoCase(ui::ItemBytes(*list.item(row)), entry)) {
            list.setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
            return;
        }
    }
    list.addItem(ui::MakeByteItem(entry));
}

} // namespace

std::vector<std::string> BlankLedEntries(const std::string& list) {
    std::vector<std::string> entries;
    const long count = irc::GetNumWords(list);
    for (long i = 2; i <= count; ++i) {
        entries.push_back(irc::GetWord(i, list));
    }
    return entries;
}

std::string BlankLedList(const std::vector<std::string>& entries) {
    std::string list;
    for (const std::string& entry : entries) {
        list += " " + entry;
    }
    return list;
}

PeopleDialog::PeopleDialog(core::Settings& settings, QWidget* parent)
    : ui::FormDialog(parent), m_settings(settings), m_tabs(new QTabWidget(this)),
      m_NotifyList(MakeList("NotifyList")), m_text1(MakeText("text1")),
      m_AddNotify(MakeButton("Add", "AddNotify", this)),
      m_RemoveNotify(MakeButton("Remove", "RemoveNotify", this)), m_List1(MakeList("List1")),
      m_Text2(MakeText("Text2")), m_Command4(MakeButton("Add", "Command4", this)),
      m_Command3(MakeButton("Remove", "Command3", this)),
      m_Check1(new QCheckBox("Notice when ignored user tries to contact you.")),
      m_Command1(MakeButton("OK", "Command1", this)),
      m_Command2(MakeButton("Cancel", "Command2", this)) {
    setObjectName("Form5");
    setWindowTitle("People");
    m_Check1->setObjectName("Check1");
    m_tabs->setObjectName("Tabs");

    m_tabs->addTab(BuildPage(m_NotifyList, m_text1, m_AddNotify, m_RemoveNotify), "Friends");
    QWidget* ignores = BuildPage(m_List1, m_Text2, m_Command4, m_Command3);
    static_cast<QVBoxLayout*>(ignores->layout())->addWidget(m_Check1);
    m_tabs->addTab(ignores, "Ignores");

    ui::LayOutTabsAndButtons(*this, m_tabs, m_Command1, m_Command2, 340, 340);

    connect(m_Command1, &QPushButton::clicked, this, &PeopleDialog::Command1_Click);
    connect(m_Command2, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

QWidget* PeopleDialog::BuildPage(QListWidget* list, QLineEdit* box, QPushButton* add,
                                 QPushButton* remove) {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout;
    row->addWidget(box, 1);
    row->addWidget(add);
    row->addWidget(remove);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(list, 1);
    layout->addLayout(row);

    connect(add, &QPushButton::clicked, this, [list, box] { AddNewEntry(*list, *box); });
    connect(remove, &QPushButton::clicked, this, [list] { ui::RemoveSelected(*list); });
    connect(list, &QListWidget::itemClicked, this, [list, box](QListWidgetItem* item) {
        ui::CopyEntryToField(*list, list->row(item), *box);
    });
    OnEnter(box, [list, box] { AddNewEntry(*list, *box); });
    return page;
}

void PeopleDialog::Form_Load() {
    ui::FillList(*m_NotifyList, BlankLedEntries(m_settings.Notifys));
    ui::FillList(*m_List1, BlankLedEntries(m_settings.Silences));
    m_Check1->setChecked(m_settings.DisplayIgnores);
}

void PeopleDialog::Command1_Click() {
    m_settings.Notifys = BlankLedList(ui::ListBytes(*m_NotifyList));
    m_settings.Silences = BlankLedList(ui::ListBytes(*m_List1));
    m_settings.DisplayIgnores = m_Check1->isChecked();
    accept();
}

} // namespace korbi::prefs
