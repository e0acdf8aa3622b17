#pragma once
// What every handler of the dispatch table receives, and the table's rows.
#include "irc/server_line.h"

#include <string_view>

namespace korbi::commands {
class CtcpHandler;
}

namespace korbi::core {
class ClientHost;
}

namespace korbi::session {

// What a handler of the dispatch table works with.
struct HandlerContext {
    core::ClientHost& host;
    commands::CtcpHandler& ctcp;
};

using HandlerFunction = void (*)(HandlerContext& context, const irc::ServerLine& line);

struct HandlerEntry {
    std::string_view command;
    HandlerFunction handle;
};

} // namespace korbi::session
