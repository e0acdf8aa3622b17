#pragma once
// The time a server puts on a line (the "time" message tag, "2026-12-07T18:21:16.123Z"), so that
// lines replayed or delayed show when they were said rather than when they arrived.
#include <cstdint>
#include <optional>
#include <string_view>

namespace korbi::irc {

// Milliseconds since 1970 UTC of "YYYY-MM-DDThh:mm:ss[.fraction]Z"; nullopt for anything else,
// a date that does not exist included. Digits of the fraction past the third are dropped.
std::optional<std::int64_t> ParseServerTime(std::string_view text);

// The time among a line's message tags (ServerLine::tags); nullopt when there is none or the
// value is not a time.
std::optional<std::int64_t> TagTime(std::string_view tags);

} // namespace korbi::irc
