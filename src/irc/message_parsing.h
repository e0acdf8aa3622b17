#pragma once
// The small string operations that take received protocol lines apart. They neither trim, nor
// change case, nor remove line ends: the blank is the only separator, two blanks enclose an
// empty word, and a line's CR LF stays attached to its last word.
#include <cstddef>
#include <string>
#include <string_view>

namespace korbi::irc {

// Word n (from 1) of s. With fewer than n words (or n <= 0) the last word is returned.
std::string GetWord(long n, std::string_view s);

// 1 plus the number of blanks in s.
long GetNumWords(std::string_view s);

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

// Cuts leftVal characters from the front and rightVal from the end, but only when the two
// counts differ; a text not longer than a count is not shortened by it. strr holds the result.
std::string Crop(std::size_t leftVal, std::string& strr, std::size_t rightVal);

} // namespace korbi::irc
