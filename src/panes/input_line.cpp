#include "panes/input_line.h"

#include "panes/input_line_logic.h"
#include "platform/text_encoding.h"

#include <QKeyEvent>

#include <optional>
#include <string_view>

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

} // namespace

bool InputLine::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress && InputKeyPress(static_cast<QKeyEvent&>(*event))) {
        return true;
    }
    return QLineEdit::event(event);
}

bool InputLine::InputKeyPress(const QKeyEvent& event) {
    int key = KeyAscii(event);
    if (key == 0) {
        return false;
    }
    InputLineText line{platform::ScreenToBytes(text()),
                       platform::ScreenToBytes(text().left(cursorPosition())).size()};
    if (const std::optional<std::string> entered = InputBox_KeyPress(key, line)) {
        emit LineEntered(*entered);
    }
    setText(platform::BytesToScreen(line.text));
    setCursorPosition(static_cast<int>(
        platform::BytesToScreen(std::string_view(line.text).substr(0, line.caret)).size()));
    return true;
}

} // namespace korbi::panes
