#include "media/sounds.h"

#include "platform/text_values.h"

#include <vector>

namespace korbi::media {

namespace {

std::vector<std::string_view> Components(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find_first_of("\\/", start), path.size());
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

} // namespace

std::optional<std::filesystem::path> SoundFilePath(const platform::ProgramFolder& folder,
                                                   std::string_view file) {
    if (file.empty()) {
        return std::nullopt;
    }
    if (file.front() == '/') {
        return std::filesystem::path(std::string(file));
    }
    const std::vector<std::string_view> parts = Components(file);
    for (const std::string_view part : parts) {
        if (part == "..") {
            return std::nullopt;
        }
    }
    if (platform::EqualsNoCase(parts.front(), "SOUNDS") &&
        (parts.size() != 2 || !platform::IsBareFileName(parts[1]))) {
        return std::nullopt;
    }
    return folder.Resolve(file);
}

Sounds::Sounds(platform::SoundDevice& device, const platform::ProgramFolder& folder,
               QObject* parent)
    : QObject(parent), m_device(device), m_folder(folder) {
    connect(&m_device, &platform::SoundDevice::Done, this, &Sounds::MMControl1_Done);
}

void Sounds::OpenAtStart() {
    m_device.SetDeviceType(kWaveAudio);
    m_device.SetFileName(m_folder.Resolve(kSilentSound).string());
    m_device.Command("Open");
}

void Sounds::PlaySound(const std::string& file) {
    const std::optional<std::filesystem::path> path = SoundFilePath(m_folder, file);
    if (!path) {
        return;
    }
    m_device.Command("close");
    m_device.SetDeviceType(kWaveAudio);
    m_device.SetFileName(path->string());
    m_device.Command("open");
    m_device.Command("play");
}

void Sounds::MMControl1_Done() {
    m_device.Command("close");
}

} // namespace korbi::media
