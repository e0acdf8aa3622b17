#include "platform/program_folder.h"

#include "platform/text_values.h"

#include <system_error>
#include <vector>

namespace korbi::platform {
namespace fs = std::filesystem;

namespace {

std::vector<std::string> SplitComponents(std::string_view relative) {
    std::vector<std::string> parts;
    std::string current;
    auto flush = [&] {
        if (!current.empty() && current != "." && current != "..") {
            parts.push_back(current);
        }
        current.clear();
    };
    for (const char c : relative) {
        if (c == '\\' || c == '/') {
            flush();
        } else {
            current += c;
        }
    }
    flush();
    return parts;
}

} // namespace

std::optional<fs::path> FindEntryNoCase(const fs::path& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(folder / name, error))) {
        return folder / name;
    }
    std::optional<fs::path> best;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path candidate = it->path();
        if (EqualsNoCase(candidate.filename().string(), name) &&
            (!best || candidate.filename() < best->filename())) {
            best = candidate;
        }
    }
    return best;
}

ProgramFolder::ProgramFolder(fs::path root) : m_root(std::move(root)) {}

fs::path ProgramFolder::Resolve(std::string_view relative) const {
    fs::path path = m_root;
    for (const std::string& part : SplitComponents(relative)) {
        path = FindEntryNoCase(path, part).value_or(path / part);
    }
    return path;
}

bool ProgramFolder::Exists(std::string_view relative) const {
    std::error_code error;
    return fs::exists(Resolve(relative), error);
}

void ProgramFolder::MakeDirIfNotExist(std::string_view relative) const {
    std::error_code error;
    const fs::path path = Resolve(relative);
    if (!fs::is_directory(path, error)) {
        fs::create_directories(path, error);
    }
}

bool IsBareFileName(std::string_view name) {
    if (name.empty() || name == "." || name.find("..") != std::string_view::npos) {
        return false;
    }
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || byte < 32 || byte == 127) {
            return false;
        }
    }
    return true;
}

std::string SafeFileName(std::string_view name) {
    std::string safe(name);
    for (char& c : safe) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || c == ':' || byte < 32 || byte == 127) {
            c = '_';
        }
    }
    if (safe.empty() || safe == "." || safe == "..") {
        return "_";
    }
    return safe;
}

} // namespace korbi::platform
