#pragma once
// Picture and file helpers of the media side: file extensions the old way, whether a file can
// be read, and the bitmaps the picture manager offers.
#include "platform/program_folder.h"

#include <string>
#include <string_view>
#include <vector>

namespace korbi::media {

// The text after the first "." of path ("a.b.bmp" gives "b.bmp"), or "" without a ".". Meant
// for program-relative names such as "PICTS\me.Bmp"; callers compare it upper-cased.
std::string GetFileExt(std::string_view path);

// True when path names a file that can be opened for reading. An absolute path is taken as it
// is; any other name is program-relative ("\" separated, any letter case) and never leaves the
// program folder. A folder is not a file.
bool CheckFileExist(const platform::ProgramFolder& folder, std::string_view path);

// The file names of the "*.bmp" files in the program's PICTS folder (extension in any letter
// case), sorted without regard to case; none when the folder is missing.
std::vector<std::string> ListPictFiles(const platform::ProgramFolder& folder);

// The input line after "Select" in the picture manager: "/PICT " + file + " " + the text it
// held before.
std::string PictSelectLine(std::string_view file, std::string_view previousText);

} // namespace korbi::media
