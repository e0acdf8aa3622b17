#pragma once
// Sender masks of the ignore list and nick lookup in a pane's nick list.
#include "irc/ranks.h"

#include <span>
#include <string>
#include <string_view>

namespace korbi::irc {

// Whether text matches mask, letters compared without regard to case. Wildcards: "*" any run of
// characters (also none), "?" any one character, "#" any one digit, "[list]" any one character of
// the list (ranges such as "a-z" allowed), "[!list]" any one character not in it. A "[" without
// a closing "]" stands for itself; "[]" and a reversed range such as "z-a" match no character.
// Hostile masks cannot make it slow: at worst O(len(text) * len(mask)).
bool MaskMatches(std::string_view text, std::string_view mask);

// True when prefix (the sender's whole "nick!user@host") matches any mask of Silences, a
// blank-led list of masks. Empty entries are no masks.
bool IsIgnored(std::string_view prefix, std::string_view Silences);

// Position of the first entry of nickList equal to nick, or to nick behind rank marks (without
// regard to case), or -1.
int FindNick(std::span<const std::string> nickList, std::string_view nick,
             std::string_view rankMarks = kDefaultRankMarks);

} // namespace korbi::irc
