#pragma once
// Server-window services for tests: the picture server listens on 127.0.0.1 on any free port.
#include "session/server_window.h"

namespace korbi::testing {

inline session::ServerWindowOptions LoopbackOptions() {
    session::ServerWindowOptions options;
    options.pictureExchange.BindAddress = "127.0.0.1";
    options.pictureExchange.FirstListenPort = 0;
    return options;
}

} // namespace korbi::testing
