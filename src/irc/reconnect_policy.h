#pragma once
// When to try again after a connection ended without the user asking: after 5 seconds, then
// twice as long after each failed try, at most 5 minutes. A server that ends the session with
// the same ERROR three times in a row (a ban, a kill) is not asked a fourth time: trying in a
// loop would only earn a longer ban.
#include <optional>
#include <string>
#include <string_view>

namespace korbi::irc {

class ReconnectPolicy {
  public:
    static constexpr int kFirstDelayMs = 5000;
    static constexpr int kMaxDelayMs = 5 * 60 * 1000;
    static constexpr int kSameEndingsLimit = 3;

    explicit ReconnectPolicy(int firstDelayMs = kFirstDelayMs) : m_firstDelayMs(firstDelayMs) {}

    // A connection (or a try) ended unasked; error is the text of the server's ERROR line, ""
    // when it sent none. The delay before the next try, or nullopt to stop trying.
    std::optional<int> Ended(std::string_view error);
    // The server welcomed the client: the next loss starts again from the first delay.
    void Registered() { m_tries = 0; }
    // The user connected or disconnected: everything starts afresh.
    void Reset();
    // The tries made since the last welcome or reset.
    int Tries() const { return m_tries; }

  private:
    int m_firstDelayMs;
    int m_tries = 0;
    std::string m_lastError;
    int m_sameEndings = 0;
};

} // namespace korbi::irc
