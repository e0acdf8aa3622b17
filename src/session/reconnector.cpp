#include "session/reconnector.h"

#include <QTimer>

namespace korbi::session {

Reconnector::Reconnector(Hooks hooks, const ReconnectOptions& options, QObject* parent)
    : QObject(parent), m_hooks(std::move(hooks)), m_options(options),
      m_policy(options.firstDelayMs), m_retry(new QTimer(this)), m_silenceCheck(new QTimer(this)) {
    m_retry->setSingleShot(true);
    connect(m_retry, &QTimer::timeout, this, [this] { m_hooks.Retry(); });
    m_silenceCheck->setInterval(m_options.silenceCheckMs);
    connect(m_silenceCheck, &QTimer::timeout, this, &Reconnector::CheckSilence);
}

void Reconnector::UserActed() {
    m_retry->stop();
    m_silenceCheck->stop();
    m_policy.Reset();
    m_userEnded = true;
    m_sessionUp = false;
    m_recovering = false;
}

void Reconnector::SessionStarted() {
    m_userEnded = false;
    m_sessionUp = true;
    m_pingPending = false;
    m_lastError.clear();
    m_lastArrival = Clock::now();
    m_silenceCheck->start();
}

bool Reconnector::ConnectionEnded() {
    if (m_retry->isActive()) {
        return true; // an error and the close that follows it end one connection
    }
    m_silenceCheck->stop();
    const bool wasUp = m_sessionUp;
    m_sessionUp = false;
    if (m_userEnded || (!wasUp && !m_recovering)) {
        return false;
    }
    const std::optional<int> delay = m_policy.Ended(m_lastError);
    m_lastError.clear();
    if (!delay) {
        m_hooks.Say("The server ended the session the same way " +
                    std::to_string(irc::ReconnectPolicy::kSameEndingsLimit) +
                    " times in a row: not reconnecting. Connect again when it may take you.");
        m_recovering = false;
        return false;
    }
    m_recovering = true;
    m_hooks.Say("Reconnecting in " + std::to_string((*delay + 999) / 1000) + " seconds (try " +
                std::to_string(m_policy.Tries()) + ")...");
    m_retry->start(*delay);
    return true;
}

void Reconnector::CheckSilence() {
    const auto now = Clock::now();
    const auto since = [now](Clock::time_point then) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(now - then).count();
    };
    if (m_pingPending && m_lastArrival > m_pingSent) {
        m_pingPending = false;
    }
    if (!m_pingPending && since(m_lastArrival) >= m_options.silenceMs) {
        m_hooks.Send("PING :korbi");
        m_pingSent = now;
        m_pingPending = true;
        return;
    }
    if (m_pingPending && since(m_pingSent) >= m_options.pingAnswerMs) {
        m_pingPending = false;
        m_hooks.Say("The server has not answered for " +
                    std::to_string((m_options.silenceMs + m_options.pingAnswerMs) / 1000) +
                    " seconds: the connection is taken for lost.");
        m_hooks.DropSilentConnection();
    }
}

} // namespace korbi::session
