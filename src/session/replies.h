#pragma once
// The server-level replies: PING, ERROR, WALLOPS, the welcome, the message of the day and the
// end of registration, nick in use, join errors, whois, topic, names and the channel list.
#include "session/server_line.h"

#include <span>
#include <string>

namespace korbi::session {

// The handlers of this file, by command or numeric.
std::span<const HandlerEntry> ReplyHandlers();

// The line a "322" reply adds to the channel list window: the channel padded to 20
// characters (or cut to 15 and "...  " when longer than 18), the user count padded to 5,
// then the topic.
std::string ChanListEntry(const std::string& chan, const std::string& users,
                          const std::string& topic);

} // namespace korbi::session
