#pragma once
// Driving and reading dialog controls as a user would see them.
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>

#include <initializer_list>

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

} // namespace korbi::testing
