#include "ui/form_dialog.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace korbi::ui {

void FormDialog::Open() {
    if (!isVisible()) {
        Form_Load();
        show();
    }
    raise();
    activateWindow();
}

QPushButton* FormDialog::MakeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void FormDialog::OnEnter(QLineEdit* box, std::function<void()> onEnter) {
    box->installEventFilter(this);
    m_enterActions.emplace_back(box, std::move(onEnter));
}

bool FormDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter) {
        return QDialog::eventFilter(watched, event);
    }
    const auto action =
        std::find_if(m_enterActions.begin(), m_enterActions.end(),
                     [watched](const auto& entry) { return entry.first == watched; });
    if (action == m_enterActions.end()) {
        return QDialog::eventFilter(watched, event);
    }
    action->second();
    return true;
}

} // namespace korbi::ui
