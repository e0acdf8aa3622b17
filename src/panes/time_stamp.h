#pragma once
// The time put before a line in the panes and the logs when the settings ask for it.
#include <cstdint>
#include <string>

namespace korbi::panes {

// "[HH:MM] " in local time for a time in milliseconds since 1970 UTC.
std::string TimeStampText(std::int64_t milliseconds);

} // namespace korbi::panes
