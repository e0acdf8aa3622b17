#include "ui/error_window.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korbi::ui {

ErrorWindow::ErrorWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowDoesNotAcceptFocus),
      m_label1(new QLabel("An Unknown Error Occured !", this)),
      m_command1(new QPushButton("OK", this)) {
    setWindowTitle("Error");
    setObjectName("ErrorWindow");
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_label1->setObjectName("Label1");
    m_command1->setObjectName("Command1");
    m_command1->setMinimumWidth(90);
    m_label1->setWordWrap(true);
    m_label1->setAlignment(Qt::AlignCenter);
    m_label1->setMinimumWidth(280);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 12);
    layout->setSpacing(14);
    layout->addWidget(m_label1);
    layout->addWidget(m_command1, 0, Qt::AlignHCenter);
    connect(m_command1, &QPushButton::clicked, this, &QWidget::hide);
}

void ErrorWindow::ShowMessage(const QString& text) {
    m_label1->setText(text);
    QWidget* active = QApplication::activeWindow();
    if (active != this) {
        m_keyboardOwner = active;
    }
    show();
    raise();
}

// The window system is asked not to activate the box; where it does anyway (some platforms
// activate every new window), the keyboard goes back at once.
void ErrorWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_keyboardOwner &&
        m_keyboardOwner->isVisible()) {
        m_keyboardOwner->activateWindow();
    }
}

QString ErrorWindow::Text() const {
    return m_label1->text();
}

} // namespace korbi::ui
