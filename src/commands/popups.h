#pragma once
// The nick popup menu: "Whois" and "Query" on the selected nicks, and the user's popup
// commands (PopupTable entries 0 to 14 belong to the items Pop1 to Pop15), which run like
// aliases with the selected nicks as their parameters.
#include "commands/interpreter.h"
#include "core/command_runner.h"
#include "core/nick_lists.h"
#include "core/pane_registry.h"
#include "core/settings.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::commands {

inline constexpr int kPopupItems = 15; // Pop1 .. Pop15

// The selected nicks of pane CurVisible without their marks, in list order.
std::vector<std::string> SelectedNickNames(const core::PaneRegistry& panes,
                                           const core::NickLists& nicks);

// The parameter text of a popup: " " + nick for each selected nick.
std::string PopupParams(const std::vector<std::string>& nicks);

// MenuWhois and MenuQuery: "/WHOIS " or "/QUERY " followed by each selected nick and one blank,
// run by the interpreter.
void MenuWhois_Click(const core::PaneRegistry& panes, const core::NickLists& nicks,
                     core::CommandRunner& runner);
void MenuQuery_Click(const core::PaneRegistry& panes, const core::NickLists& nicks,
                     core::CommandRunner& runner);

// Pop1 .. Pop15: runs PopupTable(N - 1) on the selected nicks. An empty entry, or N outside
// 1 to 15, runs nothing.
void RunPopup(const core::PaneRegistry& panes, const core::NickLists& nicks,
              const core::PopupTableSlots& PopupTable, CommandInterpreter& interpreter, int N);

// The caption item PopN gets from PopupTable(N - 1): its first word, for a non-empty entry;
// nothing for an empty one, whose item is left as it was (hidden with "-" at start). A caption
// "-" is shown as a separator.
std::array<std::optional<std::string>, kPopupItems>
PopupCaptions(const core::PopupTableSlots& PopupTable);

} // namespace korbi::commands
