#pragma once
// The client's side of registration beyond NICK and USER: capability negotiation and SASL
// login, as a state machine fed with the server's lines that returns what to send and show.
#include "irc/server_line.h"

#include <string>
#include <vector>

namespace korbi::irc {

struct LoginOptions {
    std::string account; // PLAIN when account and password are set
    std::string password;
    bool external = false; // a client certificate is set: EXTERNAL is tried first
    // PLAIN sends the password: only over TLS, or to this machine.
    bool plainAllowed = false;
};

struct LoginStep {
    bool handled = false;          // the line belonged to the negotiation
    std::vector<std::string> send; // protocol lines, unframed
    std::vector<std::string> show; // sentences for the server pane
};

class LoginDialogue {
  public:
    // Sent before NICK and USER: a server that knows CAP holds the registration until
    // "CAP END"; one that does not answers 421 (or nothing) and registers as ever.
    static constexpr const char* kStart = "CAP LS 302";

    explicit LoginDialogue(LoginOptions options = {});

    LoginStep OnLine(const ServerLine& line);

    // A capability the server acknowledged (multi-prefix, server-time...).
    bool Enabled(const std::string& cap) const;
    bool Negotiating() const { return m_state != State::Done; }

  private:
    enum class State { Listing, Requesting, Authenticating, Done };

    LoginStep OnCap(const ServerLine& line);
    LoginStep EndOfList();
    LoginStep OnAcknowledged(const std::vector<std::string>& caps);
    LoginStep OnNumeric(const ServerLine& line);
    std::string Mechanism(const std::string& offered, LoginStep& step) const;
    LoginStep Finish(LoginStep step);

    LoginOptions m_options;
    State m_state = State::Listing;
    std::vector<std::string> m_offered;
    std::vector<std::string> m_enabled;
    std::string m_mechanism;
};

} // namespace korbi::irc
