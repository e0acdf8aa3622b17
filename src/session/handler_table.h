#pragma once
// What every handler of the dispatch table receives, and the table's rows.
#include "commands/command_roles.h"
#include "core/alerts.h"
#include "core/channel_listing.h"
#include "core/command_runner.h"
#include "core/media.h"
#include "core/nick_lists.h"
#include "core/pane_logs.h"
#include "core/pane_output.h"
#include "core/pane_registry.h"
#include "core/server_link.h"
#include "core/settings_access.h"
#include "irc/server_line.h"

#include <string_view>

namespace korbi::commands {
class CtcpHandler;
}

namespace korbi::session {

// The roles the dispatcher and its handlers reach, each by its own reference so that tests fake
// them one by one instead of a whole window set. media serves the CTCP handler; alerts tells the
// user of highlights and private messages while the frame is in the background.
struct HandlerRoles {
    core::PaneOutput& output;
    core::PaneRegistry& panes;
    core::NickLists& nicks;
    core::PaneLogs& logs;
    core::ChannelListing& chanList;
    core::ServerLink& link;
    core::CommandRunner& runner;
    core::Media& media;
    core::SettingsAccess& config;
    core::Alerts& alerts;
};

// What a handler of the dispatch table works with: the roles and the CTCP handler for PRIVMSG.
struct HandlerContext : HandlerRoles {
    commands::CtcpHandler& ctcp;
};

// The interpreter's share of the roles.
inline commands::CommandRoles CommandRolesOf(const HandlerRoles& roles) {
    return {roles.output, roles.panes, roles.nicks, roles.logs,
            roles.link,   roles.media, roles.config};
}

using HandlerFunction = void (*)(HandlerContext& context, const irc::ServerLine& line);

struct HandlerEntry {
    std::string_view command;
    HandlerFunction handle;
};

} // namespace korbi::session
