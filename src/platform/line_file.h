#pragma once
// A text file written line by line, each line ended by carriage return and line feed: the
// pane logs and the picture log. Write failures are ignored, as a log must never stop the
// program; the file is closed when the object goes.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>

namespace korbi::platform {

class LineFile {
  public:
    enum class Mode { Append, Replace };

    // Closes any file open before. Returns whether the file could be opened.
    bool Open(const std::filesystem::path& path, Mode mode);
    bool IsOpen() const { return m_file != nullptr; }
    void WriteLine(std::string_view line);
    void Flush();
    void Close() { m_file.reset(); }

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> m_file;
};

} // namespace korbi::platform
