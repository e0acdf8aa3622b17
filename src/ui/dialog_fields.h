#pragma once
// Text boxes and list entries of the dialogs hold settings that are bytes (one char per byte,
// as in the preferences file) and show them as text. A field or entry that the user did not
// change gives back exactly the bytes it was loaded with, so a name that is not UTF-8 survives
// opening a dialog and pressing OK.
#include <QString>

#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace korbi::ui {

void SetFieldBytes(QLineEdit& box, const std::string& bytes);
std::string FieldBytes(const QLineEdit& box);

QListWidgetItem* MakeByteItem(const std::string& bytes);
std::string ItemBytes(const QListWidgetItem& item);
// The entries of a list as bytes, in list order.
std::vector<std::string> ListBytes(const QListWidget& list);
void FillList(QListWidget& list, const std::vector<std::string>& entries);

// Adds the field's text at the end of the list unless it is empty. Returns whether it did.
bool AddFieldToList(QListWidget& list, const QLineEdit& box);
// Removes every selected entry, however many and wherever they are.
void RemoveSelected(QListWidget& list);
// Copies the entry at row into the field (nothing for a row outside the list).
void CopyEntryToField(const QListWidget& list, int row, QLineEdit& box);

} // namespace korbi::ui
