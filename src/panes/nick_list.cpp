#include "panes/nick_list.h"

#include "core/client_host.h"

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

void FillNickList(core::ClientHost& host, int slot, std::string_view names) {
    for (const std::string& name : NickListNames(names)) {
        host.AddNickListItem(slot, name);
    }
}

void AddNickToList(core::ClientHost& host, int slot, const std::string& nick) {
    if (!nick.empty() && host.FindNick(slot, nick) == -1) {
        host.AddNickListItem(slot, nick);
    }
}

bool RemoveNickFromList(core::ClientHost& host, int slot, const std::string& nick) {
    const int k = host.FindNick(slot, nick);
    if (k == -1) {
        return false;
    }
    host.RemoveNickListItem(slot, k);
    return true;
}

bool RenameNickInList(core::ClientHost& host, int slot, const std::string& oldNick,
                      const std::string& newNick) {
    const int k = host.FindNick(slot, oldNick);
    if (k == -1) {
        return false;
    }
    const std::string mark = StatusMark(host.NickListEntry(slot, k));
    host.RemoveNickListItem(slot, k);
    host.AddNickListItem(slot, mark + newNick);
    return true;
}

std::string StatusMark(std::string_view entry) {
    if (!entry.empty() && (entry.front() == '@' || entry.front() == '+')) {
        return std::string(1, entry.front());
    }
    return {};
}

std::string BareNick(std::string_view entry) {
    if (!entry.empty() && entry.front() == '@') {
        entry.remove_prefix(1);
    }
    if (!entry.empty() && entry.front() == '+') {
        entry.remove_prefix(1);
    }
    return std::string(entry);
}

} // namespace korbi::panes
