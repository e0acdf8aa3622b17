#pragma once
// What the command line asks for before any window or folder exists: "--help" and "--version"
// print and end the program, so they must work without a display. Every other argument is left
// to Qt (-platform, -style...), which takes its own options from the same list.
#include <string>
#include <string_view>

namespace korbi::app {

enum class StartRequest { Run, Help, Version };

// The first of "--help"/"-h" or "--version"/"-v" wins.
StartRequest ReadCommandLine(int argc, const char* const* argv);

// Both texts end with a line feed.
std::string HelpText(std::string_view program);
std::string VersionText();

} // namespace korbi::app
