#include "commands/alias_popup_editor.h"

#include "commands/editor_keys.h"
#include "commands/table_lists.h"
#include "platform/text_encoding.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace korbi::commands {

namespace {

constexpr const char* kAliasHelp =
    "Aliases are custom commands that you can define to speed up certain tasks in KorBi. To "
    "define one, the syntax is <aliasname> <command> | <command> ...  (no / needed)";
constexpr const char* kPopupHelp =
    "PopUps are like aliases, but you trigger them using a popup menu by right clicking a nick "
    "name in the nick list. The Syntax is: <PopName> <commands> | <commands> ...";

QListWidgetItem* MakeItem(const std::string& entry) {
    auto* item = new QListWidgetItem(platform::BytesToScreen(entry));
    item->setData(Qt::UserRole, QByteArray::fromStdString(entry));
    return item;
}

} // namespace

AliasPopupEditor::AliasPopupEditor(core::Settings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_tabs(new QTabWidget(this)),
      m_ok(new QPushButton("OK", this)), m_cancel(new QPushButton("Cancel", this)) {
    setObjectName("AlPopForm");
    m_tabs->setObjectName("Tabs");
    setWindowTitle("Alias/Popups");
    m_aliases.limit = kMaxAliases;
    m_popups.limit = kMaxPopups;
    m_tabs->addTab(
        BuildPage(m_aliases, "Aliases", kAliasHelp, "List1", "Text1", "Command1", "Command2"),
        "Aliases");
    m_tabs->addTab(
        BuildPage(m_popups, "Pop Ups", kPopupHelp, "List2", "Text2", "Command5", "Command6"),
        "Pop Ups");

    m_ok->setObjectName("Command3");
    m_cancel->setObjectName("Command4");
    // Enter belongs to the text boxes; no button takes it as the dialog's default.
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &AliasPopupEditor::OK);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);
    resize(500, 380);
    Form_Load();
}

QWidget* AliasPopupEditor::BuildPage(Page& page, const QString& caption, const QString& help,
                                     const char* listName, const char* textName,
                                     const char* addName, const char* removeName) {
    auto* tab = new QWidget;
    page.frame = new QGroupBox(caption, tab);
    page.label = new QLabel(help, page.frame);
    page.label->setWordWrap(true);
    page.list = new QListWidget(page.frame);
    page.list->setObjectName(listName);
    page.list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    page.text = new QLineEdit(page.frame);
    page.text->setObjectName(textName);
    page.text->installEventFilter(this);
    page.add = new QPushButton("Add", page.frame);
    page.add->setObjectName(addName);
    page.add->setAutoDefault(false);
    page.remove = new QPushButton("Remove", page.frame);
    page.remove->setObjectName(removeName);
    page.remove->setAutoDefault(false);

    auto* row = new QHBoxLayout;
    row->addWidget(page.text, 1);
    row->addWidget(page.add);
    row->addWidget(page.remove);
    auto* frameLayout = new QVBoxLayout(page.frame);
    frameLayout->addWidget(page.label);
    frameLayout->addWidget(page.list, 1);
    frameLayout->addLayout(row);
    auto* tabLayout = new QVBoxLayout(tab);
    tabLayout->addWidget(page.frame);

    connect(page.list, &QListWidget::itemClicked, this,
            [this, &page](QListWidgetItem* item) { CopyToTextBox(page, page.list->row(item)); });
    connect(page.list, &QListWidget::currentRowChanged, this,
            [this, &page](int current) { CopyToTextBox(page, current); });
    connect(page.add, &QPushButton::clicked, this, [this, &page] { Add(page); });
    connect(page.remove, &QPushButton::clicked, this, [this, &page] { Remove(page); });
    return tab;
}

void AliasPopupEditor::Form_Load() {
    FillList(m_aliases, ListFromTable(m_settings.AliasTable));
    FillList(m_popups, ListFromTable(m_settings.PopupTable));
}

std::vector<std::string> AliasPopupEditor::ListItems(const QListWidget& list) {
    std::vector<std::string> items;
    for (int row = 0; row < list.count(); ++row) {
        items.push_back(list.item(row)->data(Qt::UserRole).toByteArray().toStdString());
    }
    return items;
}

void AliasPopupEditor::FillList(Page& page, const std::vector<std::string>& entries) {
    const QSignalBlocker blocker(page.list);
    page.list->clear();
    for (const std::string& entry : entries) {
        page.list->addItem(MakeItem(entry));
    }
}

void AliasPopupEditor::CopyToTextBox(Page& page, int row) {
    const QListWidgetItem* item = page.list->item(row);
    if (item == nullptr) {
        return;
    }
    page.copiedBytes = item->data(Qt::UserRole).toByteArray().toStdString();
    page.copiedText = item->text();
    page.text->setText(page.copiedText);
    page.text->setCursorPosition(0); // the entry's name in view
}

void AliasPopupEditor::Add(Page& page) {
    const QString text = page.text->text();
    const std::string entry =
        text == page.copiedText ? page.copiedBytes : platform::ScreenToBytes(text);
    std::vector<std::string> items = ListItems(*page.list);
    const int index = AddListEntry(items, entry, page.limit);
    if (index < 0) {
        if (!entry.empty()) {
            QApplication::beep();
        }
        return;
    }
    const QSignalBlocker blocker(page.list);
    if (index < page.list->count()) {
        delete page.list->takeItem(index);
    }
    page.list->insertItem(index, MakeItem(entry));
}

void AliasPopupEditor::Remove(Page& page) {
    const QSignalBlocker blocker(page.list);
    for (QListWidgetItem* item : page.list->selectedItems()) {
        delete page.list->takeItem(page.list->row(item));
    }
}

void AliasPopupEditor::OK() {
    StoreListInTable(ListItems(*m_aliases.list), m_settings.AliasTable, m_aliases.limit);
    StoreListInTable(ListItems(*m_popups.list), m_settings.PopupTable, m_popups.limit);
    emit TablesStored();
    accept();
}

AliasPopupEditor::Page* AliasPopupEditor::PageOfTextBox(QObject* watched) {
    if (watched == m_aliases.text) {
        return &m_aliases;
    }
    if (watched == m_popups.text) {
        return &m_popups;
    }
    return nullptr;
}

bool AliasPopupEditor::eventFilter(QObject* watched, QEvent* event) {
    Page* page = PageOfTextBox(watched);
    const bool isKey =
        event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (page == nullptr || !isKey) {
        return QDialog::eventFilter(watched, event);
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const char code = FormattingCode(key);
    if (code == 0 && !IsEnter(key)) {
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Claim the key, so that no shortcut takes it from the text box.
        event->accept();
        return true;
    }
    if (code != 0) {
        page->text->insert(QString(QChar(code)));
        return true;
    }
    if (!page->text->text().isEmpty()) {
        Add(*page);
        page->text->clear();
    }
    return true;
}

} // namespace korbi::commands
