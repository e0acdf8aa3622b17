#include "panes/line_store.h"

#include <algorithm>

namespace korbi::panes {

namespace {
int Ring(int position) {
    return position % kLineStoreSize;
}
} // namespace

int LineCapacity(int innerHeight) {
    return std::clamp(innerHeight / kLinePixels, 1, kLineStoreSize);
}

const LineRecord& LineStore::Line(int k) const {
    return m_records[static_cast<std::size_t>(Ring(m_first + k))];
}

void LineStore::Add(LineRecord record, int capacity) {
    capacity = std::clamp(capacity, 1, kLineStoreSize);
    // A view that shrank drops its oldest lines, so the newest stay in sight.
    while (m_count >= capacity) {
        m_records[static_cast<std::size_t>(m_first)] = LineRecord{};
        m_first = Ring(m_first + 1);
        --m_count;
    }
    m_records[static_cast<std::size_t>(Ring(m_first + m_count))] = std::move(record);
    ++m_count;
}

void LineStore::Clear() {
    for (int k = 0; k < m_count; ++k) {
        m_records[static_cast<std::size_t>(Ring(m_first + k))] = LineRecord{};
    }
    m_first = 0;
    m_count = 0;
}

} // namespace korbi::panes
