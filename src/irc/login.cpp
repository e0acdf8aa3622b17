#include "irc/login.h"

#include "irc/capabilities.h"
#include "irc/sasl.h"

#include <algorithm>
#include <array>
#include <utility>

namespace korbi::irc {

namespace {
// Asked for when offered, in this order.
constexpr std::array<const char*, 3> kWanted = {"multi-prefix", "server-time", "sasl"};
} // namespace

LoginDialogue::LoginDialogue(LoginOptions options) : m_options(std::move(options)) {}

bool LoginDialogue::Enabled(const std::string& cap) const {
    return std::find(m_enabled.begin(), m_enabled.end(), cap) != m_enabled.end();
}

LoginStep LoginDialogue::Finish(LoginStep step) {
    if (m_state != State::Done) {
        step.send.emplace_back("CAP END");
        m_state = State::Done;
    }
    return step;
}

LoginStep LoginDialogue::OnLine(const ServerLine& line) {
    if (line.command == "CAP") {
        return OnCap(line);
    }
    if (line.command == "001") {
        m_state = State::Done; // registered: whatever was not answered is over
        return {};
    }
    if (m_state == State::Done) {
        return {};
    }
    // A server that does not know CAP says so (some say it before registration with 451);
    // the registration that follows is the same as without the question.
    if ((line.command == "421" || line.command == "451") &&
        (line.Param(3) == "CAP" || line.Param(2) == "CAP")) {
        m_state = State::Done;
        return {true, {}, {}};
    }
    return OnNumeric(line);
}

LoginStep LoginDialogue::OnCap(const ServerLine& line) {
    const std::optional<CapMessage> message = ParseCap(line.params);
    if (!message) {
        return {true, {}, {}};
    }
    if (message->subcommand == "LS" && m_state == State::Listing) {
        m_offered.insert(m_offered.end(), message->caps.begin(), message->caps.end());
        return message->more ? LoginStep{true, {}, {}} : EndOfList();
    }
    if (message->subcommand == "ACK") {
        return OnAcknowledged(message->caps);
    }
    if (message->subcommand == "NAK" && m_state == State::Requesting) {
        return Finish({true, {}, {}});
    }
    if (message->subcommand == "DEL") {
        for (const std::string& cap : message->caps) {
            std::erase(m_enabled, CapName(cap));
        }
    }
    return {true, {}, {}};
}

// Which mechanism to use with what the server offers; "" when none fits, with the reason shown.
std::string LoginDialogue::Mechanism(const std::string& offered, LoginStep& step) const {
    const std::string mechanisms = CapValue(offered);
    if (m_options.external && OffersMechanism(mechanisms, "EXTERNAL")) {
        return "EXTERNAL";
    }
    if (m_options.account.empty() || m_options.password.empty()) {
        return {};
    }
    if (!m_options.plainAllowed) {
        step.show.emplace_back("Login skipped: the password is sent only over a secure "
                               "connection. Write the port as +6697 (or the server's TLS port).");
        return {};
    }
    if (!OffersMechanism(mechanisms, "PLAIN")) {
        step.show.emplace_back("Login skipped: the server does not take a password login "
                               "(it takes: " +
                               mechanisms + ").");
        return {};
    }
    return "PLAIN";
}

LoginStep LoginDialogue::EndOfList() {
    LoginStep step{true, {}, {}};
    std::string request;
    for (const char* wanted : kWanted) {
        const std::optional<std::string> offered = FindCap(m_offered, wanted);
        if (!offered) {
            continue;
        }
        if (std::string_view(wanted) == "sasl") {
            m_mechanism = Mechanism(*offered, step);
            if (m_mechanism.empty()) {
                continue;
            }
        }
        request += (request.empty() ? "" : " ") + std::string(wanted);
    }
    const bool wantsLogin = m_options.external || !m_options.account.empty();
    if (wantsLogin && !FindCap(m_offered, "sasl")) {
        step.show.emplace_back("Login skipped: the server offers no SASL login.");
    }
    if (request.empty()) {
        return Finish(step);
    }
    step.send.push_back("CAP REQ :" + request);
    m_state = State::Requesting;
    return step;
}

LoginStep LoginDialogue::OnAcknowledged(const std::vector<std::string>& caps) {
    for (const std::string& cap : caps) {
        if (cap.starts_with('-')) {
            std::erase(m_enabled, cap.substr(1));
        } else if (!Enabled(cap)) {
            m_enabled.push_back(cap);
        }
    }
    if (m_state != State::Requesting) {
        return {true, {}, {}};
    }
    if (Enabled("sasl") && !m_mechanism.empty()) {
        m_state = State::Authenticating;
        return {true, {"AUTHENTICATE " + m_mechanism}, {}};
    }
    return Finish({true, {}, {}});
}

LoginStep LoginDialogue::OnNumeric(const ServerLine& line) {
    if (m_state != State::Authenticating) {
        return {};
    }
    const std::string& command = line.command;
    if (command == "AUTHENTICATE") {
        if (line.Param(2) != "+") {
            return {true, {}, {}};
        }
        const std::string payload = m_mechanism == "PLAIN"
                                        ? PlainPayload(m_options.account, m_options.password)
                                        : std::string();
        return {true, AuthenticateLines(payload), {}};
    }
    if (command == "900") {
        // The server's own sentence names the account it logged in.
        return {true, {}, {WithoutColon(WordsFrom(5, WithoutLineEnd(line.params)))}};
    }
    if (command == "903") {
        return Finish({true, {}, {}});
    }
    if (command == "908") {
        return {true, {}, {SaslFailureText(command, line.Param(3))}};
    }
    const std::string failure = SaslFailureText(command, {});
    if (failure.empty()) {
        return {};
    }
    return Finish({true, {}, {failure}});
}

} // namespace korbi::irc
