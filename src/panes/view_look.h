#pragma once
// What the settings say about drawing a pane's lines, read once per paint.
#include "irc/formatting_codes.h"

namespace korbi::panes {

struct ViewLook {
    bool timeStamps = false;
    irc::Rgb highlight{255, 250, 205};
    friend bool operator==(const ViewLook&, const ViewLook&) = default;
};

} // namespace korbi::panes
