#pragma once
// The roles the command interpreter and its built-in commands work through. A bundle of
// references rather than one interface, so that each role keeps its own small fake.
#include "core/media.h"
#include "core/nick_lists.h"
#include "core/pane_logs.h"
#include "core/pane_output.h"
#include "core/pane_registry.h"
#include "core/server_link.h"
#include "core/settings_access.h"

namespace korbi::commands {

struct CommandRoles {
    core::PaneOutput& output;
    core::PaneRegistry& panes;
    core::NickLists& nicks;
    core::PaneLogs& logs;
    core::ServerLink& link;
    core::Media& media;
    core::SettingsAccess& config;
};

} // namespace korbi::commands
