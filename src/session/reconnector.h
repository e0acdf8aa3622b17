#pragma once
// Getting a lost connection back. When the connection ends without the user asking (the server
// closed it, the network failed, or the server stayed silent), the client tries again after the
// delays of irc::ReconnectPolicy, one line in the server pane per try. Silence is found by
// asking: after silenceMs without a byte the client sends a PING, and a server that still says
// nothing pingAnswerMs later is taken for gone.
#include "irc/reconnect_policy.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <string>

class QTimer;

namespace korbi::session {

struct ReconnectOptions {
    int firstDelayMs = irc::ReconnectPolicy::kFirstDelayMs;
    int silenceMs = 4 * 60 * 1000;
    int pingAnswerMs = 60 * 1000;
    int silenceCheckMs = 10 * 1000;
};

class Reconnector : public QObject {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<void()> Retry;                       // connect to the same server
        std::function<void(const std::string& text)> Say;  // a line in the server pane
        std::function<void(const std::string& line)> Send; // a line to the server
        std::function<void()> DropSilentConnection;        // close it; no Closed follows
    };

    Reconnector(Hooks hooks, const ReconnectOptions& options, QObject* parent = nullptr);

    // The user connected, disconnected or quit: no try is pending, the delays start afresh,
    // and a connection that ends from now on until the next session is not tried again.
    void UserActed();
    // The socket connected: the silence watch starts.
    void SessionStarted();
    // Bytes arrived.
    void DataArrived() { m_lastArrival = Clock::now(); }
    // The server welcomed the client.
    void Welcomed() { m_policy.Registered(); }
    // The server's ERROR line, which tells why it is about to close.
    void ServerError(const std::string& text) { m_lastError = text; }
    // The connection or a try ended; true when another try is scheduled.
    bool ConnectionEnded();
    // Between a loss and the welcome that follows it: the panes wait for their channels.
    bool Recovering() const { return m_recovering; }
    void Recovered() { m_recovering = false; }

  private:
    using Clock = std::chrono::steady_clock;
    void CheckSilence();

    Hooks m_hooks;
    ReconnectOptions m_options;
    irc::ReconnectPolicy m_policy;
    QTimer* m_retry;
    QTimer* m_silenceCheck;
    Clock::time_point m_lastArrival{};
    Clock::time_point m_pingSent{};
    bool m_pingPending = false;
    bool m_sessionUp = false;
    bool m_userEnded = true; // nothing to get back before the first session
    bool m_recovering = false;
    std::string m_lastError;
};

} // namespace korbi::session
