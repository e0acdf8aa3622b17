#include "irc/reconnect_policy.h"

#include <algorithm>

namespace korbi::irc {

std::optional<int> ReconnectPolicy::Ended(std::string_view error) {
    if (error.empty()) {
        m_sameEndings = 0;
    } else {
        m_sameEndings = error == m_lastError ? m_sameEndings + 1 : 1;
    }
    m_lastError = error;
    if (m_sameEndings >= kSameEndingsLimit) {
        return std::nullopt;
    }
    long delay = m_firstDelayMs;
    for (int i = 0; i < m_tries && delay < kMaxDelayMs; ++i) {
        delay *= 2;
    }
    ++m_tries;
    return static_cast<int>(std::min<long>(delay, kMaxDelayMs));
}

void ReconnectPolicy::Reset() {
    m_tries = 0;
    m_lastError.clear();
    m_sameEndings = 0;
}

} // namespace korbi::irc
