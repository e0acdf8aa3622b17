#pragma once
// The rows of the channel list: fixed-pitch columns for the channel, its user count and its
// topic. Columns are measured in the characters the user sees, not in bytes, so that a name in
// UTF-8 does not shift the columns after it.
#include <cstddef>
#include <string>
#include <string_view>

namespace korbi::irc {

// Where the user count and the topic start, in shown characters.
inline constexpr std::size_t kUsersColumn = 20;
inline constexpr std::size_t kTopicColumn = 27;

struct ChanListRow {
    std::string chan; // the whole channel name, as received: what a double click joins
    std::string text; // the row as shown, in UTF-8
};

// The row of one list reply; the fields come without their line end. A channel name longer
// than 18 characters is cut to 15 and "...", a user count longer than 6 to 3 and "...", so that
// at least two blanks, and one blank, end their columns.
ChanListRow MakeChanListRow(std::string_view chan, std::string_view users, std::string_view topic);

// Received bytes as the screen reads them, in UTF-8: valid UTF-8 stays, anything else is read
// as Latin-1.
std::string ShownText(std::string_view bytes);

// The number of characters of a UTF-8 text.
std::size_t CharCount(std::string_view utf8);

} // namespace korbi::irc
