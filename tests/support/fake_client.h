#pragma once
// Every role fake at once, for the code that takes them all: the dispatcher's handlers, the
// interpreter and the input line.
#include "commands/command_roles.h"
#include "panes/input_line_logic.h"
#include "session/handler_table.h"
#include "support/fake_panes.h"
#include "support/fake_roles.h"

#include <initializer_list>
#include <string>
#include <utility>

namespace korbi::testing {

class FakeClient : public FakePanes,
                   public FakeChannelListing,
                   public FakeServerLink,
                   public FakeCommandRunner,
                   public FakeMedia,
                   public FakeSettings,
                   public FakeNotifier {
  public:
    session::HandlerRoles Roles() {
        return {*this, *this, *this, *this, *this, *this, *this, *this, *this, alerts};
    }
    commands::CommandRoles CommandRoles() { return session::CommandRolesOf(Roles()); }
    panes::InputLineRoles InputRoles() { return {*this, *this, *this, *this, *this, *this}; }

    // From now on every effect is noted in log, in order.
    void StartLog() {
        FakePanes::events = &log;
        FakeServerLink::events = &log;
        FakeCommandRunner::events = &log;
        FakeMedia::events = &log;
    }
    Log TakeLog() { return std::exchange(log, {}); }

    Log log;
    std::int64_t now = 0; // the alerts' clock, in milliseconds
    core::Alerts alerts{*this, *this, *this, [this] { return now; }};
};

// The scene of the interpreter, input line, popup, playback and notify tests: "me" (picture
// "myface") connected to irc.example.net with the given panes open (a name without "#" is a
// private conversation), pane 1 in front, and every effect logged from then on.
class LoggingClient : public FakeClient {
  public:
    explicit LoggingClient(std::initializer_list<const char*> panes = {"#c", "bob"}) {
        settingsValue.NickName = "me";
        settingsValue.PhotoPict = "myface";
        localIp = "192.0.2.7";
        localHostName = "desk";
        topicBar[0] = "irc.example.net";
        winName[0] = "irc.example.net";
        for (const char* name : panes) {
            AddPane(name);
            topicBar[static_cast<std::size_t>(NextChan() - 1)].clear();
        }
        curVisible = 1;
        StartLog();
    }
};

} // namespace korbi::testing
