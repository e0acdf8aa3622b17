#pragma once
// Words of protocol lines and typed commands: the blank (code 32) is the only separator, two
// blanks enclose an empty word, and a line's CR LF stays attached to its last word. Nothing here
// trims or changes case.
#include <cstddef>
#include <string>
#include <string_view>

namespace korbi::irc {

// Word n (from 1) of s. With fewer than n words (or n <= 0) the last word is returned.
std::string GetWord(long n, std::string_view s);

// 1 plus the number of blanks in s.
long GetNumWords(std::string_view s);

// The text before the first blank (all of it without one).
std::string FirstWord(std::string_view text);

// Everything after the first word and the blank that ends it ("" without a blank).
std::string AfterFirstWord(std::string_view text);

// Everything of text from word i on, as it stands ("" when text has fewer words).
std::string WordsFrom(long i, std::string_view text);

// Words i to the last of text, each followed by one blank ("" when text has fewer words).
std::string JoinedWords(long i, std::string_view text);

// text less left characters at the front and right at the end; what is shorter than the cut
// becomes empty.
std::string CutText(std::string_view text, std::size_t left, std::size_t right);

// Cuts leftVal characters from the front and rightVal from the end, but only when the two
// counts differ; a text not longer than a count is not shortened by it. strr holds the result.
std::string Crop(std::size_t leftVal, std::string& strr, std::size_t rightVal);

// text without a final carriage return and the one character after it.
std::string WithoutLineEnd(std::string_view text);

// text without its leading colon, when it has one.
std::string WithoutColon(std::string_view text);

} // namespace korbi::irc
