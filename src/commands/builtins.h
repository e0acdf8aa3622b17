#pragma once
// The slash commands the client carries out itself, as one table in the order they are
// compared: a typed command word is checked against each row's name and synonyms in turn.
#include "commands/command_roles.h"

#include <array>
#include <string>
#include <string_view>

namespace korbi::commands {

// P is the parameter text: every word after the command word, each preceded by one blank.
using BuiltinHandler = void (*)(const CommandRoles& host, const std::string& P);

struct BuiltinCommand {
    std::string_view name;
    std::array<std::string_view, 3> synonyms; // unused places are empty
    BuiltinHandler handler;
};

// The row whose name or synonym equals the upper-cased command word C, or nullptr.
const BuiltinCommand* FindBuiltin(std::string_view C);

// The nick before a message line (the user's own echoes and others' messages alike) for
// NickStyle 0, 1 or 2; none for any other style.
std::string NickStylePrefix(std::string_view nick, int NickStyle);

// The picture name PrintCoul records for a line drawn with "PICTS\" + name: ".BMP" is appended
// unless the path already ends in it (without regard to case).
std::string LinePictureName(std::string_view name);

} // namespace korbi::commands
