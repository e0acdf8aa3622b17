#include "session/conversations.h"

#include "core/client_host.h"

namespace korbi::session {

int OpenConversation(core::ClientHost& host, const std::string& name, bool isPrivate) {
    const int slot = host.OpenChanWin(name, isPrivate);
    if (slot <= 0) {
        return 0;
    }
    const bool logged = isPrivate ? host.settings().LogPrivChat : host.settings().LogChan;
    if (logged && !host.LogOpen(slot)) {
        host.OpenLog(slot);
    }
    return slot;
}

void EndConversation(core::ClientHost& host, int slot) {
    if (slot <= 0) {
        return;
    }
    // Whatever the option says now: a log that was opened gets its closing lines.
    if (host.LogOpen(slot)) {
        host.CloseLog(slot);
    }
    host.CloseConversation(slot);
}

} // namespace korbi::session
