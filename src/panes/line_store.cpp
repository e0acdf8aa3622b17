#include "panes/line_store.h"

#include <algorithm>
#include <utility>

namespace korbi::panes {

namespace {
constexpr std::size_t kPictsKeptAnyway = 64;
} // namespace

int LineCapacity(int innerHeight) {
    return std::clamp(innerHeight / kLinePixels, 1, kLineViewMax);
}

LineRecord LineStore::Line(int k) const {
    const Id id = FirstId() + static_cast<Id>(k);
    const Stored& line = At(id);
    return {line.colour, Pict(id), line.text, line.time, line.highlight};
}

const std::string& LineStore::Pict(Id id) const {
    return m_picts[At(id).pict];
}

std::uint32_t LineStore::PictIndex(const std::string& name) {
    if (const auto found = m_pictIndex.find(name); found != m_pictIndex.end()) {
        return found->second;
    }
    // Names of lines fallen off are dropped once they outnumber the lines kept.
    if (m_picts.size() > 2 * m_lines.size() + kPictsKeptAnyway) {
        std::vector<std::string> names = std::exchange(m_picts, {std::string()});
        m_pictIndex = {{std::string(), 0}};
        for (Stored& line : m_lines) {
            line.pict = PictIndex(names[line.pict]);
        }
    }
    const auto index = static_cast<std::uint32_t>(m_picts.size());
    m_picts.push_back(name);
    m_pictIndex.emplace(name, index);
    return index;
}

void LineStore::Add(LineRecord record, int capacity) {
    const auto keep = static_cast<std::size_t>(std::max(capacity, 1));
    while (m_lines.size() >= keep) {
        m_lines.pop_front();
        ++m_dropped;
    }
    const std::uint32_t pict = PictIndex(record.pict);
    const bool codes = std::any_of(record.text.begin(), record.text.end(), [](char ch) {
        return ch == irc::kBoldCode || ch == irc::kColourCode || ch == irc::kReverseCode ||
               ch == irc::kUnderlineCode;
    });
    m_lines.push_back(
        {std::move(record.text), record.time, pict, record.colour, record.highlight, codes});
}

void LineStore::Clear() {
    m_dropped += m_lines.size();
    m_lines.clear();
    m_lines.shrink_to_fit();
    m_picts.resize(1);
    m_pictIndex = {{std::string(), 0}};
}

} // namespace korbi::panes
