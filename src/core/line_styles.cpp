#include "core/line_styles.h"

#include <array>
#include <cstddef>

namespace korbi::core {

namespace {

struct StyleRow {
    LineStyle style;
    LineLook look;
};

constexpr std::array kRows = {
    StyleRow{LineStyle::Plain, {"", {0, 0, 0}}},
    StyleRow{LineStyle::UnknownCommand, {"", {1, 1, 1}}},
    StyleRow{LineStyle::Notice, {"", {128, 32, 0}}},
    StyleRow{LineStyle::DebugEcho, {"", {128, 96, 96}}},
    StyleRow{LineStyle::OwnText, {"", {20, 50, 50}}},
    StyleRow{LineStyle::Ignored, {"", {255, 0, 0}}},
    StyleRow{LineStyle::PlayedLine, {"", {32, 32, 48}}},
    StyleRow{LineStyle::NickChange, {"", {64, 192, 64}}},
    StyleRow{LineStyle::Notify, {"", {64, 64, 160}}},
    StyleRow{LineStyle::ModeChange, {"", {64, 64, 192}}},
    StyleRow{LineStyle::Connecting, {"", {0, 0, 128}}},
    StyleRow{LineStyle::Connected, {"", {0, 192, 0}}},
    StyleRow{LineStyle::Shutdown, {"", {128, 32, 32}}},
    StyleRow{LineStyle::ConnectionError, {"PICTS\\ERRORMSG", {192, 64, 64}}},
    StyleRow{LineStyle::ServerNotFound, {"picts\\errormsg", {0, 0, 0}}},
    StyleRow{LineStyle::BetaWarning, {"PICTS\\BETAWARN", {64, 0, 96}}},
    StyleRow{LineStyle::PlayError, {"PICTS\\ERRORMSG", {128, 64, 64}}},
    StyleRow{LineStyle::Action, {"PICTS\\EVACTION", {128, 64, 0}}},
    StyleRow{LineStyle::Join, {"PICTS\\EVJOIN", {16, 160, 64}}},
    StyleRow{LineStyle::Part, {"PICTS\\EVPART", {16, 160, 64}}},
    StyleRow{LineStyle::KickedYou, {"PICTS\\EVKICK", {192, 64, 64}}},
    StyleRow{LineStyle::Kick, {"PICTS\\EVKICK", {128, 64, 64}}},
    StyleRow{LineStyle::Quit, {"PICTS\\EVQUIT", {32, 32, 192}}},
    StyleRow{LineStyle::Sound, {"PICTS\\EVSOUND", {96, 64, 192}}},
    StyleRow{LineStyle::Information, {"PICTS\\INFOMARK", {32, 64, 64}}},
    StyleRow{LineStyle::ServerNotice, {"PICTS\\INFOMARK", {64, 160, 64}}},
    StyleRow{LineStyle::Topic, {"PICTS\\INFOMARK", {64, 64, 128}}},
    StyleRow{LineStyle::PlayInfo, {"PICTS\\INFOMARK", {64, 64, 160}}},
    StyleRow{LineStyle::ListEnd, {"PICTS\\INFOMARK", {0, 0, 64}}},
    StyleRow{LineStyle::ClientWarning, {"PICTS\\WARNMARK", {192, 64, 64}}},
    StyleRow{LineStyle::Warning, {"PICTS\\WARNMARK", {96, 32, 32}}},
    StyleRow{LineStyle::NickInUse, {"PICTS\\ERRORMSG", {128, 0, 0}}},
    StyleRow{LineStyle::ServerError, {"PICTS\\ERRORMSG", {192, 0, 0}}},
    StyleRow{LineStyle::JoinError, {"PICTS\\ERRORMSG", {64, 0, 0}}},
    StyleRow{LineStyle::ServerText, {"PICTS\\SERVMSG", {0, 0, 0}}},
    StyleRow{LineStyle::Pong, {"PICTS\\SERVMSG", {0, 0, 160}}},
    StyleRow{LineStyle::ServerRefusal, {"PICTS\\SERVMSG", {128, 0, 0}}},
    StyleRow{LineStyle::Wallops, {"PICTS\\SERVMSG", {64, 32, 192}}},
    StyleRow{LineStyle::MailError, {"PICTS\\ERRORMSG", {64, 0, 0}}},
    StyleRow{LineStyle::MailCount, {"PICTS\\INFOMARK", {64, 128, 64}}},
    StyleRow{LineStyle::UserMessage, {"", {64, 64, 64}}},
};

// Look() indexes the table by the style, so each row must stand at its style's place.
constexpr bool EveryRowInPlace() {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (kRows[i].style != static_cast<LineStyle>(i)) {
            return false;
        }
    }
    return kRows.size() == static_cast<std::size_t>(LineStyle::UserMessage) + 1;
}
static_assert(EveryRowInPlace());

} // namespace

LineLook Look(LineStyle style) {
    return kRows[static_cast<std::size_t>(style)].look;
}

} // namespace korbi::core
