#pragma once
// The controls of the conversation window's panes, found by name: "Pane" + slot + the
// control's name ("SwitchBut", "CloseWinBut", "TextViewWin", "InputBox", "NickList",
// "TopicBar").
#include <QObject>
#include <QString>

namespace korbi::testing {

template <class T> T* PaneControl(const QObject& window, int slot, const char* name) {
    return window.findChild<T*>(QString("Pane%1%2").arg(slot).arg(name));
}

} // namespace korbi::testing
