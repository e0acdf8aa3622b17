#include "commands/editor_keys.h"

#include <QKeyEvent>

namespace korbi::commands {

char FormattingCode(const QKeyEvent& key) {
    const bool control = key.modifiers().testFlag(Qt::ControlModifier);
    switch (key.key()) {
    case Qt::Key_Tab:
        return 22;
    case Qt::Key_B:
        return control ? 2 : 0;
    case Qt::Key_K:
        return control ? 3 : 0;
    case Qt::Key_U:
        return control ? 31 : 0;
    case Qt::Key_I:
        return control ? 22 : 0;
    default:
        return 0;
    }
}

bool IsEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace korbi::commands
