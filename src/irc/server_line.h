#pragma once
// A received protocol line taken apart once, and the text shapes the handlers cut out of it.
#include "irc/words.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::irc {

struct ServerLine {
    std::string line;    // as received less its tags, ending with its carriage return and line feed
    std::string tags;    // the message tags without their "@" ("" when the line has none)
    std::string source;  // without its colon; "" when the line has none
    std::string command; // compared exactly, case and all
    std::string params;  // every word after the command, each behind one blank, line end kept
    std::string sender;  // the nick part of source

    // Word n (from 1) of params exactly as GetWord(n, params) gives it: the last word keeps
    // the line end, and n out of range gives the last word.
    std::string Word(long n) const;
    // Word n without the line end: a trailing parameter's word reads like any other.
    std::string Param(long n) const;
    long NumWords() const { return static_cast<long>(m_words); }

  private:
    friend ServerLine ParseServerLine(std::string_view line);
    std::size_t WordIndex(long n) const;
    std::size_t StartOf(std::size_t index) const;

    // Where the first words of params start, counted as GetWord counts them (word 1 is the
    // empty word before the first blank): found once, so that handlers do not search the line
    // again. Kept in place, as every received line is parsed: the handlers read the first few
    // words, and a later word is found from the last one kept.
    static constexpr std::size_t kKeptStarts = 8;
    std::array<std::size_t, kKeptStarts> m_starts{};
    std::size_t m_words = 0; // 1 plus the blanks of params; 0 when not made by ParseServerLine
};

// A line that starts with "@" carries message tags: they are taken off before anything else
// reads the line, so that every handler sees the line as a server without tags sends it.
// A line whose carriage return had no line feed after it (the arrival ended there, or the
// server sent a bare carriage return) gets one here, so that every line ends with CR LF.
ServerLine ParseServerLine(std::string_view line);

// The value of tag key in a tag list ("a=1;b=2"), unescaped; nullopt when the tag is absent.
std::optional<std::string> TagValue(std::string_view tags, std::string_view key);

// The parameter string less word 2 and the blanks around it, and less the line end (keeps
// the colon of a trailing parameter). Computed with Crop, so it stays whole when word 2 is
// empty.
std::string ReplyText(std::string_view params);

} // namespace korbi::irc
