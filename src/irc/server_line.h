#pragma once
// A received protocol line taken apart once, and the text shapes the handlers cut out of it.
#include "irc/words.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace korbi::irc {

struct ServerLine {
    std::string line;    // as received, ending with its carriage return and line feed
    std::string source;  // without its colon; "" when the line has none
    std::string command; // compared exactly, case and all
    std::string params;  // every word after the command, each behind one blank, line end kept
    std::string sender;  // the nick part of source
};

// A line whose carriage return had no line feed after it (the arrival ended there, or the
// server sent a bare carriage return) gets one here, so that every line ends with CR LF.
ServerLine ParseServerLine(std::string_view line);

// The parameter string less word 2 and the blanks around it, and less the line end (keeps
// the colon of a trailing parameter). Computed with Crop, so it stays whole when word 2 is
// empty.
std::string ReplyText(std::string_view params);

} // namespace korbi::irc
