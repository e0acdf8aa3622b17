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

// How the sender of a message is shown before its text: 0 gives nick + " -> ", 1 gives
// "<" + nick + "> ", 2 gives nick + ": ", any other style nothing.
std::string NickStylePrefix(int NickStyle, std::string_view nick);

} // namespace korbi::session
