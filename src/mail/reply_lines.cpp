#include "mail/reply_lines.h"

namespace korbi::mail {

std::vector<std::string> ReplyLines::Add(std::string_view arrival) {
    std::vector<std::string> lines;
    for (const char c : arrival) {
        m_pending += c;
        if (c == '\n' || m_pending.size() >= MaxPending) {
            lines.push_back(std::move(m_pending));
            m_pending.clear();
        }
    }
    return lines;
}

} // namespace korbi::mail
