#pragma once
// The line-by-line layout of "Prefs File.INI", written once as data. The file is read by line
// position, not by key, so the reader, the writer of a new file and the writer at exit all walk
// this one table; a line added or moved here moves in all three at once.
#include "core/settings.h"

#include <span>
#include <string>
#include <string_view>

namespace korbi::core {

enum class LineKind {
    Comment,    // fixed text, read and discarded
    Created,    // line 2: ";Created " + time and date in a new file, empty when rewritten
    Header,     // section header, read and discarded
    Empty,      // separator line, read and discarded
    Text,       // the whole line is the value, unchanged
    ServerList, // line 13: blank-separated host names, the entries of the server box
    ServerPort, // line 14: the text of the port box
    Flag,       // true only when the numeric value is exactly 1
    Number,     // numeric value rounded half to even, 16-bit signed
    Table,      // a count line, then that many entry lines
    Tail,       // the empty line after the last popup line; never read
    NewFileTail // a second empty line only a new file has; never read
};

struct PrefsLine {
    LineKind kind;
    // The line as a new file has it; for a table, unused (its count comes from its entries).
    std::string_view newText;
    // Comment and Header only: the line as the program rewrites it at exit.
    std::string_view savedText;

    // The member the line binds, by kind (Text, ServerList and ServerPort use text).
    std::string Settings::*text = nullptr;
    bool Settings::*flag = nullptr;
    int Settings::*number = nullptr;
    CommandTable Settings::*commands = nullptr;  // Table: a 51-slot table
    PopupTableSlots Settings::*popups = nullptr; // Table: the 31-slot popup table

    // Table only: the entries of a new file, the empty end entry included when it has one.
    std::span<const std::string_view> defaultEntries{};

    // A blank-separated list (server list, notify and ignore lists): its entries are bounded.
    bool isList = false;
};

// Every line of the file in order, from line 1 to the tail.
std::span<const PrefsLine> PrefsLayout();

// The slots of the table a Table line binds.
std::span<std::string> TableSlots(Settings& settings, const PrefsLine& line);
std::span<const std::string> TableSlots(const Settings& settings, const PrefsLine& line);

} // namespace korbi::core
