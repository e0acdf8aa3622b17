#pragma once
// Picture and sound names as other users send them in requests, and the program-relative files
// they stand for.
#include <string>
#include <string_view>

namespace korbi::commands {

// "PICTS\" + name, with ".BMP" appended unless the text after the first "." of that path is
// "BMP" without regard to case ("a.b.bmp" becomes "PICTS\a.b.bmp.BMP").
std::string PictPathFor(std::string_view name);

// name with ".WAV" appended when it is shorter than 5 characters, or when it is longer and does
// not end in ".WAV" without regard to case ("ding" and "ding.txt" get it, "ding.wav" does not).
std::string WithWavExtension(std::string_view name);

} // namespace korbi::commands
