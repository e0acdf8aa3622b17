#include "commands/table_lists.h"

#include "irc/words.h"
#include "platform/text_values.h"

#include <algorithm>

namespace korbi::commands {

int GetIndexList(const std::vector<std::string>& items, std::string_view entry) {
    const std::string name = irc::FirstWord(entry);
    int found = -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (platform::EqualsNoCase(irc::FirstWord(items[i]), name)) {
            found = static_cast<int>(i);
        }
    }
    return found;
}

std::vector<std::string> ListFromTable(std::span<const std::string> table) {
    std::vector<std::string> items;
    std::copy_if(table.begin(), table.end(), std::back_inserter(items),
                 [](const std::string& entry) { return !entry.empty(); });
    return items;
}

int AddListEntry(std::vector<std::string>& items, const std::string& entry, std::size_t limit) {
    if (entry.empty()) {
        return -1;
    }
    if (const int index = GetIndexList(items, entry); index >= 0) {
        items[static_cast<std::size_t>(index)] = entry;
        return index;
    }
    if (items.size() >= limit) {
        return -1;
    }
    items.push_back(entry);
    return static_cast<int>(items.size() - 1);
}

void StoreListInTable(const std::vector<std::string>& items, std::span<std::string> table,
                      std::size_t limit) {
    const std::size_t stored =
        std::min({items.size(), limit, table.empty() ? std::size_t{0} : table.size() - 1});
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = i < stored ? items[i] : std::string();
    }
}

} // namespace korbi::commands
