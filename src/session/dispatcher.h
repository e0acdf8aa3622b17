#pragma once
// Process_MSG: every line the server sends comes through here. The line is taken apart, dropped
// when its sender is on the ignore list, handed to the one handler of its command, and echoed
// into the server pane in debug mode.
#include "commands/ctcp.h"
#include "session/handler_table.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace korbi::session {

class Dispatcher {
  public:
    using Handler = std::function<void(const irc::ServerLine& line)>;

    // The roles must outlive the dispatcher. clock measures the CTCP ignore period.
    explicit Dispatcher(const HandlerRoles& roles,
                        commands::MonotonicClock clock = commands::SteadyMilliseconds);
    Dispatcher(const Dispatcher&) = delete;
    Dispatcher& operator=(const Dispatcher&) = delete;

    // Handles one received line completely, everything it prints and sends included.
    void Process_MSG(std::string_view line);

    // The CTCP flood test; the server window's FloodCheck timer calls it every 750 ms.
    void FloodCheck_Timer() { m_ctcp.FloodCheck_Timer(); }

    // Sets (or replaces) the handler of a command or numeric, such as the notify watch's
    // "303". Commands are compared exactly. Returns the handler replaced (empty when none),
    // for a caller that adds to it.
    Handler SetHandler(const std::string& command, Handler handler);

    // A filter sees every line before the table; a line it takes (returns true for) goes to
    // no handler. The login takes the lines of its negotiation so.
    void SetFilter(std::function<bool(const irc::ServerLine& line)> filter) {
        m_filter = std::move(filter);
    }

    commands::CtcpHandler& Ctcp() { return m_ctcp; }

  private:
    bool Ignored(const irc::ServerLine& line);
    void AddHandlers(std::span<const HandlerEntry> entries);

    commands::CtcpHandler m_ctcp;
    HandlerContext m_context;
    std::unordered_map<std::string, Handler> m_handlers;
    std::function<bool(const irc::ServerLine& line)> m_filter;
};

} // namespace korbi::session
