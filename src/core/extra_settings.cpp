#include "core/extra_settings.h"

#include <algorithm>
#include <charconv>

namespace korbi::core {

std::vector<std::string>::const_iterator ExtraSettings::Find(std::string_view name) const {
    return std::find_if(m_lines.begin(), m_lines.end(), [name](const std::string& line) {
        return line.size() > name.size() && line.starts_with(name) && line[name.size()] == '=';
    });
}

std::optional<std::string> ExtraSettings::Value(std::string_view name) const {
    const auto line = Find(name);
    if (line == m_lines.end()) {
        return std::nullopt;
    }
    return line->substr(name.size() + 1);
}

bool ExtraSettings::Flag(std::string_view name, bool fallback) const {
    const std::optional<std::string> value = Value(name);
    if (value == "1") {
        return true;
    }
    if (value == "0") {
        return false;
    }
    return fallback;
}

int ExtraSettings::Number(std::string_view name, int fallback, int low, int high) const {
    const std::optional<std::string> value = Value(name);
    if (!value) {
        return fallback;
    }
    int number = 0;
    const char* end = value->data() + value->size();
    const auto [stop, error] = std::from_chars(value->data(), end, number);
    if (error != std::errc() || stop != end || number < low || number > high) {
        return fallback;
    }
    return number;
}

void ExtraSettings::SetValue(std::string_view name, std::string_view value) {
    std::string line = std::string(name) + "=" + std::string(value);
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    const auto found = Find(name);
    if (found == m_lines.end()) {
        m_lines.push_back(std::move(line));
        return;
    }
    m_lines[static_cast<std::size_t>(found - m_lines.begin())] = std::move(line);
}

void ExtraSettings::Remove(std::string_view name) {
    const auto found = Find(name);
    if (found != m_lines.end()) {
        m_lines.erase(found);
    }
}

} // namespace korbi::core
