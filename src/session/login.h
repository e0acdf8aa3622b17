#pragma once
// Capability negotiation and SASL login while registering: the server's CAP, AUTHENTICATE and
// 90x lines go to the login dialogue, what it answers goes to the server, and what it says to
// the server pane.
#include "core/pane_output.h"
#include "core/server_link.h"
#include "core/settings.h"
#include "irc/login.h"

#include <string>

namespace korbi::session {

// The login the settings ask for on a connection to host; secure when it is TLS. A password
// goes in clear only to this machine.
irc::LoginOptions LoginOptionsFor(const core::Settings& settings, const std::string& host,
                                  bool secure);

class Login {
  public:
    Login(core::PaneOutput& output, core::ServerLink& link) : m_output(output), m_link(link) {}

    // A new connection: the question that opens the negotiation goes out.
    void Start(const irc::LoginOptions& options);
    // True when the line belonged to the negotiation and needs no other handler.
    bool Handle(const irc::ServerLine& line);

  private:
    core::PaneOutput& m_output;
    core::ServerLink& m_link;
    irc::LoginDialogue m_dialogue;
};

} // namespace korbi::session
