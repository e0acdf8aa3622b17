#pragma once
// The user-level events: JOIN, PART, KICK, QUIT, NICK, MODE, TOPIC, PRIVMSG and NOTICE. They
// choose the pane of each line, open and close panes and their logs, keep the nick lists up
// to date and pass CTCP requests on.
#include "session/handler_table.h"

#include <span>
#include <string>
#include <string_view>

namespace korbi::session {

// The handlers of this file, by command.
std::span<const HandlerEntry> EventHandlers();

} // namespace korbi::session
