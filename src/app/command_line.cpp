#include "app/command_line.h"

namespace korbi::app {

StartRequest ReadCommandLine(int argc, const char* const* argv) {
    for (int n = 1; n < argc; ++n) {
        const std::string_view argument = argv[n];
        if (argument == "--help" || argument == "-h") {
            return StartRequest::Help;
        }
        if (argument == "--version" || argument == "-v") {
            return StartRequest::Version;
        }
    }
    return StartRequest::Run;
}

std::string HelpText(std::string_view program) {
    std::string text = "Usage: ";
    text += program;
    text += " [options]\n"
            "KorBi iRC Client: chat on IRC networks.\n"
            "\n"
            "Options:\n"
            "  -h, --help       Show this help and exit.\n"
            "  -v, --version    Show the version and exit.\n"
            "  -platform NAME   Qt's display platform (xcb, wayland, offscreen...).\n"
            "\n"
            "The preferences, PICTS, SOUNDS and LOGS live in $XDG_DATA_HOME/korbi\n"
            "(~/.local/share/korbi when XDG_DATA_HOME is not set).\n";
    return text;
}

std::string VersionText() {
    return std::string("KorBi iRC Client ") + KORBI_VERSION + "\n";
}

} // namespace korbi::app
