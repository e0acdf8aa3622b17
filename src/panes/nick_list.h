#pragma once
// The entries of a pane's nick list: nicks as the server gives them, behind their rank marks
// (irc/ranks.h). The role's positions keep the order in which entries came (a channel's window
// shows them by rank, then name). The operations below change a pane's list through the nick
// lists role.
#include <string>
#include <string_view>
#include <vector>

namespace korbi::core {
class NickLists;
}

namespace korbi::panes {

// The entries a names text gives, in order: its blank-separated words, empty ones skipped.
// The text is the names without their colon and without the line end.
std::vector<std::string> NickListNames(std::string_view names);

// Appends the entries of a names text to the list of slot. The list is not cleared first.
void FillNickList(core::NickLists& nicks, int slot, std::string_view names);

// Appends nick to the list of slot unless it holds the nick already, with or without marks.
void AddNickToList(core::NickLists& nicks, int slot, const std::string& nick);

// Removes the entry of nick, whatever its marks. Returns whether there was one.
bool RemoveNickFromList(core::NickLists& nicks, int slot, const std::string& nick);

// Replaces the entry of oldNick by newNick with the same marks; the renamed entry goes to the
// end of the list. Returns whether there was one.
bool RenameNickInList(core::NickLists& nicks, int slot, const std::string& oldNick,
                      const std::string& newNick);

} // namespace korbi::panes
