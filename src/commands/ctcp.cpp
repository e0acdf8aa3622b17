#include "commands/ctcp.h"

#include "commands/media_names.h"
#include "irc/message_parsing.h"
#include "platform/program_folder.h"
#include "platform/text_values.h"

#include <utility>

namespace korbi::commands {
namespace {

using irc::GetNick;
using irc::GetNumWords;
using irc::GetWord;

constexpr char kCtcpMark = '\x01';

bool HasLineBreak(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Words 3 to the last, each followed by one blank: what follows the second blank, and a blank.
// One search, however many words a peer sends.
std::string WordsFromThird(std::string_view text) {
    const std::size_t first = text.find(' ');
    const std::size_t second = first == std::string_view::npos ? first : text.find(' ', first + 1);
    if (second == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(second + 1)) + " ";
}

} // namespace

CtcpHandler::CtcpHandler(core::PaneOutput& output, const core::PaneRegistry& panes,
                         core::ServerLink& link, core::Media& media, core::SettingsAccess& config,
                         MonotonicClock clock, core::Alerts* alerts)
    : m_output(output), m_panes(panes), m_link(link), m_media(media), m_config(config),
      m_alerts(alerts), m_flood(std::move(clock)) {}

void CtcpHandler::ProcessCTCP(std::string_view text, std::string_view source,
                              std::string_view conversation) {
    const std::string_view received = text;
    if (!text.empty() && text.back() == kCtcpMark) {
        text.remove_suffix(1);
    }
    const std::string firstWord = GetWord(1, text);
    const std::string command =
        platform::UpperAscii(std::string_view(firstWord).substr(firstWord.empty() ? 0 : 1));
    const std::string_view argument = text.substr(firstWord.size());
    const std::string nick = GetNick(source);

    // Actions and pictures are part of the conversation: never counted, never ignored.
    if (command == "ACTION") {
        ShowAction(nick, argument, conversation);
        return;
    }
    if (command == "PICT") {
        RecordPicture(text, source);
        return;
    }

    const int level = m_config.settings().FloodProtDelay;
    if (m_flood.EndExpiredIgnore(level)) {
        m_output.Print(0, core::LineStyle::Information, "Removed CTCP Ignore.");
        m_output.Print(0, core::LineStyle::Plain, "---");
    }
    if (m_flood.IgnoreCTCPs()) {
        return;
    }

    if (command == "VERSION") {
        AnswerVersion(nick);
    } else if (command == "PING") {
        AnswerPing(nick, argument);
    } else if (command == "SOUND") {
        PlayRequestedSound(text, nick);
    } else {
        ReportUnknown(received, source, command);
    }
    m_flood.CountAnswered();
}

void CtcpHandler::FloodCheck_Timer() {
    if (!m_flood.Tick(m_config.settings().FloodProtDelay)) {
        return;
    }
    const int slot = m_panes.CurVisible();
    m_output.Print(slot, core::LineStyle::Warning,
                   "Excess Flood Danger ! Ignoring all CTCP's for 20 seconds...");
    m_output.Print(slot, core::LineStyle::Plain, "---");
}

void CtcpHandler::ShowAction(std::string_view nick, std::string_view argument,
                             std::string_view conversation) {
    const int slot = m_panes.FindChanWin(std::string(conversation));
    const std::string shown = std::string(nick) + std::string(argument);
    const bool fromOther =
        m_alerts != nullptr && !platform::EqualsNoCase(nick, m_config.settings().NickName);
    const bool highlight = fromOther && m_alerts->IsHighlight(argument);
    core::PrintMessage(m_output, slot, core::LineStyle::Action,
                       std::string(core::Look(core::LineStyle::Action).picture), shown, highlight);
    if (fromOther) {
        m_alerts->MessageArrived(std::string(conversation), std::string(nick), shown, highlight);
    }
}

void CtcpHandler::RecordPicture(std::string_view text, std::string_view source) {
    const std::string name = GetWord(2, text);
    if (GetNumWords(text) < 2 || !platform::IsBareFileName(name)) {
        return;
    }
    const std::string nick = GetNick(source);
    const std::string path = PictPathFor(name);
    const std::string host = irc::GetMachine(source);
    // A request inside a NOTICE carries only "-nick-" as its source: there is no host to ask.
    if (!host.empty() && !m_media.CheckFileExist(path) && !m_media.IsFetching() &&
        !platform::EqualsNoCase(nick, m_config.settings().NickName)) {
        m_media.FetchFile(host, path);
    }
    m_config.nickPicts().SetNickPict(nick, name);
}

void CtcpHandler::AnswerVersion(const std::string& nick) {
    m_output.Print(0, core::LineStyle::Plain, nick + " wants to know your client version...");
    m_link.Send2Serv("NOTICE " + nick + " :" + kCtcpMark + "VERSION " +
                     m_config.settings().versionstr + kCtcpMark);
}

void CtcpHandler::AnswerPing(const std::string& nick, std::string_view argument) {
    m_output.Print(0, core::LineStyle::Plain, nick + " pings you...");
    if (!argument.empty()) {
        argument.remove_prefix(1);
    }
    // Echoing a line break would smuggle a second protocol line to the server.
    if (HasLineBreak(argument)) {
        return;
    }
    m_link.Send2Serv("NOTICE " + nick + " :" + kCtcpMark + "PING " + std::string(argument) +
                     kCtcpMark);
}

void CtcpHandler::PlayRequestedSound(std::string_view text, const std::string& nick) {
    const std::string name = GetWord(2, text);
    if (GetNumWords(text) < 2 || !platform::IsBareFileName(name)) {
        return;
    }
    const std::string words = WordsFromThird(text);
    m_output.Print(m_panes.CurVisible(), core::LineStyle::Sound, nick + " " + words);
    m_media.PlaySound("SOUNDS\\" + WithWavExtension(name));
}

void CtcpHandler::ReportUnknown(std::string_view received, std::string_view source,
                                std::string_view command) {
    if (!m_config.flags().DebugMode) {
        return;
    }
    m_output.Print(0, core::LineStyle::Plain,
                   "Received Unknown CTCP from " + std::string(source) + "  ctcpstr = " +
                       std::string(received) + "  ctcpCMD = " + std::string(command));
}

} // namespace korbi::commands
