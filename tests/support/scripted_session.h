#pragma once
// A server window with its conversation window over a temporary program folder, talking to a
// scripted server on 127.0.0.1 that records every byte the client sends.
#include "panes/conversation_window.h"
#include "session/server_window.h"
#include "support/loopback_options.h"
#include "support/scripted_server.h"
#include "support/wait.h"

#include <QTemporaryDir>

#include <string>

namespace korbi::testing {

class ScriptedSession {
  public:
    // What the client sends on connecting, framed as it goes out: the capability question,
    // then the registration.
    static constexpr const char* kRegistration =
        "\nCAP LS 302\r\nNICK Joe\r\nUSER joe@example.net default 127.0.0.1 :Joe Real\r";

    explicit ScriptedSession(const session::ServerWindowOptions& options = LoopbackOptions())
        : folder(std::filesystem::path(dir.path().toStdString())),
          conversation(settings, flags, folder),
          window(settings, flags, folder, conversation, options) {
        settings.NickName = "Joe";
        settings.MyUserName = "joe@example.net";
        settings.RealName = "Joe Real";
    }

    // Connects to server (the scripted one unless another is given) and waits for the
    // registration lines.
    bool Connect(ScriptedServer& to) {
        const int before = to.Connections();
        window.ConnectToServer("127.0.0.1", std::to_string(to.Port()));
        return to.WaitForConnections(before + 1) && to.WaitForReceived("\nUSER ");
    }
    bool Connect() { return Connect(server); }

    // The server ends its message of the day: the client is logged on and sets its modes.
    bool LogOn() {
        server.Send(":irc.test 376 Joe :End of MOTD\r\n");
        return server.WaitForReceived("\nMODE Joe +\r") &&
               WaitUntil([this] { return flags.LoggedOn; });
    }

    // The bytes sent after the registration lines.
    std::string SentAfterRegistration() const {
        const std::string received = server.Received();
        const std::string registration = kRegistration;
        return received.starts_with(registration) ? received.substr(registration.size())
                                                  : "(no registration) " + received;
    }

    QString Pane(int slot = 0) const { return conversation.PaneText(slot); }

    QTemporaryDir dir;
    core::Settings settings;
    core::FrameFlags flags;
    platform::ProgramFolder folder;
    panes::ConversationWindow conversation;
    session::ServerWindow window;
    ScriptedServer server;
};

} // namespace korbi::testing
