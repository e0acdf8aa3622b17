#pragma once
// The positions of the entries of a nick list, found by nick: a join, a part or a nick change in
// a channel of thousands must neither walk nor copy the whole list. It mirrors a list that grows
// at its end and loses entries anywhere, as a pane's nick list does. A nick finds an entry as
// FindNick does: the entry itself, or the entry without its rank marks, in any letter case.
#include "irc/ranks.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korbi::panes {

class NickIndex {
  public:
    // The list gained entry at its end.
    void Append(std::string_view entry);
    // The list lost the entry at position (from 0); nothing outside the list.
    void RemoveAt(std::size_t position);
    void Clear();
    std::size_t Size() const { return m_size; }
    // The position of the first entry nick finds, -1 when none does.
    int Find(std::string_view nick) const;
    // The server told which characters are rank marks: the entries are found anew by them.
    void SetRankMarks(std::string_view rankMarks);

  private:
    // Each entry has a number given in the order of appending; its position is the count of
    // present entries with a smaller number, kept in a Fenwick tree so that both directions
    // take logarithmic time.
    std::size_t CountBefore(std::uint64_t number) const;
    std::uint64_t NumberAt(std::size_t position) const;
    void Count(std::uint64_t number, int change);
    void Renumber();

    std::vector<std::string> m_entries; // by number; removed entries are empty and absent
    std::vector<bool> m_present;
    std::vector<std::int64_t> m_tree; // 1-based Fenwick tree over the numbers
    std::unordered_map<std::string, std::vector<std::uint64_t>> m_byKey;
    std::size_t m_size = 0;
    std::string m_rankMarks{irc::kDefaultRankMarks};
};

// The keys under which FindNick finds an entry: the entry, and without its rank marks,
// upper-cased.
std::vector<std::string> NickKeys(std::string_view entry, std::string_view rankMarks);

} // namespace korbi::panes
