#include "panes/time_stamp.h"

#include <cstdio>
#include <ctime>

namespace korbi::panes {

std::string TimeStampText(std::int64_t milliseconds) {
    // Floor division: a time before 1970 still names the minute it falls in.
    std::int64_t seconds = milliseconds / 1000;
    if (milliseconds % 1000 < 0) {
        --seconds;
    }
    const auto when = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&when, &local);
    char text[16];
    std::snprintf(text, sizeof text, "[%02d:%02d] ", local.tm_hour, local.tm_min);
    return text;
}

} // namespace korbi::panes
