#pragma once
// Playing a text file into a channel or private conversation: one line per tick of PlayTimer,
// sent as an ordinary message and echoed as if typed. One playback runs at a time.
#include "core/pane_output.h"
#include "core/pane_registry.h"
#include "core/server_link.h"
#include "core/settings_access.h"
#include "platform/program_folder.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

class QTimer;

namespace korbi::media {

// A text file read line by line. A line ends at CR LF, at a lone CR or at a lone LF, so files
// written on any system read the same.
class TextLineReader {
  public:
    enum class Result { Line, End, Error };

    bool Open(const std::filesystem::path& path);
    void Close() { m_file.reset(); }
    bool IsOpen() const { return m_file != nullptr; }

    // The next line without its line end; End when nothing is left to read.
    Result ReadLine(std::string& line);
    // True when nothing is left to read; false also when the next read fails.
    bool AtEnd();
    bool Failed() const;

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> m_file;
};

class TextPlayback {
  public:
    static constexpr int kPlayInterval = 500; // ms between two lines
    static constexpr int kReadErrorNumber = 57;

    // The roles and folder must outlive the playback. intervalMs paces the lines.
    TextPlayback(core::PaneOutput& output, const core::PaneRegistry& panes, core::ServerLink& link,
                 core::SettingsAccess& config, const platform::ProgramFolder& folder,
                 int intervalMs = kPlayInterval);
    ~TextPlayback();
    TextPlayback(const TextPlayback&) = delete;
    TextPlayback& operator=(const TextPlayback&) = delete;

    // Starts playing file into the conversation named target; nothing happens when the file
    // cannot be read. A playback already running is closed and replaced. file is
    // program-relative ("\" separated) or an absolute path.
    void PlayTextFile(const std::string& target, const std::string& file);

    // One tick: sends the next line, and ends the playback after the last one.
    void PlayTimer_Timer();

    bool PlayingText() const { return m_playingText; }
    const std::string& PlayChan() const { return m_playChan; }
    bool PlayTimerEnabled() const;

  private:
    void StopPlaying();
    void PlayError(int number);

    core::PaneOutput& m_output;
    const core::PaneRegistry& m_panes;
    core::ServerLink& m_link;
    core::SettingsAccess& m_config;
    const platform::ProgramFolder& m_folder;
    std::unique_ptr<QTimer> m_playTimer;
    TextLineReader m_playFile;
    std::string m_playChan;
    bool m_playingText = false;
};

} // namespace korbi::media
