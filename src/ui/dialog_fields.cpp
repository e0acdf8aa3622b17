#include "ui/dialog_fields.h"

#include "platform/text_encoding.h"

#include <QLineEdit>
#include <QListWidget>

namespace korbi::ui {

namespace {

constexpr const char* kLoadedBytes = "korbiLoadedBytes";
constexpr const char* kLoadedText = "korbiLoadedText";

} // namespace

void SetFieldBytes(QLineEdit& box, const std::string& bytes) {
    const QString shown = platform::BytesToScreen(bytes);
    box.setProperty(kLoadedBytes, QByteArray::fromStdString(bytes));
    box.setProperty(kLoadedText, shown);
    box.setText(shown);
}

std::string FieldBytes(const QLineEdit& box) {
    const QVariant loadedText = box.property(kLoadedText);
    if (loadedText.isValid() && loadedText.toString() == box.text()) {
        return box.property(kLoadedBytes).toByteArray().toStdString();
    }
    return platform::ScreenToBytes(box.text());
}

QListWidgetItem* MakeByteItem(const std::string& bytes) {
    auto* item = new QListWidgetItem(platform::BytesToScreen(bytes));
    item->setData(Qt::UserRole, QByteArray::fromStdString(bytes));
    return item;
}

std::string ItemBytes(const QListWidgetItem& item) {
    return item.data(Qt::UserRole).toByteArray().toStdString();
}

std::vector<std::string> ListBytes(const QListWidget& list) {
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(list.count()));
    for (int row = 0; row < list.count(); ++row) {
        entries.push_back(ItemBytes(*list.item(row)));
    }
    return entries;
}

void FillList(QListWidget& list, const std::vector<std::string>& entries) {
    const QSignalBlocker blocker(&list);
    list.clear();
    for (const std::string& entry : entries) {
        list.addItem(MakeByteItem(entry));
    }
}

bool AddFieldToList(QListWidget& list, const QLineEdit& box) {
    if (box.text().isEmpty()) {
        return false;
    }
    list.addItem(MakeByteItem(FieldBytes(box)));
    return true;
}

void RemoveSelected(QListWidget& list) {
    const QSignalBlocker blocker(&list);
    for (QListWidgetItem* item : list.selectedItems()) {
        delete list.takeItem(list.row(item));
    }
}

void CopyEntryToField(const QListWidget& list, int row, QLineEdit& box) {
    if (const QListWidgetItem* item = list.item(row)) {
        SetFieldBytes(box, ItemBytes(*item));
    }
}

} // namespace korbi::ui
