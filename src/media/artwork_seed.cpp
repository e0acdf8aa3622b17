#include "media/artwork_seed.h"

#include "platform/program_folder.h"

#include "media/artwork.h"
#include "media/bmp_file.h"
#include "media/wave_synth.h"
#include "platform/text_values.h"

#include <QFile>

#include <algorithm>
#include <optional>
#include <system_error>

namespace korbi::media {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPictureFolder = "PICTS";
constexpr const char* kSoundFolder = "SOUNDS";
constexpr std::uint32_t kHornLengthMs = 650;
constexpr std::uint32_t kSilenceLengthMs = 100;

// The folder to write into: the existing one in whatever case, else a new one.
std::optional<fs::path> ResolveFolder(const fs::path& programFolder, const std::string& name) {
    std::error_code error;
    if (const auto found = platform::FindEntryNoCase(programFolder, name)) {
        return fs::is_directory(*found, error) ? found : std::nullopt;
    }
    const fs::path created = programFolder / name;
    if (!fs::create_directory(created, error) || error) {
        return std::nullopt;
    }
    return created;
}

// Creates the file only when nothing of that name exists, so a file that appeared meanwhile is
// not replaced either; a partly written file is removed.
bool WriteNewFile(const fs::path& path, const std::string& bytes) {
    QFile file(QFile::decodeName(QByteArray::fromStdString(path.native())));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        return false;
    }
    const qint64 length = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), length) != length || !file.flush()) {
        file.close();
        file.remove();
        return false;
    }
    file.close();
    return true;
}

} // namespace

std::string BmpFileBytes(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(argb.width()) * argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = line[x];
            const int a = qAlpha(p);
            const auto overWhite = [a](int c) { return (c * a + 255 * (255 - a) + 127) / 255; };
            pixels.push_back(static_cast<std::uint32_t>(
                (overWhite(qRed(p)) << 16) | (overWhite(qGreen(p)) << 8) | overWhite(qBlue(p))));
        }
    }
    return EncodeBmp24(argb.width(), argb.height(), pixels);
}

std::vector<ShippedFile> ShippedFiles() {
    std::vector<ShippedFile> files;
    for (const EventPictureInfo& info : EventPictures()) {
        files.push_back(
            {kPictureFolder, std::string(info.fileName), BmpFileBytes(EventPicture(info.pict))});
    }
    files.push_back({kSoundFolder, "HORN.WAV", HornWave(kHornLengthMs)});
    files.push_back({kSoundFolder, "NONE.WAV", SilenceWave(kSilenceLengthMs)});
    return files;
}

SeedResult SeedArtwork(const fs::path& programFolder) {
    SeedResult result;
    for (const ShippedFile& file : ShippedFiles()) {
        const auto folder = ResolveFolder(programFolder, file.folder);
        if (!folder) {
            result.failed.push_back(programFolder / file.folder / file.fileName);
            continue;
        }
        if (platform::FindEntryNoCase(*folder, file.fileName)) {
            continue;
        }
        const fs::path target = *folder / file.fileName;
        if (WriteNewFile(target, file.bytes)) {
            result.written.push_back(target);
        } else {
            result.failed.push_back(target);
        }
    }
    return result;
}

} // namespace korbi::media
