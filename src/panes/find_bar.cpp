#include "panes/find_bar.h"

#include "platform/text_encoding.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace korbi::panes {

FindBar::FindBar(QWidget* parent)
    : QWidget(parent), m_text(new QLineEdit(this)), m_count(new QLabel(this)) {
    setObjectName("FindBar");
    setAutoFillBackground(true);
    m_text->setObjectName("FindText");
    m_text->setPlaceholderText("Find");
    m_count->setObjectName("FindCount");
    auto* previous = new QToolButton(this);
    previous->setArrowType(Qt::UpArrow);
    previous->setToolTip("Previous (Shift+Enter)");
    auto* next = new QToolButton(this);
    next->setArrowType(Qt::DownArrow);
    next->setToolTip("Next (Enter)");
    auto* close = new QToolButton(this);
    close->setText("x");
    close->setToolTip("Close (Escape)");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_count);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(close);
    connect(m_text, &QLineEdit::textChanged, this,
            [this](const QString& text) { emit TextChanged(platform::ScreenToBytes(text)); });
    connect(previous, &QToolButton::clicked, this, &FindBar::Previous);
    connect(next, &QToolButton::clicked, this, &FindBar::Next);
    connect(close, &QToolButton::clicked, this, &FindBar::Closed);
    m_text->installEventFilter(this);
    hide();
}

void FindBar::Open() {
    show();
    raise();
    m_text->setFocus();
    m_text->selectAll();
}

void FindBar::ShowCount(int current, int total) {
    if (m_text->text().isEmpty()) {
        m_count->clear();
    } else if (total == 0) {
        m_count->setText("not found");
    } else {
        m_count->setText(QString("%1 of %2").arg(current).arg(total));
    }
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const bool back = key.modifiers().testFlag(Qt::ShiftModifier);
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F3:
        if (back) {
            emit Previous();
        } else {
            emit Next();
        }
        return true;
    case Qt::Key_Escape:
        emit Closed();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

} // namespace korbi::panes
