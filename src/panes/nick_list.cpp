#include "panes/nick_list.h"

#include "core/nick_lists.h"

namespace korbi::panes {

std::vector<std::string> NickListNames(std::string_view names) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start < names.size()) {
        std::size_t blank = names.find(' ', start);
        if (blank == std::string_view::npos) {
            blank = names.size();
        }
        if (blank > start) {
            entries.emplace_back(names.substr(start, blank - start));
        }
        start = blank + 1;
    }
    return entries;
}

void FillNickList(core::NickLists& nicks, int slot, std::string_view names) {
    for (const std::string& name : NickListNames(names)) {
        nicks.AddNickListItem(slot, name);
    }
}

void AddNickToList(core::NickLists& nicks, int slot, const std::string& nick) {
    if (!nick.empty() && nicks.FindNick(slot, nick) == -1) {
        nicks.AddNickListItem(slot, nick);
    }
}

bool RemoveNickFromList(core::NickLists& nicks, int slot, const std::string& nick) {
    const int k = nicks.FindNick(slot, nick);
    if (k == -1) {
        return false;
    }
    nicks.RemoveNickListItem(slot, k);
    return true;
}

bool RenameNickInList(core::NickLists& nicks, int slot, const std::string& oldNick,
                      const std::string& newNick) {
    const int k = nicks.FindNick(slot, oldNick);
    if (k == -1) {
        return false;
    }
    const std::string mark = irc::RanksOf(nicks.NickListEntry(slot, k), nicks.RankMarks());
    nicks.RemoveNickListItem(slot, k);
    nicks.AddNickListItem(slot, mark + newNick);
    return true;
}

} // namespace korbi::panes
