#pragma once
// Names of the pictures drawn at the start of lines: paths relative to the program folder,
// with or without ".BMP", in any letter case.
#include <optional>
#include <string>
#include <string_view>

namespace korbi::panes {

// The pictures the program draws itself, without reading a file.
enum class BuiltInPict { Join, Part, Quit, PicErr };

// The file drawn in place of a picture that cannot be loaded.
inline constexpr std::string_view kPicErrFile = "PICTS\\evpicerr.bmp";

// The name with ".BMP" appended unless it already ends so (in any case); "" stays "".
std::string NormalisePictName(std::string_view name);

// The built-in picture a normalised name stands for: "PICTS\EVJOIN.BMP", "PICTS\EVPART.BMP",
// "PICTS\EVQUIT.BMP" or "PICTS\EVPICERR.BMP", in any letter case.
std::optional<BuiltInPict> FindBuiltInPict(std::string_view normalisedName);

// The same picture whatever the letter case and extension: the key pictures are known by.
std::string PictKey(std::string_view name);

} // namespace korbi::panes
