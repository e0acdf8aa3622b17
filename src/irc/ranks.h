#pragma once
// Ranks in a channel: the marks a server puts before a member's nick ("@" operator, "+" voice,
// and on many networks "~" owner, "&" admin, "%" half-operator). Which characters are marks is
// the server's to say, in the PREFIX token of its 005 reply; a server that says nothing uses
// "(ov)@+". Every comparison of nicks goes through the nick without its marks.
#include <cstddef>
#include <string>
#include <string_view>

namespace korbi::irc {

// The marks of a server, highest rank first: "~&@%+" for "(qaohv)~&@%+".
inline constexpr std::string_view kDefaultRankMarks = "@+";

// The marks of a 005 reply's PREFIX token, when the reply carries one ("PREFIX=" alone, an
// empty list, is valid: no marks); "" with found false when the reply has no such token or a
// malformed one, so that the marks already known stay.
struct PrefixToken {
    bool found = false;
    std::string marks;
};
PrefixToken PrefixOf005(std::string_view params);

// How many leading characters of entry are marks.
std::size_t RankLength(std::string_view entry, std::string_view marks);

// entry without its leading marks ("@+ann" gives "ann").
std::string WithoutRanks(std::string_view entry, std::string_view marks);

// The leading marks of entry ("@+" for "@+ann").
std::string RanksOf(std::string_view entry, std::string_view marks);

// The entry as a list shows it: the nick behind its highest mark only ("@ann" for "+@ann").
std::string HighestRankEntry(std::string_view entry, std::string_view marks);

// The position of entry's highest mark in marks, marks.size() for a member without one: a
// smaller rank sorts first.
std::size_t RankOrder(std::string_view entry, std::string_view marks);

} // namespace korbi::irc
