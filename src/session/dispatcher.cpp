#include "session/dispatcher.h"

#include "irc/masks.h"
#include "irc/server_time.h"
#include "platform/text_values.h"
#include "session/events.h"
#include "session/replies.h"

#include <utility>

namespace korbi::session {

Dispatcher::Dispatcher(const HandlerRoles& roles, commands::MonotonicClock clock)
    : m_ctcp(roles.output, roles.panes, roles.link, roles.media, roles.config, std::move(clock),
             &roles.alerts),
      m_context{roles, m_ctcp} {
    AddHandlers(ReplyHandlers());
    AddHandlers(EventHandlers());
}

void Dispatcher::AddHandlers(std::span<const HandlerEntry> entries) {
    for (const HandlerEntry& entry : entries) {
        SetHandler(std::string(entry.command),
                   [this, handle = entry.handle](const irc::ServerLine& line) {
                       handle(m_context, line);
                   });
    }
}

Dispatcher::Handler Dispatcher::SetHandler(const std::string& command, Handler handler) {
    Handler replaced = std::exchange(m_handlers[command], std::move(handler));
    return replaced;
}

void Dispatcher::Process_MSG(std::string_view received) {
    const irc::ServerLine line = irc::ParseServerLine(received);
    // What the line prints carries the time the server gave it (a replayed history); an
    // unreadable time is the arrival time.
    m_context.output.SetServerTime(irc::TagTime(line.tags));
    const bool taken = m_filter && m_filter(line);
    if (!taken && !Ignored(line)) {
        if (const auto found = m_handlers.find(line.command); found != m_handlers.end()) {
            found->second(line);
        }
    }
    if (m_context.config.flags().DebugMode) {
        m_context.output.Print(0, core::LineStyle::DebugEcho, irc::CutText(line.line, 0, 2));
    }
    m_context.output.SetServerTime(std::nullopt);
}

bool Dispatcher::Ignored(const irc::ServerLine& line) {
    const core::Settings& settings = m_context.config.settings();
    if (platform::EqualsNoCase(line.sender, settings.NickName) ||
        platform::TrimBlanks(line.source).empty() ||
        !irc::IsIgnored(line.source, settings.Silences)) {
        return false;
    }
    if (settings.DisplayIgnores) {
        m_context.output.Print(0, core::LineStyle::Ignored, "Got Ignore! `" + line.source + "`");
    }
    return true;
}

} // namespace korbi::session
