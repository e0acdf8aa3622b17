#pragma once
// The nick popup menu: "Whois" and "Query" on the selected nicks, and the user's popup
// commands (PopupTable entries 0 to 14 belong to the items Pop1 to Pop15), which run like
// aliases with the selected nicks as their parameters.
#include "commands/interpreter.h"
#include "core/client_host.h"
#include "core/settings.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::commands {

inline constexpr int kPopupItems = 15; // Pop1 .. Pop15

// A nick list entry without its marks: one leading "@" removed, then one leading "+".
std::string NickWithoutMarks(std::string_view entry);

// The selected nicks of pane CurVisible without their marks, in list order.
std::vector<std::string> SelectedNickNames(const core::ClientHost& host);

// The parameter text of a popup: " " + nick for each selected nick.
std::string PopupParams(const std::vector<std::string>& nicks);

// MenuWhois and MenuQuery: "/WHOIS " or "/QUERY " followed by each selected nick and one blank,
// run by the interpreter.
void MenuWhois_Click(core::ClientHost& host);
void MenuQuery_Click(core::ClientHost& host);

// Pop1 .. Pop15: runs PopupTable(N - 1) on the selected nicks. An empty entry, or N outside
// 1 to 15, runs nothing.
void RunPopup(core::ClientHost& host, CommandInterpreter& interpreter, int N);

// The caption item PopN gets from PopupTable(N - 1): its first word, for a non-empty entry;
// nothing for an empty one, whose item is left as it was (hidden with "-" at start). A caption
// "-" is shown as a separator.
std::array<std::optional<std::string>, kPopupItems>
PopupCaptions(const core::PopupTableSlots& PopupTable);

} // namespace korbi::commands
