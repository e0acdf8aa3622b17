#pragma once
// The files the program ships, written into the program folder when they are missing: the
// event pictures as bitmaps in "PICTS" (users may replace them with their own) and the sounds
// in "SOUNDS". An existing file is never replaced.
#include <QImage>

#include <filesystem>
#include <string>
#include <vector>

namespace korbi::media {

struct ShippedFile {
    std::string folder;   // "PICTS" or "SOUNDS"
    std::string fileName; // as the program spells it, e.g. "EVJOIN.BMP", "evpicerr.bmp"
    std::string bytes;
};

// Every shipped file with its contents: the event pictures as 24-bit bitmaps, "HORN.WAV" (the
// new-mail sound) and "NONE.WAV" (the silent file the player opens at start).
std::vector<ShippedFile> ShippedFiles();

struct SeedResult {
    std::vector<std::filesystem::path> written;
    std::vector<std::filesystem::path> failed;
};

// Writes each shipped file that is missing. Folder and file names match existing entries
// without regard to letter case ("picts\evjoin.bmp" counts as "PICTS\EVJOIN.BMP"); a missing
// folder is created with the shipped spelling.
SeedResult SeedArtwork(const std::filesystem::path& programFolder);

// The image as a 24-bit bitmap file; transparent parts come out white.
std::string BmpFileBytes(const QImage& image);

} // namespace korbi::media
