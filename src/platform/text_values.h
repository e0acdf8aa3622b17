#pragma once
// Text rules shared by every subsystem: how a text reads as a number, how a number is written
// back as text, and the byte-wise case and blank handling the protocol needs.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::platform {

// The numeric value of a text: leading blanks skipped, an optional sign, digits with an optional
// decimal point; reading stops at the first other character and no number gives 0. Hex,
// exponents and locale decimal points are deliberately not understood.
double NumericValue(std::string_view text);

// Rounds to the nearest integer, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

// The numeric value rounded half to even and clamped into [low, high].
std::int64_t RoundedValue(std::string_view text, std::int64_t low, std::int64_t high);

// A number written the old way: one blank before a non-negative number, "." as decimal point
// and no trailing zeros (" 9", " 8.5", "-3").
std::string NumberText(double value);

// Upper-cases a-z only; never changes the length.
std::string UpperAscii(std::string_view text);

// Equal when upper-cased byte-wise (nick, channel and command comparisons).
bool EqualsNoCase(std::string_view a, std::string_view b);

// Remove blanks (code 32 only; tabs and line ends stay).
std::string TrimBlanks(std::string_view text);
std::string TrimLeftBlanks(std::string_view text);
std::string TrimRightBlanks(std::string_view text);

// The words of text cut at every single blank (code 32): a leading blank or two blanks in a row
// give an empty word, and "" is one empty word. The views point into text.
std::vector<std::string_view> SplitAtBlanks(std::string_view text);

} // namespace korbi::platform
