#include "media/text_playback.h"

#include "commands/builtins.h"
#include "irc/message_split.h"
#include "media/pictures.h"
#include "platform/text_values.h"

#include <QTimer>

#include <utility>

namespace korbi::media {

bool TextLineReader::Open(const std::filesystem::path& path) {
    m_file.reset(std::fopen(path.c_str(), "rb"));
    return IsOpen();
}

TextLineReader::Result TextLineReader::ReadLine(std::string& line) {
    line.clear();
    if (!IsOpen()) {
        return Result::Error;
    }
    int c = std::getc(m_file.get());
    if (c == EOF) {
        return Failed() ? Result::Error : Result::End;
    }
    for (; c != EOF; c = std::getc(m_file.get())) {
        if (c == '\n') {
            return Result::Line;
        }
        if (c == '\r') {
            const int next = std::getc(m_file.get());
            if (next != '\n' && next != EOF) {
                std::ungetc(next, m_file.get());
            }
            return Failed() ? Result::Error : Result::Line;
        }
        line.push_back(static_cast<char>(c));
    }
    return Failed() ? Result::Error : Result::Line;
}

bool TextLineReader::AtEnd() {
    if (!IsOpen()) {
        return true;
    }
    const int c = std::getc(m_file.get());
    if (c == EOF) {
        return !Failed();
    }
    std::ungetc(c, m_file.get());
    return false;
}

bool TextLineReader::Failed() const {
    return IsOpen() && std::ferror(m_file.get()) != 0;
}

TextPlayback::TextPlayback(core::PaneOutput& output, const core::PaneRegistry& panes,
                           core::ServerLink& link, core::SettingsAccess& config,
                           const platform::ProgramFolder& folder, int intervalMs)
    : m_output(output), m_panes(panes), m_link(link), m_config(config), m_folder(folder),
      m_playTimer(std::make_unique<QTimer>()) {
    m_playTimer->setInterval(intervalMs);
    QObject::connect(m_playTimer.get(), &QTimer::timeout, m_playTimer.get(),
                     [this] { PlayTimer_Timer(); });
}

TextPlayback::~TextPlayback() = default;

bool TextPlayback::PlayTimerEnabled() const {
    return m_playTimer->isActive();
}

void TextPlayback::PlayTextFile(const std::string& target, const std::string& file) {
    if (!CheckFileExist(m_folder, file)) {
        return;
    }
    const std::filesystem::path path =
        file.front() == '/' ? std::filesystem::path(file) : m_folder.Resolve(file);
    TextLineReader next;
    if (!next.Open(path)) {
        return;
    }
    // The earlier file is closed here: a playback that is replaced leaves nothing open.
    m_playFile = std::move(next);
    m_playChan = target;
    m_output.Print(m_panes.FindChanWin(target), core::LineStyle::PlayInfo,
                   "Starting play of " + file);
    m_playingText = true;
    if (!m_playTimer->isActive()) {
        m_playTimer->start();
    }
}

void TextPlayback::PlayTimer_Timer() {
    if (!m_playingText || !m_playFile.IsOpen()) {
        StopPlaying();
        return;
    }
    std::string line;
    const TextLineReader::Result result = m_playFile.ReadLine(line);
    if (result == TextLineReader::Result::Error) {
        PlayError(kReadErrorNumber);
        return;
    }
    if (result == TextLineReader::Result::Line) {
        if (line.empty()) {
            line = "  ";
        }
        const core::Settings& settings = m_config.settings();
        for (const std::string& part : irc::SplitMessage(
                 "PRIVMSG", m_playChan, line, irc::RelayPrefixBytes(m_config.flags().OwnSource))) {
            m_link.Send2Serv("PRIVMSG " + m_playChan + " :" + part);
            m_output.Print(m_panes.FindChanWin(m_playChan), core::LineStyle::PlayedLine,
                           commands::OwnEchoPrefix(settings.NickName, settings.NickStyle) + part);
        }
    }
    if (result == TextLineReader::Result::End || m_playFile.AtEnd()) {
        StopPlaying();
        m_output.Print(m_panes.CurVisible(), core::LineStyle::PlayInfo, "End of Play");
    } else if (m_playFile.Failed()) {
        PlayError(kReadErrorNumber);
    }
}

void TextPlayback::StopPlaying() {
    m_playFile.Close();
    m_playTimer->stop();
    m_playingText = false;
}

void TextPlayback::PlayError(int number) {
    m_output.Print(0, core::LineStyle::PlayError, "Got PLAY error:" + platform::NumberText(number));
    m_output.Print(m_panes.CurVisible(), core::LineStyle::PlayInfo, "Play Error");
    StopPlaying();
}

} // namespace korbi::media
