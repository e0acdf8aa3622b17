#include "session/conversations.h"

#include "core/pane_logs.h"
#include "core/pane_registry.h"
#include "core/settings.h"

namespace korbi::session {

int OpenConversation(core::PaneRegistry& panes, core::PaneLogs& logs,
                     const core::Settings& settings, const std::string& name, bool isPrivate) {
    const int slot = panes.OpenChanWin(name, isPrivate);
    if (slot <= 0) {
        return 0;
    }
    const bool logged = isPrivate ? settings.LogPrivChat : settings.LogChan;
    if (logged && !logs.LogOpen(slot)) {
        logs.OpenLog(slot);
    }
    return slot;
}

void EndConversation(core::PaneRegistry& panes, core::PaneLogs& logs, int slot) {
    if (slot <= 0) {
        return;
    }
    // Whatever the option says now: a log that was opened gets its closing lines.
    if (logs.LogOpen(slot)) {
        logs.CloseLog(slot);
    }
    panes.CloseConversation(slot);
}

} // namespace korbi::session
