#pragma once
// "Prefs File.INI" as bytes: the new file with defaults, the reader used at start-up, the
// writer used at exit, and the server-list text the server window hands over when it closes.
// Pure byte logic; the file system is met in prefs_storage.h.
#include "core/settings.h"

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::core {

inline constexpr std::string_view kPrefsFileName = "Prefs File.INI";

// Error numbers of a failed start-up, shown as "Unknown Error at startup (" + number + ")". They
// keep the numbers the old runtime gave the same failures, so a user's report stays comparable.
inline constexpr int kErrOverflow = 6;            // a number outside -32768..32767
inline constexpr int kErrSubscriptOutOfRange = 9; // a count larger than its table
inline constexpr int kErrFileNotFound = 53;       // the file vanished between create and read
inline constexpr int kErrInputPastEndOfFile = 62; // the file ends before its last line
inline constexpr int kErrPathFileAccess = 75;     // the file cannot be read or created
inline constexpr int kErrOutOfMemory = 7; // a line, a list or the file too long to be settings

// Bounds of what a preferences file may hold; anything longer is a damaged file, refused before
// it reaches a window (a title of megabytes, a server box of millions of names). An IRC line
// has 512 bytes, so a setting of 64 KiB is already far beyond any use.
inline constexpr std::size_t kMaxPrefsLineBytes = 64 * 1024;
inline constexpr std::size_t kMaxPrefsListEntries = 2000; // server list, notify and ignore lists
inline constexpr std::size_t kMaxPrefsFileBytes = 16 * 1024 * 1024;

struct PrefsReadResult {
    // The values read. Settings the file does not carry keep the values given to the reader;
    // ServList holds line 13 as read and ServPort line 14 (the text of the port box).
    Settings settings;
    // Line 13 split at every blank: the entries of the server box, empty words included.
    std::vector<std::string> ServerNameEntries;
    int ErrorNumber = 0; // 0 when the whole file was read
    int FailureLine = 0; // the 1-based line at which reading failed
    std::string Failure; // what failed, e.g. "line 31: Overflow"

    bool Ok() const { return ErrorNumber == 0; }
};

// The values start-up gives before the file is read; the file then overwrites them.
Settings ProvisionalSettings();

// Line 2's time and date: "hh:mm:ss mm-dd-yyyy", 24-hour, independent of the locale.
std::string CreatedTimeDate(const std::tm& local);

// The exact bytes of a new file; line 2 is ";Created " + createdTimeDate.
std::string DefaultPrefsFile(const std::string& createdTimeDate);

// Reads the file by line position. start supplies the values the file does not carry; the
// three tables are emptied before they are read.
PrefsReadResult ReadPrefsFile(std::string_view bytes, const Settings& start);

// The exact bytes of the file the program writes at exit, ServList and ServPort included.
std::string RewrittenPrefsFile(const Settings& settings);

// The text the server box hands over on closing: the selected entry first, then every other
// entry in list order. With no entry selected (selectedIndex outside the list), the typed
// boxText comes first and every entry follows.
std::string ServerListText(const std::vector<std::string>& entries, int selectedIndex,
                           std::string_view boxText);

// "Unknown Error at startup (62)".
std::string StartupErrorText(int errorNumber);

} // namespace korbi::core
