#include "panes/input_line.h"

#include "panes/input_line_logic.h"
#include "panes/paste_lines.h"
#include "platform/text_encoding.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <string_view>
#include <utility>

namespace korbi::panes {

namespace {

// The key as InputBox_KeyPress knows it: the formatting keys and Enter; 0 for the others.
int KeyAscii(const QKeyEvent& event) {
    const bool control = event.modifiers().testFlag(Qt::ControlModifier);
    switch (event.key()) {
    case Qt::Key_B:
        return control ? 2 : 0;
    case Qt::Key_K:
        return control ? 11 : 0;
    case Qt::Key_U:
        return control ? 21 : 0;
    case Qt::Key_I:
        return control ? 9 : 0;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyEnter;
    default:
        return 0;
    }
}

// The standard menu's Paste, found by the caption the line edit gives it in the user's
// language (its shortcut follows a tab).
QAction* PasteAction(const QMenu& menu) {
    const QString caption = QLineEdit::tr("&Paste");
    for (QAction* action : menu.actions()) {
        if (action->text() == caption || action->text().startsWith(caption + '\t')) {
            return action;
        }
    }
    return nullptr;
}

} // namespace

void InputLine::TakeOver(InputLine& other) {
    setText(other.text());
    m_history = std::exchange(other.m_history, {});
    m_completer.Reset();
}

void InputLine::Forget() {
    clear();
    m_history.Clear();
    m_completer.Reset();
}

bool InputLine::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress && InputKeyPress(static_cast<QKeyEvent&>(*event))) {
        return true;
    }
    return QLineEdit::event(event);
}

bool InputLine::InputKeyPress(const QKeyEvent& event) {
    const bool control = event.modifiers().testFlag(Qt::ControlModifier);
    // Ctrl+I stays the way to put the reverse code after a word that would complete.
    if (event.key() == Qt::Key_Tab && !control && CompleteNick()) {
        return true;
    }
    m_completer.Reset();
    if (event.key() == Qt::Key_Up || event.key() == Qt::Key_Down) {
        return WalkHistory(event.key() == Qt::Key_Up, control && m_rawLineWalk);
    }
    if (event.key() == Qt::Key_Escape) {
        emit EscapePressed();
        return false;
    }
    if (event.matches(QKeySequence::Paste)) {
        return TakePaste(QClipboard::Clipboard);
    }
    int key = KeyAscii(event);
    if (key == 0) {
        return false;
    }
    InputLineText line = Current();
    if (const std::optional<std::string> entered = InputBox_KeyPress(key, line)) {
        m_history.Add(*entered);
        emit LineEntered(*entered);
    }
    Show(line);
    return true;
}

bool InputLine::CompleteNick() {
    const std::optional<CompletionSource> source = m_completion ? m_completion() : std::nullopt;
    if (!source) {
        return false;
    }
    const std::optional<InputLineText> completed = m_completer.Complete(Current(), *source);
    if (!completed) {
        return false;
    }
    Show(*completed);
    return true;
}

bool InputLine::WalkHistory(bool older, bool rawOnly) {
    const InputHistory::Filter filter = rawOnly ? InputHistory::Filter(IsRawLine) : nullptr;
    const std::optional<std::string> line =
        older ? m_history.Older(Bytes(), filter) : m_history.Newer(filter);
    if (line) {
        Show({*line, line->size()});
    }
    return true;
}

// A text with line breaks is not inserted as it is: one line goes in without its break, more
// are handed on. Anything else is left to the line edit (false).
bool InputLine::TakePaste(const QString& text) {
    const std::string bytes = platform::ScreenToBytes(text);
    if (!HasLineBreak(bytes)) {
        return false;
    }
    const std::vector<std::string> lines = PastedLines(bytes);
    if (lines.size() > 1) {
        emit MultiLinePasted(lines);
    } else if (!lines.empty()) {
        insert(platform::BytesToScreen(lines.front()));
    }
    return true;
}

bool InputLine::TakePaste(QClipboard::Mode mode) {
    return TakePaste(QGuiApplication::clipboard()->text(mode));
}

void InputLine::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QAction* pasteAction = PasteAction(*menu)) {
        disconnect(pasteAction, &QAction::triggered, this, nullptr);
        connect(pasteAction, &QAction::triggered, this, [this] {
            if (!TakePaste(QClipboard::Clipboard)) {
                paste();
            }
        });
    }
    menu->popup(event->globalPos());
}

void InputLine::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() &&
        !isReadOnly() && TakePaste(QClipboard::Selection)) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void InputLine::dropEvent(QDropEvent* event) {
    if (event->mimeData()->hasText() && TakePaste(event->mimeData()->text())) {
        event->acceptProposedAction();
        return;
    }
    QLineEdit::dropEvent(event);
}

std::string InputLine::Bytes() const {
    return platform::ScreenToBytes(text());
}

InputLineText InputLine::Current() const {
    return {Bytes(), platform::ScreenToBytes(text().left(cursorPosition())).size()};
}

void InputLine::Show(const InputLineText& line) {
    setText(platform::BytesToScreen(line.text));
    setCursorPosition(static_cast<int>(
        platform::BytesToScreen(std::string_view(line.text).substr(0, line.caret)).size()));
}

} // namespace korbi::panes
