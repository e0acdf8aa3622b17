#pragma once
// A message too long for one line. A server takes at most 512 bytes per line, its CR LF
// included, and relays a message to others behind the sender's ":nick!user@host ": whatever
// does not fit is cut off without a word, and the reader sees half a sentence. Long texts are
// therefore sent in parts that each fit once relayed.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::irc {

inline constexpr std::size_t kMaxWireLine = 512;
// Room kept for ":nick!user@host " while the server has not told the client its own host.
inline constexpr std::size_t kUnknownSourceAllowance = 100;

// The bytes the server puts before a relayed message: ":" + source + " ", or the allowance
// when the source is not known ("").
std::size_t RelayPrefixBytes(std::string_view ownSource);

// The parts of text such that each "<command> <target> :<part>" line fits kMaxWireLine once
// the relay prefix is added. A text that fits is one part, unchanged. Otherwise each part
// ends at its last blank that fits (the blank is dropped) or, in a word longer than a line,
// at the last byte that does not cut a UTF-8 character in two.
std::vector<std::string> SplitMessage(std::string_view command, std::string_view target,
                                      std::string_view text, std::size_t prefixBytes);

} // namespace korbi::irc
