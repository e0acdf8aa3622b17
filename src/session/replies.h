#pragma once
// The server-level replies: PING, ERROR, WALLOPS, the welcome, the message of the day and the
// end of registration, nick in use, join errors, whois, topic, names and the channel list.
#include "session/handler_table.h"

#include <span>
#include <string>

namespace korbi::session {

// The handlers of this file, by command or numeric.
std::span<const HandlerEntry> ReplyHandlers();

} // namespace korbi::session
