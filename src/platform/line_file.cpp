#include "platform/line_file.h"

namespace korbi::platform {

bool LineFile::Open(const std::filesystem::path& path, Mode mode) {
    m_file.reset(std::fopen(path.c_str(), mode == Mode::Append ? "ab" : "wb"));
    return IsOpen();
}

void LineFile::WriteLine(std::string_view line) {
    if (!m_file) {
        return;
    }
    std::fwrite(line.data(), 1, line.size(), m_file.get());
    std::fwrite("\r\n", 1, 2, m_file.get());
}

void LineFile::Flush() {
    if (m_file) {
        std::fflush(m_file.get());
    }
}

} // namespace korbi::platform
