#include "irc/line_framer.h"

#include <cstring>

namespace korbi::irc {

void LineFramer::Clear() {
    m_buffer.clear();
    m_start = 0;
    m_scan = 0;
    m_dropOrphanLineFeed = false;
    m_skippingLongLine = false;
    ++m_generation;
}

void LineFramer::Compact() {
    m_buffer.erase(0, m_start);
    m_scan -= m_start;
    m_start = 0;
}

void LineFramer::Feed(std::string_view arrival, const LineHandler& onLine,
                      const OverflowHandler& onOverflow) {
    // A carriage return that ended the previous arrival took no line feed with it; the line
    // feed that starts this arrival belongs to that line, not to the next one.
    if (m_dropOrphanLineFeed && !arrival.empty()) {
        if (arrival.front() == '\n') {
            arrival.remove_prefix(1);
        }
        m_dropOrphanLineFeed = false;
    }
    m_buffer.append(arrival);
    const unsigned generation = m_generation;

    while (m_scan < m_buffer.size()) {
        const void* found = std::memchr(m_buffer.data() + m_scan, '\r', m_buffer.size() - m_scan);
        if (found == nullptr) {
            m_scan = m_buffer.size();
            break;
        }
        const std::size_t cr =
            static_cast<std::size_t>(static_cast<const char*>(found) - m_buffer.data());
        // A line feed right after the carriage return belongs to the line end; any other byte
        // there starts the next line (a stray carriage return must not swallow its first byte).
        const bool crIsLast = cr + 1 == m_buffer.size();
        const bool lineFeedFollows = !crIsLast && m_buffer[cr + 1] == '\n';
        const std::size_t end = lineFeedFollows ? cr + 2 : cr + 1;
        const bool skipped = m_skippingLongLine;
        m_skippingLongLine = false;
        std::string line;
        if (!skipped) {
            line.assign(m_buffer, m_start, end - m_start);
        }
        m_start = end;
        m_scan = end;
        if (crIsLast) {
            m_dropOrphanLineFeed = true;
        }
        if (!skipped) {
            onLine(line);
            if (generation != m_generation) {
                return;
            }
        }
    }

    if (m_skippingLongLine) {
        m_start = m_buffer.size(); // more of a line already reported as too long
    } else if (PendingSize() > m_maxPending) {
        const std::size_t dropped = PendingSize();
        m_start = m_buffer.size();
        m_skippingLongLine = true;
        if (onOverflow) {
            onOverflow(dropped);
        }
    }
    m_scan = m_buffer.size();
    Compact();
}

} // namespace korbi::irc
