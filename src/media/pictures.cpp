#include "media/pictures.h"

#include "platform/text_values.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace korbi::media {

namespace fs = std::filesystem;

std::string GetFileExt(std::string_view path) {
    const std::size_t dot = path.find('.');
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot + 1));
}

bool CheckFileExist(const platform::ProgramFolder& folder, std::string_view path) {
    if (path.empty()) {
        return false;
    }
    const fs::path file = path.front() == '/' ? fs::path(std::string(path)) : folder.Resolve(path);
    std::error_code error;
    if (fs::is_directory(file, error)) {
        return false;
    }
    return std::ifstream(file, std::ios::binary).is_open();
}

std::vector<std::string> ListPictFiles(const platform::ProgramFolder& folder) {
    std::vector<std::string> names;
    std::error_code error;
    const fs::path picts = folder.Resolve("PICTS");
    for (fs::directory_iterator it(picts, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() > 4 && platform::UpperAscii(name.substr(name.size() - 4)) == ".BMP" &&
            !it->is_directory(error)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string upperA = platform::UpperAscii(a);
        const std::string upperB = platform::UpperAscii(b);
        return upperA != upperB ? upperA < upperB : a < b;
    });
    return names;
}

std::string PictSelectLine(std::string_view file, std::string_view previousText) {
    return "/PICT " + std::string(file) + " " + std::string(previousText);
}

} // namespace korbi::media
