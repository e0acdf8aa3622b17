#include "session/login.h"

namespace korbi::session {

namespace {

bool IsLoopback(const std::string& host) {
    return host == "localhost" || host == "::1" || host.starts_with("127.");
}

} // namespace

irc::LoginOptions LoginOptionsFor(const core::Settings& settings, const std::string& host,
                                  bool secure) {
    const core::ExtraSettings& extras = settings.Extras;
    irc::LoginOptions options;
    options.account = extras.Value("SaslAccount").value_or("");
    options.password = extras.Value("SaslPassword").value_or("");
    // The certificate shows only over TLS.
    options.external = secure && !extras.Value("ClientCertificate").value_or("").empty();
    options.plainAllowed = secure || IsLoopback(host);
    return options;
}

void Login::Start(const irc::LoginOptions& options) {
    m_dialogue = irc::LoginDialogue(options);
    m_link.Send2Serv(irc::LoginDialogue::kStart);
}

bool Login::Handle(const irc::ServerLine& line) {
    const irc::LoginStep step = m_dialogue.OnLine(line);
    for (const std::string& text : step.show) {
        m_output.Print(0, core::LineStyle::Connected, text);
    }
    for (const std::string& send : step.send) {
        m_link.Send2Serv(send);
    }
    return step.handled;
}

} // namespace korbi::session
