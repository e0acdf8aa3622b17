#pragma once
// Spans of a line's plain text (the characters it draws, codes left out) that the view treats
// apart:
// what a search finds, the links a click opens, the word a double click selects. Offsets are
// bytes of the plain text. No Qt.
#include "panes/line_store.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::panes {

// The characters a line draws: its text without the formatting codes, read as the view reads
// them (a colour code takes at most two digits for each colour, as drawing does).
std::string PlainText(std::string_view text);

struct TextSpan {
    std::size_t start = 0;
    std::size_t length = 0;
    std::size_t End() const { return start + length; }
    friend bool operator==(const TextSpan&, const TextSpan&) = default;
};

struct Link {
    enum class Kind { Url, Channel };
    TextSpan span;
    Kind kind = Kind::Url;
    // What opening it means: the URL ("www." gets "http://"), or the channel's name.
    std::string target;
    friend bool operator==(const Link&, const Link&) = default;
};

// The links of a plain text: http://, https://, irc:// and www. addresses, and channel names
// (#name) standing at the start of a word. Punctuation ending a sentence is not part of one.
std::vector<Link> FindLinks(std::string_view plain);

// The word (a run of non-blanks) around offset; empty at a blank or past the end.
TextSpan WordAt(std::string_view plain, std::size_t offset);

// One place a search text was found: in line `line`, bytes [start, start + length) of its
// plain text.
struct FoundText {
    LineStore::Id line = 0;
    TextSpan span;
    friend bool operator==(const FoundText&, const FoundText&) = default;
};

// Every place needle stands in lines [from, store.EndId()), without regard to the case of
// ASCII letters, in order; none for an empty needle. Matches in one line do not overlap.
std::vector<FoundText> FindInLines(const LineStore& store, LineStore::Id from,
                                   std::string_view needle);

} // namespace korbi::panes
