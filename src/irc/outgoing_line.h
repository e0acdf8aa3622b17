#pragma once
// What may leave in one protocol line. A server ends a line at a carriage return or a line
// feed (and many at a NUL), so one of them inside a word that came from the network (a nick, a
// channel, a PING token) would let whoever sent that word write a line of its own in the
// client's name, to this server or, kept in the settings, to the next one.
#include <string>
#include <string_view>

namespace korbi::irc {

// True for a word that can stand alone in a line: not empty, and no blank, CR, LF or NUL.
bool IsOneWord(std::string_view word);

// The line as it may be sent: cut before its first CR, LF or NUL. A CR LF that ends it (the
// PING's own line end, which the PONG carries back) stays.
std::string OutgoingLine(std::string_view line);

} // namespace korbi::irc
