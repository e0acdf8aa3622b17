#pragma once
// The notify list against the server's answers: which nicks came and went, and the ISON lines
// that ask for a list without passing a server's line length.
#include "irc/message_split.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::irc {

// Lists here are blank-led: each nick preceded by one blank, so the first nick is word 2.

// The nicks of a blank-led list (words 2 and later), cut at single blanks as GetWord does.
std::vector<std::string_view> ListedNicks(std::string_view list);

// The nicks of newlis that are not in oldlis (compared upper-cased), in the order of newlis.
std::string GetNewNicks(std::string_view newlis, std::string_view oldlis);
// The nicks of oldlis that are not in newlis; "" when oldlis is empty.
std::string GetLostNicks(std::string_view newlis, std::string_view oldlis);

// The online nicks of a 303 answer as a blank-led list: the non-empty words of the trailing
// parameter, without its colon and the line end. params is the parameter string of the reply
// (GetMsgParams), so it starts with a blank and the user's own nick. No nick gives "".
std::string NotifListOf303(std::string_view params);

// The ISON lines that ask for the nicks of a blank-led list: "ISON " and the nicks, each behind
// one blank, as many to a line as fit in maxLine bytes with the framing. A nick too long to fit
// in a line of its own is not asked for: no server would know it.
std::vector<std::string> IsonLines(std::string_view Notifys, std::size_t maxLine = kMaxWireLine);

} // namespace korbi::irc
