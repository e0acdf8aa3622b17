#pragma once
// What the input line of a pane does with the keys typed into it and with files dropped on the
// pane's text view, apart from the widgets: text is bytes, and every effect goes through the
// roles of InputLineRoles.
#include "core/command_runner.h"
#include "core/media.h"
#include "core/pane_output.h"
#include "core/pane_registry.h"
#include "core/server_link.h"
#include "core/settings_access.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace korbi::panes {

// The input line's text in bytes and its caret, 0 being before the first byte.
struct InputLineText {
    std::string text;
    std::size_t caret = 0;
};

inline constexpr int KeyEnter = 13;

// What the input line reaches: it prints, sends, runs commands and plays files.
struct InputLineRoles {
    core::PaneOutput& output;
    const core::PaneRegistry& panes;
    core::ServerLink& link;
    core::CommandRunner& runner;
    core::Media& media;
    core::SettingsAccess& config;
};

// The control code a formatting key inserts: Ctrl+B (2) bold 2, Ctrl+K (11) colour 3, Ctrl+U
// (21) underline 31, Ctrl+I or Tab (9) reverse 22; 0 for every other key.
char FormattingCode(int key);

// line with code inserted at the caret and the caret just after it; a caret beyond the end of
// the text counts as its end.
InputLineText InsertAtCaret(const InputLineText& line, char code);

// Enter in the input line of pane slot with the text T: a "/" line is a command; in a channel or
// private pane the text goes to the pane's name (or as a picture message when the user has a
// default picture); in the server pane it is a raw protocol line, written only while connected.
// Line breaks (from a paste) count as blanks.
void EnterLine(const InputLineRoles& roles, int slot, const std::string& typed);

// One typed key. A formatting key puts its code into line; Enter empties line and returns what
// it held, the line the user entered. Either way key becomes 0. Any other key is left as it is,
// for the line edit.
std::optional<std::string> InputBox_KeyPress(int& key, InputLineText& line);

// Files dropped onto the text view of pane slot, as full paths; only the first one counts. A
// ".TXT" file is played into the pane, a ".WAV" file is offered to the pane's name and played.
void TextViewWin_OLEDragDrop(const InputLineRoles& roles, int slot,
                             const std::vector<std::string>& files);

} // namespace korbi::panes
