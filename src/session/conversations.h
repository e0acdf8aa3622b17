#pragma once
// Opening and closing a conversation pane together with its log, so that every way a pane
// opens (a join, a private message, a query, a double click in a nick list) logs alike.
#include <string>

namespace korbi::core {
class PaneLogs;
class PaneRegistry;
struct Settings;
} // namespace korbi::core

namespace korbi::session {

// Opens a pane for name in slot NextChan (the registry refuses beyond the limit and then returns
// 0). The new pane's log is opened when LogChan (a channel) or LogPrivChat (a private
// conversation) is set. Returns the new slot, or 0.
int OpenConversation(core::PaneRegistry& panes, core::PaneLogs& logs,
                     const core::Settings& settings, const std::string& name, bool isPrivate);

// Closes the pane in slot, writing the closing lines of its log first when the log is open.
// Slot 0, the server pane, is never closed.
void EndConversation(core::PaneRegistry& panes, core::PaneLogs& logs, int slot);

} // namespace korbi::session
