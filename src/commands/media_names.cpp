#include "commands/media_names.h"

#include "platform/text_values.h"

namespace korbi::commands {

std::string PictPathFor(std::string_view name) {
    std::string path = "PICTS\\" + std::string(name);
    const std::size_t dot = path.find('.');
    const std::string extension = dot == std::string::npos ? "" : path.substr(dot + 1);
    if (platform::UpperAscii(extension) != "BMP") {
        path += ".BMP";
    }
    return path;
}

std::string WithWavExtension(std::string_view name) {
    std::string sound(name);
    if (sound.size() < 5) {
        sound += ".WAV";
    }
    if (sound.size() > 4 && platform::UpperAscii(sound.substr(sound.size() - 4)) != ".WAV") {
        sound += ".WAV";
    }
    return sound;
}

} // namespace korbi::commands
