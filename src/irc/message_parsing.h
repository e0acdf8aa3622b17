#pragma once
// The small string operations that take received protocol lines apart. They neither trim, nor
// change case, nor remove line ends: the blank is the only separator, two blanks enclose an
// empty word, and a line's CR LF stays attached to its last word.
#include "irc/words.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace korbi::irc {

// The nick part of a source: everything before the first "!", less a colon at position 1.
std::string GetNick(std::string_view s);

// The source of a protocol line without its colon, or "" when the line has none.
std::string GetMsgSource(std::string_view line);

// The command or numeric of a protocol line, as received.
std::string GetMsgCommand(std::string_view line);

// Every word after the command, each preceded by one blank ("" when there is none).
std::string GetMsgParams(std::string_view line);

// The text after the first "@" of s ("" without one; "@" when it is the last character).
std::string GetMachine(std::string_view s);

} // namespace korbi::irc
