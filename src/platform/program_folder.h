#pragma once
// The program folder and the paths inside it. The program names its files with "\" as the
// separator and without regard to case ("PICTS\evpicerr.bmp" and "picts\EVPICERR.BMP" are one
// file); this is the one place where such names meet the Linux file system.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace korbi::platform {

class ProgramFolder {
  public:
    explicit ProgramFolder(std::filesystem::path root);

    const std::filesystem::path& Root() const { return m_root; }

    // The real path of a program-relative name ("\" or "/" separated). Each component is
    // matched without regard to case against what exists; components that do not exist keep
    // the given spelling, so a new file is created as named. Empty, "." and ".." components
    // are dropped: the result never leaves the program folder.
    std::filesystem::path Resolve(std::string_view relative) const;

    bool Exists(std::string_view relative) const;

    // Creates the folder when no folder of that name (in any letter case) exists.
    void MakeDirIfNotExist(std::string_view relative) const;

  private:
    std::filesystem::path m_root;
};

// The entry of folder whose name equals name without regard to case: the exact spelling when
// it exists, else the first case variant in byte order; nothing when there is none.
std::optional<std::filesystem::path> FindEntryNoCase(const std::filesystem::path& folder,
                                                     const std::string& name);

// True for a name that can only mean a file inside its own folder: not empty, no "/" or "\",
// not "." and no "..", no control character. Names from the network must pass it.
bool IsBareFileName(std::string_view name);

// A file name made from a window name (channel or nick) that cannot leave the LOGS folder:
// "/", "\", ":", NUL and control characters become "_", and "." or ".." become "_".
std::string SafeFileName(std::string_view name);

} // namespace korbi::platform
