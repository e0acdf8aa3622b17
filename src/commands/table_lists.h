#pragma once
// Editing a command table (aliases, popups) as a list of entries: an entry is a name, one
// blank and a body, and adding an entry whose name is already listed replaces that one. The
// table keeps at least one empty slot, since a table ends at its first empty slot.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::commands {

inline constexpr std::size_t kMaxAliases = 50; // of the 51 slots of AliasTable
inline constexpr std::size_t kMaxPopups = 30;  // of the 31 slots of PopupTable

// The position of the last item whose first word equals the first word of entry (compared
// upper-cased), or -1.
int GetIndexList(const std::vector<std::string>& items, std::string_view entry);

// The non-empty entries of a table, in slot order.
std::vector<std::string> ListFromTable(std::span<const std::string> table);

// Adds entry: it replaces the item with the same name, else it is appended while the list
// holds fewer than limit items. Returns the position written, or -1 when nothing was (an empty
// entry, or a full list).
int AddListEntry(std::vector<std::string>& items, const std::string& entry, std::size_t limit);

// Writes the items into the table from slot 0, at most limit of them (and never more than the
// table's slots less one), and empties every later slot.
void StoreListInTable(const std::vector<std::string>& items, std::span<std::string> table,
                      std::size_t limit);

} // namespace korbi::commands
