#pragma once
// Driving and reading dialog controls as a user would see them.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include <initializer_list>
#include <utility>
#include <vector>

namespace korbi::testing {

inline void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
}

inline void Select(QListWidget* list, std::initializer_list<int> rows) {
    for (const int row : rows) {
        list->item(row)->setSelected(true);
    }
}

inline QStringList Entries(const QListWidget& list) {
    QStringList entries;
    for (int row = 0; row < list.count(); ++row) {
        entries << list.item(row)->text();
    }
    return entries;
}

inline QStringList Entries(const QComboBox& box) {
    QStringList entries;
    for (int i = 0; i < box.count(); ++i) {
        entries << box.itemText(i);
    }
    return entries;
}

// The texts of a dialog's fields, and their new texts typed.
inline QStringList Texts(const QWidget& dialog, const QStringList& fields) {
    QStringList texts;
    for (const QString& field : fields) {
        texts << dialog.findChild<QLineEdit*>(field)->text();
    }
    return texts;
}
inline void Type(QWidget& dialog, const std::vector<std::pair<QString, QString>>& typed) {
    for (const auto& [field, text] : typed) {
        dialog.findChild<QLineEdit*>(field)->setText(text);
    }
}

// Check boxes: which are ticked, and ticking them.
inline std::vector<bool> Ticks(const QWidget& dialog, int count) {
    std::vector<bool> ticks;
    for (int n = 1; n <= count; ++n) {
        ticks.push_back(dialog.findChild<QCheckBox*>(QString("Check%1").arg(n))->isChecked());
    }
    return ticks;
}
inline void Tick(QWidget& dialog, const std::vector<bool>& ticks) {
    for (std::size_t n = 0; n < ticks.size(); ++n) {
        dialog.findChild<QCheckBox*>(QString("Check%1").arg(n + 1))->setChecked(ticks[n]);
    }
}

} // namespace korbi::testing
