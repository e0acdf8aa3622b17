#include "panes/nick_index.h"

#include "platform/text_values.h"

#include <algorithm>

namespace korbi::panes {

namespace {

// Renumbering pays off once removed numbers outweigh the present ones.
constexpr std::size_t kSlackNumbers = 1024;

std::uint64_t LowBit(std::uint64_t i) {
    return i & (~i + 1);
}

} // namespace

std::vector<std::string> NickKeys(std::string_view entry, std::string_view rankMarks) {
    std::vector<std::string> keys{platform::UpperAscii(entry)};
    const std::size_t marks = irc::RankLength(entry, rankMarks);
    if (marks > 0) {
        keys.push_back(platform::UpperAscii(entry.substr(marks)));
    }
    return keys;
}

void NickIndex::SetRankMarks(std::string_view rankMarks) {
    m_rankMarks = rankMarks;
    Renumber();
}

void NickIndex::Append(std::string_view entry) {
    if (m_entries.size() > 2 * m_size + kSlackNumbers) {
        Renumber();
    }
    const std::uint64_t number = m_entries.size();
    m_entries.emplace_back(entry);
    m_present.push_back(true);
    // The new tree node covers (i - LowBit(i), i]: its own entry and the ones before it.
    const std::uint64_t i = number + 1;
    m_tree.push_back(1 + static_cast<std::int64_t>(CountBefore(number)) -
                     static_cast<std::int64_t>(CountBefore(i - LowBit(i))));
    for (std::string& key : NickKeys(entry, m_rankMarks)) {
        m_byKey[std::move(key)].push_back(number);
    }
    ++m_size;
}

void NickIndex::RemoveAt(std::size_t position) {
    if (position >= m_size) {
        return;
    }
    const std::uint64_t number = NumberAt(position);
    for (const std::string& key : NickKeys(m_entries[number], m_rankMarks)) {
        const auto found = m_byKey.find(key);
        if (found == m_byKey.end()) {
            continue;
        }
        std::erase(found->second, number);
        if (found->second.empty()) {
            m_byKey.erase(found);
        }
    }
    m_entries[number].clear();
    m_present[number] = false;
    Count(number, -1);
    --m_size;
}

void NickIndex::Clear() {
    m_entries.clear();
    m_present.clear();
    m_tree.clear();
    m_byKey.clear();
    m_size = 0;
}

int NickIndex::Find(std::string_view nick) const {
    const auto found = m_byKey.find(platform::UpperAscii(nick));
    if (found == m_byKey.end()) {
        return -1;
    }
    // Numbers follow the list's order: the smallest is the first entry.
    const std::uint64_t first = *std::min_element(found->second.begin(), found->second.end());
    return static_cast<int>(CountBefore(first));
}

std::size_t NickIndex::CountBefore(std::uint64_t number) const {
    std::int64_t count = 0;
    for (std::uint64_t i = number; i > 0; i -= LowBit(i)) {
        count += m_tree[i - 1];
    }
    return static_cast<std::size_t>(count);
}

std::uint64_t NickIndex::NumberAt(std::size_t position) const {
    // The largest prefix of numbers holding at most position present entries ends just
    // before the entry sought.
    std::uint64_t step = 1;
    while (step * 2 <= m_tree.size()) {
        step *= 2;
    }
    std::uint64_t end = 0;
    auto remaining = static_cast<std::int64_t>(position);
    for (; step > 0; step /= 2) {
        const std::uint64_t next = end + step;
        if (next <= m_tree.size() && m_tree[next - 1] <= remaining) {
            end = next;
            remaining -= m_tree[next - 1];
        }
    }
    return end;
}

void NickIndex::Count(std::uint64_t number, int change) {
    for (std::uint64_t i = number + 1; i <= m_tree.size(); i += LowBit(i)) {
        m_tree[i - 1] += change;
    }
}

void NickIndex::Renumber() {
    std::vector<std::string> present;
    present.reserve(m_size);
    for (std::size_t number = 0; number < m_entries.size(); ++number) {
        if (m_present[number]) {
            present.push_back(std::move(m_entries[number]));
        }
    }
    Clear();
    for (const std::string& entry : present) {
        Append(entry);
    }
}

} // namespace korbi::panes
