#pragma once
// A received protocol line taken apart once, and the text shapes the handlers cut out of it.
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

// text less left characters at the front and right at the end; what is shorter than the cut
// becomes empty.
std::string CutText(std::string_view text, std::size_t left, std::size_t right);

// The parameter string less word 2 and the blanks around it, and less the line end (keeps
// the colon of a trailing parameter). Computed with Crop, so it stays whole when word 2 is
// empty.
std::string ReplyText(std::string_view params);

// Words i to the last of text, each followed by one blank ("" when text has fewer words).
std::string JoinedWords(long i, std::string_view text);

// text without a final carriage return and the one character after it.
std::string WithoutLineEnd(std::string_view text);

// text without its leading colon, when it has one.
std::string WithoutColon(std::string_view text);

// Everything of text from word i on, as it stands ("" when text has fewer words).
std::string WordsFrom(long i, std::string_view text);

} // namespace korbi::irc
