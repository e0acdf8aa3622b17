#pragma once
// Where "Prefs File.INI" meets the file system: reading its bytes, creating it with defaults
// when it is missing, and replacing it atomically at exit so that a failed or interrupted save
// never leaves a half-written file (the next start-up would refuse it). The file holds the mail
// password, so it is readable by its owner only.
#include "core/prefs_file.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace korbi::core {

struct FileBytes {
    enum class Status { Read, Missing, Unreadable, TooLarge };
    Status status = Status::Unreadable;
    std::string bytes;
    std::string failure; // why the file could not be read
};

struct SaveResult {
    bool ok = false;
    std::string failure; // why the file was not replaced; the old file is then unchanged
};

// Reads the whole file; one of more than maxBytes is not read (TooLarge).
FileBytes ReadFileBytes(const std::filesystem::path& file,
                        std::size_t maxBytes = kMaxPrefsFileBytes);

// The name the new contents are written under before they replace target: in the same folder,
// so the final rename never crosses file systems, and unique to this process.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& target);

// Writes bytes to TemporaryPathFor(target) with mode 0600, flushes them to the disk, then
// renames over target. On any failure the temporary file is removed and target is untouched.
SaveResult SaveFileAtomically(const std::filesystem::path& target, std::string_view bytes);

struct PrefsLoad {
    PrefsReadResult read;    // read.ErrorNumber != 0: start-up must stop without saving
    bool ShouldJoin = false; // the file was created with defaults during this load
};

// Reads the file; when it is missing, calls beforeCreating (the splash text), writes the
// default file with line 2 stamped createdTimeDate, and reads that. A file that cannot be read
// or created gives kErrPathFileAccess, one larger than kMaxPrefsFileBytes kErrOutOfMemory.
PrefsLoad LoadPrefsFile(const std::filesystem::path& file, const Settings& start,
                        const std::string& createdTimeDate,
                        const std::function<void()>& beforeCreating = {});

// Replaces the file with the settings as the program writes them at exit.
SaveResult SavePrefsFile(const std::filesystem::path& file, const Settings& settings);

} // namespace korbi::core
