#pragma once
// Role: the nick list of each pane, in display order.
#include "irc/masks.h"
#include "irc/ranks.h"

#include <string>
#include <vector>

namespace korbi::core {

class NickLists {
  public:
    virtual ~NickLists() = default;

    virtual std::vector<std::string> NickListItems(int slot) const = 0;
    virtual void SetNickListItems(int slot, const std::vector<std::string>& items) = 0;
    // One-entry changes and the lookup of a member, so that busy channels and long channel
    // listings are not copied whole for every line; a pane with its own list overrides them.
    virtual void AddNickListItem(int slot, const std::string& item) {
        auto items = NickListItems(slot);
        items.push_back(item);
        SetNickListItems(slot, items);
    }
    virtual void RemoveNickListItem(int slot, int index) {
        auto items = NickListItems(slot);
        if (index >= 0 && index < static_cast<int>(items.size())) {
            items.erase(items.begin() + index);
            SetNickListItems(slot, items);
        }
    }
    // Position of nick in the slot's list, rank marks and letter case ignored; -1 when absent.
    virtual int FindNick(int slot, const std::string& nick) const {
        return irc::FindNick(NickListItems(slot), nick, m_rankMarks);
    }
    // The entry at index of the slot's list, "" outside the list.
    virtual std::string NickListEntry(int slot, int index) const {
        const auto items = NickListItems(slot);
        return index >= 0 && index < static_cast<int>(items.size())
                   ? items[static_cast<std::size_t>(index)]
                   : std::string();
    }
    // Selected entries of a pane's nick list.
    virtual std::vector<std::string> SelectedNicks(int slot) const = 0;
    // nick said something in the slot's pane: nick completion offers the latest speakers first.
    virtual void NickSpoke(int /*slot*/, const std::string& /*nick*/) {}

    // The server's rank marks (irc/ranks.h), highest first; every nick comparison strips them.
    const std::string& RankMarks() const { return m_rankMarks; }
    virtual void SetRankMarks(const std::string& marks) { m_rankMarks = marks; }

  private:
    std::string m_rankMarks{irc::kDefaultRankMarks};
};

} // namespace korbi::core
